#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <set>

#include "StartedTool.h"
#include "ui/app/HelpWindow.h"
#include "ui/app/frmAbout.h"

namespace zorvex {
namespace {

using TestGraph = testing::StartedTool;

// The caption tells the state of the link; greyed items are those that cannot run in it.
TEST(MainWindowMenus, StartUpDemoAndOfflineEnableOnlyWhatCanRunThen) {
    TestGraph g;
    auto seen = [&] {
        QStringList greyed;
        for (QAction* action : g.Main().findChildren<QAction*>()) {
            if (action->objectName().startsWith("mnu") && !action->isEnabled()) {
                greyed << action->objectName();
            }
        }
        greyed.sort();
        return g.Main().windowTitle() + ": " + greyed.join(' ');
    };
    const QString offline =
        "Zorvex4 CRT Adjustment Tool V5.0.13 -- No monitor: mnuFileNew "
        "mnuMonitorOffline mnuMonitorRun mnuMonitorUpdate mnuxysimulator";
    EXPECT_EQ(seen(), offline);
    g.Trigger("mnuMonitorDemo");
    EXPECT_EQ(seen(),
              "Zorvex4 CRT Adjustment Tool V5.0.13 -- No monitor - Offline Demo Mode: "
              "mnuFileNew mnuxysimulator");
    g.app->GetShellState().SendCount = 17;
    g.Trigger("mnuMonitorUpdate");
    EXPECT_EQ(g.app->GetShellState().SendCount, 0) << "Update restarts the step counter";
    g.Trigger("mnuMonitorOffline");
    EXPECT_EQ(seen(), offline);
}

TEST(MainWindowStatusBar, ShowsTheProgressOfReadingAndConfirmsAWriteOnceAnswered) {
    TestGraph g;
    g.app->GetShell().SetMonitorOnline();
    g.Trigger("mnuMonitorUpdate");
    auto& bar = *g.Find<QProgressBar>("prgUpdateAllData");
    auto& text = *g.Find<QLabel>("lblProgress");
    EXPECT_TRUE(bar.isVisible() && bar.value() == 1);
    EXPECT_EQ(text.text(), "Reading monitor data: step 1 of 45");
    g.clock.Advance(45000);
    EXPECT_FALSE(bar.isVisible());
    EXPECT_TRUE(text.text().startsWith("Monitor data read at ")) << text.text().toStdString();
    g.Trigger("mnuDiagnosticsPeek");
    g.Find<QLineEdit>("DataByteBox")->setText("0x12");
    g.Find<QPushButton>("DataByteWriteButton")->click();
    g.port.Receive("wb0x12\r\nByte at 0100 set to 0x12\r\n#");
    EXPECT_EQ(g.Main().statusBar()->currentMessage(),
              "Wrote byte 0x12 (monitor: Byte at 0100 set to 0x12)");
}

// Every child window of the tool in a small workspace: inside it, with the tool's icon, and
// its controls given their room (scrolling) also when tiled.
TEST(ChildWindowsOfTheTool, FitTheWorkspaceTileWithoutOverlapAndAnswerTheKeyboard) {
    TestGraph g;
    g.Main().resize(640, 480);
    for (const char* item : {"mnuStrokeAdj", "mnuDiagnosticsPeek", "mnuInfoID", "mnuInfoVersion",
                             "mnuInfoConfiguration", "mnuInfoOperatingHours"}) {
        g.Trigger(item);
    }
    QMdiArea& area = g.Main().MdiArea();
    EXPECT_FALSE(QApplication::windowIcon().isNull());
    auto frames = [&] {
        QList<QMdiSubWindow*> shown;
        for (QMdiSubWindow* frame : area.subWindowList()) {
            EXPECT_EQ(frame->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
            if (frame->isVisible()) {
                shown << frame;
                QWidget* content = qobject_cast<QScrollArea*>(frame->widget())->widget();
                const QSize room = content->size().expandedTo(content->minimumSizeHint());
                EXPECT_TRUE(area.viewport()->rect().contains(QRect({}, frame->size())) &&
                            room == content->size())
                    << content->objectName().toStdString();
            }
        }
        return shown;
    };
    // The stroke window is smaller than its controls: it scrolls, and Tab reaches its bars.
    EXPECT_GT(g.Find<QScrollArea>("frmStrokeXYScroller")->verticalScrollBar()->maximum(), 0);
    EXPECT_TRUE(g.Find<QScrollBar>("HS_gain")->focusPolicy() & Qt::TabFocus);
    // Tiled side by side, then one above the other.
    for (auto [item, across] :
         {std::pair{"mnuWindowTileVertical", true}, {"mnuWindowTileHorizontal", false}}) {
        g.Trigger(item);
        std::set<int> places;
        for (QMdiSubWindow* frame : frames()) {
            EXPECT_EQ(across ? frame->y() : frame->x(), 0) << item;
            places.insert(across ? frame->x() : frame->y());
        }
        EXPECT_EQ(places.size(), frames().size()) << item;
    }
    // Minimised ones are lined up along the bottom from the left.
    QMdiSubWindow *a = area.subWindowList()[0], *b = area.subWindowList()[1];
    a->showMinimized();
    b->showMinimized();
    a->move(300, 10);
    b->move(20, 200);
    g.Trigger("mnuWindowArrangeIcons");
    const int bottom = area.viewport()->rect().bottom();
    EXPECT_EQ((std::vector{a->x(), b->x(), a->geometry().bottom(), b->geometry().bottom()}),
              (std::vector{0, a->geometry().right() + 1, bottom, bottom}));
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
    EXPECT_TRUE(g.app->Exited() && !g.Main().isVisible());
    std::map<std::string, std::string> stored = {{"frmMainWindowstate", "0"},
                                                 {"CommPort", "3"},
                                                 {"CommLogEnabled", "True"},
                                                 {"ConnectRetryLimit", "8"}};
    stored.insert(place.begin(), place.end());
    for (const auto& [key, value] : stored) {
        const char* section = key.rfind("frm", 0) == 0 ? "Locations" : "Configs";
        EXPECT_EQ(g.settings.Get(section, key), value) << key;
    }
}

TEST(AboutWindow, OpensFreeStandingClosesOnOkAndWithTheToolAndHasNoSystemInfoHere) {
    TestGraph tool;
    tool.Trigger("mnuHelpAbout");
    frmAbout& about = tool.app->About();
    EXPECT_TRUE(about.isVisible() && about.isWindow());
    about.findChild<QPushButton*>("cmdOK")->click();
    EXPECT_FALSE(about.isVisible());
    tool.Trigger("mnuHelpAbout");
    tool.Main().close();
    EXPECT_FALSE(about.isVisible());
#ifndef Q_OS_WIN
    QStringList messages;  // no machine-wide registry to find the viewer in
    about.SetMessageSink([&](const QString& text) { messages << text; });
    about.findChild<QPushButton*>("cmdSysInfo")->click();
    EXPECT_EQ(messages, QStringList{"System Information Is Unavailable At This Time"});
#endif
}

#ifndef Q_OS_WIN
TEST(HelpTopics, WithoutTheLegacyViewerOpenTheManualShippedWithTheTool) {
    TestGraph tool;
    tool.Trigger("mnuHelpTopics");
    HelpWindow& help = tool.app->Help();
    EXPECT_TRUE(help.isVisible());
    ASSERT_TRUE(help.Loaded()) << "looked for " << HelpIndexPath().toStdString();
    EXPECT_TRUE(help.Source().endsWith("share/zorvex/help/index.html"));
}
#endif

}  // namespace
}  // namespace zorvex
