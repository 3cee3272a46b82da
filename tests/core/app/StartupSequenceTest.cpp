#include <gtest/gtest.h>

#include <algorithm>

#include "MemorySettingsStore.h"
#include "ShellFakes.h"
#include "core/app/Shell.h"
#include "core/app/StartupSequence.h"
#include "core/data/MonitorData.h"
#include "core/link/LinkState.h"

namespace zorvex {
namespace {

using testing::EventLog;
using testing::MemorySettingsStore;
using testing::RecordingIndicators;
using testing::RecordingLabels;
using testing::RecordingMainWindow;

// The windows' side of start-up, noting each step and what the link state was then.
class RecordingWindows : public StartupWindows {
  public:
    RecordingWindows(EventLog& log, LinkState& link, const std::string& caption)
        : log_(log), link_(link), caption_(caption) {}
    void CreateMainWindow() override { log_.Add("create main"); }
    void CreateCommLogHidden() override { log_.Add("create log hidden"); }
    TwipsSize ScreenSize() const override { return {19200, 14400}; }
    void ApplyMainWindowPlacement(const WindowPlacement& p) override {
        placement = p;
        log_.Add("place main");
    }
    void ShowConnectionWindow() override {
        portAtConnect = link_.CommPort;
        logEnabledAtConnect = link_.CommLogEnabled;
        retriesAtConnect = link_.ConnectRetryLimit;
        captionAtConnect = caption_;
        log_.Add("show connect");
    }
    void ShowCommLogWindow() override { log_.Add("show log"); }
    void ResetQueueFlags() override { log_.Add("reset queue"); }
    void ShowMainWindow() override { log_.Add("show main"); }

    WindowPlacement placement;
    int16_t portAtConnect = -1;
    bool logEnabledAtConnect = false;
    int16_t retriesAtConnect = -1;
    std::string captionAtConnect;

  private:
    EventLog& log_;
    LinkState& link_;
    const std::string& caption_;
};

struct StartupGraph {
    explicit StartupGraph(std::string title = "Zorvex5 Stroke Raster") : title_(std::move(title)) {}

    void Run() { StartupSequence(settings, state, link, data, shell, windows, title_).Run(); }
    std::vector<std::string> WindowSteps() const {
        std::vector<std::string> steps;
        for (const auto& e : log.events) {
            if (e.rfind("caption:", 0) != 0)
                steps.push_back(e);
        }
        return steps;
    }

