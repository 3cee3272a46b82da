#include <gtest/gtest.h>

#include "MemorySettingsStore.h"
#include "ShellFakes.h"
#include "core/app/StartupSequence.h"

namespace zorvex {
namespace {

using testing::EventLog;

// The windows' side of start-up, noting each step and what the link state was then.
class RecordingWindows : public StartupWindows {
  public:
    RecordingWindows(EventLog& log, LinkState& link) : log_(log), link_(link) {}
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
        log_.Add("show connect");
    }
    void ShowCommLogWindow() override { log_.Add("show log"); }
    void ResetQueueFlags() override { log_.Add("reset queue"); }
    void ShowMainWindow() override { log_.Add("show main"); }

    WindowPlacement placement;
    int16_t portAtConnect = -1;
    bool logEnabledAtConnect = false;
    int16_t retriesAtConnect = -1;

  private:
    EventLog& log_;
    LinkState& link_;
};

struct StartupGraph : testing::ShellRig {
    explicit StartupGraph(std::string title = "Zorvex5 Stroke Raster") : title_(std::move(title)) {}

    void Run() { StartupSequence(settings, state, link, data, shell, windows, title_).Run(); }

    std::string title_;
    testing::MemorySettingsStore settings;
    RecordingWindows windows{log, link};
};

constexpr const char* kCaption = "caption:Zorvex4 CRT Adjustment Tool V5.0.13";
constexpr const char* kNoMonitor = "caption:Zorvex4 CRT Adjustment Tool V5.0.13 -- No monitor";

TEST(Startup, OnFirstRunRunsEveryStepInOrderAndEndsWithNoMonitor) {
    StartupGraph g;
    g.Run();
    const std::vector<std::string> expected = {"create main", "create log hidden", "place main",
                                               kCaption,      "show connect",      "reset queue",
                                               kNoMonitor,    "show main"};
    EXPECT_EQ(g.log.events, expected);
    EXPECT_EQ(g.settings.Get("StartUp", "RunType"), "1");
    EXPECT_EQ(g.windows.placement.width, 9600) << "half of the screen on the first run";
}

TEST(Startup, OnALaterRunCreatesNoLogAndShowsItAfterTheConnectionWindowWhenItWasOpen) {
    StartupGraph g;
    g.settings.Write("StartUp", "RunType", "1");
    g.settings.Write("Configs", "CommLogOpen", "1");
    g.Run();
    const std::vector<std::string> expected = {"create main",  "place main", kCaption,
                                               "show connect", "show log",   "reset queue",
                                               kNoMonitor,     "show main"};
    EXPECT_EQ(g.log.events, expected);
}

constexpr const char* kZorvex = "Zorvex5 Stroke Raster";

struct PortCase {
    const char* title;
    const char* stored;  // "CommPort" in "Configs"; nullptr: missing
    int16_t port;        // of the first attempt, and kept once start-up is done
};

class StartupPort : public ::testing::TestWithParam<PortCase> {};

TEST_P(StartupPort, FirstAttemptAndFinalPort) {
    const PortCase& c = GetParam();
    StartupGraph g(c.title);
    if (c.stored)
        g.settings.Write("Configs", "CommPort", c.stored);
    g.Run();
    EXPECT_EQ(g.windows.portAtConnect, c.port);
    EXPECT_EQ(g.link.CommPort, c.port);
}

INSTANTIATE_TEST_SUITE_P(
    Ports, StartupPort,
    ::testing::Values(PortCase{kZorvex, nullptr, 1}, PortCase{kZorvex, "3", 3},
                      // Below 1 is raised to 1, already for the first attempt.
                      PortCase{kZorvex, "0", 1}, PortCase{kZorvex, "-4", 1},
                      PortCase{kZorvex, "port", 1},
                      // A fixed-port configuration keeps its port past initialisation.
                      PortCase{"Orvan-Center", nullptr, 5}, PortCase{"Orvan-Center", "2", 5},
                      PortCase{"Orvan-Left", "2", 4}));

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

TEST(Startup, ReadsTheRetryLimitAndStartFoldersAndResetsTheLinkAndData) {
    StartupGraph g;
    g.link.AutoPingEnabled = false;
    g.link.XmitQueueOverride = true;
    g.state.AppMode = 2;
    g.data.ModelNumber = "left over";
    g.data.MonitorOnline = true;
    g.settings.Write("StartUp", "InitialMode", "FactoryMode");
    g.Run();
    EXPECT_EQ(g.windows.retriesAtConnect, 5);
    EXPECT_EQ(g.state.FileSaveInitDir, "C:\\Program Files\\Zorvex4");
    EXPECT_EQ(g.state.CodeInitDir, "C:\\Program Files\\Zorvex4");
    EXPECT_TRUE(g.link.AutoPingEnabled);
    EXPECT_FALSE(g.link.XmitQueueOverride);
    EXPECT_EQ(g.state.AppMode, 0) << "user mode whatever the initial mode";
    EXPECT_EQ(g.data.ModelNumber, "");
    EXPECT_EQ(g.data.DacCount(DacFamily::L), 8);
    EXPECT_FALSE(g.data.MonitorOnline);
    EXPECT_TRUE(g.view.messages.empty());

    StartupGraph stored;
    stored.settings.Write("Configs", "FileSaveInitDir", "/home/tech/mdv");
    stored.Run();
    EXPECT_EQ(stored.state.FileSaveInitDir, "/home/tech/mdv");
}

TEST(Exit, StoresTheConfigsTheNextStartReads) {
    StartupGraph first;
    first.Run();
    first.link.CommPort = 6;
    first.link.ConnectRetryLimit = 12;
    first.link.CommLogEnabled = true;
    StoreShellSettingsOnExit(first.settings, first.link);
    EXPECT_EQ(first.settings.Get("Configs", "CommLogEnabled"), "True");
    EXPECT_EQ(first.settings.Get("Configs", "ConnectRetryLimit"), "12");

    StartupGraph second;
    second.settings.values = first.settings.values;
    second.Run();
    EXPECT_EQ(second.windows.portAtConnect, 6);
    EXPECT_EQ(second.link.ConnectRetryLimit, 12);
    EXPECT_TRUE(second.link.CommLogEnabled);
}

}  // namespace
}  // namespace zorvex
