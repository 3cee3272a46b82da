#include <gtest/gtest.h>

#include "core/data/MonitorData.h"

namespace zorvex {
namespace {

TEST(MonitorData, StartsWithTheInitialModel) {
    MonitorData data;
    data.ModelNumber = "M1";
    data.NumScanSets = 8;
    data.SetCell(DacFamily::L, DacTableKind::Factory, 3, 2, 99);
    data.CapabilityFlags[4] = true;
    data.InitMonitorData();

    EXPECT_EQ(data.ModelNumber, "");
    EXPECT_EQ(data.FirmwareVersionNumber, 0);
    EXPECT_EQ(data.NumScanSets, 6);
    EXPECT_EQ(data.CurrentScanSet, 0);
    EXPECT_EQ(data.DacCount(DacFamily::L), 8);
    EXPECT_EQ(data.DacCount(DacFamily::B), 2);
    EXPECT_EQ(data.DacCount(DacFamily::H), 4);
    EXPECT_EQ(data.DacCount(DacFamily::V), 7);
    EXPECT_EQ(data.DacCount(DacFamily::N), 6);
    for (auto family : {DacFamily::L, DacFamily::B, DacFamily::H, DacFamily::V, DacFamily::N}) {
        for (auto kind : {DacTableKind::Value, DacTableKind::Factory, DacTableKind::Initial}) {
            for (int slot = 0; slot < MaxDacsPerFamily; ++slot) {
                for (int column = 0; column < MaxScanSetSlots; ++column) {
                    ASSERT_EQ(data.Cell(family, kind, slot, column), 0);
                }
            }
        }
    }
    EXPECT_EQ(data.ScanSetEnabled, (std::array<bool, 6>{true, false, false, false, false, false}));
    EXPECT_EQ(data.ScanSetName[0], "Scan Set 1 Title");
    EXPECT_EQ(data.ScanSetName[5], "Scan Set 6 Title");
    EXPECT_EQ(data.CapabilityFlags, (std::array<bool, 8>{}));
    EXPECT_FALSE(data.FileIsOpen);
    EXPECT_EQ(data.DiskFileNum, 0);
}

TEST(MonitorData, NameTablesKeepTheirIrregularSlots) {
    MonitorData data;
    EXPECT_EQ(data.DacName(DacFamily::H, 8), "Horiz S Cap");
    for (int slot : {4, 5, 6, 7, 9}) {
        EXPECT_EQ(data.DacName(DacFamily::H, slot), "") << slot;
    }
    for (int slot : {3, 4, 5}) {
        EXPECT_EQ(data.DacName(DacFamily::N, slot), "") << slot;
    }
    EXPECT_EQ(data.DacName(DacFamily::L, 7), "Blue Offset");
    EXPECT_EQ(data.DacName(DacFamily::V, 6), "Horiz Bow");
    EXPECT_EQ(data.DacName(DacFamily::N, 2), "North-South Phase");
}

struct CellCase {
    int slot;
    int column;
    bool accepted;
};

class CellAccess : public ::testing::TestWithParam<CellCase> {};

TEST_P(CellAccess, RefusesSlotsAndColumnsOutsideTheTables) {
    MonitorData data;
    const auto [slot, column, accepted] = GetParam();
    EXPECT_EQ(data.SetCell(DacFamily::V, DacTableKind::Initial, slot, column, 42), accepted);
    EXPECT_EQ(data.Cell(DacFamily::V, DacTableKind::Initial, slot, column).has_value(), accepted);
    if (accepted) {
        EXPECT_EQ(data.Cell(DacFamily::V, DacTableKind::Initial, slot, column), 42);
        EXPECT_EQ(data.Cell(DacFamily::V, DacTableKind::Factory, slot, column), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Bounds, CellAccess,
                         ::testing::Values(CellCase{0, 0, true}, CellCase{9, 6, true},
                                           CellCase{10, 0, false}, CellCase{-1, 0, false},
                                           CellCase{0, 7, false}, CellCase{0, -1, false}));

TEST(MonitorData, ScanSetTitlesAndFlagsAcceptOnlySlotsZeroToFive) {
    MonitorData data;
    EXPECT_TRUE(data.SetScanSetTitle(5, "Night"));
    EXPECT_EQ(data.ScanSetTitle(5), "Night");
    EXPECT_FALSE(data.SetScanSetTitle(6, "Overflow"));
    EXPECT_FALSE(data.ScanSetTitle(6).has_value());
    EXPECT_FALSE(data.SetScanSetEnabled(-1, true));
    EXPECT_TRUE(data.SetScanSetEnabled(3, true));
    EXPECT_EQ(data.IsScanSetEnabled(3), true);
    EXPECT_FALSE(data.IsScanSetEnabled(6).has_value());
    EXPECT_FALSE(data.DacName(DacFamily::L, 10).has_value());
}

}  // namespace
}  // namespace zorvex
