#include <gtest/gtest.h>

#include <optional>
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

namespace zorvex {
namespace {

using Seen = std::vector<std::string>;

// Dialog answers set beforehand; every dialog, question, message, busy change and caption
// the user sees is logged as a line.
struct LoggedView : FileCommandsView {
    bool AskYesNo(const std::string& question) override {
        log.push_back("ask " + question);
        return answerYes;
    }
    std::optional<ChosenFile> ChooseFileToOpen(const OpenDialogRequest& request) override {
        log.push_back("open " + request.filter + " " + std::to_string(request.flags));
        return openChoice;
    }
    std::optional<ChosenFile> ChooseFileToSave(const SaveDialogRequest& request) override {
        log.push_back("save " + request.fileName + " in " + request.initialFolder);
        saveRequest = request;
        return saveChoice;
    }
    void ShowMessage(const std::string& text) override { log.push_back(text); }
    void ShowBusy(bool busy) override { log.push_back(busy ? "busy" : "idle"); }
    Seen Take() { return std::exchange(log, {}); }

    bool answerYes = false;
    std::optional<ChosenFile> openChoice, saveChoice;
    SaveDialogRequest saveRequest;
    Seen log;
};

const std::string OpenDialog =
    "open Monitor Data Files(*.mdv)|*.mdv|Text Files(*.txt)|*.txt|All files(*.*)|*.* 4096";

const std::string Ask = "ask The data has been changed. Do you wish to save changes?";

// The file commands over files in memory, with the cycle, the dispatcher and the caption.
struct FileRig : testing::ReaderRig {
    testing::RecordingSink sink;
    testing::VirtualClock clock;
    int16_t sendCount = 7;
    UpdateAllDataCycle cycle{data, sink, clock, sendCount};
    testing::FakeWallClock wallClock;
    testing::MemoryFiles files;
    testing::MemorySettingsStore settings;
    LoggedView view;
    MonitorDataFile file{data, files, wallClock, reader, [this] { cycle.Restart(); }};
    FileCommands commands{
        data,     file, files,
        settings, view, [this](const std::string& text) { view.log.push_back("caption " + text); },
        '/'};

