#include <gtest/gtest.h>

#include <sstream>

#include "MemorySettingsStore.h"
#include "RecordingSink.h"
#include "ShellFakes.h"
#include "core/app/StartupSequence.h"

namespace zorvex {
namespace {

using Lines = std::vector<std::string>;

// The shell and the windows' side of start-up, noting each step and the link state then.
struct StartupRig : testing::ShellRig, StartupWindows {
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
        atConnect = "port " + std::to_string(link.CommPort) + " log " +
                    std::to_string(link.CommLogEnabled) + " retries " +
                    std::to_string(link.ConnectRetryLimit);
        log.push_back("show connect");
    }
    void ShowCommLogWindow() override { log.push_back("show log"); }
    void ResetQueueFlags() override { log.push_back("reset queue"); }
    void ShowMainWindow() override { log.push_back("show main"); }
    // The link as the connection window saw it, then as start-up left it.
    std::string Seen() const {
        return atConnect + ", then port " + std::to_string(link.CommPort) + " log " +
               std::to_string(link.CommLogEnabled);
    }
    std::string atConnect;
    testing::MemorySettingsStore settings;
};

constexpr const char* kCaption = "caption:Zorvex4 CRT Adjustment Tool V5.0.13";
constexpr const char* kNoMonitor = "caption:Zorvex4 CRT Adjustment Tool V5.0.13 -- No monitor";

TEST(Startup, RunsEveryStepInOrderCreatingTheLogOnlyOnTheFirstRun) {
    StartupRig first;
    first.Run();
    EXPECT_EQ(first.log, (Lines{"create main", "create log hidden", "place main 9600", kCaption,
                                "show connect", "reset queue", kNoMonitor, "show main"}));
    EXPECT_EQ(first.settings.Get("StartUp", "RunType"), "1");

    StartupRig later;
    later.settings.Write("StartUp", "RunType", "1");
    later.settings.Write("Configs", "CommLogOpen", "1");
    later.Run();
    EXPECT_EQ(later.log, (Lines{"create main", "place main 9600", kCaption, "show connect",
                                "show log", "reset queue", kNoMonitor, "show main"}));
}

// Logging is on for the connection window, then takes the stored switch; a port below 1 is
// raised to 1 already for the first attempt; a fixed-port configuration keeps its port.
TEST(Startup, TakesPortLoggingAndRetryLimitFromTheSettings) {
    using S = std::tuple<const char*, const char*, const char*>;
    for (const auto& [title, configs, seen] : testing::Rows(
             S("Zorvex5", "", "port 1 log 1 retries 5, then port 1 log 0"),
             S("Zorvex5", "CommPort=3 CommLogEnabled=True ConnectRetryLimit=12",
               "port 3 log 1 retries 12, then port 3 log 1"),
             S("Zorvex5", "CommPort=0 CommLogEnabled=False",
               "port 1 log 1 retries 5, then port 1 log 0"),
             S("Zorvex5", "CommPort=port", "port 1 log 1 retries 5, then port 1 log 0"),
             S("Orvan-Left", "CommPort=2", "port 4 log 1 retries 5, then port 4 log 0"))) {
        StartupRig g;
        std::istringstream items(configs);
        for (std::string item; items >> item;) {
            g.settings.Write("Configs", item.substr(0, item.find('=')),
                             item.substr(item.find('=') + 1));
        }
        g.Run(title);
        EXPECT_EQ(g.Seen(), seen) << title << " " << configs;
    }
}

TEST(Startup, ReadsTheStartFoldersAndResetsTheLinkModeAndData) {
    StartupRig g;
    g.link.AutoPingEnabled = false;
    g.link.XmitQueueOverride = true;
    g.state.AppMode = 2;
    g.data.ModelNumber = "left over";
    g.data.MonitorOnline = true;
    g.settings.Write("StartUp", "InitialMode", "FactoryMode");
    g.settings.Write("Configs", "FileSaveInitDir", "/home/tech/mdv");
    g.Run();
    EXPECT_EQ(g.state.FileSaveInitDir + "|" + g.state.CodeInitDir,
              "/home/tech/mdv|C:\\Program Files\\Zorvex4");
    EXPECT_TRUE(g.link.AutoPingEnabled && !g.link.XmitQueueOverride && !g.data.MonitorOnline);
    EXPECT_EQ(g.state.AppMode, 0) << "user mode whatever the initial mode";
    EXPECT_EQ(g.data.ModelNumber + std::to_string(g.data.DacCount(DacFamily::L)), "8");
}

TEST(Exit, StoresTheConfigsTheNextStartReads) {
    StartupRig first;
    first.Run();
    first.link.CommPort = 6;
    first.link.ConnectRetryLimit = 12;
    first.link.CommLogEnabled = true;
    StoreShellSettingsOnExit(first.settings, first.link);
    EXPECT_EQ(first.settings.Get("Configs", "CommLogEnabled"), "True");
    StartupRig second;
    second.settings.values = first.settings.values;
    second.Run();
    EXPECT_EQ(second.Seen(), "port 6 log 1 retries 12, then port 6 log 1");
}

}  // namespace
}  // namespace zorvex
