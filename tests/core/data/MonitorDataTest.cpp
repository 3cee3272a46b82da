#include <gtest/gtest.h>

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
    const MonitorData initial;
    EXPECT_EQ(data.ModelNumber + std::to_string(data.NumScanSets), "6");
    EXPECT_EQ(data.Family(DacFamily::L).factory, initial.Family(DacFamily::L).factory);
    EXPECT_EQ(data.DacCount(DacFamily::H), 4);
    EXPECT_EQ(data.CapabilityFlags, initial.CapabilityFlags);
}

TEST(MonitorData, RefusesSlotsColumnsAndScanSetsOutsideTheTables) {
    // slot, column: accepted when both lie within 0..9 and 0..6
    for (const auto& [slot, column] :
         {std::pair{0, 0}, {9, 6}, {10, 0}, {-1, 0}, {0, 7}, {0, -1}}) {
        MonitorData data;
        const bool inside = slot >= 0 && slot <= 9 && column >= 0 && column <= 6;
        EXPECT_EQ(data.SetCell(DacFamily::V, DacTableKind::Initial, slot, column, 42), inside);
        EXPECT_EQ(data.Cell(DacFamily::V, DacTableKind::Initial, slot, column),
                  inside ? std::optional<int16_t>(42) : std::nullopt)
            << slot << "/" << column;
    }
    MonitorData data;  // titles and flags: scan sets 0 to 5
    EXPECT_TRUE(data.SetScanSetTitle(5, "Night") && data.ScanSetTitle(5) == "Night");
    EXPECT_FALSE(data.SetScanSetTitle(6, "Overflow") || data.ScanSetTitle(6).has_value());
    EXPECT_FALSE(data.SetScanSetEnabled(-1, true) || data.IsScanSetEnabled(6).has_value());
    EXPECT_FALSE(data.DacName(DacFamily::L, 10).has_value());
}

}  // namespace
}  // namespace zorvex
