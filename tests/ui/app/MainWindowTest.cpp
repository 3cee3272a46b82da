#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>

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
    ::testing::Values(ItemCase{"&File", "&New", "mnuFileNew", false},
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
                      ItemCase{"&Adjustments", "&xy simulator", "mnuxysimulator", false},
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

TEST(MainMenuBar, DemoModeEnablesEveryItemWithAnActionAndUpdateRestartsTheStepCounter) {
    TestGraph g;
    g.Trigger("mnuMonitorDemo");
    EXPECT_EQ(
        g.Main().windowTitle(),
        QStringLiteral("Zorvex4 CRT Adjustment Tool V5.0.13 -- No monitor - Offline Demo Mode"));
    for (QAction* action : g.Main().findChildren<QAction*>()) {
        if (action->objectName().startsWith("mnu")) {
            const bool inert = action->objectName() == QStringLiteral("mnuFileNew") ||
                               action->objectName() == QStringLiteral("mnuxysimulator");
            EXPECT_NE(action->isEnabled(), inert) << action->objectName().toStdString();
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

TEST(MainWindowStatusBar, ShowsTheProgressOfReadingAndConfirmsAWriteOnceAnswered) {
    TestGraph g;
    g.app->GetShell().SetMonitorOnline();
    g.Trigger("mnuMonitorUpdate");
    auto& bar = *g.Main().findChild<QProgressBar*>("prgUpdateAllData");
    auto& text = *g.Main().findChild<QLabel*>("lblProgress");
    EXPECT_TRUE(bar.isVisible() && bar.value() == 1);
    EXPECT_EQ(text.text(), QStringLiteral("Reading monitor data: step 1 of 45"));
    g.clock.Advance(45000);
    EXPECT_FALSE(bar.isVisible());
    EXPECT_TRUE(text.text().startsWith(QStringLiteral("Monitor data read at ")))
        << text.text().toStdString();

    g.Trigger("mnuDiagnosticsPeek");
    g.Main().findChild<QLineEdit*>("DataByteBox")->setText(QStringLiteral("0x12"));
    g.Main().findChild<QPushButton*>("DataByteWriteButton")->click();
    g.port.Receive("wb0x12\r\nByte at 0100 set to 0x12\r\n#");
    EXPECT_EQ(g.Main().statusBar()->currentMessage(),
              QStringLiteral("Wrote byte 0x12 (monitor: Byte at 0100 set to 0x12)"));
}

TEST(ChildWindowsOfTheTool, FitTheWorkspaceScrollShowTheIconAndAnswerTheKeyboard) {
    TestGraph g;
    g.Main().resize(640, 480);
    g.Trigger("mnuStrokeAdj");
    g.Trigger("mnuDiagnosticsPeek");
    QMdiArea& area = *g.Main().findChild<QMdiArea*>();
    for (QMdiSubWindow* frame : area.subWindowList()) {
        const std::string name = frame->objectName().toStdString();
        EXPECT_EQ(frame->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey()) << name;
        if (frame->isVisible()) {
            EXPECT_LE(frame->width(), area.viewport()->width()) << name;
            EXPECT_LE(frame->height(), area.viewport()->height()) << name;
        }
    }
    EXPECT_FALSE(QApplication::windowIcon().isNull());
    // The stroke window is smaller than its controls: it scrolls, and Tab reaches its bars.
    auto* stroke = g.Main().findChild<QScrollArea*>("frmStrokeXYScroller");
    EXPECT_GT(stroke->verticalScrollBar()->maximum(), 0);
    EXPECT_TRUE(g.Main().findChild<QScrollBar*>("HS_gain")->focusPolicy() & Qt::TabFocus);
    // Tiled into a small workspace, each window's controls keep their room and scroll.
    g.Trigger("mnuWindowTileVertical");
    for (const char* name : {"frmStrokeXY", "frmPeekPoke"}) {
        QWidget* content = g.Main().findChild<QWidget*>(name);
        EXPECT_GE(content->width(), content->minimumSizeHint().width()) << name;
        EXPECT_GE(content->height(), content->minimumSizeHint().height()) << name;
    }
    // Access keys where a caption is the window's own.
    auto* peek = g.Main().findChild<QWidget*>("frmPeekPoke");
    EXPECT_EQ(peek->findChild<QPushButton*>("btnOK")->text(), QStringLiteral("&OK"));
    EXPECT_EQ(peek->findChild<QPushButton*>("btnReadByte")->text(), QStringLiteral("Read"));
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
