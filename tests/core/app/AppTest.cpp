#include <gtest/gtest.h>

#include <sstream>

#include "FakeServices.h"
#include "MemorySettingsStore.h"
#include "RecordingSink.h"
#include "core/app/AboutTexts.h"
#include "core/app/DisplayConfiguration.h"
#include "core/app/Shell.h"
#include "core/app/ShellViews.h"
#include "core/app/StartupSequence.h"
#include "core/app/StatusBar.h"
#include "core/app/WriteConfirmations.h"
#include "core/data/MonitorData.h"
#include "core/link/LinkState.h"
#include "core/panels/info/InfoLabels.h"

namespace zorvex {
namespace {

using testing::Rows;
using Lines = std::vector<std::string>;
using M = MenuCommand;
// The shell over recording windows, as the shell and start-up tests build it: the main
// window's captions and messages go to one log in order; lamps and labels as one line per
// change ("connect green", "log red", "stop", "label 3=").
struct ShellRig : MainWindowView, LinkIndicators, InfoLabels, StatusBarView {
    ShellRig() {
        link.CommPort = 4;
        state.MainTitle = "Zorvex4 CRT Adjustment Tool V5.0.13";
    }
    void ShowCaption(const std::string& t) override {
        caption = t;
        log.push_back("caption:" + t);
    }
    void ShowMenuStates(const MenuStates& states) override { menus = states; }
    void ShowMessage(const std::string& text) override { log.push_back("message:" + text); }
    void SetConnectIndicator(IndicatorColour c) override { Lamp("connect ", c); }
    void SetCommLogIndicator(IndicatorColour c) override { Lamp("log ", c); }
    void Lamp(std::string lamp, IndicatorColour c) {
        lamps.push_back(lamp + (c == IndicatorRed ? "red" : c == IndicatorGreen ? "green" : "?"));
    }
    void StopConnectReplyTimer() override { lamps.push_back("stop"); }
    void SetInfoLabel(InfoLabel label, const std::string& text) override {
        lamps.push_back("label " + std::to_string(static_cast<int>(label)) + "=" + text);
    }
    // The status bar: "k/n text", "done text" or "notice text".
    void ShowProgress(int done, int total, const std::string& text) override {
        bar.push_back(std::to_string(done) + "/" + std::to_string(total) + " " + text);
    }
    void ShowProgressDone(const std::string& text) override { bar.push_back("done " + text); }
    void ShowNotice(const std::string& text) override { bar.push_back("notice " + text); }

