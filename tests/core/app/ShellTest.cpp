#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "ShellFakes.h"
#include "core/app/Shell.h"
#include "core/data/MonitorData.h"
#include "core/link/LinkState.h"

namespace zorvex {
namespace {

using testing::EventLog;
using testing::RecordingIndicators;
using testing::RecordingLabels;
using testing::RecordingMainWindow;

struct ShellGraph {
    EventLog log;
    ShellState state;
    MonitorData data;
    LinkState link;
    RecordingMainWindow view{log};
    RecordingIndicators indicators;
    RecordingLabels labels;
    Shell shell{state, data, link, view, indicators, labels};

    ShellGraph() {
        state.MainTitle = "Zorvex4 CRT Adjustment Tool V5.0.13";
        link.CommPort = 4;
    }
};

// The status table. Each column is on, off, or left as it was (checked from two starting
// points: everything enabled, everything disabled).
enum class Col { On, Off, Same };

struct StatusCase {
    const char* name;
    std::function<void(Shell&)> run;
    const char* caption;
    bool online;
    Col update, goOnline, goOffline, demo, run_, idAndHours;
};

class StatusTable : public ::testing::TestWithParam<StatusCase> {};

void ExpectColumn(const MenuStates& menus, MenuCommand command, Col expected, bool before) {
    const bool want = expected == Col::On ? true : expected == Col::Off ? false : before;
    EXPECT_EQ(menus.IsEnabled(command), want) << MenuItemOf(command).name;
}

TEST_P(StatusTable, SetsCaptionOnlineFlagAndMenusAsTheTableSays) {
    const StatusCase& c = GetParam();
    for (bool before : {true, false}) {
        ShellGraph g;
        // Bring every item to the starting point through the shell's own model.
        for (int i = 0; i < MenuCommandCount; ++i) {
            const_cast<MenuStates&>(g.shell.Menus())
                .SetEnabled(static_cast<MenuCommand>(i), before);
        }
        g.data.MonitorOnline = !c.online;
        c.run(g.shell);

        EXPECT_EQ(g.view.caption,
                  std::string("Zorvex4 CRT Adjustment Tool V5.0.13 -- ") + c.caption);
        EXPECT_EQ(g.data.MonitorOnline, c.online);
        const MenuStates& m = g.view.menus;
        EXPECT_EQ(m, g.shell.Menus()) << "the window shows the model";
        ExpectColumn(m, MenuCommand::MonitorUpdate, c.update, before);
        ExpectColumn(m, MenuCommand::MonitorOnline, c.goOnline, before);
        ExpectColumn(m, MenuCommand::MonitorOffline, c.goOffline, before);
        ExpectColumn(m, MenuCommand::MonitorDemo, c.demo, before);
        ExpectColumn(m, MenuCommand::MonitorRun, c.run_, before);
        ExpectColumn(m, MenuCommand::InfoID, c.idAndHours, before);
        ExpectColumn(m, MenuCommand::InfoOperatingHours, c.idAndHours, before);
        // Items outside the table keep their state, except in demo mode.
        ExpectColumn(m, MenuCommand::FileOpen,
                     c.demo == Col::On && c.update == Col::On ? Col::On : Col::Same, before);
        EXPECT_TRUE(g.view.messages.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Operations, StatusTable,
    ::testing::Values(StatusCase{"Online", [](Shell& s) { s.SetMonitorOnline(); },
                                 "Monitor on Com4", true, Col::On, Col::Off, Col::On, Col::Same,
                                 Col::Same, Col::On},
                      StatusCase{"BootMode", [](Shell& s) { s.SetBootModeStatus(); },
                                 "Monitor on Com4 -- BOOT MODE", true, Col::Off, Col::Off, Col::On,
                                 Col::Same, Col::On, Col::Same},
                      StatusCase{"Offline", [](Shell& s) { s.SetMonitorOffline(); }, "No monitor",
                                 false, Col::Off, Col::On, Col::Off, Col::On, Col::Off, Col::Same},
                      StatusCase{"Demo", [](Shell& s) { s.SetOfflineDemoMode(); },
                                 "No monitor - Offline Demo Mode", false, Col::On, Col::On, Col::On,
                                 Col::On, Col::On, Col::On}),
    [](const ::testing::TestParamInfo<StatusCase>& info) { return info.param.name; });

TEST(DemoMode, EnablesUpdateAndRunFromBootModeAndEveryOtherItemWithoutAMonitor) {
    ShellGraph g;
    g.shell.SetMonitorOffline();
    g.shell.SetOfflineDemoMode();
    for (int i = 0; i < MenuCommandCount; ++i) {
        EXPECT_TRUE(g.view.menus.IsEnabled(static_cast<MenuCommand>(i)))
            << MenuItemOf(static_cast<MenuCommand>(i)).name;
    }
    EXPECT_FALSE(g.data.MonitorOnline);
}

TEST(DemoMode, LastsUntilTheNextStatusOperation) {
    ShellGraph g;
    g.shell.SetOfflineDemoMode();
    g.shell.SetMonitorOffline();
    EXPECT_EQ(g.view.caption, "Zorvex4 CRT Adjustment Tool V5.0.13 -- No monitor");
    EXPECT_FALSE(g.view.menus.IsEnabled(MenuCommand::MonitorUpdate));
    EXPECT_FALSE(g.view.menus.IsEnabled(MenuCommand::MonitorRun));
}

TEST(Offline, EmptiesBothVersionsBlanksTheirLabelsStopsTheReplyTimerAndTurnsIndicatorsRed) {
    ShellGraph g;
    g.data.FirmwareVersion = "V 1.39";
    g.data.RomVersion = "V 2.01";
    g.data.ModelNumber = "M-17";
    g.shell.SetMonitorOffline();
    EXPECT_EQ(g.data.FirmwareVersion, "");
    EXPECT_EQ(g.data.RomVersion, "");
    EXPECT_EQ(g.data.ModelNumber, "M-17") << "other values stay after the link drops";
    ASSERT_EQ(g.labels.writes.size(), 2u);
    EXPECT_EQ(g.labels.writes[0], std::make_pair(InfoLabel::RomVersion, std::string()));
    EXPECT_EQ(g.labels.writes[1], std::make_pair(InfoLabel::FirmwareVersion, std::string()));
    EXPECT_EQ(g.indicators.replyTimerStops, 1);
    EXPECT_EQ(g.indicators.connect, std::vector<IndicatorColour>{IndicatorRed});
    EXPECT_EQ(g.indicators.commLog, std::vector<IndicatorColour>{IndicatorRed});
}

TEST(Online, TurnsTheConnectionIndicatorGreenAndLeavesTheLogIndicator) {
    ShellGraph g;
    g.shell.SetMonitorOnline();
    EXPECT_EQ(g.indicators.connect, std::vector<IndicatorColour>{IndicatorGreen});
    EXPECT_TRUE(g.indicators.commLog.empty());
    EXPECT_EQ(g.indicators.replyTimerStops, 0);
}

TEST(BootMode, ForgetsTheFirmwareVersionNumberSoNoFamilyIsAssumed) {
    ShellGraph g;
    g.data.FirmwareVersionNumber = 139;
    g.shell.SetBootModeStatus();
    EXPECT_EQ(g.data.FirmwareVersionNumber, 0);
    EXPECT_TRUE(g.data.MonitorOnline);
}

TEST(Caption, AnEmptyFileNameShowsNoFile) {
    ShellGraph g;
    g.shell.SetMainCaption("");
    EXPECT_EQ(g.view.caption, "Zorvex4 CRT Adjustment Tool V5.0.13 -- (No File)");
}

TEST(Caption, ShowsWhicheverOfStatusAndFileNameWasSetLast) {
    ShellGraph g;
    g.shell.SetMainCaption("bench7.mdv");
    EXPECT_EQ(g.view.caption, "Zorvex4 CRT Adjustment Tool V5.0.13 -- bench7.mdv");
    g.shell.SetMonitorOffline();
    EXPECT_EQ(g.view.caption, "Zorvex4 CRT Adjustment Tool V5.0.13 -- No monitor");
    g.shell.SetMainCaption("bench7.mdv");
    EXPECT_EQ(g.view.caption, "Zorvex4 CRT Adjustment Tool V5.0.13 -- bench7.mdv");
}

TEST(GoOffline, CanBeSwitchedAloneByTheConnectionLogic) {
    ShellGraph g;
    g.shell.SetGoOfflineEnabled(false);
    EXPECT_FALSE(g.view.menus.IsEnabled(MenuCommand::MonitorOffline));
    EXPECT_TRUE(g.view.menus.IsEnabled(MenuCommand::MonitorOnline));
    g.shell.SetGoOfflineEnabled(true);
    EXPECT_TRUE(g.view.menus.IsEnabled(MenuCommand::MonitorOffline));
}

struct AppModeCase {
    int32_t mode;
    bool bad;
};

class AppModes : public ::testing::TestWithParam<AppModeCase> {};

TEST_P(AppModes, OnlyModesOutsideZeroToTwoGiveTheMessage) {
    ShellGraph g;
    g.state.AppMode = GetParam().mode;
    const auto message = g.shell.ApplyAppMode();
    EXPECT_EQ(message.has_value(), GetParam().bad);

    // Through a status operation, the message is shown once and the status still changes.
    g.shell.SetMonitorOnline();
    if (GetParam().bad) {
        EXPECT_EQ(*message, "Setting Appmode with bad value");
        EXPECT_EQ(g.view.messages, std::vector<std::string>{"Setting Appmode with bad value"});
    } else {
        EXPECT_TRUE(g.view.messages.empty());
    }
    EXPECT_EQ(g.view.caption, "Zorvex4 CRT Adjustment Tool V5.0.13 -- Monitor on Com4");
    EXPECT_FALSE(g.view.menus.IsEnabled(MenuCommand::MonitorOnline));
}

INSTANTIATE_TEST_SUITE_P(Modes, AppModes,
                         ::testing::Values(AppModeCase{0, false}, AppModeCase{1, false},
                                           AppModeCase{2, false}, AppModeCase{3, true},
                                           AppModeCase{-1, true}, AppModeCase{100, true}));

TEST(MenuModel, EveryItemHasOneEntryWithAnMnuName) {
    int seen = 0;
    std::set<std::string> names;
    for (const MenuText& menu : MainMenus()) {
        for (const MenuItemText& item : menu.items) {
            EXPECT_EQ(&MenuItemOf(item.command), &item);
            EXPECT_EQ(std::string(item.name).rfind("mnu", 0), 0u) << item.name;
            names.insert(item.name);
            ++seen;
        }
    }
    EXPECT_EQ(seen, MenuCommandCount);
    EXPECT_EQ(names.size(), static_cast<std::size_t>(MenuCommandCount));
}

}  // namespace
}  // namespace zorvex
