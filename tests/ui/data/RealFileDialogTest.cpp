#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <vector>

#include "MemorySettingsStore.h"
#include "core/data/FileCommands.h"
#include "ui/data/QtFileCommandsView.h"

namespace zorvex {
namespace {

QString NameBox(QFileDialog& dialog) {
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    return edit ? edit->text() : QString();
}

// Acts on the file dialog once it is up, as a user would, one step per appearance.
class DialogHand {
  public:
    using Step = std::function<void(QFileDialog&)>;
    explicit DialogHand(std::vector<Step> steps) : steps_(std::move(steps)) { Arm(); }
    int seen = 0;

  private:
    void Arm() {
        QTimer::singleShot(10, [this] {
            QFileDialog* dialog = nullptr;
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* d = qobject_cast<QFileDialog*>(widget); d && d->isVisible()) {
                    dialog = d;
                }
            }
            if (dialog == nullptr) {
                Arm();
                return;
            }
            const std::size_t step = static_cast<std::size_t>(seen++);
            if (step + 1 < steps_.size()) {
                Arm();
            }
            steps_[step](*dialog);
        });
    }
    std::vector<Step> steps_;
};

TEST(FileDialogSetup, OpenListsMonitorDataTextAndAllFilesAndNeedsAnExistingFile) {
    const FileDialogSetup setup = SetupFor(OpenDialogFor());
    EXPECT_FALSE(setup.save);
    EXPECT_TRUE(setup.fileMustExist);
    EXPECT_EQ(setup.nameFilters,
              (QStringList{QStringLiteral("Monitor Data Files(*.mdv)"),
                           QStringLiteral("Text Files(*.txt)"), QStringLiteral("All files(*)")}));
    EXPECT_TRUE(setup.startFolder.isEmpty());
    EXPECT_TRUE(setup.proposedName.isEmpty());
}

TEST(FileDialogSetup, SaveAsStartsInTheStoredFolderOnlyWhenItExists) {
    testing::MemorySettingsStore settings;  // the default "C:\Program Files\Zorvex3"
    const FileDialogSetup setup = SetupFor(SaveDialogFor(settings));
    EXPECT_TRUE(setup.save);
    EXPECT_TRUE(setup.confirmOverwrite);
    EXPECT_EQ(setup.startFolder, QDir::homePath());
    settings.Write("Configs", "FileSaveInitDir", "/no/such/folder/");
    EXPECT_EQ(SetupFor(SaveDialogFor(settings)).startFolder, QDir::homePath());
    QTemporaryDir dir;
    settings.Write("Configs", "FileSaveInitDir", dir.path().toStdString() + "/");
    EXPECT_EQ(SetupFor(SaveDialogFor(settings)).startFolder, dir.path() + QStringLiteral("/"));
}

TEST(RealFileDialog, SaveAsStartsAtHomeProposesANameAndAddsMdvToATypedNameWithout) {
    QTemporaryDir dir;
    testing::MemorySettingsStore settings;  // the stored folder does not exist here
    QtFileCommandsView view(nullptr, [](const std::string&) {});
    QString startedIn;
    QString proposed;
    QStringList filters;
    bool overwriteAsked = false;
    DialogHand hand({[&](QFileDialog& d) {
        startedIn = d.directory().absolutePath();
        proposed = NameBox(d);
        filters = d.nameFilters();
        overwriteAsked = !d.testOption(QFileDialog::DontConfirmOverwrite);
        // The user goes to the folder and types a name without an extension.
        d.setDirectory(dir.path());
        d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("mon1"));
        QMetaObject::invokeMethod(&d, "accept");
    }});
    const auto chosen = view.ChooseFileToSave(SaveDialogFor(settings));
    EXPECT_EQ(hand.seen, 1);
    EXPECT_EQ(startedIn, QDir::home().absolutePath());
    EXPECT_EQ(proposed, QStringLiteral("monitor.mdv"));
    EXPECT_EQ(filters, (QStringList{QStringLiteral("Monitor Data Files (*.mdv)"),
                                    QStringLiteral("All Files (*)")}));
    EXPECT_TRUE(overwriteAsked);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->path, dir.filePath(QStringLiteral("mon1.mdv")).toStdString());
    EXPECT_EQ(chosen->title, "mon1.mdv");
}

}  // namespace
}  // namespace zorvex
