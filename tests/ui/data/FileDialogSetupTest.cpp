#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "MemorySettingsStore.h"
#include "core/data/FileCommands.h"
#include "ui/data/QtFileCommandsView.h"

namespace zorvex {
namespace {

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

TEST(FileDialogSetup, SaveAsProposesStarDotMdvAndAsksBeforeOverwriting) {
    testing::MemorySettingsStore settings;
    const FileDialogSetup setup = SetupFor(SaveDialogFor(settings));
    EXPECT_TRUE(setup.save);
    EXPECT_TRUE(setup.confirmOverwrite);
    EXPECT_EQ(setup.proposedName, QStringLiteral("*.mdv"));
    EXPECT_EQ(setup.nameFilters, (QStringList{QStringLiteral("Monitor Data Files (*.mdv)"),
                                              QStringLiteral("All Files (*)")}));
}

TEST(FileDialogSetup, SaveAsStartsInTheHomeFolderWhenTheStoredFolderDoesNotExist) {
    testing::MemorySettingsStore settings;  // the default "C:\Program Files\Zorvex3"
    EXPECT_EQ(SetupFor(SaveDialogFor(settings)).startFolder, QDir::homePath());
    settings.Write("Configs", "FileSaveInitDir", "/no/such/folder/");
    EXPECT_EQ(SetupFor(SaveDialogFor(settings)).startFolder, QDir::homePath());
}

TEST(FileDialogSetup, SaveAsStartsInTheStoredFolderWhenItExists) {
    QTemporaryDir dir;
    testing::MemorySettingsStore settings;
    settings.Write("Configs", "FileSaveInitDir", dir.path().toStdString() + "/");
    EXPECT_EQ(SetupFor(SaveDialogFor(settings)).startFolder, dir.path() + QStringLiteral("/"));
}

}  // namespace
}  // namespace zorvex
