// The whole tool in this process, its serial link on the simulator's pseudo-terminal: the
// information windows read the simulator's identity, peek and poke change its memory.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
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

// Runs the event loop until the condition holds or the time is up.
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

class InfoPanelsOnSimulator : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Start());
        settings.Write("Configs", "CommPort", "1");
        settings.Write("Ports", "Com1", sim.Link());
        app = std::make_unique<Application>(ApplicationServices{&settings, nullptr});
        app->Start();
        ASSERT_TRUE(Spin([&] { return app->Data().MonitorOnline; }, 15000))
            << "the tool never went online";
        // Going online asks for the firmware version; its answer selects the family.
        ASSERT_TRUE(Spin([&] { return app->Data().FirmwareVersionNumber == 205; }, 10000));
    }
    void TearDown() override {
        if (HasFailure()) {
            for (const auto& r : sim.Log()) {
                std::printf("  sim %.3f %s %s\n", r.seconds, r.kind.c_str(), r.text.c_str());
            }
        }
        app.reset();
    }

    void Menu(MenuCommand command) { app->MainWindow().Action(command)->trigger(); }
    template <class W>
    W* Find(const char* window, const char* name) {
        auto* frame = app->MainWindow().MdiArea().findChild<QWidget*>(QString::fromLatin1(window));
        return frame == nullptr ? nullptr : frame->findChild<W*>(QString::fromLatin1(name));
    }
    bool LabelBecomes(const char* window, const char* name, const char* text) {
        return Spin(
            [&] {
                auto* label = Find<QLabel>(window, name);
                return label != nullptr && label->text() == QString::fromLatin1(text);
            },
            10000);
    }
    bool BoxBecomes(const char* name, const char* text) {
        return Spin(
            [&] {
                auto* box = Find<QLineEdit>("frmPeekPoke", name);
                return box != nullptr && box->text() == QString::fromLatin1(text);
            },
            10000);
    }

    TempDir dir;
    Simulator sim{dir};
    MemorySettingsStore settings;
    std::unique_ptr<Application> app;
};

TEST_F(InfoPanelsOnSimulator, IdAndVersionWindowsShowTheSimulatorsIdentity) {
    Menu(MenuCommand::InfoID);
    EXPECT_TRUE(LabelBecomes("frmID", "lblModel", "ZX-5120"));
    EXPECT_TRUE(LabelBecomes("frmID", "lblSerial", "SIM0042"));
    EXPECT_TRUE(LabelBecomes("frmID", "lblPart", "7741-200"));
    // The second family is asked with its own commands, the part number last.
    const auto commands = sim.Commands();
    const auto dms = std::find(commands.begin(), commands.end(), "dms");
    ASSERT_NE(dms, commands.end());
    ASSERT_GE(commands.end() - dms, 3);
    EXPECT_EQ(*(dms + 1), "dss");
    EXPECT_EQ(*(dms + 2), "dmu");
    Menu(MenuCommand::InfoVersion);
    EXPECT_TRUE(LabelBecomes("frmVersion", "lblMonitorFirmwareVersionValue", "V 2.05"));
    EXPECT_TRUE(LabelBecomes("frmVersion", "lblMonitorEpromVersionValue", "V 1.10"));
    EXPECT_EQ(app->Data().ModelNumber, "ZX-5120");
    EXPECT_EQ(app->Data().SerialNumber, "SIM0042");
    EXPECT_EQ(app->Data().RomVersion, "V 1.10");
}

TEST_F(InfoPanelsOnSimulator, PeekAndPokeWriteAByteAndReadItBack) {
    Menu(MenuCommand::DiagnosticsPeek);
    auto* address = Find<QLineEdit>("frmPeekPoke", "AddressBox");
    auto* byte = Find<QLineEdit>("frmPeekPoke", "DataByteBox");
    ASSERT_NE(address, nullptr);
    ASSERT_NE(byte, nullptr);
    address->setText(QStringLiteral("0x1234"));
    QTest::mouseClick(Find<QPushButton>("frmPeekPoke", "brnWriteAddr"), Qt::LeftButton);
    ASSERT_TRUE(BoxBecomes("AddressBox", "0x1234"));
    byte->setText(QStringLiteral("0xa5"));
    QTest::mouseClick(Find<QPushButton>("frmPeekPoke", "DataByteWriteButton"), Qt::LeftButton);
    byte->setText(QStringLiteral("0xXX"));
    QTest::mouseClick(Find<QPushButton>("frmPeekPoke", "btnReadByte"), Qt::LeftButton);
    EXPECT_TRUE(BoxBecomes("DataByteBox", "0xA5"));
    const auto commands = sim.Commands();
    auto at = [&](const std::string& c) {
        return std::find(commands.begin(), commands.end(), c) - commands.begin();
    };
    EXPECT_LT(at("a0x1234"), at("wb0xa5"));
    EXPECT_LT(at("wb0xa5"), at("rb"));
    EXPECT_LT(at("rb"), static_cast<long>(commands.size()));
}

}  // namespace
}  // namespace zorvex::e2e
