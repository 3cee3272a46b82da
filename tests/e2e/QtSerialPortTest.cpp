// The Qt serial port on real pseudo-terminals: opening one, the bytes in both directions,
// and a device that goes away while open.
#include "platform/QtSerialPort.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSerialPort>
#include <QTest>

#include <filesystem>

#include "E2eHarness.h"
#include "MemorySettingsStore.h"
#include "core/link/SerialPortMap.h"

namespace zorvex::e2e {
namespace {

using namespace std::chrono_literals;
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

class QtSerialPortOnPty : public ::testing::Test {
  protected:
    void SetUp() override {
        port.SetReceiveHandler([this](std::string_view bytes) { received += bytes; });
        port.SetFailureHandler([this](const std::string& reason) {
            ++failures;
            lastFailure = reason;
        });
    }
    PortOpenResult OpenOn(const std::string& device) {
        map.SetDevice(1, device);
        return port.Open(1);
    }

    MemorySettingsStore store;
    SerialPortMap map{store, DeviceNaming::Posix};
    QtSerialPort port{map};
    std::string received;
    int failures = 0;
    std::string lastFailure;
};

TEST_F(QtSerialPortOnPty, OpensAPseudoTerminalWhereModemLinesAreRefusedWithoutAnError) {
    TempDir dir;
    Simulator sim(dir);
    ASSERT_TRUE(sim.Start());
    PortOpenResult result = OpenOn(sim.Link());
    EXPECT_TRUE(result.Ok()) << result.reason;
    EXPECT_EQ(result.device, sim.Link());
    EXPECT_TRUE(port.IsOpen());
    ASSERT_TRUE(port.Write("p\r\n"));
    EXPECT_TRUE(Spin([&] { return received == "p\r\n#\r\n"; }, 3000)) << received;
    EXPECT_EQ(failures, 0);
}

TEST_F(QtSerialPortOnPty, NulCharactersAreDroppedOnReceive) {
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    std::string device = ptsname(master);
    ASSERT_TRUE(OpenOn(device).Ok());
    const char bytes[] = {'a', '\0', 'b', '\0', '\0', '#'};
    ASSERT_EQ(::write(master, bytes, sizeof bytes), static_cast<ssize_t>(sizeof bytes));
    EXPECT_TRUE(Spin([&] { return received.size() >= 3; }, 3000));
    EXPECT_EQ(received, "ab#");
    port.Close();
    ::close(master);
}

TEST_F(QtSerialPortOnPty, AMissingDeviceIsReportedAsNotFound) {
    PortOpenResult result = OpenOn("/tmp/zorvex-no-such-device");
    EXPECT_EQ(result.failure, PortFailure::NotFound);
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(QtSerialPortOnPty, ADeviceAlreadyInUseIsReportedAsBusy) {
    TempDir dir;
    Simulator sim(dir);
    ASSERT_TRUE(sim.Start());
    ASSERT_TRUE(OpenOn(sim.Link()).Ok());
    QtSerialPort second(map);
    PortOpenResult result = second.Open(1);
    EXPECT_EQ(result.failure, PortFailure::Busy) << result.reason;
}

TEST_F(QtSerialPortOnPty, AnUnpluggedDeviceIsClosedAndReportedExactlyOnce) {
    TempDir dir;
    Simulator sim(dir);
    ASSERT_TRUE(sim.Start());
    ASSERT_TRUE(OpenOn(sim.Link()).Ok());
    sim.process().Signal(SIGHUP);  // the simulator closes its end and removes the link
    EXPECT_TRUE(Spin([&] { return failures > 0; }, 3000));
    EXPECT_FALSE(port.IsOpen());
    // No storm afterwards: Qt's endless read errors must not turn into more reports.
    Spin([] { return false; }, 1200);
    EXPECT_EQ(failures, 1) << lastFailure;
    EXPECT_FALSE(port.Write("p\r\n"));
}

TEST_F(QtSerialPortOnPty, ADeviceWhosePathVanishesIsNoticedByThePresenceCheck) {
    // The other end stays open, so no error comes from the device itself.
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    TempDir dir;
    std::string link = dir.File("ttyGone");
    std::filesystem::create_symlink(ptsname(master), link);
    ASSERT_TRUE(OpenOn(link).Ok());
    std::filesystem::remove(link);
    EXPECT_TRUE(Spin([&] { return failures > 0; }, 1000 + QtSerialPort::kPresenceCheckMs));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(failures, 1);
    ::close(master);
}

TEST_F(QtSerialPortOnPty, TheFailureHandlerMayReopenTheDeviceOnceItIsBack) {
    TempDir dir;
    Simulator sim(dir);
    ASSERT_TRUE(sim.Start());
    ASSERT_TRUE(OpenOn(sim.Link()).Ok());
    sim.process().Signal(SIGHUP);
    ASSERT_TRUE(Spin([&] { return failures == 1; }, 3000));
    EXPECT_EQ(port.Open(1).failure, PortFailure::NotFound);
    sim.process().Signal(SIGHUP);
    ASSERT_FALSE(sim.process().ReadLine(3000ms).empty());
    ASSERT_TRUE(port.Open(1).Ok());
    received.clear();
    ASSERT_TRUE(port.Write("p\r\n"));
    EXPECT_TRUE(Spin([&] { return received == "p\r\n#\r\n"; }, 3000)) << received;
    EXPECT_EQ(failures, 1);
}

TEST(AvailableSerialDevices, ListsNoPseudoTerminals) {
    for (const QString& device : AvailableSerialDevices()) {
        EXPECT_FALSE(device.startsWith(QStringLiteral("/dev/pts/"))) << device.toStdString();
    }
}

}  // namespace
}  // namespace zorvex::e2e

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
