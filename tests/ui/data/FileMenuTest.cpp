#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>
#include <memory>

#include "FakeSerialPort.h"
#include "MemorySettingsStore.h"
#include "SampleModels.h"
#include "VirtualClock.h"
#include "ui/app/Application.h"
#include "ui/app/frmMain.h"
#include "ui/data/frmCompare.h"

namespace zorvex {
namespace {

const QString MainTitle = QStringLiteral("Zorvex4 CRT Adjustment Tool V5.0.13");

// The tool over an in-memory store and virtual time, with the file dialog, the question
// and the message boxes answered by the test.
struct FileMenuRig {
    testing::MemorySettingsStore settings;
    testing::VirtualClock clock;
    testing::FakeSerialPort port{&clock};  // never the machine's own serial ports
    std::unique_ptr<Application> app;
    std::vector<FileDialogSetup> dialogs;
    std::optional<QString> nextPath;
    std::vector<QString> questions;
    bool answerYes = false;
    std::vector<std::string> messages;

    FileMenuRig() {
        app = std::make_unique<Application>(ApplicationServices{&settings, &clock, &port});
        app->Start();
        QtFileCommandsView& view = app->FileDialogs();
        view.SetDialogRunner([this](const FileDialogSetup& setup) {
            dialogs.push_back(setup);
            return nextPath;
        });
        view.SetQuestionRunner([this](const QString& question) {
            questions.push_back(question);
            return answerYes;
        });
        view.SetMessageRunner([this](const std::string& text) { messages.push_back(text); });
    }
    void Choose(MenuCommand command, std::optional<QString> path = std::nullopt) {
        nextPath = std::move(path);
        QAction* action = app->MainWindow().Action(command);
        ASSERT_NE(action, nullptr);
        ASSERT_TRUE(action->isEnabled());
        action->trigger();
    }
    QString Caption() { return app->MainWindow().windowTitle(); }
};

TEST(FileMenu, SaveAsRemembersTheFolderOnlyOnSuccessAndCloseAndOpenShowTheFileInTheCaption) {
    QTemporaryDir dir;
    FileMenuRig rig;
    rig.app->Data() = testing::FullModel(250);
    const QString before = rig.Caption();
    rig.Choose(MenuCommand::FileSaveAs, dir.filePath(QStringLiteral("missing/mon1.mdv")));
    ASSERT_EQ(rig.messages.size(), 1u);
    EXPECT_EQ(
        rig.messages[0].rfind(
            "The file " + dir.path().toStdString() + "/missing/mon1.mdv could not be saved: ", 0),
        0u)
        << rig.messages[0];
    EXPECT_EQ(rig.Caption(), before);
    EXPECT_FALSE(rig.settings.Has("Configs", "FileSaveInitDir"));

    rig.Choose(MenuCommand::FileSaveAs, dir.filePath(QStringLiteral("mon1.mdv")));
    EXPECT_EQ(rig.messages.size(), 1u);
    EXPECT_EQ(rig.Caption(), MainTitle + QStringLiteral(" -- mon1.mdv"));
    EXPECT_EQ(rig.settings.Get("Configs", "FileSaveInitDir"), dir.path().toStdString() + "/");
    QFile file(dir.filePath(QStringLiteral("mon1.mdv")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("\"Model Number: \",\"KX-2100\"\r\n"));
    rig.Choose(MenuCommand::FileSaveAs);  // cancelled; it started in the remembered folder
    EXPECT_EQ(rig.dialogs.back().startFolder, dir.path() + QStringLiteral("/"));
    EXPECT_EQ(rig.Caption(), MainTitle + QStringLiteral(" -- mon1.mdv"));

    rig.app->Data().DataChanged = true;
    rig.Choose(MenuCommand::FileClose);
    EXPECT_EQ(rig.questions, std::vector<QString>{QStringLiteral(
                                 "The data has been changed. Do you wish to save changes?")});
    EXPECT_EQ(rig.Caption(), MainTitle + QStringLiteral(" -- (No File)"));

    // Opened again into a fresh model (the whole path over a restart is an end-to-end test).
    rig.app->Data() = MonitorData{};
    rig.Choose(MenuCommand::FileOpen, dir.filePath(QStringLiteral("mon1.mdv")));
    EXPECT_EQ(rig.messages.size(), 1u);
    EXPECT_EQ(rig.Caption(), MainTitle + QStringLiteral(" -- mon1.mdv"));
    EXPECT_TRUE(rig.app->Data().FileIsOpen);
    EXPECT_EQ(rig.app->Data().ModelNumber, "KX-2100");
    EXPECT_EQ(rig.app->Data().FirmwareVersionNumber, 250);

    // Compared with that file after one change: one row, the two values highlighted.
    rig.app->Data().SetCell(DacFamily::L, DacTableKind::Value, 1, 0, 300);
    rig.Choose(MenuCommand::FileCompare, dir.filePath(QStringLiteral("mon1.mdv")));
    const auto* table = rig.app->CompareWindow().findChild<QTableWidget*>("grdDifferences");
    ASSERT_EQ(table->rowCount(), 1);
    const QStringList row = {table->item(0, 0)->text(), table->item(0, 3)->text(),
                             table->item(0, 4)->text()};
    EXPECT_EQ(row, QStringList({"L1 Master Brightness", "300", "101"}));
    EXPECT_NE(table->item(0, 4)->background(), table->item(0, 0)->background());
}

}  // namespace
}  // namespace zorvex
