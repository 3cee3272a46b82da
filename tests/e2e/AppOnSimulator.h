#pragma once

// The whole tool in this process, its serial link on the simulator's pseudo-terminal.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QMdiArea>
#include <algorithm>
#include <memory>
#include <optional>

#include "E2eHarness.h"
#include "MemorySettingsStore.h"
#include "QtSpin.h"
#include "ui/app/Application.h"
#include "ui/app/frmMain.h"

namespace zorvex::e2e {

// One tool on Com1 = device, with the file dialog and message boxes answered here.
struct ToolInProcess {
    zorvex::testing::MemorySettingsStore settings;
    std::unique_ptr<Application> app;
    std::optional<QString> nextPath;
    std::vector<std::string> messages;

    explicit ToolInProcess(const std::string& device, TimerFactory* timers = nullptr,
                           bool commLog = false) {
        settings.Write("Configs", "CommPort", "1");
        settings.Write("Ports", "Com1", device);
        if (commLog) {
            settings.Write("Configs", "CommLogEnabled", "True");
        }
        app = std::make_unique<Application>(ApplicationServices{&settings, timers});
        QtFileCommandsView& view = app->FileDialogs();
        view.SetDialogRunner([this](const FileDialogSetup&) { return nextPath; });
        view.SetMessageRunner([this](const std::string& text) { messages.push_back(text); });
        view.SetQuestionRunner([](const QString&) { return false; });
        app->Start();
    }
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
    void Click(const char* window, const char* name) {
        auto* button = Find<QAbstractButton>(window, name);
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }
};

// The simulator with one tool on it; StartTool returns once the tool is online.
class OnSimulator : public ::testing::Test {
  protected:
    void StartTool(TimerFactory* timers = nullptr, bool commLog = false,
                   const std::vector<std::string>& simArgs = {}) {
        ASSERT_TRUE(sim.Start(simArgs));
        tool.emplace(sim.Link(), timers, commLog);
        ASSERT_TRUE(Spin([&] { return tool->app->Data().MonitorOnline; }, 15000))
            << "the tool never went online";
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
    std::optional<ToolInProcess> tool;
};

}  // namespace zorvex::e2e
