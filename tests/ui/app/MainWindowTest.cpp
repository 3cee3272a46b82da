#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

#include "StartedTool.h"

namespace zorvex {
namespace {

using TestGraph = testing::StartedTool;

TEST(MainWindowStartUp, EndsWithTheNoMonitorCaptionAndShowsTheSevenMenus) {
    TestGraph g;
    EXPECT_EQ(g.Main().windowTitle(),
              QStringLiteral("Zorvex4 CRT Adjustment Tool V5.0.13 -- No monitor"));
    EXPECT_EQ(g.Main().objectName(), QStringLiteral("frmMain"));
    EXPECT_TRUE(g.Main().isVisible());
    EXPECT_NE(g.Main().findChild<QMdiArea*>(), nullptr);
    QStringList titles;
    for (QAction* top : g.Main().menuBar()->actions()) {
        titles << top->text();
    }
    EXPECT_EQ(titles, (QStringList{"&File", "&Monitor", "&Adjustments", "&Info", "&Diagnostics",
                                   "&Window", "&Help"}));
}

struct ItemCase {
    const char* menu;
    const char* caption;
    const char* name;
    bool enabledAfterStartUp;
};

class MainMenuItems : public ::testing::TestWithParam<ItemCase> {};

TEST_P(MainMenuItems, ExistWithTheirCaptionNameMenuAndStartUpState) {
    TestGraph g;
    const ItemCase& c = GetParam();
    auto* action = g.Main().findChild<QAction*>(QString::fromLatin1(c.name));
    ASSERT_NE(action, nullptr) << c.name;
    EXPECT_EQ(action->text(), QString::fromLatin1(c.caption));
    EXPECT_EQ(action->isEnabled(), c.enabledAfterStartUp) << c.name;
    QMenu* owner = nullptr;
    for (QAction* top : g.Main().menuBar()->actions()) {
        if (top->menu() != nullptr && top->menu()->actions().contains(action)) {
            owner = top->menu();
        }
    }
    ASSERT_NE(owner, nullptr) << c.name;
    EXPECT_EQ(owner->title(), QString::fromLatin1(c.menu));
}

INSTANTIATE_TEST_SUITE_P(
    EveryItem, MainMenuItems,
    ::testing::Values(ItemCase{"&File", "&New", "mnuFileNew", true},
                      ItemCase{"&File", "&Open ...", "mnuFileOpen", true},
                      ItemCase{"&File", "&Save", "mnuFileSave", true},
                      ItemCase{"&File", "S&ave As ...", "mnuFileSaveAs", true},
                      ItemCase{"&File", "&Close", "mnuFileClose", true},
                      ItemCase{"&File", "Compare &With File ...", "mnuFileCompare", true},
                      ItemCase{"&File", "E&xit", "mnuFileExit", true},
                      ItemCase{"&Monitor", "&Update All Data", "mnuMonitorUpdate", false},
                      ItemCase{"&Monitor", "Go O&nline", "mnuMonitorOnline", true},
                      ItemCase{"&Monitor", "Go O&ffline", "mnuMonitorOffline", false},
                      ItemCase{"&Monitor", "Go Offline &Demo Mode", "mnuMonitorDemo", true},
                      ItemCase{"&Monitor", "&Run from BOOT MODE", "mnuMonitorRun", false},
                      ItemCase{"&Adjustments", "&Stroke Adjustment", "mnuStrokeAdj", true},
                      ItemCase{"&Adjustments", "&xy simulator", "mnuxysimulator", true},
                      ItemCase{"&Info", "ID", "mnuInfoID", true},
                      ItemCase{"&Info", "&Version", "mnuInfoVersion", true},
                      ItemCase{"&Info", "&Monitor Configuration", "mnuInfoConfiguration", true},
                      ItemCase{"&Info", "&Operating Hours", "mnuInfoOperatingHours", true},
                      ItemCase{"&Diagnostics", "&Comm Logging", "mnuDiagnosticsCommLogging", true},
                      ItemCase{"&Diagnostics", "&Peek and Poke", "mnuDiagnosticsPeek", true},
                      ItemCase{"&Window", "&Cascade", "mnuWindowCascade", true},
                      ItemCase{"&Window", "Tile &Horizontally", "mnuWindowTileHorizontal", true},
                      ItemCase{"&Window", "Tile &Verticlly", "mnuWindowTileVertical", true},
                      ItemCase{"&Window", "Arrange &Icons", "mnuWindowArrangeIcons", true},
                      ItemCase{"&Help", "&Norvale Help Topics ...", "mnuHelpTopics", true},
                      ItemCase{"&Help", "&About Zorvex", "mnuHelpAbout", true}),
    [](const ::testing::TestParamInfo<ItemCase>& info) { return std::string(info.param.name); });

TEST(MainMenuBar, DemoModeEnablesEveryItemAndUpdateRestartsTheStepCounter) {
    TestGraph g;
    g.Trigger("mnuMonitorDemo");
    EXPECT_EQ(
        g.Main().windowTitle(),
        QStringLiteral("Zorvex4 CRT Adjustment Tool V5.0.13 -- No monitor - Offline Demo Mode"));
    for (QAction* action : g.Main().findChildren<QAction*>()) {
        if (action->objectName().startsWith("mnu")) {
            EXPECT_TRUE(action->isEnabled()) << action->objectName().toStdString();
        }
    }
    g.app->GetShellState().SendCount = 17;
    g.Trigger("mnuMonitorUpdate");
    EXPECT_EQ(g.app->GetShellState().SendCount, 0);
    g.Trigger("mnuMonitorOffline");
    EXPECT_FALSE(g.Main().findChild<QAction*>("mnuMonitorUpdate")->isEnabled());
    EXPECT_EQ(g.Main().windowTitle(),
              QStringLiteral("Zorvex4 CRT Adjustment Tool V5.0.13 -- No monitor"));
}

TEST(MainWindowExit, StoresTheConfigsValuesAndTheMainWindowPlaceItStartedIn) {
    const std::map<std::string, std::string> place = {{"frmMainTop", "1440"},
                                                      {"frmMainLeft", "720"},
                                                      {"frmMainWidth", "9000"},
                                                      {"frmMainHeight", "6000"}};
    TestGraph g(place);
    g.app->Link().CommPort = 3;
    g.app->Link().CommLogEnabled = true;
    g.app->Link().ConnectRetryLimit = 8;
    g.settings.values.clear();
    g.Trigger("mnuFileExit");

    EXPECT_FALSE(g.Main().isVisible());
    EXPECT_TRUE(g.app->Exited());
    EXPECT_EQ(g.settings.Get("Configs", "CommPort"), "3");
    EXPECT_EQ(g.settings.Get("Configs", "CommLogEnabled"), "True");
    EXPECT_EQ(g.settings.Get("Configs", "ConnectRetryLimit"), "8");
    for (const auto& [key, value] : place) {
        EXPECT_EQ(g.settings.Get("Locations", key), value) << key;
    }
    EXPECT_EQ(g.settings.Get("Locations", "frmMainWindowstate"), "0");
}

}  // namespace
}  // namespace zorvex
