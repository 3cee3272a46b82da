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
};

const LocalDateTime Now{2001, 6, 14, 9, 5, 7};

TEST(SaveAs, ShowsTheSaveDialogWithItsFilterNameFolderAndOverwriteQuestion) {
    FileRig rig;
    rig.commands.SaveAs();
    ASSERT_EQ(rig.view.saveRequests.size(), 1u);
    const SaveDialogRequest& request = rig.view.saveRequests[0];
    EXPECT_EQ(request.filter, "Monitor Data Files (*.mdv)|*.mdv|All Files (*.*)|*.*");
    EXPECT_EQ(request.fileName, "*.mdv");
    EXPECT_EQ(request.initialFolder, "C:\\Program Files\\Zorvex3");
    EXPECT_EQ(request.flags, 2);
    EXPECT_TRUE(rig.view.questions.empty());  // no save-changes prompt
}

TEST(SaveAs, CancelChangesNothing) {
    FileRig rig;
    rig.data.DataChanged = true;
    rig.commands.SaveAs();
    EXPECT_EQ(rig.files.writes, 0);
    EXPECT_TRUE(rig.captions.empty());
    EXPECT_TRUE(rig.data.DataChanged);
    EXPECT_FALSE(rig.settings.Has("Configs", "FileSaveInitDir"));
}

TEST(SaveAs, WritesTheFileClosesItSetsTheCaptionAndRemembersTheFolder) {
    FileRig rig;
    rig.data = testing::FullModel(250);
    rig.data.DataChanged = true;
    rig.view.saveChoice = ChosenFile{"/data/mon1.mdv", "mon1.mdv"};
    rig.commands.SaveAs();
    EXPECT_EQ(rig.files.files["/data/mon1.mdv"], BuildMdfContent(testing::FullModel(250), Now));
    EXPECT_EQ(rig.captions, std::vector<std::string>{"mon1.mdv"});
    EXPECT_EQ(rig.settings.Get("Configs", "FileSaveInitDir"), "/data/");
    EXPECT_FALSE(rig.data.FileIsOpen);
    EXPECT_EQ(rig.data.DiskFileNum, 0);
    EXPECT_FALSE(rig.data.DataChanged);
    EXPECT_EQ(rig.data.FilePath, "/data/mon1.mdv");
    EXPECT_EQ(rig.data.FileTitle, "mon1.mdv");
    EXPECT_EQ(rig.view.busyChanges, (std::vector<bool>{true, false}));
    EXPECT_TRUE(rig.view.messages.empty());

    // The next dialog starts in that folder.
    rig.commands.SaveAs();
    EXPECT_EQ(rig.view.saveRequests.back().initialFolder, "/data/");
}

TEST(SaveAs, WhileOnlineRestartsTheUpdateCycleAtStepZero) {
    FileRig rig;
    rig.data.MonitorOnline = true;
    rig.view.saveChoice = ChosenFile{"/data/mon1.mdv", "mon1.mdv"};
    rig.commands.SaveAs();
    EXPECT_EQ(rig.sink.Take(), std::vector<std::string>{"da\r\n"});
    EXPECT_EQ(rig.sendCount, 0);
    rig.clock.Advance(1000);
    EXPECT_EQ(rig.sink.Take(), std::vector<std::string>{"da\r\n"});
}

struct WriteFailureCase {
    const char* reason;
};

class SaveAsFailure : public ::testing::TestWithParam<WriteFailureCase> {};

TEST_P(SaveAsFailure, NamesTheFileAndTheReasonAndLeavesTheEarlierFileAsItWas) {
    FileRig rig;
    rig.files.files["/data/mon1.mdv"] = "the good file";
    rig.files.writeFailures["/data/mon1.mdv"] = GetParam().reason;
    rig.settings.values[{"Configs", "FileSaveInitDir"}] = "/old/";
    rig.data.DataChanged = true;
    rig.view.saveChoice = ChosenFile{"/data/mon1.mdv", "mon1.mdv"};
    rig.commands.SaveAs();
    EXPECT_EQ(rig.files.files["/data/mon1.mdv"], "the good file");
    ASSERT_EQ(rig.view.messages.size(), 1u);
    EXPECT_EQ(rig.view.messages[0], std::string("The file /data/mon1.mdv could not be saved: ") +
                                        GetParam().reason +
                                        "\r\nAny earlier file of that name is unchanged.");
    EXPECT_TRUE(rig.captions.empty());  // not reported as success
    EXPECT_EQ(rig.settings.Get("Configs", "FileSaveInitDir"), "/old/");
    EXPECT_FALSE(rig.data.FileIsOpen);
    EXPECT_TRUE(rig.data.DataChanged);
    EXPECT_EQ(rig.data.FilePath, "");
    EXPECT_EQ(rig.view.busyChanges, (std::vector<bool>{true, false}));
}

