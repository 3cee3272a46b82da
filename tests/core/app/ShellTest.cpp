#include <gtest/gtest.h>

#include <functional>

#include "ShellFakes.h"

namespace zorvex {
namespace {

constexpr const char* kTitle = "Zorvex4 CRT Adjustment Tool V5.0.13 -- ";

struct ShellGraph : testing::ShellRig {
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
    Col update, goOnline, goOffline, demo, run_, idAndHours, others;
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
        // Everything enabled is where demo mode leaves the menus; the next operation ends it.
        for (int i = 0; i < MenuCommandCount && !before; ++i) {
            const_cast<MenuStates&>(g.shell.Menus()).SetEnabled(static_cast<MenuCommand>(i), false);
        }
        if (before) {
            g.shell.SetOfflineDemoMode();
        }
        g.data.MonitorOnline = !c.online;
        c.run(g.shell);

        EXPECT_EQ(g.view.caption, std::string(kTitle) + c.caption);
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
        // Items outside the table keep their state, except in demo mode where all are on.
        for (auto item :
             {MenuCommand::FileOpen, MenuCommand::InfoVersion, MenuCommand::DiagnosticsPeek}) {
            ExpectColumn(m, item, c.others, before);
        }
        for (auto inert : {MenuCommand::FileNew, MenuCommand::XySimulator}) {
            EXPECT_FALSE(m.IsEnabled(inert)) << "greyed: it has no action";
        }
        EXPECT_TRUE(g.view.messages.empty());
    }
}

using S = Shell;
INSTANTIATE_TEST_SUITE_P(
    Operations, StatusTable,
    ::testing::Values(
        StatusCase{"Online", [](S& s) { s.SetMonitorOnline(); }, "Monitor on Com4", true, Col::On,
                   Col::Off, Col::On, Col::Same, Col::Same, Col::On, Col::Same},
        StatusCase{"BootMode", [](S& s) { s.SetBootModeStatus(); }, "Monitor on Com4 -- BOOT MODE",
                   true, Col::Off, Col::Off, Col::On, Col::Same, Col::On, Col::Same, Col::Same},
        StatusCase{"Offline", [](S& s) { s.SetMonitorOffline(); }, "No monitor", false, Col::Off,
                   Col::On, Col::Off, Col::On, Col::Off, Col::Same, Col::Same},
        StatusCase{"Demo", [](S& s) { s.SetOfflineDemoMode(); }, "No monitor - Offline Demo Mode",
                   false, Col::On, Col::On, Col::On, Col::On, Col::On, Col::On, Col::On}),
    [](const ::testing::TestParamInfo<StatusCase>& info) { return info.param.name; });

TEST(Offline, EmptiesBothVersionsBlanksTheirLabelsStopsTheReplyTimerAndTurnsIndicatorsRed) {
    ShellGraph g;
    g.shell.SetMonitorOnline();
    EXPECT_EQ(g.indicators.connect, std::vector<IndicatorColour>{IndicatorGreen});
    EXPECT_TRUE(g.indicators.commLog.empty()) << "going online leaves the log indicator";
    g.data.FirmwareVersion = "V 1.39";
    g.data.RomVersion = "V 2.01";
    g.data.ModelNumber = "M-17";
    g.shell.SetMonitorOffline();
    EXPECT_EQ(g.data.FirmwareVersion, "");
    EXPECT_EQ(g.data.RomVersion, "");
    EXPECT_EQ(g.data.ModelNumber, "M-17") << "other values stay after the link drops";
    using Write = std::pair<InfoLabel, std::string>;
    EXPECT_EQ(g.labels.writes,
              (std::vector<Write>{{InfoLabel::RomVersion, ""}, {InfoLabel::FirmwareVersion, ""}}));
    EXPECT_EQ(g.indicators.replyTimerStops, 1);
    EXPECT_EQ(g.indicators.connect, (std::vector<IndicatorColour>{IndicatorGreen, IndicatorRed}));
    EXPECT_EQ(g.indicators.commLog, std::vector<IndicatorColour>{IndicatorRed});
}

TEST(BootMode, ForgetsTheFirmwareVersionNumberSoNoFamilyIsAssumed) {
    ShellGraph g;
    g.data.FirmwareVersionNumber = 139;
    g.shell.SetBootModeStatus();
    EXPECT_EQ(g.data.FirmwareVersionNumber, 0);
}

TEST(Caption, ShowsWhicheverOfStatusAndFileNameWasSetLast) {
    ShellGraph g;
    g.shell.SetMainCaption("");
    EXPECT_EQ(g.view.caption, std::string(kTitle) + "(No File)");
    g.shell.SetMainCaption("bench7.mdv");
    EXPECT_EQ(g.view.caption, std::string(kTitle) + "bench7.mdv");
    g.shell.SetMonitorOffline();
    EXPECT_EQ(g.view.caption, std::string(kTitle) + "No monitor");
}

TEST(GoOffline, CanBeSwitchedAloneByTheConnectionLogic) {
    ShellGraph g;
    g.shell.SetGoOfflineEnabled(false);
    EXPECT_FALSE(g.view.menus.IsEnabled(MenuCommand::MonitorOffline));
    EXPECT_TRUE(g.view.menus.IsEnabled(MenuCommand::MonitorOnline));
    g.shell.SetGoOfflineEnabled(true);
    EXPECT_TRUE(g.view.menus.IsEnabled(MenuCommand::MonitorOffline));
}

class AppModes : public ::testing::TestWithParam<int32_t> {};

TEST_P(AppModes, OnlyModesOutsideZeroToTwoGiveTheMessageAndTheStatusStillChanges) {
    ShellGraph g;
    g.state.AppMode = GetParam();
    const bool bad = GetParam() < 0 || GetParam() > 2;
    EXPECT_EQ(g.shell.ApplyAppMode().has_value(), bad);
    g.shell.SetMonitorOnline();
    EXPECT_EQ(g.view.messages, bad ? std::vector<std::string>{"Setting Appmode with bad value"}
                                   : std::vector<std::string>{});
    EXPECT_EQ(g.view.caption, std::string(kTitle) + "Monitor on Com4");
    EXPECT_FALSE(g.view.menus.IsEnabled(MenuCommand::MonitorOnline));
}

INSTANTIATE_TEST_SUITE_P(Modes, AppModes, ::testing::Values(0, 1, 2, 3, -1, 100));

}  // namespace
}  // namespace zorvex
