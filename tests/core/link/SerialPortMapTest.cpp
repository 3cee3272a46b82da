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
    SerialPortMap map(store, GetParam().naming);
    EXPECT_EQ(map.DeviceFor(GetParam().port), GetParam().device);
}

INSTANTIATE_TEST_SUITE_P(EveryOfferedPort, SerialPortMapDefaults,
                         ::testing::Values(DefaultCase{DeviceNaming::Posix, 1, "/dev/ttyS0"},
                                           DefaultCase{DeviceNaming::Posix, 2, "/dev/ttyS1"},
                                           DefaultCase{DeviceNaming::Posix, 8, "/dev/ttyS7"},
                                           DefaultCase{DeviceNaming::Windows, 1, "COM1"},
                                           DefaultCase{DeviceNaming::Windows, 8, "COM8"},
                                           DefaultCase{DeviceNaming::Posix, 0, ""},
                                           DefaultCase{DeviceNaming::Windows, -3, ""}));

TEST(SerialPortMap, AStoredDeviceUnderPortsComNIsUsedForThatPortOnly) {
    MemorySettingsStore store;
    store.Write("Ports", "Com3", "/dev/ttyUSB0");
    SerialPortMap map(store, DeviceNaming::Posix);
    EXPECT_EQ(map.DeviceFor(3), "/dev/ttyUSB0");
    EXPECT_EQ(map.DeviceFor(2), "/dev/ttyS1");
    EXPECT_EQ(map.DeviceFor(4), "/dev/ttyS3");
}

TEST(SerialPortMap, SettingADeviceStoresItUnderPortsAndTheNextLookupSeesIt) {
    MemorySettingsStore store;
    SerialPortMap map(store, DeviceNaming::Posix);
    ASSERT_TRUE(map.SetDevice(1, "/work/build/run/ttyZorvex"));
    EXPECT_EQ(store.Get("Ports", "Com1"), "/work/build/run/ttyZorvex");
    EXPECT_EQ(map.DeviceFor(1), "/work/build/run/ttyZorvex");
}

TEST(SerialPortMap, APathWithBlanksInsideIsKeptWhileSurroundingBlanksAreDropped) {
    MemorySettingsStore store;
    SerialPortMap map(store, DeviceNaming::Posix);
    map.SetDevice(2, "  /tmp/my ports/tty0 \n");
    EXPECT_EQ(map.DeviceFor(2), "/tmp/my ports/tty0");
}

TEST(SerialPortMap, ABlankStoredDeviceFallsBackToTheSystemsName) {
    MemorySettingsStore store;
    store.Write("Ports", "Com5", "   ");
    SerialPortMap map(store, DeviceNaming::Windows);
    EXPECT_EQ(map.DeviceFor(5), "COM5");
    map.SetDevice(5, "COM12");
    map.SetDevice(5, "");
    EXPECT_EQ(map.DeviceFor(5), "COM5");
}

TEST(SerialPortMap, APortNumberBelowOneIsRefusedAndStoresNothing) {
    MemorySettingsStore store;
    SerialPortMap map(store, DeviceNaming::Posix);
    EXPECT_FALSE(map.SetDevice(0, "/dev/ttyS9"));
    EXPECT_TRUE(store.values.empty());
}

TEST(SerialPortMap, EveryLookupReadsTheStoreAfreshSoAnotherWritersChangeIsSeen) {
    MemorySettingsStore store;
    SerialPortMap map(store, DeviceNaming::Posix);
    EXPECT_EQ(map.DeviceFor(1), "/dev/ttyS0");
    store.Write("Ports", "Com1", "/dev/pts/4");
    EXPECT_EQ(map.DeviceFor(1), "/dev/pts/4");
}

}  // namespace
}  // namespace zorvex
