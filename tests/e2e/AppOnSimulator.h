#pragma once

// The whole tool in this process, its serial link on the simulator's pseudo-terminal.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QTest>
#include <memory>
#include <optional>

#include "E2eHarness.h"
#include "MemorySettingsStore.h"
#include "platform/QtTimerFactory.h"
#include "ui/app/Application.h"
#include "ui/app/frmMain.h"

namespace zorvex::e2e {

// Runs the event loop until the condition holds or the time is up.
inline bool Spin(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer clock;
    for (clock.start(); !condition(); QTest::qSleep(5)) {
        if (clock.elapsed() > timeoutMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// The tool's own Qt timers with every interval divided by Speed, so that the tool's seconds
// (keep-alive, reply time-outs, a 45-step pass) pass four times faster. The simulator answers
// within milliseconds, well inside the shortened times.
class FasterTimers : public TimerFactory {
  public:
    static constexpr int Speed = 4;

    std::unique_ptr<Timer> CreateTimer(std::function<void()> onTick) override {
        return std::make_unique<Scaled>(qt_.CreateTimer(std::move(onTick)));
    }

  private:
    class Scaled : public Timer {
      public:
        explicit Scaled(std::unique_ptr<Timer> inner) : inner_(std::move(inner)) {}
        void Start(int intervalMs) override {
            interval_ = intervalMs;
            inner_->Start(std::max(1, intervalMs / Speed));
        }
        void Stop() override { inner_->Stop(); }
        bool IsActive() const override { return inner_->IsActive(); }
        int Interval() const override { return interval_; }

      private:
        std::unique_ptr<Timer> inner_;
        int interval_ = 0;
    };
    QtTimerFactory qt_;
};

// One tool on Com1 = device, with the file dialog and message boxes answered here.
struct ToolInProcess {
    zorvex::testing::MemorySettingsStore settings;
    std::unique_ptr<Application> app;
    std::optional<QString> nextPath;
    std::vector<std::string> messages;

    ToolInProcess(const std::string& device, TimerFactory* timers) {
        settings.Write("Configs", "CommPort", "1");
        settings.Write("Ports", "Com1", device);
        app = std::make_unique<Application>(ApplicationServices{&settings, timers});
        QtFileCommandsView& view = app->FileDialogs();
        view.SetDialogRunner([this](const FileDialogSetup&) { return nextPath; });
        view.SetMessageRunner([this](const std::string& text) { messages.push_back(text); });
        view.SetQuestionRunner([](const QString&) { return false; });
        app->Start();
    }
    bool Online() const { return app->Data().MonitorOnline; }
    void Menu(MenuCommand command, std::optional<QString> path = std::nullopt) {
        nextPath = std::move(path);
        QAction* action = app->MainWindow().Action(command);
        ASSERT_TRUE(action->isEnabled()) << action->text().toStdString();
        action->trigger();
    }
    // A control of an open child window, by the window's and the control's object names.
    template <class W>
    W* Find(const char* window, const char* name) {
        auto* frame = app->MainWindow().MdiArea().findChild<QWidget*>(QString::fromLatin1(window));
        return frame == nullptr ? nullptr : frame->findChild<W*>(QString::fromLatin1(name));
    }
};

// The simulator with one tool on it, on faster timers; StartTool returns once it is online.
class OnSimulator : public ::testing::Test {
  protected:
    void StartTool(const std::vector<std::string>& simArgs = {}) {
        ASSERT_TRUE(sim.Start(simArgs));
        tool.emplace(sim.Port(), &timers);
        ASSERT_TRUE(Spin([&] { return tool->Online(); }, 15000)) << "the tool never went online";
    }
    void TearDown() override {
        if (HasFailure()) {
            sim.PrintLog();
        }
        tool.reset();
    }
    // Where `command` first reached the simulator at or after `from`; -1 if it never did.
    long At(const std::string& command, long from = 0) {
        const auto commands = sim.Commands();
        auto it = std::find(commands.begin() + std::clamp<long>(from, 0, commands.size()),
                            commands.end(), command);
        return it == commands.end() ? -1 : static_cast<long>(it - commands.begin());
    }
    long Count(const std::string& command) {
        const auto commands = sim.Commands();
        return std::count(commands.begin(), commands.end(), command);
    }

    TempDir dir;
    Simulator sim{dir};
    FasterTimers timers;
    std::optional<ToolInProcess> tool;
};

}  // namespace zorvex::e2e