    void Put(const std::string& path, const MonitorData& model = {}) {
        files.files[path] = BuildMdfContent(model, LocalDateTime{2001, 6, 14, 9, 5, 7});
    }
    // Open or Save As, choosing the file given in the dialog; what the user saw.
    Seen Open(const std::string& path, const std::string& title, bool save = false) {
        (save ? view.saveChoice : view.openChoice) = ChosenFile{path, title};
        save ? commands.SaveAs() : commands.Open();
        return view.Take();
    }
    // The file state as one line: open or closed, for input, handle, changed, path.
    std::string State() const {
        return std::string(data.FileIsOpen ? "open " : "closed ") +
               (data.FileOpenForInput ? "in " : "") + "#" + std::to_string(data.DiskFileNum) +
               (data.DataChanged ? " changed " : " ") + data.FilePath;
    }
};

TEST(SaveAs, CancelChangesNothingAndASaveWritesTheFileSetsTheCaptionAndRemembersTheFolder) {
    FileRig rig;
    rig.data.DataChanged = true;
    rig.commands.SaveAs();
    EXPECT_EQ(rig.view.Take(), Seen{"save monitor.mdv in C:\\Program Files\\Zorvex3"});
    EXPECT_EQ(rig.view.saveRequest.filter + " " + std::to_string(rig.view.saveRequest.flags),
              "Monitor Data Files (*.mdv)|*.mdv|All Files (*.*)|*.* 2");
    // Nothing written, nothing remembered.
    EXPECT_EQ(rig.State() + std::to_string(rig.files.writes + rig.settings.values.size()),
              "closed #0 changed 0");

    rig.data = testing::FullModel(250);
    rig.data.DataChanged = true;
    EXPECT_EQ(rig.Open("/data/mon1.mdv", "mon1.mdv", true),
              (Seen{"save monitor.mdv in C:\\Program Files\\Zorvex3", "busy", "idle",
                    "caption mon1.mdv"}));
    EXPECT_EQ(rig.files.files["/data/mon1.mdv"],
              BuildMdfContent(testing::FullModel(250), rig.wallClock.Now()));
    EXPECT_EQ(rig.settings.Get("Configs", "FileSaveInitDir"), "/data/");
    // Online, a save restarts the update cycle at step 0.
    EXPECT_EQ(rig.sink.Take(), Seen{"da\r\n"});
    EXPECT_EQ(rig.State() + " " + std::to_string(rig.sendCount), "closed #0 /data/mon1.mdv 0");
    // Save writes the current file again without a dialog; Save As proposes its name.
    rig.data.ScanSetName[0] = "Changed";
    rig.commands.Save();
    EXPECT_EQ(rig.view.Take(), (Seen{"busy", "idle", "caption mon1.mdv"}));
    EXPECT_NE(rig.files.files["/data/mon1.mdv"].find("\"Changed\""), std::string::npos);
    rig.view.saveChoice.reset();
    rig.commands.SaveAs();
    EXPECT_EQ(rig.view.Take(), Seen{"save mon1.mdv in /data/"});
    // After Close, Save asks for a name, and adds ".mdv" to the one given.
    rig.commands.Close();
    rig.view.saveChoice = ChosenFile{"/data/mon2", "mon2"};
    rig.commands.Save();
    EXPECT_EQ(rig.view.Take(),
              (Seen{"caption ", "save monitor.mdv in /data/", "busy", "idle", "caption mon2.mdv"}));
    EXPECT_EQ(rig.files.files.count("/data/mon2.mdv"), 1u);
}

TEST(SaveAs, AFailureNamesTheFileAndTheReasonAndLeavesTheEarlierFileAsItWas) {
    FileRig rig;
    rig.Put("/data/old.mdv");
    rig.Open("/data/old.mdv", "old.mdv");
    rig.files.files["/data/mon1.mdv"] = "the good file";
    rig.files.writeFailures["/data/mon1.mdv"] = "Permission denied";
    rig.data.DataChanged = true;
    EXPECT_EQ(rig.Open("/data/mon1.mdv", "mon1.mdv", true),
              (Seen{"save old.mdv in C:\\Program Files\\Zorvex3", "busy", "idle",
                    "The file /data/mon1.mdv could not be saved: Permission denied\r\nAny "
                    "earlier file of that name is unchanged."}));
    EXPECT_EQ(rig.files.files["/data/mon1.mdv"], "the good file");
    EXPECT_EQ(rig.State(), "open in #1 changed /data/old.mdv");
}

TEST(OpenAndClose, OpenReadsTheFileAndLeavesItOpenForReadingCancelAndCloseCloseIt) {
    FileRig rig;
    rig.Put("/data/mon1.mdv", testing::FullModel(150));
    EXPECT_EQ(rig.Open("/data/mon1.mdv", "mon1.mdv"), (Seen{OpenDialog, "caption mon1.mdv"}));
    EXPECT_EQ(rig.State() + " " + std::to_string(rig.data.FirmwareVersionNumber) + " " +
                  rig.labels.shown[InfoLabel::Model],
              "open in #1 /data/mon1.mdv 150 KX-2100");
    rig.view.openChoice.reset();
    rig.commands.Open();  // cancelled: the file is closed all the same
    EXPECT_EQ(rig.State(), "closed in #0 /data/mon1.mdv");
    // Close closes the file, keeps its path and clears the caption.
    rig.Open("/data/mon1.mdv", "mon1.mdv");
    rig.commands.Close();
    EXPECT_EQ(rig.State(), "closed in #0 /data/mon1.mdv");
    EXPECT_EQ(rig.view.Take(), Seen{"caption "});
    // The next file leaves enabled exactly its own scan sets (here 0, not also 2 and 5).
    rig.Put("/data/mon2.mdv");
    rig.Open("/data/mon2.mdv", "mon2.mdv");
    EXPECT_EQ(rig.data.ScanSetEnabled, MonitorData{}.ScanSetEnabled);
}

TEST(Open, ReportsFilesThatCannotBeReadOrAreNotMonitorDataFiles) {
    FileRig rig;
    rig.files.readFailures["/data/x.mdv"] = "Permission denied";
    EXPECT_EQ(rig.Open("/data/x.mdv", "x.mdv"),
              (Seen{OpenDialog, "The file /data/x.mdv could not be opened: Permission denied"}));
    EXPECT_EQ(rig.State(), "closed #0 ");
    // Not a monitor data file: its name stays in the caption but it is closed.
    rig.files.files["/data/short.mdv"] = "\"Norvale Monitor DAC Value File\"\r\n";
    EXPECT_EQ(rig.Open("/data/short.mdv", "short.mdv"),
              (Seen{OpenDialog, "caption short.mdv", "File short.mdv is not a valid .mdv file"}));
    EXPECT_EQ(rig.State(), "closed in #0 /data/short.mdv");
    // A bad record leaves the file open for reading.
    rig.Put("/data/bad.mdv");
    std::string& bad = rig.files.files["/data/bad.mdv"];
    bad.replace(bad.find("\"NumBDacs\",2"), 12, "\"NumBDacs\",9");
    const std::string message = rig.Open("/data/bad.mdv", "bad.mdv").back();
    EXPECT_EQ(message.substr(0, 42) + rig.State(),
              "Bad Input - NumBDacs Value Too Large\rLine open in #1 /data/bad.mdv");
}

TEST(SaveChangesPrompt, NoGoesOnWithoutSavingAndYesWithNoFileOpenSaysSoAndStops) {
    FileRig rig;
    rig.data.DataChanged = true;
    rig.commands.Close();
    EXPECT_EQ(rig.view.Take(), (Seen{Ask, "caption "}));  // with no file open, only the caption
    rig.view.answerYes = true;
    rig.commands.Close();
    EXPECT_EQ(rig.view.Take(), (Seen{Ask, "busy", "idle", "InWriteMDF, FileIsOpen is False"}));
    EXPECT_EQ(rig.files.writes, 0);
}

TEST(SaveChangesPrompt, YesSavesIntoTheOpenFileBeforeOpeningTheNextAndAFailedSaveStops) {
    for (const bool fails : {false, true}) {
        FileRig rig;
        rig.Put("/data/a.mdv");
        rig.Put("/data/b.mdv");
        rig.Open("/data/a.mdv", "a.mdv");
        rig.data.ScanSetName[0] = "Changed";
        rig.data.DataChanged = rig.view.answerYes = true;
        if (fails) {
            rig.files.writeFailures["/data/a.mdv"] = "No space left on device";
        }
        // A failed save stops the command (no dialog) so the changes are not lost.
        EXPECT_EQ(rig.Open("/data/b.mdv", "b.mdv"),
                  (fails ? Seen{Ask, "busy", "idle",
                                "The file /data/a.mdv could not be saved: No space left on "
                                "device\r\nAny earlier file of that name is unchanged."}
                         : Seen{Ask, "busy", "idle", OpenDialog, "caption b.mdv"}));
        EXPECT_EQ(rig.files.files["/data/a.mdv"].find("\"Changed\"") != std::string::npos, !fails);
        EXPECT_EQ(rig.data.ScanSetName[0] + " " + std::to_string(rig.data.DataChanged),
                  fails ? "Changed 1" : "Scan Set 1 Title 0");
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
    EXPECT_EQ(rig.files.writes + rig.sink.commands.size(), 0u);
    // A valid handle reopens the file of the file state for reading.
    rig.Put("/data/w.mdv", testing::FullModel(310));
    rig.data.DiskFileNum = 1;
    rig.data.DataChanged = true;
    rig.data.FilePath = "/data/gone.mdv";
    const FileReport gone = rig.file.ReadMDF();  // a file that cannot be read is no success
    EXPECT_EQ(std::to_string(gone.ok) + " " + gone.message,
              "0 The file /data/gone.mdv could not be read: No such file or directory");
    rig.data.FilePath = "/data/w.mdv";
    const bool ok = rig.file.ReadMDF().ok;
    EXPECT_EQ(std::to_string(ok) + " " + rig.State() + " " +
                  std::to_string(rig.data.FirmwareVersionNumber),
              "1 open in #1 /data/w.mdv 310");
}

}  // namespace
}  // namespace zorvex
