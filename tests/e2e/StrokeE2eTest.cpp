// The whole tool in this process, its serial link on the simulator's pseudo-terminal: the
// stroke window reads the simulator's stored parameters, writes a gain change live, stores
// it, and shows the stored value again when it is opened anew.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <functional>

#include "E2eHarness.h"
#include "MemorySettingsStore.h"
#include "ui/app/Application.h"
#include "ui/app/frmMain.h"

namespace zorvex::e2e {
namespace {

using zorvex::testing::MemorySettingsStore;

bool Spin(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QTest::qSleep(5);
    }
    return true;
}

class StrokeOnSimulator : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Start());
        settings.Write("Configs", "CommPort", "1");
        settings.Write("Ports", "Com1", sim.Link());
        // Window logging on: the dump finds the monitor's answers in the log window's text.
        settings.Write("Configs", "CommLogEnabled", "True");
        app = std::make_unique<Application>(ApplicationServices{&settings, nullptr});
        app->Start();
        ASSERT_TRUE(Spin([&] { return app->Data().MonitorOnline; }, 15000))
            << "the tool never went online";
    }
    void TearDown() override {
        if (HasFailure()) {
            for (const auto& r : sim.Log()) {
                std::printf("  sim %.3f %s %s\n", r.seconds, r.kind.c_str(), r.text.c_str());
            }
        }
        app.reset();
    }

    void OpenStrokeWindow() { app->MainWindow().Action(MenuCommand::StrokeAdj)->trigger(); }
    template <class W>
    W* Find(const char* name) {
        auto* window =
            app->MainWindow().MdiArea().findChild<QWidget*>(QStringLiteral("frmStrokeXY"));
        return window == nullptr ? nullptr : window->findChild<W*>(QString::fromLatin1(name));
    }
    bool GainShows(int value) {
        return Spin(
            [&] {
                auto* bar = Find<QScrollBar>("HS_gain");
                auto* label = Find<QLabel>("lbl_gain");
                return bar != nullptr && label != nullptr && bar->value() == value &&
                       label->text() == QString::number(value);
            },
            10000);
    }
    long At(const std::vector<std::string>& commands, const std::string& command, long from = 0) {
        auto it = std::find(commands.begin() + from, commands.end(), command);
        return it == commands.end() ? -1 : static_cast<long>(it - commands.begin());
    }

    TempDir dir;
    Simulator sim{dir};
    MemorySettingsStore settings;
    std::unique_ptr<Application> app;
};

TEST_F(StrokeOnSimulator, AStoredGainComesBackWhenTheWindowIsOpenedAgain) {
    OpenStrokeWindow();
    // The simulator's stored gain at power-up.
    ASSERT_TRUE(GainShows(128));

    auto* gain = Find<QScrollBar>("HS_gain");
    gain->setSliderDown(true);
    gain->setSliderPosition(100);
    gain->setSliderDown(false);
    QTest::mouseClick(Find<QPushButton>("Command30(4)"), Qt::LeftButton);
    ASSERT_TRUE(Spin(
        [&] {
            const auto commands = sim.Commands();
            return At(commands, "TGW2E100") >= 0;
        },
        10000));

    // Closing discards the window's values; opening asks the monitor again.
    auto* window = app->MainWindow().MdiArea().findChild<QWidget*>(QStringLiteral("frmStrokeXY"));
    ASSERT_NE(window, nullptr);
    auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    ASSERT_NE(sub, nullptr);
    sub->close();
    // Closing starts the window from its initial values.
    EXPECT_EQ(Find<QScrollBar>("HS_gain")->value(), 255);
    EXPECT_EQ(Find<QLabel>("lbl_gain")->text(), QString());
    OpenStrokeWindow();
    ASSERT_TRUE(GainShows(100));

    const auto commands = sim.Commands();
    const long firstReadout = At(commands, "dz");
    const long liveSign = At(commands, "TYW1DA0", firstReadout);
    const long live = At(commands, "TYW2EA100", firstReadout);
    const long storeSign = At(commands, "TGW1D0", live);
    const long store = At(commands, "TGW2E100", live);
    const long secondReadout = At(commands, "dz", store);
    EXPECT_GE(firstReadout, 0);
    EXPECT_LT(firstReadout, liveSign);
    EXPECT_LT(liveSign, live);
    EXPECT_LT(live, storeSign);
    EXPECT_LT(storeSign, store);
    EXPECT_LT(store, secondReadout);
}

TEST_F(StrokeOnSimulator, TheTimedDumpListsWordsFromTheCommunicationLog) {
    OpenStrokeWindow();
    ASSERT_TRUE(GainShows(128));
    auto* address = Find<QLineEdit>("Text8");
    ASSERT_NE(address, nullptr);
    address->clear();
    QTest::keyClicks(address, QStringLiteral("5"));
    QTest::mouseClick(Find<QPushButton>("Command17(2)"), Qt::LeftButton);
    // The first tick asks; a later one finds the answer in the log and lists it.
    ASSERT_TRUE(
        Spin([&] { return Find<QPlainTextEdit>("RichTextBox1")->toPlainText().startsWith("4 = "); },
             15000));
    EXPECT_EQ(Find<QLineEdit>("Text8")->text(), QStringLiteral("6"));
    QTest::mouseClick(Find<QPushButton>("Command17(3)"), Qt::LeftButton);
    const auto commands = sim.Commands();
    EXPECT_GE(At(commands, "TYW33b5"), 0);
    EXPECT_GE(At(commands, "TYR28a"), 0);
}

}  // namespace
}  // namespace zorvex::e2e
