#include "core/link/SerialPortMap.h"

#include <gtest/gtest.h>

#include "MemorySettingsStore.h"

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

}  // namespace
}  // namespace zorvex
