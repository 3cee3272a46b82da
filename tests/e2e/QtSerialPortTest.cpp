// The Qt serial port on real pseudo-terminals: the bytes in both directions, a device in use,
// and a device that goes away while open and comes back. The network port's failures on
// loopback servers of the test's own.
#include "platform/QtSerialPort.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include <QTcpServer>

#include "E2eHarness.h"
#include "MemorySettingsStore.h"
#include "QtSpin.h"
#include "core/link/SerialPortMap.h"
#include "platform/QtNetworkPort.h"

namespace zorvex::e2e {
namespace {

// The other end of a pseudo-terminal of our own; -1 if none could be had.
int OpenMaster() {
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master >= 0 && (grantpt(master) != 0 || unlockpt(master) != 0)) {
        ::close(master);
        return -1;
    }
    return master;
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
    bool Pings() {
        received.clear();
        return port.Write("p\r\n") && Spin([&] { return received == "p\r\n#\r\n"; }, 3000);
    }

    zorvex::testing::MemorySettingsStore store;
    SerialPortMap map{store, DeviceNaming::Posix};
    QtSerialPort port{map};
    std::string received;
    int failures = 0;
    std::string lastFailure;
    TempDir dir;
};

TEST_F(QtSerialPortOnPty, AnUnpluggedDeviceIsReportedOnceAndReopenedWhenItIsBack) {
    Simulator sim(dir);
    ASSERT_TRUE(sim.Start());
    // Modem lines are refused on a pseudo-terminal; that is no error.
    PortOpenResult result = OpenOn(sim.Link());
    ASSERT_TRUE(result.Ok()) << result.reason;
    EXPECT_EQ(result.device, sim.Link());
    EXPECT_TRUE(Pings()) << received;
    QtSerialPort second(map);
    EXPECT_EQ(second.Open(1).failure, PortFailure::Busy);
    sim.process().Signal(SIGHUP);  // the simulator closes its end and removes the link
    ASSERT_TRUE(Spin([&] { return failures > 0; }, 3000));
    EXPECT_FALSE(port.IsOpen());
    // No storm afterwards: Qt's endless read errors must not turn into more reports.
    Spin([] { return false; }, 1200);
    EXPECT_EQ(failures, 1) << lastFailure;
    EXPECT_FALSE(port.Write("p\r\n"));
    EXPECT_EQ(port.Open(1).failure, PortFailure::NotFound);
    sim.process().Signal(SIGHUP);
    ASSERT_FALSE(sim.process().ReadLine(3000ms).empty());
    ASSERT_TRUE(port.Open(1).Ok());
    EXPECT_TRUE(Pings()) << received;
    EXPECT_EQ(failures, 1);
}

TEST_F(QtSerialPortOnPty, NulCharactersAreDroppedOnReceive) {
    EXPECT_EQ(OpenOn("/dev/null").failure, PortFailure::NotSerial);  // a device, no terminal
    int master = OpenMaster();
    ASSERT_GE(master, 0);
    ASSERT_TRUE(OpenOn(ptsname(master)).Ok());
    const char bytes[] = {'a', '\0', 'b', '\0', '\0', '#'};
    ASSERT_EQ(::write(master, bytes, sizeof bytes), static_cast<ssize_t>(sizeof bytes));
    EXPECT_TRUE(Spin([&] { return received.size() >= 3; }, 3000));
    EXPECT_EQ(received, "ab#");
    port.Close();
    ::close(master);
}

TEST_F(QtSerialPortOnPty, ADeviceWhosePathVanishesIsNoticedByThePresenceCheck) {
    // The other end stays open, so no error comes from the device itself.
    int master = OpenMaster();
    ASSERT_GE(master, 0);
    std::string link = dir.File("ttyGone");
    std::filesystem::create_symlink(ptsname(master), link);
    ASSERT_TRUE(OpenOn(link).Ok());
    std::filesystem::remove(link);
    EXPECT_TRUE(Spin([&] { return failures > 0; }, 1000 + QtSerialPort::kPresenceCheckMs));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(failures, 1);
    ::close(master);
}

TEST(QtNetworkPort, ARefusalNoAnswerOrHangUpIsReportedOnceInWordsATechnicianCanActOn) {
    const LoopbackSocket refusing;  // bound, not listening
    // A listener whose one-place queue is taken drops every further call unanswered.
    const LoopbackSocket silent(0);
    const LoopbackSocket filler;
    ASSERT_EQ(::connect(filler.fd, reinterpret_cast<const sockaddr*>(&silent.address),
                        sizeof silent.address),
              0);
    QTcpServer hangsUp;
    ASSERT_TRUE(hangsUp.listen(QHostAddress::LocalHost));
    QObject::connect(&hangsUp, &QTcpServer::newConnection,
                     [&] { hangsUp.nextPendingConnection()->close(); });
    const std::string up = std::to_string(hangsUp.serverPort());
    const struct {
        std::string device;
        std::string reason;
    } cases[] = {
        {"socket://127.0.0.1:" + std::to_string(refusing.Port()),
         "connection refused by 127.0.0.1:" + std::to_string(refusing.Port())},
        {"rfc2217://127.0.0.1:" + std::to_string(silent.Port()), "no answer from 127.0.0.1"},
        {"socket://127.0.0.1:" + up, "connection closed by 127.0.0.1:" + up},
    };
    zorvex::testing::MemorySettingsStore store;
    SerialPortMap map{store, DeviceNaming::Posix};
    QtNetworkPort port(map, 300);
    std::vector<std::string> reasons;
    port.SetFailureHandler([&](const std::string& reason) { reasons.push_back(reason); });
    for (const auto& c : cases) {
        const std::size_t before = reasons.size();
        ASSERT_TRUE(map.SetDevice(1, c.device));
        ASSERT_TRUE(port.Open(1).Ok()) << c.device;  // connecting: the window never waits
        EXPECT_TRUE(port.Write("p\r\n"));
        ASSERT_TRUE(Spin([&] { return reasons.size() > before; }, 3000)) << c.device;
        EXPECT_EQ(reasons.back(), c.reason);
        EXPECT_FALSE(port.IsOpen());
        EXPECT_FALSE(port.Write("p\r\n"));
    }
    Spin([] { return false; }, 500);
    EXPECT_EQ(reasons.size(), std::size(cases));  // once each
}

}  // namespace
}  // namespace zorvex::e2e

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
