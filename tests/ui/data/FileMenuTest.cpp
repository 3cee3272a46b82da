#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include "../app/StartedTool.h"
#include "SampleModels.h"
#include "platform/QtMonitorDataFiles.h"
#include "ui/data/frmCompare.h"

namespace zorvex {
namespace {

// The tool with the file dialog, the question and the message boxes answered by the test.
struct FileMenuRig : testing::StartedTool {
    std::vector<FileDialogSetup> dialogs;
    std::optional<QString> nextPath;
    int questions = 0;
    std::vector<std::string> messages;

    FileMenuRig() {
        QtFileCommandsView& view = app->FileDialogs();
        view.SetDialogRunner(
            [this](const FileDialogSetup& setup) { return dialogs.push_back(setup), nextPath; });
        view.SetQuestionRunner([this](const QString&) { return ++questions, false; });
        view.SetMessageRunner([this](const std::string& text) { messages.push_back(text); });
    }
    // What the user sees: the caption's file part and the number of messages so far.
    std::string Choose(MenuCommand command, std::optional<QString> path = std::nullopt) {
        nextPath = std::move(path);
        app->MainWindow().Action(command)->trigger();
        return Main().windowTitle().section(" -- ", 1).toStdString() + ", " +
               std::to_string(messages.size()) + " messages";
    }
};

TEST(FileMenu, SaveAsRemembersTheFolderOnlyOnSuccessSaveRewritesItCloseAndOpenShowTheCaption) {
    QTemporaryDir dir;
    FileMenuRig rig;
    rig.app->Data() = testing::FullModel(250);
    EXPECT_EQ(rig.Choose(MenuCommand::FileSaveAs, dir.filePath("missing/mon1.mdv")),
              "No monitor, 1 messages");
    EXPECT_NE(rig.messages[0].find("/missing/mon1.mdv could not be saved: "), std::string::npos);
    EXPECT_FALSE(rig.settings.Has("Configs", "FileSaveInitDir"));
    const QString path = dir.filePath("mon1.mdv");
    EXPECT_EQ(rig.Choose(MenuCommand::FileSaveAs, path), "mon1.mdv, 1 messages");
    EXPECT_EQ(rig.settings.Get("Configs", "FileSaveInitDir"), dir.path().toStdString() + "/");
    rig.app->Data().ModelNumber = "KX-2200";
    rig.Choose(MenuCommand::FileSave);  // without a dialog; read back below
    EXPECT_EQ(rig.dialogs.size(), 2u);
    EXPECT_EQ(rig.Choose(MenuCommand::FileSaveAs), "mon1.mdv, 1 messages");  // cancelled
    EXPECT_EQ(rig.dialogs.back().startFolder, dir.path() + "/");

    rig.app->Data().DataChanged = true;
    EXPECT_EQ(rig.Choose(MenuCommand::FileClose), "(No File), 1 messages");
    EXPECT_EQ(rig.questions, 1) << "asked to save the changes";
    rig.app->Data() = MonitorData{};
    EXPECT_EQ(rig.Choose(MenuCommand::FileOpen, path), "mon1.mdv, 1 messages");
    EXPECT_TRUE(rig.app->Data().FileIsOpen);
    EXPECT_EQ(
        rig.app->Data().ModelNumber + " " + std::to_string(rig.app->Data().FirmwareVersionNumber),
        "KX-2200 250");

    // Compared with that file after one change: one row, the two values highlighted.
    rig.app->Data().SetCell(DacFamily::L, DacTableKind::Value, 1, 0, 300);
    rig.Choose(MenuCommand::FileCompare, path);
    const auto* table = rig.app->CompareWindow().findChild<QTableWidget*>("grdDifferences");
    ASSERT_EQ(table->rowCount(), 1);
    EXPECT_EQ(table->item(0, 3)->text() + " " + table->item(0, 4)->text(), "300 101");
    EXPECT_NE(table->item(0, 4)->background(), table->item(0, 0)->background());
}

// The real dialog, as a user fills it in: the proposed name, then a name without an extension.
TEST(RealFileDialog, SaveAsStartsAtHomeProposesANameAndAddsMdvToATypedNameWithout) {
    QTemporaryDir dir;
    testing::MemorySettingsStore settings;  // the stored folder does not exist here
    QtFileCommandsView view(nullptr, [](const std::string&) {});
    QStringList seen;
    std::function<void()> hand = [&] {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (d == nullptr) {
            return QTimer::singleShot(10, hand);
        }
        auto* name = d->findChild<QLineEdit*>("fileNameEdit");
        seen << d->directory().absolutePath() << name->text() << d->nameFilters().join(';')
             << QString::number(!d->testOption(QFileDialog::DontConfirmOverwrite));
        d->setDirectory(dir.path());
        name->setText("mon1");
        QMetaObject::invokeMethod(d, "accept");
    };
    QTimer::singleShot(0, hand);
    const auto chosen = view.ChooseFileToSave(SaveDialogFor(settings));
    EXPECT_EQ(seen, (QStringList{QDir::home().absolutePath(), "monitor.mdv",
                                 "Monitor Data Files (*.mdv);All Files (*)", "1"}));
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->path + " " + chosen->title,
              dir.filePath("mon1.mdv").toStdString() + " mon1.mdv");
}

const std::string Sample = std::string("\"Version 3.0\"\r\n\"ScanSetName\",\"Nacht \xE9\"\r\n") +
                           std::string(2000, 'x') + "\r\n";

class QtMonitorDataFilesTest : public ::testing::Test {
  protected:
    std::string PathIn(const char* name) const {
        return QFile::encodeName(dir.filePath(QString::fromLatin1(name))).toStdString();
    }
    static void Put(const std::string& path, const std::string& bytes) {
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    // The folder's entries, so that no temporary file is left behind.
    QString Entries() const {
        return QDir(dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
            .join(' ');
    }

    QTemporaryDir dir;
    QtMonitorDataFiles files;
    const std::string path = PathIn("mon1.mdv");
};

TEST_F(QtMonitorDataFilesTest, ReadsOnlyPlainFilesAndReplacesOneWithTheExactBytesAndNoTemporary) {
    // Only a plain file of a data file's size is read: a pipe or a device would never end.
    const std::string fifo = PathIn("pipe.mdv"), large = PathIn("large.mdv");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    Put(large, "");
    ASSERT_EQ(truncate(large.c_str(), 64 * 1024 * 1024 + 1), 0);
    for (const std::string& refused : {path, fifo, std::string("/dev/zero"), large}) {
        const FileBytes read = files.ReadWhole(refused);
        EXPECT_FALSE(read.ok || read.reason.empty()) << refused;
    }
    Put(path, std::string(3000, 'o'));  // older and longer than the new content
    ASSERT_TRUE(files.ReplaceWhole(path, Sample).ok);
    EXPECT_EQ(files.ReadWhole(path).bytes, Sample);
    EXPECT_EQ(Entries(), "large.mdv mon1.mdv");  // the pipe is no plain entry
}

// Saved through a (relative) symbolic link: the file it names is replaced, the link stays, and
// so do the file's permissions.
TEST_F(QtMonitorDataFilesTest, AReplacedFileKeepsItsPermissionsAndItsLinks) {
    const std::string link = PathIn("link.mdv");
    Put(path, "old");
    ASSERT_TRUE(QFile::link("mon1.mdv", QString::fromStdString(link)));
    const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(QString::fromStdString(path), mode));
    ASSERT_TRUE(files.ReplaceWhole(link, Sample).ok);
    EXPECT_TRUE(QFileInfo(QString::fromStdString(link)).isSymLink());
    EXPECT_EQ(files.ReadWhole(path).bytes, Sample);
    EXPECT_EQ(QFile::permissions(QString::fromStdString(path)) & 0xF0FF, mode & 0xF0FF);
    EXPECT_EQ(Entries(), "link.mdv mon1.mdv");
}

// A write that runs out of room part-way (here the file size limit, as a full disk would) leaves
// the earlier file as it was, and no temporary beside it.
TEST_F(QtMonitorDataFilesTest, AFailedWriteLeavesTheEarlierFileAsItWas) {
    Put(path, "the good file");
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* previousHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 512;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileOutcome cut = files.ReplaceWhole(path, Sample);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(cut.ok ? "saved" : cut.reason, "File too large");
    EXPECT_EQ(files.ReadWhole(path).bytes, "the good file");
    EXPECT_EQ(Entries(), "mon1.mdv");
}

}  // namespace
}  // namespace zorvex
