#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DataTestSupport.h"
#include "FakeServices.h"
#include "MemorySettingsStore.h"
#include "SampleModels.h"
#include "VirtualClock.h"
#include "core/data/FileCommands.h"
#include "core/data/MdfWriter.h"
#include "core/data/UpdateAllDataCycle.h"
#include "core/protocol/IdentificationReplies.h"
#include "core/protocol/ResponseDispatcher.h"

namespace zorvex {
namespace {

using testing::ScriptedFileView;

// The file commands over files in memory, with the cycle, the dispatcher and the caption.
struct FileRig {
    MonitorData data;
    testing::RecordingSink sink;
    testing::VirtualClock clock;
    int16_t sendCount = 7;
    UpdateAllDataCycle cycle{data, sink, clock, sendCount};
    ResponseDispatcher dispatcher;
    testing::RecordingInfoLabels labels;
    IdentificationReplies identification{data, labels};
    MdfReader reader{data, dispatcher, labels};
    testing::FakeWallClock wallClock;
    testing::MemoryFiles files;
    testing::MemorySettingsStore settings;
    ScriptedFileView view;
    std::vector<std::string> captions;
    MonitorDataFile file{data, files, wallClock, reader, [this] { cycle.Restart(); }};
    FileCommands commands{data,  file,
                          files, settings,
                          view,  [this](const std::string& text) { captions.push_back(text); },
                          '/'};

