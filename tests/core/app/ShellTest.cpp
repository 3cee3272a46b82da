#include <gtest/gtest.h>

#include "ShellFakes.h"
#include "core/app/AboutTexts.h"
#include "core/app/DisplayConfiguration.h"

namespace zorvex {
namespace {

using testing::ShellRig;
using Lines = std::vector<std::string>;
using M = MenuCommand;
constexpr const char* kTitle = "Zorvex4 CRT Adjustment Tool V5.0.13 -- ";

// The menus a status change sets, one character each: 1 on, 0 off, - as it was before.
// Update, Go Online, Go Offline, Demo, Run, ID and Hours, other items, items with no action.
constexpr std::pair<M, int> kColumns[] = {
    {M::MonitorUpdate, 0},      {M::MonitorOnline, 1}, {M::MonitorOffline, 2},
    {M::MonitorDemo, 3},        {M::MonitorRun, 4},    {M::InfoID, 5},
    {M::InfoOperatingHours, 5}, {M::FileOpen, 6},      {M::InfoVersion, 6},
    {M::DiagnosticsPeek, 6},    {M::FileNew, 7},       {M::XySimulator, 7}};

TEST(Shell, StatusChangesSetCaptionOnlineFlagAndMenus) {
    const struct {
        void (Shell::*change)();
        const char* caption;
        bool online;
        std::string menus;
    } cases[] = {{&Shell::SetMonitorOnline, "Monitor on Com4", true, "101--1-0"},
                 {&Shell::SetBootModeStatus, "Monitor on Com4 -- BOOT MODE", true, "001-1--0"},
                 {&Shell::SetMonitorOffline, "No monitor", false, "01010--0"},
                 // Demo mode turns everything on; the next status change ends it.
                 {&Shell::SetOfflineDemoMode, "No monitor - Offline Demo Mode", false, "11111110"}};
    for (const auto& c : cases) {
        for (bool before : {true, false}) {
            ShellRig g;
            g.shell.SetOfflineDemoMode();
            for (const auto& [item, column] : kColumns) {
                const_cast<MenuStates&>(g.shell.Menus()).SetEnabled(item, before);
            }
            g.data.MonitorOnline = !c.online;
            (g.shell.*c.change)();
            std::string seen, expected;
            for (const auto& [item, column] : kColumns) {
                seen += g.view.menus.IsEnabled(item) ? '1' : '0';
                expected += c.menus[column] == '-' ? (before ? '1' : '0') : c.menus[column];
            }
            EXPECT_EQ(seen, expected) << c.caption << (before ? " from on" : " from off");
            EXPECT_EQ(g.view.caption, kTitle + std::string(c.caption));
            EXPECT_EQ(g.data.MonitorOnline, c.online);
        }
    }
}

TEST(Shell, OfflineEmptiesBothVersionsStopsTheReplyTimerAndTurnsTheLampsRed) {
    ShellRig g;
    g.shell.SetMonitorOnline();
    g.data.FirmwareVersion = "V 1.39";
    g.data.RomVersion = "V 2.01";
    g.data.ModelNumber = "M-17";
    g.shell.SetMonitorOffline();
    EXPECT_EQ(g.data.FirmwareVersion + g.data.RomVersion + g.data.ModelNumber, "M-17");
    EXPECT_EQ(g.indicators.lines,
              (Lines{"connect green", "stop", "label 3=", "label 4=", "connect red", "log red"}));
    // The boot loader has no firmware version: no family may be assumed from the old one.
    g.data.FirmwareVersionNumber = 139;
    g.shell.SetBootModeStatus();
    EXPECT_EQ(g.data.FirmwareVersionNumber, 0);
}

TEST(Shell, CaptionShowsWhicheverOfStatusAndFileNameWasSetLastAndGoOfflineSwitchesAlone) {
    ShellRig g;
    g.shell.SetMainCaption("");
    EXPECT_EQ(g.view.caption, std::string(kTitle) + "(No File)");
    g.shell.SetMainCaption("bench7.mdv");
    EXPECT_EQ(g.view.caption, std::string(kTitle) + "bench7.mdv");
    g.shell.SetGoOfflineEnabled(false);
    EXPECT_FALSE(g.view.menus.IsEnabled(M::MonitorOffline));
    EXPECT_TRUE(g.view.menus.IsEnabled(M::MonitorOnline));
    g.shell.SetGoOfflineEnabled(true);
    EXPECT_TRUE(g.view.menus.IsEnabled(M::MonitorOffline));
}

TEST(Shell, OnlyAppModesOutsideZeroToTwoGiveTheMessage) {
    for (int mode : {0, 2, 3, -1}) {
        ShellRig g;
        g.state.AppMode = mode;
        EXPECT_EQ(g.shell.ApplyAppMode().has_value(), mode < 0 || mode > 2) << mode;
    }
}

TEST(DisplayConfiguration, TheExactTitleChoosesThePortAndTheCaption) {
    const struct {
        const char* title;
        std::optional<int16_t> port;
        const char* caption;
    } cases[] = {{"Orvan-Left", 4, "Orvan Left CRT Adjustment Tool V"},
                 {"Orvan-Right", 6, "Orvan Right CRT Adjustment Tool V"},
                 {"Orvan-IOS", 7, "Orvan IOS CRT Adjustment Tool V"},
                 {"orvan-center", std::nullopt, "Zorvex4 CRT Adjustment Tool V"},
                 {"", std::nullopt, "Zorvex4 CRT Adjustment Tool V"}};
    for (const auto& c : cases) {
        const DisplayConfiguration& config = ConfigurationForTitle(c.title);
        EXPECT_EQ(config.commPort, c.port) << c.title;
        EXPECT_EQ(config.captionText, c.caption) << c.title;
    }
    EXPECT_EQ(BuildMainTitle(ConfigurationForTitle("Orvan-Center"), {12, 3, 140}),
              "Orvan Center CRT Adjustment Tool V12.3.140");
}

TEST(AboutTexts, SystemInfoIsTheRegistryPathOrTheProgramInTheSharedFolderOrNothing) {
    const struct {
        std::optional<std::string> path, location;
        bool fileExists;
        std::optional<std::string> expected;
    } cases[] = {{"C:\\ms\\msinfo32.exe", "C:\\o", true, "C:\\ms\\msinfo32.exe"},
                 {"", "C:\\T", true, "C:\\T\\MSINFO32.EXE"},
                 {std::nullopt, "C:\\T", false, std::nullopt},
                 {std::nullopt, "", true, std::nullopt},
                 {std::nullopt, std::nullopt, true, std::nullopt}};
    for (const auto& c : cases) {
        const auto program = SystemInfoProgram({c.path, c.location},
                                               [&](const std::string&) { return c.fileExists; });
        EXPECT_EQ(program, c.expected) << c.path.value_or("-") << c.location.value_or("-");
    }
}

}  // namespace
}  // namespace zorvex
