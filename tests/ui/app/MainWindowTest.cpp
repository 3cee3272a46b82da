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
#include "ui/app/ChildWindow.h"
#include "ui/app/HelpWindow.h"
#include "ui/app/Twips.h"
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
    // A monitor that answers every command (its echo and the prompt), until a write begins
    // with the text given.
    const auto answerUntil = [&](int ms, const std::string& last) {
        for (int at = 0; at < ms; at += 100) {
            const std::size_t before = g.port.writes.size();
            g.clock.Advance(100);
            for (std::size_t i = before; i < g.port.writes.size(); ++i) {
                const std::string& w = g.port.writes[i].bytes;
                if (w.starts_with(last)) {
                    return;
                }
                g.port.Receive(w.substr(0, w.find('\r')) + "\r\n#\r\n");
            }
        }
    };
    answerUntil(45000, "never");
    EXPECT_FALSE(bar.isVisible());
    EXPECT_TRUE(text.text().startsWith("Monitor data read at ")) << text.text().toStdString();
    g.Trigger("mnuDiagnosticsPeek");
    g.Find<QLineEdit>("DataByteBox")->setText("0x12");
    g.Find<QPushButton>("DataByteWriteButton")->click();
    answerUntil(2000, "wb");
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
}

TEST(MainWindowExit, StoresTheConfigsValuesAndTheMainWindowPlaceItStartedIn) {
    TestGraph g({{"frmMainTop", "1440"},
                 {"frmMainLeft", "720"},
                 {"frmMainWidth", "9000"},
                 {"frmMainHeight", "6000"}});
    g.app->Link() = {.CommPort = 3, .ConnectRetryLimit = 8, .CommLogEnabled = true};
    g.settings.values.clear();
    g.Trigger("mnuFileExit");
    EXPECT_TRUE(g.app->Exited() && !g.Main().isVisible());
    std::string stored;
    for (const std::string key :
         {"frmMainTop", "frmMainLeft", "frmMainWidth", "frmMainHeight", "frmMainWindowstate",
          "CommPort", "CommLogEnabled", "ConnectRetryLimit"}) {
        stored += g.settings.Get(key.starts_with("frm") ? "Locations" : "Configs", key) + " ";
    }
    EXPECT_EQ(stored, "1440 720 9000 6000 0 3 True 8 ");
}

// Neither the legacy help viewer nor the system information tool exist here (no registry).
TEST(HelpMenu, OpensTheShippedManualAndAFreeStandingAboutThatClosesWithTheTool) {
    TestGraph tool;
    tool.Trigger("mnuHelpTopics");
    HelpWindow& help = tool.app->Help();
    ASSERT_TRUE(help.isVisible() && help.Loaded()) << HelpIndexPath().toStdString();
    EXPECT_TRUE(help.Source().endsWith("share/zorvex/help/index.html"));
    tool.Trigger("mnuHelpAbout");
    frmAbout& about = tool.app->About();
    EXPECT_TRUE(about.isVisible() && about.isWindow());
    QStringList messages;
    about.SetMessageSink([&](const QString& text) { messages << text; });
    about.findChild<QPushButton*>("cmdSysInfo")->click();
    EXPECT_EQ(messages, QStringList{"System Information Is Unavailable At This Time"});
    about.findChild<QPushButton*>("cmdOK")->click();
    EXPECT_FALSE(about.isVisible());
    tool.Trigger("mnuHelpAbout");
    tool.Main().close();
    EXPECT_FALSE(about.isVisible());
}

TEST(ChildWindows, LocationsWindowsRestoreAndStoreTheirPlaceInTwipsAndState) {
    testing::MemorySettingsStore settings;
    frmMain main;
    main.resize(1000, 800);
    main.show();
    const auto px = [&](double twips) {
        return TwipsToPixels(twips, LogicalDpiX(&main.MdiArea()));
    };
    for (const auto& [key, value] :
         {std::pair{"Top", "720"}, {"Left", "1440"}, {"Width", "4800"}, {"Height", "3600"}}) {
        settings.Write("Locations", std::string("frmConnect") + key, value);
    }
    ChildWindow<QLabel> child(main.MdiArea(), settings, ChildPlacement::Locations("frmConnect"),
                              [] { return new QLabel("probe"); });
    child.StorePlacement();
    EXPECT_EQ(settings.values.size(), 4u) << "a window never used stores nothing";
    child.Show();
    EXPECT_EQ(child.SubWindow()->geometry(), QRect(px(1440), px(720), px(4800), px(3600)));
    child.SubWindow()->move(px(2880), px(1440));
    child.SubWindow()->showMinimized();
    child.StorePlacement();
    std::string stored;
    for (const char* key : {"Left", "Top", "Width", "Windowstate"}) {
        stored += settings.Get("Locations", std::string("frmConnect") + key) + " ";
    }
    const int width = static_cast<int>(PixelsToTwips(px(4800), LogicalDpiX(&main.MdiArea())));
    EXPECT_EQ(stored, "2880 1440 " + std::to_string(width) + " 1 ");
}

}  // namespace
}  // namespace zorvex
