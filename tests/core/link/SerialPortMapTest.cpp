#include "core/link/SerialPortMap.h"

#include <gtest/gtest.h>

#include "MemorySettingsStore.h"
#include "core/link/NetworkAddress.h"

namespace zorvex {
namespace {

using testing::MemorySettingsStore;

TEST(SerialPortMap, AnUnstoredPortMapsToTheSystemsUsualNameAndNoPortToNone) {
    MemorySettingsStore store;
    const SerialPortMap posix(store, DeviceNaming::Posix), windows(store, DeviceNaming::Windows);
    const std::pair<int, const char*> rows[] = {
        {1, "/dev/ttyS0 COM1"}, {8, "/dev/ttyS7 COM8"}, {0, " "}, {-3, " "}};
    for (auto [port, devices] : rows) {
        EXPECT_EQ(posix.DeviceFor(port) + " " + windows.DeviceFor(port), devices);
        EXPECT_EQ(posix.DefaultDevice(port) + " " + windows.DefaultDevice(port), devices);
    }
}

TEST(SerialPortMap, AStoredDeviceServesItsPortOnlyIsReadAfreshAndABlankOneFallsBack) {
    MemorySettingsStore store;
    SerialPortMap map(store, DeviceNaming::Posix);
    ASSERT_TRUE(map.SetDevice(1, "  /tmp/my ports/tty0 \n"));
    EXPECT_EQ(store.Get("Ports", "Com1"), "/tmp/my ports/tty0");
    store.Write("Ports", "Com3", "/dev/pts/4");  // another writer
    store.Write("Ports", "Com5", "   ");         // a hand-edited file
    EXPECT_FALSE(map.SetDevice(0, "/dev/ttyS9"));
    std::string seen;
    for (int port = 1; port <= 5; ++port) {
        seen += map.DeviceFor(port) + ";";
    }
    EXPECT_EQ(seen, "/tmp/my ports/tty0;/dev/ttyS1;/dev/pts/4;/dev/ttyS3;/dev/ttyS4;");
    map.SetDevice(1, "");
    EXPECT_EQ(map.DeviceFor(1), "/dev/ttyS0");
    EXPECT_EQ(store.values.size(), 3u);  // nothing stored for port 0
}

TEST(SerialPortMap, ANetworkPortIsTakenOnlyWhenValidAndOtherwiseTheTextSaysWhatIsWrong) {
    // The device text, its host and port as read back, and what the message says is wrong.
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"/dev/ttyUSB0", "", ""},
        {"socket://127.0.0.1:4001", "127.0.0.1:4001", ""},
        {"rfc2217://serial-box.site:65535", "serial-box.site:65535", ""},
        {"RFC2217://[::1]:1", "[::1]:1", ""},
        {"socket://:4001", "", "has no host"},
        {"socket://127.0.0.1", "", "no port number"},
        {"socket://127.0.0.1:", "", "no port number"},
        {"socket://[::1]", "", "no port number"},
        {"socket://[::1]x4001", "", "no port number"},
        {"socket://127.0.0.1:0", "", "from 1 to 65535"},
        {"rfc2217://127.0.0.1:65536", "", "from 1 to 65535"},
        {"socket://127.0.0.1:40a1", "", "where the port"},
        {"socket://a b:23", "", "no host name or address"},
        {"socket://[::1:4001", "", "closing \"]\""},
        {"telnet://127.0.0.1:23", "", "does not know"}};
    for (auto [device, hostPort, what] : rows) {
        MemorySettingsStore store;
        EXPECT_EQ(SerialPortMap(store).SetDevice(1, device), *what == '\0') << device;
        const std::string problem = SerialPortMap::CheckDevice(device).value_or("");
        EXPECT_EQ(problem.empty(), *what == '\0') << device;
        EXPECT_NE(problem.find(what), std::string::npos) << problem;
        const auto parsed = ParseNetworkAddress(device).address;
        EXPECT_EQ(parsed ? parsed->HostPort() : "", hostPort);
    }
}

}  // namespace
}  // namespace zorvex
