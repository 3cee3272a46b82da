// The Qt serial port on real pseudo-terminals: what reaches the tool, why a device cannot be
// used, and a device that goes away while open and comes back. And the network port's module:
// found, missing, or not the tool's.
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QFile>
#include <QLibraryInfo>
#include <QTemporaryDir>
#include <filesystem>

#include "AppOnSimulator.h"
#include "E2eHarness.h"
#include "MemorySettingsStore.h"
#include "core/link/SerialPortMap.h"
#include "platform/NetworkPortLoader.h"
#include "platform/QtSerialPort.h"

namespace zorvex::e2e {
namespace {

struct PortOnPty : ::testing::Test {
    PortOnPty() {
        port.SetReceiveHandler([this](std::string_view bytes) { received += bytes; });
        port.SetFailureHandler([this](const std::string& reason) { failures.push_back(reason); });
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
    std::vector<std::string> failures;
    TempDir dir;
};

TEST_F(PortOnPty, AnUnpluggedDeviceIsReportedOnceAndReopenedWhenItIsBack) {
    Simulator sim(dir);
    ASSERT_TRUE(sim.Start());
    ASSERT_TRUE(OpenOn(sim.Port()).Ok());  // modem lines refused by a pty are no error
    EXPECT_TRUE(Pings()) << received;
    QtSerialPort second(map);
    EXPECT_EQ(second.Open(1).failure, PortFailure::Busy);
    sim.process().Signal(SIGHUP);  // the simulator closes its end and removes the link
    ASSERT_TRUE(Spin([&] { return !failures.empty(); }, 3000));
    Spin([] { return false; }, 1200);  // Qt's endless read errors must not become reports
    EXPECT_EQ(failures.size(), 1u) << failures.back();
    EXPECT_FALSE(port.IsOpen() || port.Write("p\r\n"));
    EXPECT_EQ(port.Open(1).failure, PortFailure::NotFound);
    sim.process().Signal(SIGHUP);
    ASSERT_TRUE(Spin([&] { return port.Open(1).Ok(); }, 3000));
    EXPECT_TRUE(Pings()) << received;
}

TEST_F(PortOnPty, DropsNulCharactersAndNoticesAPathThatVanishes) {
    EXPECT_EQ(OpenOn("/dev/null").failure, PortFailure::NotSerial);  // a device, no terminal
    // A pseudo-terminal of our own whose other end stays open: no error comes from the device.
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_TRUE(master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0);
    const std::string link = dir.File("ttyGone");
    std::filesystem::create_symlink(ptsname(master), link);
    ASSERT_TRUE(OpenOn(link).Ok());
    const char bytes[] = {'a', '\0', 'b', '\0', '\0', '#'};
    ASSERT_EQ(::write(master, bytes, sizeof bytes), static_cast<ssize_t>(sizeof bytes));
    EXPECT_TRUE(Spin([&] { return received.size() >= 3; }, 3000));
    EXPECT_EQ(received, "ab#");
    std::filesystem::remove(link);  // seen by the presence check alone
    EXPECT_TRUE(Spin([&] { return !failures.empty(); }, 1000 + QtSerialPort::kPresenceCheckMs));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(failures.size(), 1u);
    ::close(master);
}

TEST(NetworkPortModule, IsLoadedFromTheFirstPlaceThatHasItOrTheReasonIsTold) {
    QTemporaryDir folder;
    QFile notAModule(folder.filePath("zorvex-network.so"));
    ASSERT_TRUE(notAModule.open(QIODevice::WriteOnly));
    notAModule.write("not a module");
    notAModule.close();
    const QString missing = folder.filePath("nowhere/zorvex-network.so");
    const QString built = NetworkPortLoader::InstalledPlaces().front();  // beside the tests
    // A library that loads but is no network module of this version.
    const QString other = QLibraryInfo::path(QLibraryInfo::LibrariesPath) + "/libQt6Core.so.6";

    const struct {
        QStringList places;
        std::string reasonStart;  // empty: a port is made
    } cases[] = {
        {{missing, built}, ""},
        {{missing}, "the network serial server module zorvex-network.so is not installed"},
        {{notAModule.fileName(), built}, "the network serial server module did not load: "},
        {{other}, (other + " is not the network module of this version").toStdString()},
    };
    zorvex::testing::MemorySettingsStore store;
    SerialPortMap map(store);
    for (const auto& c : cases) {
        NetworkPortLoader loader(c.places);
        std::string why;
        const auto port = loader.MakePort(map, why);
        EXPECT_EQ(port != nullptr, c.reasonStart.empty()) << c.places.join(' ').toStdString();
        EXPECT_EQ(why.substr(0, c.reasonStart.size()), c.reasonStart);
    }
}

}  // namespace
}  // namespace zorvex::e2e
