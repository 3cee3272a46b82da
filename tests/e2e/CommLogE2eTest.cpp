// The whole tool in this process on the simulator's pseudo-terminal: commands typed into the
// communication log reach the monitor, through the queue or past it, and its answers come
// back into the log.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPushButton>
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

class CommLogOnSimulator : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Start());
        settings.Write("Configs", "CommPort", "1");
        settings.Write("Configs", "CommLogEnabled", "True");
        settings.Write("Ports", "Com1", sim.Link());
        app = std::make_unique<Application>(ApplicationServices{&settings, nullptr});
        app->Start();
        ASSERT_TRUE(Spin([&] { return app->Data().MonitorOnline; }, 15000))
            << "the tool never went online";
        app->MainWindow().Action(MenuCommand::DiagnosticsCommLogging)->trigger();
        text = Find<QPlainTextEdit>("txtCommLog");
        ASSERT_NE(text, nullptr);
        Click("btnClearCommLogWindow");
    }
    void TearDown() override {
        if (HasFailure()) {
            std::printf("  log: %s\n", app->Log().LogText().c_str());
            for (const auto& r : sim.Log()) {
                std::printf("  sim %.3f %s %s\n", r.seconds, r.kind.c_str(), r.text.c_str());
            }
        }
        app.reset();
    }

    template <class W>
    W* Find(const char* name) {
        auto* window = app->MainWindow().MdiArea().findChild<QWidget*>("frmCommLog");
        return window == nullptr ? nullptr : window->findChild<W*>(QString::fromLatin1(name));
    }
    void Click(const char* name) { QTest::mouseClick(Find<QAbstractButton>(name), Qt::LeftButton); }
    void Type(const char* keys) {
        QTest::keyClicks(text, keys);
        QTest::keyClick(text, Qt::Key_Return);
    }
    bool LogShows(const char* answer) {
        return Spin(
            [&] {
                return app->Log().LogText().find(answer) != std::string::npos &&
                       text->toPlainText().contains(QString::fromLatin1(answer));
            },
            10000);
    }
    long Count(const std::string& command) {
        const auto commands = sim.Commands();
        return std::count(commands.begin(), commands.end(), command);
    }

    TempDir dir;
    Simulator sim{dir};
    MemorySettingsStore settings;
    std::unique_ptr<Application> app;
    QPlainTextEdit* text = nullptr;
};

TEST_F(CommLogOnSimulator, ACommandTypedIntoTheLogIsQueuedAndItsAnswerShownThere) {
    ASSERT_FALSE(Find<QCheckBox>("ckXmitQueueOverride")->isChecked())
        << "start-up leaves the bypass off, and the box says so";
    Type("dm");
    EXPECT_TRUE(LogShows("Model Number = ZX-5120"));
    EXPECT_EQ(Count("dm"), 1);
}

TEST_F(CommLogOnSimulator, WithTheBypassTheKeysGoStraightToTheMonitorAndItAnswersAllTheSame) {
    Click("ckXmitQueueOverride");
    ASSERT_TRUE(app->Link().XmitQueueOverride);
    const long before = Count("de");
    Type("de");
    EXPECT_TRUE(LogShows("V 1.10"));
    EXPECT_EQ(Count("de"), before + 1);
}

TEST_F(CommLogOnSimulator, TheReplyStyleAndCheckingButtonsReachTheMonitor) {
    Click("btnTerse");
    Click("btnCheckOff");
    Click("btnCheckOn");
    Click("btnVerbose");
    EXPECT_TRUE(Spin([&] { return Count("CV") == 1; }, 10000));
    const auto commands = sim.Commands();
    auto at = [&](const char* c) { return std::find(commands.begin(), commands.end(), c); };
    EXPECT_LT(at("CU"), at("cz0"));
    EXPECT_LT(at("cz0"), at("cz1"));
    EXPECT_LT(at("cz1"), at("CV"));
}

}  // namespace
}  // namespace zorvex::e2e