    std::string title_;
    MemorySettingsStore settings;
    EventLog log;
    ShellState state;
    MonitorData data;
    LinkState link;
    RecordingMainWindow view{log};
    RecordingIndicators indicators;
    RecordingLabels labels;
    Shell shell{state, data, link, view, indicators, labels};
    RecordingWindows windows{log, link, view.caption};
};

TEST(Startup, OnFirstRunRunsEveryStepInOrderAndEndsWithNoMonitor) {
    StartupGraph g;
    g.Run();
    const std::vector<std::string> expected = {
        "create main",
        "create log hidden",
        "place main",
        "caption:Zorvex4 CRT Adjustment Tool V5.0.13",
        "show connect",
        "reset queue",
        "caption:Zorvex4 CRT Adjustment Tool V5.0.13 -- No monitor",
        "show main"};
    EXPECT_EQ(g.log.events, expected);
    EXPECT_EQ(g.view.caption, "Zorvex4 CRT Adjustment Tool V5.0.13 -- No monitor");
    EXPECT_EQ(g.windows.captionAtConnect, "Zorvex4 CRT Adjustment Tool V5.0.13");
}

TEST(Startup, LeavesUpdateGoOfflineAndRunDisabledAndEveryOtherItemEnabled) {
    StartupGraph g;
    g.Run();
    for (int i = 0; i < MenuCommandCount; ++i) {
        const auto command = static_cast<MenuCommand>(i);
        const bool off = command == MenuCommand::MonitorUpdate ||
                         command == MenuCommand::MonitorOffline ||
                         command == MenuCommand::MonitorRun;
        EXPECT_EQ(g.view.menus.IsEnabled(command), !off) << MenuItemOf(command).name;
    }
}

TEST(Startup, CreatesTheLogWindowOnTheFirstRunOnlyAndMarksTheRun) {
    StartupGraph first;
    first.Run();
    EXPECT_EQ(first.settings.Get("StartUp", "RunType"), "1");

    StartupGraph second;
    second.settings.values = first.settings.values;
    second.Run();
    const auto steps = second.WindowSteps();
    EXPECT_EQ(std::count(steps.begin(), steps.end(), "create log hidden"), 0);
    EXPECT_EQ(steps.front(), "create main");
}

TEST(Startup, ShowsTheLogWindowAfterTheConnectionWindowWhenItWasOpen) {
    StartupGraph g;
    g.settings.Write("StartUp", "RunType", "1");
    g.settings.Write("Configs", "CommLogOpen", "1");
    g.Run();
    const std::vector<std::string> expected = {"create main", "place main",  "show connect",
                                               "show log",    "reset queue", "show main"};
    EXPECT_EQ(g.WindowSteps(), expected);
}

TEST(Startup, RestoresTheMainWindowFromLocations) {
    StartupGraph g;
    g.settings.Write("Locations", "frmMainTop", "1200");
    g.settings.Write("Locations", "frmMainWindowstate", "2");
    g.Run();
    EXPECT_EQ(g.windows.placement.top, 1200);
    EXPECT_EQ(g.windows.placement.width, 9600);
    EXPECT_EQ(g.windows.placement.state, WindowState::Maximised);
}

struct PortCase {
    const char* title;
    const char* stored;  // "CommPort" in "Configs"; nullptr: missing
    int16_t atConnect;   // the port of the first connection attempt
    int16_t afterStart;  // CommPort once start-up is done (shown, stored at exit)
    const char* captionStart;
};

class StartupPort : public ::testing::TestWithParam<PortCase> {};

TEST_P(StartupPort, FirstAttemptAndFinalPort) {
    const PortCase& c = GetParam();
    StartupGraph g(c.title);
    if (c.stored)
        g.settings.Write("Configs", "CommPort", c.stored);
    g.Run();
    EXPECT_EQ(g.windows.portAtConnect, c.atConnect);
    EXPECT_EQ(g.link.CommPort, c.afterStart);
    EXPECT_EQ(g.view.caption.rfind(c.captionStart, 0), 0u) << g.view.caption;
}

INSTANTIATE_TEST_SUITE_P(
    Ports, StartupPort,
    ::testing::Values(
        PortCase{"Zorvex5 Stroke Raster", nullptr, 1, 1, "Zorvex4 CRT Adjustment Tool V5.0.13"},
        PortCase{"Zorvex5 Stroke Raster", "3", 3, 3, "Zorvex4 CRT Adjustment Tool V"},
        // Below 1 is raised to 1, already for the first attempt.
        PortCase{"Zorvex5 Stroke Raster", "0", 1, 1, "Zorvex4 CRT Adjustment Tool V"},
        PortCase{"Zorvex5 Stroke Raster", "-4", 1, 1, "Zorvex4 CRT Adjustment Tool V"},
        PortCase{"Zorvex5 Stroke Raster", "port", 1, 1, "Zorvex4 CRT Adjustment Tool V"},
        // A fixed-port configuration keeps its port past initialisation.
        PortCase{"Orvan-Center", nullptr, 5, 5, "Orvan Center CRT Adjustment Tool V5.0.13"},
        PortCase{"Orvan-Center", "2", 5, 5, "Orvan Center CRT Adjustment Tool V"},
        PortCase{"Orvan-Left", "2", 4, 4, "Orvan Left CRT Adjustment Tool V"},
        PortCase{"Orvan-Right", nullptr, 6, 6, "Orvan Right CRT Adjustment Tool V"},
        PortCase{"Orvan-IOS", nullptr, 7, 7, "Orvan IOS CRT Adjustment Tool V"}));

TEST(Startup, LoggingIsOnForTheConnectionWindowThenTakesTheStoredSwitch) {
    for (const char* stored : {static_cast<const char*>(nullptr), "False", "True"}) {
        StartupGraph g;
        if (stored)
            g.settings.Write("Configs", "CommLogEnabled", stored);
        g.Run();
        EXPECT_TRUE(g.windows.logEnabledAtConnect);
        EXPECT_EQ(g.link.CommLogEnabled, stored != nullptr && std::string(stored) == "True");
    }
}

TEST(Startup, ReadsTheRetryLimitAndTheStartFoldersWithTheirDefaults) {
    StartupGraph g;
    g.Run();
    EXPECT_EQ(g.windows.retriesAtConnect, 5);
    EXPECT_EQ(g.state.FileSaveInitDir, "C:\\Program Files\\Zorvex4");
    EXPECT_EQ(g.state.CodeInitDir, "C:\\Program Files\\Zorvex4");

    StartupGraph stored;
    stored.settings.Write("Configs", "ConnectRetryLimit", "9");
    stored.settings.Write("Configs", "FileSaveInitDir", "/home/tech/mdv");
    stored.Run();
    EXPECT_EQ(stored.link.ConnectRetryLimit, 9);
    EXPECT_EQ(stored.state.FileSaveInitDir, "/home/tech/mdv");
}

TEST(Startup, SwitchesAutoPingOnAndTheQueueBypassOffWhateverTheyWere) {
    StartupGraph g;
    g.link.AutoPingEnabled = false;
    g.link.XmitQueueOverride = true;
    g.Run();
    EXPECT_TRUE(g.link.AutoPingEnabled);
    EXPECT_FALSE(g.link.XmitQueueOverride);
}

TEST(Startup, InitialisesTheMonitorDataAndStartsInUserModeWhateverTheInitialMode) {
    for (const char* mode : {"UserMode", "ServiceMode", "FactoryMode", "Bogus"}) {
        StartupGraph g;
        g.settings.Write("StartUp", "InitialMode", mode);
        g.state.AppMode = 2;
        g.data.ModelNumber = "left over";
        g.data.MonitorOnline = true;
        g.Run();
        EXPECT_EQ(g.state.AppMode, 0) << mode;
        EXPECT_EQ(g.data.ModelNumber, "");
        EXPECT_EQ(g.data.DacCount(DacFamily::L), 8);
        EXPECT_FALSE(g.data.MonitorOnline);
        EXPECT_TRUE(g.view.messages.empty());
    }
}

TEST(Exit, StoresPortLoggingSwitchAndRetryLimitInConfigs) {
    MemorySettingsStore settings;
    LinkState link;
    link.CommPort = 4;
    link.CommLogEnabled = true;
    link.ConnectRetryLimit = 12;
    StoreShellSettingsOnExit(settings, link);
    EXPECT_EQ(settings.Get("Configs", "CommPort"), "4");
    EXPECT_EQ(settings.Get("Configs", "CommLogEnabled"), "True");
    EXPECT_EQ(settings.Get("Configs", "ConnectRetryLimit"), "12");

    link.CommLogEnabled = false;
    StoreShellSettingsOnExit(settings, link);
    EXPECT_EQ(settings.Get("Configs", "CommLogEnabled"), "False");
}

TEST(Exit, WhatIsStoredIsWhatTheNextStartReads) {
    StartupGraph first;
    first.Run();
    first.link.CommPort = 6;
    first.link.ConnectRetryLimit = 3;
    first.link.CommLogEnabled = true;
    StoreShellSettingsOnExit(first.settings, first.link);

    StartupGraph second;
    second.settings.values = first.settings.values;
    second.Run();
    EXPECT_EQ(second.windows.portAtConnect, 6);
    EXPECT_EQ(second.link.ConnectRetryLimit, 3);
    EXPECT_TRUE(second.link.CommLogEnabled);
}

}  // namespace
}  // namespace zorvex
