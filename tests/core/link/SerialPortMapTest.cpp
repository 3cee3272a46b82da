#include "core/link/SerialPortMap.h"

#include <gtest/gtest.h>

#include "MemorySettingsStore.h"
#include "core/link/NetworkAddress.h"

namespace zorvex {
namespace {

using testing::MemorySettingsStore;

struct DefaultCase {
    DeviceNaming naming;
    int port;
    const char* device;
};
class SerialPortMapDefaults : public ::testing::TestWithParam<DefaultCase> {};
TEST_P(SerialPortMapDefaults, AnUnstoredPortMapsToTheSystemsUsualName) {
    MemorySettingsStore store;
    EXPECT_EQ(SerialPortMap(store, GetParam().naming).DeviceFor(GetParam().port),
              GetParam().device);
}
INSTANTIATE_TEST_SUITE_P(EveryOfferedPort, SerialPortMapDefaults,
                         ::testing::Values(DefaultCase{DeviceNaming::Posix, 1, "/dev/ttyS0"},
                                           DefaultCase{DeviceNaming::Posix, 8, "/dev/ttyS7"},
                                           DefaultCase{DeviceNaming::Windows, 1, "COM1"},
                                           DefaultCase{DeviceNaming::Windows, 8, "COM8"},
                                           DefaultCase{DeviceNaming::Posix, 0, ""},
                                           DefaultCase{DeviceNaming::Windows, -3, ""}));

TEST(SerialPortMap, ADeviceStoredUnderPortsComNServesThatPortOnlyAndIsReadAfreshEachTime) {
    MemorySettingsStore store;
    SerialPortMap map(store, DeviceNaming::Posix);
    ASSERT_TRUE(map.SetDevice(1, "/work/build/run/ttyZorvex"));
    EXPECT_EQ(store.Get("Ports", "Com1"), "/work/build/run/ttyZorvex");
    EXPECT_EQ(map.DeviceFor(1), "/work/build/run/ttyZorvex");
    EXPECT_EQ(map.DeviceFor(2), "/dev/ttyS1");
    store.Write("Ports", "Com3", "/dev/pts/4");  // another writer
    EXPECT_EQ(map.DeviceFor(3), "/dev/pts/4");
    EXPECT_EQ(map.DeviceFor(4), "/dev/ttyS3");
}

TEST(SerialPortMap, BlanksAroundAPathAreDroppedAndABlankDeviceFallsBackToTheSystemsName) {
    MemorySettingsStore store;
    store.Write("Ports", "Com5", "   ");
    SerialPortMap map(store, DeviceNaming::Windows);
    EXPECT_EQ(map.DeviceFor(5), "COM5");
    map.SetDevice(2, "  /tmp/my ports/tty0 \n");
    EXPECT_EQ(map.DeviceFor(2), "/tmp/my ports/tty0");
    map.SetDevice(2, "");
    EXPECT_EQ(map.DeviceFor(2), "COM2");
    EXPECT_FALSE(map.SetDevice(0, "/dev/ttyS9"));  // no such port: nothing stored
    EXPECT_EQ(store.values.size(), 2u);
}

struct DeviceTextCase {
    const char* device;
    const char* hostPort;  // a network port's host and port as read back; null for the rest
    const char* problem;   // what the message says is wrong; null when the text is taken
};
void PrintTo(const DeviceTextCase& c, std::ostream* os) {
    *os << c.device;
}
class SerialPortMapDeviceText : public ::testing::TestWithParam<DeviceTextCase> {};
TEST_P(SerialPortMapDeviceText, IsStoredOnlyWhenValidAndOtherwiseSaysWhatIsWrong) {
    const DeviceTextCase& c = GetParam();
    MemorySettingsStore store;
    SerialPortMap map(store, DeviceNaming::Posix);
    EXPECT_EQ(map.SetDevice(1, c.device), c.problem == nullptr);
    EXPECT_EQ(map.DeviceFor(1), c.problem == nullptr ? c.device : "/dev/ttyS0");
    const auto problem = SerialPortMap::CheckDevice(c.device);
    ASSERT_EQ(problem.has_value(), c.problem != nullptr);
    if (problem) {
        EXPECT_NE(problem->find(c.problem), std::string::npos) << *problem;
    }
    const auto parsed = ParseNetworkAddress(c.device).address;
    EXPECT_EQ(parsed ? parsed->HostPort() : "", c.hostPort == nullptr ? "" : c.hostPort);
}
INSTANTIATE_TEST_SUITE_P(
    PathsAndNetworkPorts, SerialPortMapDeviceText,
    ::testing::Values(DeviceTextCase{"/dev/ttyUSB0", nullptr, nullptr},
                      DeviceTextCase{"socket://127.0.0.1:4001", "127.0.0.1:4001", nullptr},
                      DeviceTextCase{"rfc2217://serial-box.site:2217", "serial-box.site:2217",
                                     nullptr},
                      DeviceTextCase{"RFC2217://[::1]:7000", "[::1]:7000", nullptr},
                      DeviceTextCase{"socket://:4001", nullptr, "has no host"},
                      DeviceTextCase{"socket://127.0.0.1", nullptr, "no port number"},
                      DeviceTextCase{"socket://127.0.0.1:", nullptr, "no port number"},
                      DeviceTextCase{"socket://127.0.0.1:0", nullptr, "from 1 to 65535"},
                      DeviceTextCase{"rfc2217://127.0.0.1:65536", nullptr, "from 1 to 65535"},
                      DeviceTextCase{"socket://127.0.0.1:40a1", nullptr, "where the port"},
                      DeviceTextCase{"socket://a b:23", nullptr, "no host name or address"},
                      DeviceTextCase{"socket://[::1:4001", nullptr, "closing \"]\""},
                      DeviceTextCase{"telnet://127.0.0.1:23", nullptr, "does not know"}));

}  // namespace
}  // namespace zorvex