    FileRig() { identification.Register(dispatcher); }
    void Put(const std::string& path, const MonitorData& model = {}) {
        files.files[path] = BuildMdfContent(model, LocalDateTime{2001, 6, 14, 9, 5, 7});
    }
    void Open(const std::string& path, const std::string& title) {
        view.openChoice = ChosenFile{path, title};
        commands.Open();
    }
    void SaveAs(const std::string& path, const std::string& title) {
        view.saveChoice = ChosenFile{path, title};
        commands.SaveAs();
    }
};

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}

using Captions = std::vector<std::string>;

TEST(SaveAs, CancelChangesNothingAndASaveWritesTheFileSetsTheCaptionAndRemembersTheFolder) {
    FileRig rig;
    rig.data.DataChanged = true;
    rig.commands.SaveAs();
    ASSERT_EQ(rig.view.saveRequests.size(), 1u);
    const SaveDialogRequest& request = rig.view.saveRequests[0];
    EXPECT_EQ(request.filter, "Monitor Data Files (*.mdv)|*.mdv|All Files (*.*)|*.*");
    EXPECT_EQ(request.fileName, "monitor.mdv");
    EXPECT_EQ(request.initialFolder, "C:\\Program Files\\Zorvex3");
    EXPECT_EQ(request.flags, 2);
    EXPECT_TRUE(rig.view.questions.empty());  // no save-changes prompt
    EXPECT_EQ(rig.files.writes, 0);
    EXPECT_TRUE(rig.captions.empty());
    EXPECT_TRUE(rig.data.DataChanged);
    EXPECT_FALSE(rig.settings.Has("Configs", "FileSaveInitDir"));

    rig.data = testing::FullModel(250);
    rig.data.DataChanged = true;
    rig.SaveAs("/data/mon1.mdv", "mon1.mdv");
    EXPECT_EQ(rig.files.files["/data/mon1.mdv"],
              BuildMdfContent(testing::FullModel(250), rig.wallClock.Now()));
    EXPECT_EQ(rig.captions, Captions{"mon1.mdv"});
    EXPECT_EQ(rig.settings.Get("Configs", "FileSaveInitDir"), "/data/");
    EXPECT_FALSE(rig.data.FileIsOpen);
    EXPECT_EQ(rig.data.DiskFileNum, 0);
    EXPECT_FALSE(rig.data.DataChanged);
    EXPECT_EQ(rig.data.FilePath, "/data/mon1.mdv");
    EXPECT_EQ(rig.view.busyChanges, (std::vector<bool>{true, false}));
    EXPECT_TRUE(rig.view.messages.empty());
    // Online, a save restarts the update cycle at step 0.
    EXPECT_EQ(rig.sink.Take(), Captions{"da\r\n"});
    EXPECT_EQ(rig.sendCount, 0);
    // The next dialog starts in that folder.
    rig.commands.SaveAs();
    EXPECT_EQ(rig.view.saveRequests.back().initialFolder, "/data/");
}

TEST(Save, WritesTheCurrentFileAgainWithoutADialogAndWithNoneIsSaveAsAddingMdv) {
    FileRig rig;
    rig.data = testing::FullModel(250);
    rig.view.saveChoice = ChosenFile{"/data/mon1", "mon1"};
    rig.commands.Save();
    ASSERT_EQ(rig.view.saveRequests.size(), 1u);
    EXPECT_EQ(rig.captions, Captions{"mon1.mdv"});
    rig.data.ScanSetName[0] = "Changed";
    rig.commands.Save();
    EXPECT_EQ(rig.view.saveRequests.size(), 1u) << "no dialog for the current file";
    EXPECT_NE(rig.files.files["/data/mon1.mdv"].find("\"Changed\""), std::string::npos);
    rig.commands.SaveAs();
    EXPECT_EQ(rig.view.saveRequests.back().fileName, "mon1.mdv") << "proposes the current name";
    // After Close, and after opening a file that is no monitor data, Save asks for a name.
    for (auto forget : {+[](FileRig& r) { r.commands.Close(); },
                        +[](FileRig& r) {
                            r.files.files["/data/notes.mdv"] = "not monitor data\r\n";
                            r.Open("/data/notes.mdv", "notes.mdv");
                        }}) {
        forget(rig);
        const std::size_t dialogs = rig.view.saveRequests.size();
        rig.commands.Save();
        ASSERT_EQ(rig.view.saveRequests.size(), dialogs + 1);
        EXPECT_EQ(rig.view.saveRequests.back().fileName, "monitor.mdv");
    }
}

class SaveAsFailure : public ::testing::TestWithParam<const char*> {};

TEST_P(SaveAsFailure, NamesTheFileAndTheReasonAndLeavesTheEarlierFileAsItWas) {
    FileRig rig;
    rig.Put("/data/old.mdv");
    rig.Open("/data/old.mdv", "old.mdv");
    rig.files.files["/data/mon1.mdv"] = "the good file";
    rig.files.writeFailures["/data/mon1.mdv"] = GetParam();
    rig.settings.values[{"Configs", "FileSaveInitDir"}] = "/old/";
    rig.data.DataChanged = true;
    rig.SaveAs("/data/mon1.mdv", "mon1.mdv");
    EXPECT_EQ(rig.files.files["/data/mon1.mdv"], "the good file");
    EXPECT_EQ(rig.view.messages,
              Captions{std::string("The file /data/mon1.mdv could not be saved: ") + GetParam() +
                       "\r\nAny earlier file of that name is unchanged."});
    EXPECT_EQ(rig.captions, Captions{"old.mdv"});  // not reported as success
    EXPECT_EQ(rig.settings.Get("Configs", "FileSaveInitDir"), "/old/");
    EXPECT_TRUE(rig.data.DataChanged);
    // The file open for reading stays as it was.
    EXPECT_TRUE(rig.data.FileIsOpen);
    EXPECT_TRUE(rig.data.FileOpenForInput);
    EXPECT_EQ(rig.data.FilePath, "/data/old.mdv");
    EXPECT_EQ(rig.view.busyChanges, (std::vector<bool>{true, false}));
}

INSTANTIATE_TEST_SUITE_P(Reasons, SaveAsFailure,
                         ::testing::Values("No space left on device", "Permission denied",
                                           "The file is locked"));

TEST(OpenAndClose, OpenReadsTheFileAndLeavesItOpenForReadingCancelAndCloseCloseIt) {
    FileRig rig;
    rig.Put("/data/mon1.mdv", testing::FullModel(150));
    rig.Open("/data/mon1.mdv", "mon1.mdv");
    ASSERT_EQ(rig.view.openRequests.size(), 1u);
    EXPECT_EQ(rig.view.openRequests[0].filter,
              "Monitor Data Files(*.mdv)|*.mdv|Text Files(*.txt)|*.txt|All files(*.*)|*.*");
    EXPECT_EQ(rig.view.openRequests[0].flags, 4096);
    EXPECT_TRUE(rig.view.messages.empty());
    EXPECT_EQ(rig.captions, Captions{"mon1.mdv"});
    EXPECT_TRUE(rig.data.FileIsOpen);
    EXPECT_TRUE(rig.data.FileOpenForInput);
    EXPECT_EQ(rig.data.DiskFileNum, 1);
    EXPECT_FALSE(rig.data.DataChanged);
    EXPECT_EQ(rig.data.FirmwareVersionNumber, 150);
    EXPECT_EQ(rig.labels.shown[InfoLabel::Model], "KX-2100");

    rig.view.openChoice.reset();
    rig.commands.Open();
    EXPECT_FALSE(rig.data.FileIsOpen);
    EXPECT_EQ(rig.data.DiskFileNum, 0);
    EXPECT_EQ(rig.captions, Captions{"mon1.mdv"});
    // Close closes the file, keeps its path and clears the caption.
    rig.Open("/data/mon1.mdv", "mon1.mdv");
    rig.commands.Close();
    EXPECT_FALSE(rig.data.FileIsOpen);
    EXPECT_EQ(rig.data.DiskFileNum, 0);
    EXPECT_EQ(rig.data.FilePath, "/data/mon1.mdv");
    EXPECT_EQ(rig.captions, (Captions{"mon1.mdv", "mon1.mdv", ""}));
    EXPECT_TRUE(rig.view.questions.empty());
    // The next file leaves enabled exactly its own scan sets (here 0, not also 2 and 5).
    rig.Put("/data/mon2.mdv");
    rig.Open("/data/mon2.mdv", "mon2.mdv");
    EXPECT_EQ(rig.data.ScanSetEnabled, MonitorData{}.ScanSetEnabled);
}

TEST(Open, ReportsFilesThatCannotBeReadOrAreNotMonitorDataFiles) {
    FileRig rig;
    rig.files.readFailures["/data/locked.mdv"] = "Permission denied";
    rig.Open("/data/locked.mdv", "locked.mdv");
    EXPECT_EQ(rig.view.messages,
              Captions{"The file /data/locked.mdv could not be opened: Permission denied"});
    EXPECT_TRUE(rig.captions.empty());
    EXPECT_FALSE(rig.data.FileIsOpen);
    EXPECT_TRUE(rig.data.FilePath.empty());
    // Not a monitor data file: its name stays in the caption but it is closed.
    rig.files.files["/data/short.mdv"] = "\"Norvale Monitor DAC Value File\"\r\n";
    rig.Open("/data/short.mdv", "short.mdv");
    EXPECT_EQ(rig.view.messages.back(), "File short.mdv is not a valid .mdv file");
    EXPECT_EQ(rig.captions, Captions{"short.mdv"});
    EXPECT_FALSE(rig.data.FileIsOpen);
    EXPECT_EQ(rig.data.DiskFileNum, 0);
    // A bad record leaves the file open for reading.
    std::string bytes = BuildMdfContent(MonitorData{}, rig.wallClock.Now());
    rig.files.files["/data/bad.mdv"] = Replaced(bytes, "\"NumBDacs\",2", "\"NumBDacs\",9");
    rig.Open("/data/bad.mdv", "bad.mdv");
    EXPECT_EQ(rig.view.messages.back().rfind("Bad Input - NumBDacs Value Too Large\rLine ", 0), 0u);
    EXPECT_TRUE(rig.data.FileIsOpen);
    EXPECT_TRUE(rig.data.FileOpenForInput);
}

TEST(SaveChangesPrompt, NoGoesOnWithoutSavingAndYesWithNoFileOpenSaysSoAndStops) {
    FileRig rig;
    rig.data.DataChanged = true;
    rig.commands.Close();
    EXPECT_EQ(rig.view.questions,
              Captions{"The data has been changed. Do you wish to save changes?"});
    EXPECT_EQ(rig.files.writes, 0);
    EXPECT_EQ(rig.captions, Captions{""});  // with no file open, Close changes only the caption
    rig.view.answerYes = true;
    rig.commands.Close();
    EXPECT_EQ(rig.view.messages, Captions{"InWriteMDF, FileIsOpen is False"});
    EXPECT_EQ(rig.captions, Captions{""});
}

TEST(SaveChangesPrompt, YesSavesIntoTheOpenFileBeforeOpeningTheNext) {
    for (bool saveFails : {false, true}) {
        FileRig rig;
        rig.Put("/data/a.mdv");
        rig.Put("/data/b.mdv");
        rig.Open("/data/a.mdv", "a.mdv");
        rig.data.ScanSetName[0] = "Changed";
        rig.data.DataChanged = true;
        rig.view.answerYes = true;
        if (saveFails) {
            rig.files.writeFailures["/data/a.mdv"] = "No space left on device";
        }
        rig.Open("/data/b.mdv", "b.mdv");
        if (!saveFails) {
            EXPECT_NE(rig.files.files["/data/a.mdv"].find("\"ScanSetName\",\"Changed\""),
                      std::string::npos);
            EXPECT_EQ(rig.data.FilePath, "/data/b.mdv");
            EXPECT_EQ(rig.data.ScanSetName[0], "Scan Set 1 Title");
            continue;
        }
        // A failed save stops the command so the changes are not lost.
        ASSERT_EQ(rig.view.messages.size(), 1u);
        EXPECT_NE(rig.view.messages[0].find("No space left on device"), std::string::npos);
        EXPECT_EQ(rig.view.openRequests.size(), 1u);  // the second dialog never showed
        EXPECT_EQ(rig.data.ScanSetName[0], "Changed");
        EXPECT_TRUE(rig.data.DataChanged);
    }
}

TEST(ReadAndWriteMDF, RefuseWithNoFileOpenOrAHandleOutOfRangeAndReopenTheFileOfTheState) {
    FileRig rig;
    rig.data.MonitorOnline = true;
    EXPECT_EQ(rig.file.ReadMDF().message, "No File Is Open - Can't Finish Read Operation");
    EXPECT_EQ(rig.file.WriteMDF().message, "InWriteMDF, FileIsOpen is False");
    rig.data.FileIsOpen = true;
    for (int16_t handle : {int16_t{0}, int16_t{256}, int16_t{-1}}) {
        rig.data.DiskFileNum = handle;
        EXPECT_EQ(rig.file.ReadMDF().message, "In ReadMDF, DiskFileNum is out of range");
        EXPECT_EQ(rig.file.WriteMDF().message, "In WriteMDF, DiskFileNum is out of range");
    }
    EXPECT_EQ(rig.files.writes, 0);
    EXPECT_TRUE(rig.sink.commands.empty());
    // A valid handle reopens the file of the file state for reading.
    rig.Put("/data/w.mdv", testing::FullModel(310));
    rig.data.DiskFileNum = 1;
    rig.data.DataChanged = true;
    rig.data.FilePath = "/data/gone.mdv";
    EXPECT_FALSE(rig.file.ReadMDF().ok) << "a file that cannot be read is no success";
    rig.data.FilePath = "/data/w.mdv";
    EXPECT_TRUE(rig.file.ReadMDF().ok);
    EXPECT_TRUE(rig.data.FileOpenForInput);
    EXPECT_FALSE(rig.data.DataChanged);
    EXPECT_EQ(rig.data.FirmwareVersionNumber, 310);
}

TEST(FolderOf, DropsTheNameUpToTheLastSeparator) {
    EXPECT_EQ(FolderOf("/home/tech/mon1.mdv", '/'), "/home/tech/");
    EXPECT_EQ(FolderOf("C:\\data\\mon1.mdv", '\\'), "C:\\data\\");
    EXPECT_EQ(FolderOf("mon1.mdv", '/'), "");
}

}  // namespace
}  // namespace zorvex
