#include <gtest/gtest.h>

#include "core/data/MonitorData.h"

namespace zorvex {
namespace {

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