INSTANTIATE_TEST_SUITE_P(Reasons, SaveAsFailure,
                         ::testing::Values(WriteFailureCase{"No space left on device"},
                                           WriteFailureCase{"Permission denied"},
                                           WriteFailureCase{"The file is locked"}));

TEST(SaveAs, AFailureKeepsAFileOpenForReadingAsItWas) {
    FileRig rig;
    rig.files.files["/data/old.mdv"] = BuildMdfContent(MonitorData{}, Now);
    rig.view.openChoice = ChosenFile{"/data/old.mdv", "old.mdv"};
    rig.commands.Open();
    rig.files.writeFailures["/data/new.mdv"] = "Read-only file system";
    rig.view.saveChoice = ChosenFile{"/data/new.mdv", "new.mdv"};
    rig.commands.SaveAs();
    EXPECT_TRUE(rig.data.FileIsOpen);
    EXPECT_TRUE(rig.data.FileOpenForInput);
    EXPECT_EQ(rig.data.FilePath, "/data/old.mdv");
    EXPECT_EQ(rig.captions, std::vector<std::string>{"old.mdv"});
}

TEST(Open, ShowsTheOpenDialogWithItsFilterAndTheFileMustExist) {
    FileRig rig;
    rig.commands.Open();
    ASSERT_EQ(rig.view.openRequests.size(), 1u);
    EXPECT_EQ(rig.view.openRequests[0].filter,
              "Monitor Data Files(*.mdv)|*.mdv|Text Files(*.txt)|*.txt|All files(*.*)|*.*");
    EXPECT_EQ(rig.view.openRequests[0].flags, 4096);
}

TEST(Open, CancelClosesAPreviouslyOpenFileAndLeavesTheCaption) {
    FileRig rig;
    rig.files.files["/data/a.mdv"] = BuildMdfContent(MonitorData{}, Now);
    rig.view.openChoice = ChosenFile{"/data/a.mdv", "a.mdv"};
    rig.commands.Open();
    ASSERT_TRUE(rig.data.FileIsOpen);
    rig.view.openChoice.reset();
    rig.commands.Open();
    EXPECT_FALSE(rig.data.FileIsOpen);
    EXPECT_EQ(rig.data.DiskFileNum, 0);
    EXPECT_EQ(rig.captions, std::vector<std::string>{"a.mdv"});
}

TEST(Open, ReadsTheFileLeavesItOpenForReadingAndShowsItsName) {
    FileRig rig;
    rig.files.files["/data/mon1.mdv"] = BuildMdfContent(testing::FullModel(150), Now);
    rig.view.openChoice = ChosenFile{"/data/mon1.mdv", "mon1.mdv"};
    rig.data.DataChanged = false;
    rig.commands.Open();
    EXPECT_TRUE(rig.view.messages.empty());
    EXPECT_EQ(rig.captions, std::vector<std::string>{"mon1.mdv"});
    EXPECT_TRUE(rig.data.FileIsOpen);
    EXPECT_TRUE(rig.data.FileOpenForInput);
    EXPECT_EQ(rig.data.DiskFileNum, 1);
    EXPECT_FALSE(rig.data.DataChanged);
    EXPECT_EQ(rig.data.ModelNumber, "KX-2100");
    EXPECT_EQ(rig.data.FirmwareVersionNumber, 150);
    EXPECT_EQ(rig.data.CrtPartNumber, "CRT-PN 17");
    EXPECT_EQ(rig.data.ScanSetName[5], "Maintenance");
    EXPECT_EQ(rig.labels.shown[InfoLabel::Model], "KX-2100");
}

