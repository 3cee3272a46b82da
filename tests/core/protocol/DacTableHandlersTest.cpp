#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/data/MonitorData.h"
#include "core/protocol/DacTableHandlers.h"
#include "core/protocol/ResponseDispatcher.h"

namespace zorvex {
namespace {

constexpr int16_t Untouched = 77;

struct CellValue {
    DacFamily family;
    DacTableKind kind;
    int slot;
    int16_t value;
};

struct DacCase {
    const char* name;
    const char* block;  // as the receive path hands it over
    int16_t firmware;
    std::vector<CellValue> written;  // every other cell keeps Untouched
    int16_t column = 0;
};

MonitorData FilledModel(int16_t firmware, int16_t column) {
    MonitorData data;
    data.FirmwareVersionNumber = firmware;
    data.CurrentScanSet = column;
    for (auto& family : data.Families) {
        for (auto* table : {&family.value, &family.factory, &family.initial}) {
            for (auto& row : *table) {
                row.fill(Untouched);
            }
        }
    }
    return data;
}

class DacTableReplies : public ::testing::TestWithParam<DacCase> {};

TEST_P(DacTableReplies, FillExactlyTheCellsTheAnswerNames) {
    const DacCase& c = GetParam();
    MonitorData data = FilledModel(c.firmware, c.column);
    ResponseDispatcher dispatcher;
    RegisterDacTableHandlers(dispatcher, data);
    dispatcher.Dispatch(c.block);

    MonitorData expected = FilledModel(c.firmware, c.column);
    for (const CellValue& cell : c.written) {
        ASSERT_TRUE(expected.SetCell(cell.family, cell.kind, cell.slot, c.column, cell.value));
    }
    for (int f = 0; f < 5; ++f) {
        EXPECT_EQ(data.Families[f].value, expected.Families[f].value) << c.name << " family " << f;
        EXPECT_EQ(data.Families[f].factory, expected.Families[f].factory) << c.name << " " << f;
        EXPECT_EQ(data.Families[f].initial, expected.Families[f].initial) << c.name << " " << f;
    }
}

using F = DacFamily;
constexpr auto Fa = DacTableKind::Factory;
constexpr auto In = DacTableKind::Initial;

std::vector<CellValue> Run(DacFamily family, DacTableKind kind, int first,
                           std::vector<int16_t> values) {
    std::vector<CellValue> cells;
    for (int16_t v : values) {
        cells.push_back({family, kind, first++, v});
    }
    return cells;
}

std::vector<CellValue> Join(std::vector<CellValue> a, const std::vector<CellValue>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Short lists repeat the last number; slot 8 of H follows the counted slots; "300" stops the
// reading; family N clamps above 63 and reads pairs or quads by firmware; "X" is ignored.
const DacCase DacCases[] = {
    {"FactoryB", "ddfb\r\n12,240\r\n#", 205, Run(F::B, Fa, 0, {12, 240})},
    {"ShortListRepeatsTheLast", "ddpl\r\n1,2,3\r\n#", 205,
     Run(F::L, In, 0, {1, 2, 3, 3, 3, 3, 3, 3})},
    {"TrailingCommaStops", "ddpl\r\n1,2,\r\n#", 205, Run(F::L, In, 0, {1, 2})},
    {"FactoryV", "ddfv\r\n0,1,2,3,4,5,255\r\n#", 205, Run(F::V, Fa, 0, {0, 1, 2, 3, 4, 5, 255})},
    {"NegativeStopsAtOnce", "ddpv -1,5\r\n#", 205, {}},
    {"HSlotEight", "ddfh\r\n10,20,30,40,99\r\n#", 205,
     Join(Run(F::H, Fa, 0, {10, 20, 30, 40}), {{F::H, Fa, 8, 99}})},
    {"HSlotEightRepeatsTheLast", "ddfh\r\n10,20,30,40\r\n#", 205,
     Join(Run(F::H, Fa, 0, {10, 20, 30, 40}), {{F::H, Fa, 8, 40}})},
    {"HSlotEightTrailingCommaIsMinusOne", "ddfh\r\n10,20,30,40,\r\n#", 205,
     Join(Run(F::H, Fa, 0, {10, 20, 30, 40}), {{F::H, Fa, 8, -1}})},
    {"H300StopsAndSkipsSlotEight", "ddfh\r\n10,20,300,40,99", 205, Run(F::H, Fa, 0, {10, 20})},
    {"HSlotEightHasNoRangeTest", "ddph\r\n1,2,3,4,1000\r\n#", 205,
     Join(Run(F::H, In, 0, {1, 2, 3, 4}), {{F::H, In, 8, 1000}})},
    {"HSlotEightBeyond16Bits", "ddph\r\n1,2,3,4,40000\r\n#", 205, Run(F::H, In, 0, {1, 2, 3, 4})},
    {"HSlotEightBelow16Bits", "ddph\r\n1,2,3,4,-40000\r\n#", 205, Run(F::H, In, 0, {1, 2, 3, 4})},
    {"CurrentValuesAreStoredAsValues", "ddl\r\n1,2,3\r\n#", 205,
     Run(F::L, DacTableKind::Value, 0, {1, 2, 3, 3, 3, 3, 3, 3})},
    {"CurrentHSlotEight", "ddh 1,2,3,4,5#", 205,
     Join(Run(F::H, DacTableKind::Value, 0, {1, 2, 3, 4}), {{F::H, DacTableKind::Value, 8, 5}})},
    {"NPairClampsAbove63",
     "ddfs\r\nN factors\r\n70, 5, 20\r\n#",
     250,
     {{F::N, Fa, 0, 63}, {F::N, Fa, 1, 20}}},
    {"NPairOfTwo", "ddfs\r\nN\r\n1,2\r\n#", 250, Run(F::N, Fa, 0, {1, 2})},
    {"NPair300Stops", "ddfs\r\nN\r\n5,6,300\r\n#", 250, Run(F::N, Fa, 0, {5})},
    {"NQuadAt250", "ddps\r\ntitle\r\n1,2,3,4\r\n#", 250, Run(F::N, In, 0, {1, 2, 3, 4})},
    {"NPairAt224", "ddps\r\ntitle\r\n1,2,3,4\r\n#", 224, {{F::N, In, 0, 1}, {F::N, In, 1, 3}}},
    {"TQuadAt224", "ddft\r\nx\r\n9,8,7,6\r\n#", 224, Run(F::N, Fa, 2, {9, 8, 7, 6})},
    {"TQuadAt250", "ddft\r\nx\r\n9,8,7,6\r\n#", 250, Run(F::N, Fa, 0, {9, 8, 7, 6})},
    {"InitialTQuadAt224", "ddpt\r\nx\r\n64,1,2,3\r\n#", 224, Run(F::N, In, 2, {63, 1, 2, 3})},
    {"NamedFactoryAt250", "dds\r\nF values\r\n7,8,9,10\r\n#", 250, Run(F::N, Fa, 0, {7, 8, 9, 10})},
    {"NamedInitialLowerCaseAt224",
     "dds\r\np values\r\n7,8,9\r\n#",
     224,
     {{F::N, In, 0, 7}, {F::N, In, 1, 9}}},
    {"NamedTAlwaysQuad", "ddt\r\nP\r\n1,2,3,4\r\n#", 250, Run(F::N, In, 2, {1, 2, 3, 4})},
    {"NamedXChangesNothing", "dds\r\nX\r\n7,8\r\n#", 250, {}},
    {"NNoValueLine", "ddfs 12#", 250, Run(F::N, Fa, 0, {12, 12})},
    {"CurrentScanSetColumn", "ddfb\r\n5,6\r\n#", 205, Run(F::B, Fa, 0, {5, 6}), 3}};

INSTANTIATE_TEST_SUITE_P(Answers, DacTableReplies, ::testing::ValuesIn(DacCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DacTableRepliesOutsideTheTables, AreIgnoredForAColumnOrCountBeyondTheTables) {
    for (int16_t column : {int16_t{-1}, int16_t{7}, int16_t{8}}) {
        MonitorData data = FilledModel(250, column);
        ResponseDispatcher dispatcher;
        RegisterDacTableHandlers(dispatcher, data);
        for (const char* block : {"ddfl 1,2,3#", "ddph 1,2,3,4,5#", "ddfs\r\nx\r\n1,2,3#",
                                  "ddpt\r\nx\r\n1,2,3,4#", "dds\r\nF\r\n1,2,3,4#"}) {
            dispatcher.Dispatch(block);
        }
        const MonitorData untouched = FilledModel(250, column);
        EXPECT_EQ(data.Families[0].factory, untouched.Families[0].factory);
        EXPECT_EQ(data.Families[2].initial, untouched.Families[2].initial);
        EXPECT_EQ(data.Families[4].factory, untouched.Families[4].factory);
        EXPECT_EQ(data.Families[4].initial, untouched.Families[4].initial);
    }
    MonitorData data = FilledModel(205, 6);
    data.SetDacCount(DacFamily::L, 11);
    data.SetDacCount(DacFamily::V, 10);
    ResponseDispatcher dispatcher;
    RegisterDacTableHandlers(dispatcher, data);
    dispatcher.Dispatch("ddfl 1,2,3,4,5,6,7,8,9,10,11#");
    EXPECT_EQ(data.Family(DacFamily::L).factory, FilledModel(205, 6).Family(DacFamily::L).factory);
    dispatcher.Dispatch("ddpv 0,1,2,3,4,5,6,7,8,9#");  // a count of ten fills all ten slots
    for (int slot = 0; slot < 10; ++slot) {
        EXPECT_EQ(data.Cell(DacFamily::V, DacTableKind::Initial, slot, 6), slot);
    }
}

}  // namespace
}  // namespace zorvex
