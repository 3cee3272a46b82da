// The monitor data file end to end: the tool, in this process, talks to the simulator over a
// real pseudo-terminal, runs "&Update All Data" for a whole pass, saves the data with
// "S&ave As ...", and a second tool that has no monitor opens the file and shows the same
// values in its windows.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <algorithm>
#include <memory>

#include "E2eHarness.h"
#include "MemorySettingsStore.h"
#include "platform/QtTimerFactory.h"
#include "ui/app/Application.h"
#include "ui/app/frmMain.h"

namespace zorvex::e2e {
namespace {

using zorvex::testing::MemorySettingsStore;

// The tool's own Qt timers, every interval divided by Speed, so that a pass of the 45-step
// cycle takes about eleven seconds instead of forty-five. The simulator answers within
// milliseconds, well inside the shortened reply and keep-alive times.
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

// One tool on Com1 = device, with the file dialog and message boxes answered here.
struct ToolInProcess {
    MemorySettingsStore settings;
    FasterTimers timers;
    std::unique_ptr<Application> app;
    std::optional<QString> nextPath;
    std::vector<std::string> messages;

    explicit ToolInProcess(const std::string& device) {
        settings.Write("Configs", "CommPort", "1");
        settings.Write("Ports", "Com1", device);
        app = std::make_unique<Application>(ApplicationServices{&settings, &timers});
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
    QString Label(const char* name) {
        auto* label = app->MainWindow().findChild<QLabel*>(QString::fromLatin1(name));
        return label ? label->text() : QStringLiteral("<no label %1>").arg(QLatin1String(name));
    }
};

int CountOf(const std::vector<std::string>& commands, const std::string& text) {
    return static_cast<int>(std::count(commands.begin(), commands.end(), text));
}

TEST(FileRoundTrip, APassSavedWhileOnlineOpensOfflineWithTheSameValuesInTheWindows) {
    TempDir dir;
    const QString file = QString::fromStdString(dir.File("pass.mdv"));
    MonitorData passed;
    {
        Simulator sim(dir);
        ASSERT_TRUE(sim.Start());
        ToolInProcess online(sim.Link());
        QAction* update = online.app->MainWindow().Action(MenuCommand::MonitorUpdate);
        ASSERT_TRUE(
            Spin([&] { return online.app->Data().MonitorOnline && update->isEnabled(); }, 15000))
            << "the tool did not go online";
        ASSERT_NE(online.app->UpdateCycle(), nullptr) << "the cycle has no transmit queue";
        online.Menu(MenuCommand::MonitorUpdate);
        // A whole pass: step 0 twice, then steps 1 to 44; its last request is "ddfs".
        ASSERT_TRUE(Spin([&] { return CountOf(sim.Commands(), "ddfs") >= 1; }, 30000))
            << "no whole pass; the simulator received: " << [&] {
                   std::string all;
                   for (const auto& c : sim.Commands()) {
                       all += c + " ";
                   }
                   return all;
               }();
        Spin([] { return false; }, 1000);  // the last answer comes in
        const auto commands = sim.Commands();
        EXPECT_GE(CountOf(commands, "da"), 2);
        for (const char* request : {"db", "dc", "dms", "dss", "dt", "dh", "ddfl", "ddpv", "dds"}) {
            EXPECT_GE(CountOf(commands, request), 1) << request;
        }
        passed = online.app->Data();
        EXPECT_FALSE(passed.ModelNumber.empty());
        EXPECT_FALSE(passed.OperatingHours.empty());
        EXPECT_GT(passed.FirmwareVersionNumber, 0);
        // The simulator's tables (factory 100 + 10 x family + slot, initial 2 more; family N
        // 20 + 3 x slot) reached the tables of scan-set column 0.
        const auto cell = [&](DacFamily family, DacTableKind kind, int slot) {
            return passed.Cell(family, kind, slot, 0).value_or(-999);
        };
        EXPECT_EQ(cell(DacFamily::L, DacTableKind::Factory, 0), 100);
        EXPECT_EQ(cell(DacFamily::L, DacTableKind::Initial, 7), 109);
        EXPECT_EQ(cell(DacFamily::B, DacTableKind::Factory, 1), 111);
        EXPECT_EQ(cell(DacFamily::H, DacTableKind::Factory, 3), 123);
        EXPECT_EQ(cell(DacFamily::H, DacTableKind::Initial, 8), 130);
        EXPECT_EQ(cell(DacFamily::V, DacTableKind::Factory, 6), 136);
        EXPECT_EQ(cell(DacFamily::N, DacTableKind::Factory, 0), 20);
        EXPECT_EQ(cell(DacFamily::N, DacTableKind::Factory, 1), 26);  // the pair: 1st and 3rd
        EXPECT_EQ(cell(DacFamily::N, DacTableKind::Initial, 3), 31);  // the quad at 2.05
        online.Menu(MenuCommand::FileSaveAs, file);
        EXPECT_TRUE(online.messages.empty()) << online.messages.front();
        EXPECT_TRUE(
            online.app->MainWindow().windowTitle().endsWith(QStringLiteral(" -- pass.mdv")));
    }

    // The second tool's monitor never answers, so it stays offline.
    Simulator silent(dir);
    ASSERT_TRUE(silent.Start({"--silent-after", "0"}));
    ToolInProcess offline(silent.Link());
    offline.Menu(MenuCommand::FileOpen, file);
    EXPECT_TRUE(offline.messages.empty()) << offline.messages.front();
    const MonitorData& read = offline.app->Data();
    EXPECT_FALSE(read.MonitorOnline);
    EXPECT_EQ(read.ModelNumber, passed.ModelNumber);
    EXPECT_EQ(read.SerialNumber, passed.SerialNumber);
    EXPECT_EQ(read.PartNumber, passed.PartNumber);
    EXPECT_EQ(read.FirmwareVersion, passed.FirmwareVersion);
    EXPECT_EQ(read.FirmwareVersionNumber, passed.FirmwareVersionNumber);
    EXPECT_EQ(read.RomVersion, passed.RomVersion);
    EXPECT_EQ(read.OperatingHours, passed.OperatingHours);
    EXPECT_EQ(read.OperatingCycles, passed.OperatingCycles);
    EXPECT_EQ(read.HvUpperLimit, passed.HvUpperLimit);
    EXPECT_EQ(read.HvLowerLimit, passed.HvLowerLimit);
    for (int f = 0; f < 5; ++f) {
        EXPECT_EQ(read.Families[f].count, passed.Families[f].count);
        for (int slot = 0; slot < MaxDacsPerFamily; ++slot) {
            if (slot < passed.Families[f].count || (f == 2 && slot == 8)) {
                EXPECT_EQ(read.Families[f].factory[slot][0], passed.Families[f].factory[slot][0]);
                EXPECT_EQ(read.Families[f].initial[slot][0], passed.Families[f].initial[slot][0]);
            }
        }
    }

    offline.Menu(MenuCommand::InfoID);
    offline.Menu(MenuCommand::InfoVersion);
    offline.Menu(MenuCommand::InfoOperatingHours);
    Spin([] { return false; }, 300);
    EXPECT_EQ(offline.Label("lblModel").toStdString(), passed.ModelNumber);
    EXPECT_EQ(offline.Label("lblSerial").toStdString(), passed.SerialNumber);
    EXPECT_EQ(offline.Label("lblMonitorFirmwareVersionValue").toStdString(),
              passed.FirmwareVersion);
    EXPECT_EQ(offline.Label("lblMonitorEpromVersionValue").toStdString(), passed.RomVersion);
    EXPECT_EQ(offline.Label("lblOperatingTimeValue").toStdString(), passed.OperatingHours);
    EXPECT_EQ(offline.Label("lblOperatingCyclesValue").toStdString(), passed.OperatingCycles);
}

}  // namespace
}  // namespace zorvex::e2e
