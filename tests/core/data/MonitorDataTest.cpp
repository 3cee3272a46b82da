#include <gtest/gtest.h>

#include <tuple>

#include "core/data/MonitorData.h"

namespace zorvex {
namespace {

TEST(MonitorData, InitMonitorDataRestoresTheInitialModel) {
    MonitorData data;
    data.ModelNumber = "M1";
    data.NumScanSets = 8;
    data.SetCell(DacFamily::L, DacTableKind::Factory, 3, 2, 99);
    data.SetDacCount(DacFamily::H, 9);
    data.CapabilityFlags[4] = true;
    data.InitMonitorData();
    EXPECT_EQ(data.ModelNumber, "");
    EXPECT_EQ(data.NumScanSets, 6);
    EXPECT_EQ(data.Cell(DacFamily::L, DacTableKind::Factory, 3, 2), 0);
    EXPECT_EQ(data.DacCount(DacFamily::H), 4);
    EXPECT_EQ(data.CapabilityFlags, (std::array<bool, 8>{}));
}

TEST(MonitorData, RefusesSlotsAndColumnsOutsideTheTables) {
    const std::tuple<int, int, bool> cases[] = {{0, 0, true},   {9, 6, true},  {10, 0, false},
                                                {-1, 0, false}, {0, 7, false}, {0, -1, false}};
    for (const auto& [slot, column, accepted] : cases) {
        MonitorData data;
        EXPECT_EQ(data.SetCell(DacFamily::V, DacTableKind::Initial, slot, column, 42), accepted);
        EXPECT_EQ(data.Cell(DacFamily::V, DacTableKind::Initial, slot, column),
                  accepted ? std::optional<int16_t>(42) : std::nullopt)
            << slot << "/" << column;
    }
}

TEST(MonitorData, ScanSetTitlesAndFlagsAcceptOnlySlotsZeroToFive) {
    MonitorData data;
    EXPECT_TRUE(data.SetScanSetTitle(5, "Night"));
    EXPECT_EQ(data.ScanSetTitle(5), "Night");
    EXPECT_FALSE(data.SetScanSetTitle(6, "Overflow"));
    EXPECT_FALSE(data.ScanSetTitle(6).has_value());
    EXPECT_FALSE(data.SetScanSetEnabled(-1, true));
    EXPECT_FALSE(data.IsScanSetEnabled(6).has_value());
    EXPECT_FALSE(data.DacName(DacFamily::L, 10).has_value());
}

}  // namespace
}  // namespace zorvex