    std::vector<std::string> log, lamps, bar;
    std::string caption;
    MenuStates menus;
    ShellState state;
    MonitorData data;
    LinkState link;
    Shell shell{state, data, link, *this, *this, *this};
};

constexpr const char* kTitle = "Zorvex4 CRT Adjustment Tool V5.0.13 -- ";
constexpr const char* kCaption = "caption:Zorvex4 CRT Adjustment Tool V5.0.13";

// The menus a status change sets, one character each: 1 on, 0 off, - as it was before.
// Update, Go Online, Go Offline, Demo, Run, ID and Hours, other items, items with no action.
constexpr std::pair<M, int> kColumns[] = {
    {M::MonitorUpdate, 0},   {M::MonitorOnline, 1}, {M::MonitorOffline, 2},     {M::MonitorDemo, 3},
    {M::MonitorRun, 4},      {M::InfoID, 5},        {M::InfoOperatingHours, 5}, {M::FileOpen, 6},
    {M::DiagnosticsPeek, 6}, {M::FileNew, 7}};

TEST(Shell, StatusChangesSetCaptionOnlineFlagAndMenus) {
    using S = std::tuple<void (Shell::*)(), const char*, bool, std::string>;
    for (const auto& [change, caption, online, menus] :
         Rows(S(&Shell::SetMonitorOnline, "Monitor on Com4", true, "101--1-0"),
              S(&Shell::SetBootModeStatus, "Monitor on Com4 -- BOOT MODE", true, "001-1--0"),
              S(&Shell::SetMonitorOffline, "No monitor", false, "01010--0"),
              // Demo mode turns everything on; the next status change ends it.
              S(&Shell::SetOfflineDemoMode, "No monitor - Offline Demo Mode", false, "11111110"))) {
        for (bool before : {true, false}) {
            ShellRig g;
            for (const auto& [item, column] : kColumns)
                const_cast<MenuStates&>(g.shell.Menus()).SetEnabled(item, before);
            g.data.MonitorOnline = !online;
            (g.shell.*change)();
            std::string seen, expected;
            for (const auto& [item, column] : kColumns) {
                seen += g.menus.IsEnabled(item) ? '1' : '0';
                expected += menus[column] == '-' ? (before ? '1' : '0') : menus[column];
            }
            EXPECT_EQ(seen, expected) << caption << (before ? " from on" : " from off");
            EXPECT_EQ(g.caption + (g.data.MonitorOnline ? " online" : ""),
                      kTitle + std::string(caption) + (online ? " online" : ""));
        }
    }
}

// Going offline empties both versions and their labels, stops the reply timer and turns the
// lamps red; other values stay. The boot loader has no firmware version: none is assumed.
TEST(Shell, OfflineAndBootModeForgetTheVersionsOfTheFirmware) {
    ShellRig g;
    g.shell.SetMonitorOnline();
    g.data.FirmwareVersion = g.data.RomVersion = "V 1.39";
    g.data.ModelNumber = "M-17";
    g.shell.SetMonitorOffline();
    EXPECT_EQ(g.data.FirmwareVersion + g.data.RomVersion + g.data.ModelNumber, "M-17");
    EXPECT_EQ(g.lamps,
              (Lines{"connect green", "stop", "label 3=", "label 4=", "connect red", "log red"}));
    g.data.FirmwareVersionNumber = 139;
    g.shell.SetBootModeStatus();
    EXPECT_EQ(g.data.FirmwareVersionNumber, 0);
}

// The caption shows whichever of status and file name was set last; Go Offline switches alone.
TEST(Shell, CaptionAndGoOffline) {
    ShellRig g;
    g.shell.SetMainCaption("");
    g.shell.SetMainCaption("bench7.mdv");
    EXPECT_EQ(g.log, (Lines{kCaption + std::string(" -- (No File)"),
                            kCaption + std::string(" -- bench7.mdv")}));
    for (bool on : {false, true, false}) {
        g.shell.SetGoOfflineEnabled(on);
        EXPECT_EQ(g.menus.IsEnabled(M::MonitorOffline), on);
    }
    for (int mode : {0, 2, 3, -1}) {  // only modes outside 0 to 2 give the message
        g.state.AppMode = mode;
        EXPECT_EQ(g.shell.ApplyAppMode().has_value(), mode < 0 || mode > 2) << mode;
    }
}

TEST(DisplayConfiguration, TheExactTitleChoosesThePortAndTheCaption) {
    using D = std::tuple<const char*, std::optional<int16_t>, const char*>;
    for (const auto& [title, port, caption] :
         Rows(D("Orvan-Left", 4, "Orvan Left"), D("Orvan-Right", 6, "Orvan Right"),
              D("Orvan-IOS", 7, "Orvan IOS"), D("orvan-center", std::nullopt, "Zorvex4"))) {
        EXPECT_EQ(ConfigurationForTitle(title).commPort, port) << title;
        EXPECT_EQ(BuildMainTitle(ConfigurationForTitle(title), {12, 3, 140}),
                  caption + std::string(" CRT Adjustment Tool V12.3.140"));
    }
}

TEST(AboutTexts, SystemInfoIsTheRegistryPathOrTheProgramInTheSharedFolderOrNothing) {
    using O = std::optional<std::string>;
    using S = std::tuple<O, O, bool, O>;
    for (const auto& [path, folder, exists, program] :
         Rows(S("C:\\ms\\msinfo32.exe", "C:\\o", true, "C:\\ms\\msinfo32.exe"),
              S("", "C:\\T", true, "C:\\T\\MSINFO32.EXE"), S({}, "C:\\T", false, {}),
              S({}, "", true, {}), S({}, {}, true, {})))
        EXPECT_EQ(SystemInfoProgram({path, folder}, [&](const std::string&) { return exists; }),
                  program)
            << path.value_or("-") << folder.value_or("-");
}

// The shell and the windows' side of start-up, noting each step and the link state then.
struct StartupRig : ShellRig, StartupWindows {
    void Run(const std::string& title = "Zorvex5 Stroke Raster") {
        StartupSequence(settings, state, link, data, shell, *this, title).Run();
    }
    void CreateMainWindow() override { log.push_back("create main"); }
    void CreateCommLogHidden() override { log.push_back("create log hidden"); }
    TwipsSize ScreenSize() const override { return {19200, 14400}; }
    void ApplyMainWindowPlacement(const WindowPlacement& p) override {
        log.push_back("place main " + std::to_string(static_cast<int>(p.width)));
    }
    void ShowConnectionWindow() override {
        atConnect = Now() + " " + std::to_string(link.ConnectRetryLimit) + " > ";
        log.push_back("show connect");
    }
    void ShowCommLogWindow() override { log.push_back("show log"); }
    void ResetQueueFlags() override { log.push_back("reset queue"); }
    void ShowMainWindow() override { log.push_back("show main"); }
    // Port, logging and retry limit as the connection window saw them; port and logging after.
    std::string Now() const {
        return std::to_string(link.CommPort) + " " + std::to_string(link.CommLogEnabled);
    }
    std::string Seen() const { return atConnect + Now(); }
    std::string atConnect;
    testing::MemorySettingsStore settings;
};

constexpr const char* kNoMonitor = "caption:Zorvex4 CRT Adjustment Tool V5.0.13 -- No monitor";

// Start-up runs every step in order, creating the log window only on the first run, reads the
// start folders and resets the link, the mode (user mode whatever the initial mode) and data.
TEST(Startup, RunsEveryStepInOrderAndResetsTheLinkModeAndData) {
    StartupRig first;
    first.link.AutoPingEnabled = false;
    first.link.XmitQueueOverride = true;
    first.state.AppMode = 2;
    first.data.ModelNumber = "left over";
    first.data.MonitorOnline = true;
    first.settings.Write("StartUp", "InitialMode", "FactoryMode");
    first.Run();
    EXPECT_EQ(first.log, (Lines{"create main", "create log hidden", "place main 9600", kCaption,
                                "show connect", "reset queue", kNoMonitor, "show main"}));
    EXPECT_EQ(first.settings.Get("StartUp", "RunType"), "1");
    EXPECT_EQ(first.state.FileSaveInitDir + "|" + first.state.CodeInitDir,
              "C:\\Program Files\\Zorvex4|C:\\Program Files\\Zorvex4");
    EXPECT_TRUE(first.link.AutoPingEnabled && !first.link.XmitQueueOverride);
    EXPECT_EQ(first.data.ModelNumber + std::to_string(first.data.DacCount(DacFamily::L)) +
                  std::to_string(first.data.MonitorOnline) + std::to_string(first.state.AppMode),
              "800");

    StartupRig later;
    later.settings.Write("StartUp", "RunType", "1");
    later.settings.Write("Configs", "CommLogOpen", "1");
    later.settings.Write("Configs", "FileSaveInitDir", "/home/tech/mdv");
    later.Run();
    EXPECT_EQ(later.log, (Lines{"create main", "place main 9600", kCaption, "show connect",
                                "show log", "reset queue", kNoMonitor, "show main"}));
    EXPECT_EQ(later.state.FileSaveInitDir, "/home/tech/mdv");
}

// Logging is on for the connection window, then takes the stored switch; a port below 1 is
// raised to 1 already for the first attempt; a fixed-port configuration keeps its port.
TEST(Startup, TakesPortLoggingAndRetryLimitFromTheSettings) {
    using S = std::tuple<const char*, const char*, const char*>;
    for (const auto& [title, configs, seen] :
         Rows(S("Zorvex5", "", "1 1 5 > 1 0"),
              S("Zorvex5", "CommPort=3 CommLogEnabled=True ConnectRetryLimit=12", "3 1 12 > 3 1"),
              S("Zorvex5", "CommPort=0 CommLogEnabled=False", "1 1 5 > 1 0"),
              S("Zorvex5", "CommPort=port", "1 1 5 > 1 0"),
              S("Orvan-Left", "CommPort=2", "4 1 5 > 4 0"))) {
        StartupRig g;
        std::istringstream items(configs);
        for (std::string item; items >> item;)
            g.settings.Write("Configs", item.substr(0, item.find('=')),
                             item.substr(item.find('=') + 1));
        g.Run(title);
        EXPECT_EQ(g.Seen(), seen) << title << " " << configs;
    }
}

// What start-up reads (the table above) is what the tool stored on exit.
TEST(Exit, StoresTheConfigsTheNextStartReads) {
    StartupRig g;
    g.link.ConnectRetryLimit = 12;
    g.link.CommLogEnabled = true;
    StoreShellSettingsOnExit(g.settings, g.link);
    const auto get = [&](const char* key) { return g.settings.Get("Configs", key) + " "; };
    EXPECT_EQ(get("CommPort") + get("ConnectRetryLimit") + get("CommLogEnabled"), "4 12 True ");
}

TEST(UpdateAllDataStatus, ShowsEachStepOfARestartedPassThenOnlyWhenTheDataWasRead) {
    ShellRig g;
    testing::FakeWallClock clock;  // 09:05
    UpdateAllDataStatus status(g, clock);
    for (int step : {5, 0, 44})  // a pass not started by a restart runs quietly
        status.StepSent(step);
    status.PassCompleted();
    clock.now.hour = 14;
    status.PassCompleted();
    EXPECT_EQ(g.bar, (Lines{"1/45 Reading monitor data: step 1 of 45",
                            "45/45 Reading monitor data: step 45 of 45",
                            "done Monitor data read at 09:05", "done Monitor data read at 14:05"}));
}

// Every write goes on to the queue; the monitor's own words confirm it, so a refusal is seen; a
// save is confirmed once its last store is answered; a resend, another answer or a lost answer
// confirms nothing. Steps with a line break are answers, the others commands queued.
TEST(WriteConfirmations, FollowTheMonitorsAnswerToTheStoresAndWritesQueued) {
    ShellRig g;
    testing::RecordingSink queue;
    WriteConfirmations confirmations(queue, g);
    for (const std::string& step : Lines{
             "TGW1D0", "TGW2E123", "TGW1D0\r\nSaved 1D = 0\r\n#", "TGW2E123\r\nSaved 2E = 123\r\n#",
             "wb0x12", "ww0xZZ", "wb0x12\r\nByte at 0100 set to 0x12\r\n#",
             "ww0xZZ\r\nBad value, nothing written\r\n#", "wb1", "rb", "TYW2EA5", "wb2", "wb1\r\n!",
             "rb\r\nByte := 0x12\r\n#", "TYW2EA5\r\n#", "wb2\r\nok\r\n#"}) {
        step.find('\r') == std::string::npos ? confirmations.QueueCommand(step + "\r\n")
                                             : confirmations.OnReplyBlock(step);
    }
    EXPECT_EQ(queue.Sent(), "TGW1D0 TGW2E123 wb0x12 ww0xZZ wb1 rb TYW2EA5 wb2");
    EXPECT_EQ(g.bar, (Lines{"notice Stored gain sign 0, gain 123 (monitor: Saved 2E = 123)",
                            "notice Wrote byte 0x12 (monitor: Byte at 0100 set to 0x12)",
                            "notice Wrote word 0xZZ (monitor: Bad value, nothing written)",
                            "notice Wrote byte 2 (monitor: ok)"}));
}

}  // namespace
}  // namespace zorvex