TEST(Open, AFileThatIsNotAMonitorDataFileKeepsItsNameInTheCaptionButIsClosed) {
    FileRig rig;
    rig.files.files["/data/short.mdv"] = "\"Norvale Monitor DAC Value File\"\r\n";
    rig.view.openChoice = ChosenFile{"/data/short.mdv", "short.mdv"};
    rig.commands.Open();
    EXPECT_EQ(rig.view.messages,
              std::vector<std::string>{"File short.mdv is not a valid .mdv file"});
    EXPECT_EQ(rig.captions, std::vector<std::string>{"short.mdv"});
    EXPECT_FALSE(rig.data.FileIsOpen);
    EXPECT_EQ(rig.data.DiskFileNum, 0);
}

TEST(Open, ABadRecordLeavesTheFileOpenAndTheFlagsAsTheyWere) {
    FileRig rig;
    std::string bytes = BuildMdfContent(MonitorData{}, Now);
    bytes.replace(bytes.find("\"NumBDacs\",2"), 12, "\"NumBDacs\",9");
    rig.files.files["/data/bad.mdv"] = bytes;
    rig.view.openChoice = ChosenFile{"/data/bad.mdv", "bad.mdv"};
    rig.commands.Open();
    ASSERT_EQ(rig.view.messages.size(), 1u);
    EXPECT_EQ(rig.view.messages[0].rfind("Bad Input - NumBDacs Value Too Large\rLine ", 0), 0u);
    EXPECT_TRUE(rig.data.FileIsOpen);
    EXPECT_TRUE(rig.data.FileOpenForInput);
}

TEST(Open, AFileThatCannotBeReadIsReportedAndChangesNoCaption) {
    FileRig rig;
    rig.files.readFailures["/data/locked.mdv"] = "Permission denied";
    rig.view.openChoice = ChosenFile{"/data/locked.mdv", "locked.mdv"};
    rig.commands.Open();
    EXPECT_EQ(rig.view.messages,
              std::vector<std::string>{
                  "The file /data/locked.mdv could not be opened: Permission denied"});
    EXPECT_TRUE(rig.captions.empty());
    EXPECT_FALSE(rig.data.FileIsOpen);
}

TEST(Close, WithNoFileOpenChangesOnlyTheCaption) {
    FileRig rig;
    rig.commands.Close();
    EXPECT_EQ(rig.captions, std::vector<std::string>{""});
    EXPECT_FALSE(rig.data.FileIsOpen);
    EXPECT_TRUE(rig.view.questions.empty());
}

TEST(Close, ClosesAnOpenFileAndKeepsItsPath) {
    FileRig rig;
    rig.files.files["/data/a.mdv"] = BuildMdfContent(MonitorData{}, Now);
    rig.view.openChoice = ChosenFile{"/data/a.mdv", "a.mdv"};
    rig.commands.Open();
    rig.commands.Close();
    EXPECT_FALSE(rig.data.FileIsOpen);
    EXPECT_EQ(rig.data.DiskFileNum, 0);
    EXPECT_EQ(rig.data.FilePath, "/data/a.mdv");
    EXPECT_EQ(rig.captions, (std::vector<std::string>{"a.mdv", ""}));
}

TEST(SaveChangesPrompt, AsksOnlyWhenTheDataChanged) {
    FileRig rig;
    rig.commands.Close();
    EXPECT_TRUE(rig.view.questions.empty());
    rig.data.DataChanged = true;
    rig.commands.Close();
    EXPECT_EQ(rig.view.questions,
              std::vector<std::string>{"The data has been changed. Do you wish to save changes?"});
}

TEST(SaveChangesPrompt, NoGoesOnWithoutSaving) {
    FileRig rig;
    rig.data.DataChanged = true;
    rig.view.answerYes = false;
    rig.commands.Close();
    EXPECT_EQ(rig.files.writes, 0);
    EXPECT_EQ(rig.captions, std::vector<std::string>{""});
}

TEST(SaveChangesPrompt, YesSavesIntoTheOpenFileBeforeOpeningTheNext) {
    FileRig rig;
    rig.files.files["/data/a.mdv"] = BuildMdfContent(MonitorData{}, Now);
    rig.files.files["/data/b.mdv"] = BuildMdfContent(MonitorData{}, Now);
    rig.view.openChoice = ChosenFile{"/data/a.mdv", "a.mdv"};
    rig.commands.Open();
    rig.data.ScanSetName[0] = "Changed";
    rig.data.DataChanged = true;
    rig.view.answerYes = true;
    rig.view.openChoice = ChosenFile{"/data/b.mdv", "b.mdv"};
    rig.commands.Open();
    EXPECT_NE(rig.files.files["/data/a.mdv"].find("\"ScanSetName\",\"Changed\""),
              std::string::npos);
    EXPECT_EQ(rig.data.FilePath, "/data/b.mdv");
    EXPECT_EQ(rig.data.ScanSetName[0], "Scan Set 1 Title");
}

TEST(SaveChangesPrompt, AFailedSaveStopsTheCommandSoTheChangesAreNotLost) {
    FileRig rig;
    rig.files.files["/data/a.mdv"] = BuildMdfContent(MonitorData{}, Now);
    rig.files.files["/data/b.mdv"] = BuildMdfContent(MonitorData{}, Now);
    rig.view.openChoice = ChosenFile{"/data/a.mdv", "a.mdv"};
    rig.commands.Open();
    rig.data.ScanSetName[0] = "Changed";
    rig.data.DataChanged = true;
    rig.view.answerYes = true;
    rig.files.writeFailures["/data/a.mdv"] = "No space left on device";
    rig.view.openChoice = ChosenFile{"/data/b.mdv", "b.mdv"};
    rig.commands.Open();
    ASSERT_EQ(rig.view.messages.size(), 1u);
    EXPECT_NE(rig.view.messages[0].find("No space left on device"), std::string::npos);
    EXPECT_EQ(rig.view.openRequests.size(), 1u);  // the second dialog never showed
    EXPECT_EQ(rig.data.ScanSetName[0], "Changed");
    EXPECT_TRUE(rig.data.DataChanged);
    EXPECT_TRUE(rig.data.FileIsOpen);
}

TEST(SaveChangesPrompt, YesWithNoFileOpenSaysSoAndStops) {
    FileRig rig;
    rig.data.DataChanged = true;
    rig.view.answerYes = true;
    rig.commands.Close();
    EXPECT_EQ(rig.view.messages, std::vector<std::string>{"InWriteMDF, FileIsOpen is False"});
    EXPECT_TRUE(rig.captions.empty());
}

TEST(ReadMDF, WithNoFileOpenSaysSo) {
    FileRig rig;
    const FileReport report = rig.file.ReadMDF();
    EXPECT_FALSE(report.ok);
    EXPECT_EQ(report.message, "No File Is Open - Can't Finish Read Operation");
}

TEST(ReadMDF, RefusesAHandleOutOfRange) {
    FileRig rig;
    rig.data.FileIsOpen = true;
    for (int16_t handle : {int16_t{0}, int16_t{256}, int16_t{-1}}) {
        rig.data.DiskFileNum = handle;
        EXPECT_EQ(rig.file.ReadMDF().message, "In ReadMDF, DiskFileNum is out of range");
        EXPECT_EQ(rig.file.WriteMDF().message, "In WriteMDF, DiskFileNum is out of range");
    }
    EXPECT_EQ(rig.files.writes, 0);
}

TEST(ReadMDF, ReopensTheFileOfTheFileStateForReading) {
    FileRig rig;
    rig.files.files["/data/w.mdv"] = BuildMdfContent(testing::FullModel(310), Now);
    rig.data.FileIsOpen = true;
    rig.data.DiskFileNum = 1;
    rig.data.FileOpenForInput = false;
    rig.data.DataChanged = true;
    rig.data.FilePath = "/data/w.mdv";
    EXPECT_TRUE(rig.file.ReadMDF().ok);
    EXPECT_TRUE(rig.data.FileOpenForInput);
    EXPECT_FALSE(rig.data.DataChanged);
    EXPECT_EQ(rig.data.FirmwareVersionNumber, 310);
}

TEST(WriteMDF, WithNoFileOpenSaysSoAndWritesNothing) {
    FileRig rig;
    rig.data.MonitorOnline = true;
    EXPECT_EQ(rig.file.WriteMDF().message, "InWriteMDF, FileIsOpen is False");
    EXPECT_EQ(rig.files.writes, 0);
    EXPECT_TRUE(rig.sink.commands.empty());
}

TEST(FolderOf, DropsTheNameUpToTheLastSeparator) {
    EXPECT_EQ(FolderOf("/home/tech/mon1.mdv", '/'), "/home/tech/");
    EXPECT_EQ(FolderOf("C:\\data\\mon1.mdv", '\\'), "C:\\data\\");
    EXPECT_EQ(FolderOf("/mon1.mdv", '/'), "/");
    EXPECT_EQ(FolderOf("mon1.mdv", '/'), "");
}

}  // namespace
}  // namespace zorvex
