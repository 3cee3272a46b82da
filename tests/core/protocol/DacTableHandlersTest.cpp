#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <tuple>

#include "core/data/MonitorData.h"
#include "core/protocol/DacTableHandlers.h"
#include "core/protocol/ResponseDispatcher.h"

namespace zorvex {
namespace {

constexpr int16_t Untouched = 77;

MonitorData FilledModel(int16_t firmware, int16_t column) {
    MonitorData data;
    data.FirmwareVersionNumber = firmware;
    data.CurrentScanSet = column;
    DacTable filled;
    for (auto& row : filled) {
        row.fill(Untouched);
    }
    for (auto& family : data.Families) {
        family.value = family.factory = family.initial = filled;
    }
    return data;
}

// Runs of written cells, blank separated: table (f: factory, p: initial, c: current value),
// family letter, first slot, "=" and the values of the following slots, e.g. "fH0=1,2 fH8=5".
MonitorData Expected(int16_t firmware, int16_t column, const std::string& runs) {
    MonitorData data = FilledModel(firmware, column);
    std::istringstream in(runs);
    std::string run;
    while (in >> run) {
        const auto kind = static_cast<DacTableKind>(std::string("cfp").find(run[0]));
        std::istringstream values(run.substr(run.find('=') + 1));
        int slot = std::stoi(run.substr(2));
        for (std::string v; std::getline(values, v, ',');) {
            EXPECT_TRUE(data.SetCell(*DacFamilyFromLetter(run[1]), kind, slot++, column,
                                     static_cast<int16_t>(std::stoi(v))));
        }
    }
    return data;
}

// The blocks handed to the handlers, as the receive path hands them over; then every cell of
// every table checked against the expected model.
void ExpectCells(MonitorData data, std::initializer_list<const char*> blocks,
                 const MonitorData& expected) {
    ResponseDispatcher dispatcher;
    RegisterDacTableHandlers(dispatcher, data);
    for (const char* block : blocks) {
        dispatcher.Dispatch(block);
    }
    for (int f = 0; f < 5; ++f) {
        const auto &a = data.Families[f], &b = expected.Families[f];
        EXPECT_EQ(std::tie(a.value, a.factory, a.initial), std::tie(b.value, b.factory, b.initial))
            << *blocks.begin() << " family " << f;
    }
}

// Short lists repeat the last number; slot 8 of H follows the counted slots; "300" stops the
// reading; family N clamps above 63 and reads pairs or quads by firmware; "X" is ignored; a
// scan set outside the tables takes nothing.
TEST(DacTableReplies, FillExactlyTheCellsTheAnswerNames) {
    // The block, the firmware, the cells written (every other keeps Untouched), the scan set.
    const std::tuple<const char*, int16_t, const char*, int16_t> cases[] = {
        {"ddfb\r\n12,240\r\n#", 205, "fB0=12,240", 0},
        {"ddpl\r\n1,2,3\r\n#", 205, "pL0=1,2,3,3,3,3,3,3", 0},
        {"ddpl\r\n1,2,\r\n#", 205, "pL0=1,2", 0},
        {"ddfv\r\n0,1,2,3,4,5,255\r\n#", 205, "fV0=0,1,2,3,4,5,255", 0},
        {"ddpv -1,5\r\n#", 205, "", 0},
        {"ddfh\r\n10,20,30,40,99\r\n#", 205, "fH0=10,20,30,40 fH8=99", 0},
        {"ddfh\r\n10,20,30,40\r\n#", 205, "fH0=10,20,30,40 fH8=40", 0},
        {"ddfh\r\n10,20,30,40,\r\n#", 205, "fH0=10,20,30,40 fH8=-1", 0},
        {"ddfh\r\n10,20,300,40,99", 205, "fH0=10,20", 0},
        {"ddph\r\n1,2,3,4,1000\r\n#", 205, "pH0=1,2,3,4 pH8=1000", 0},
        {"ddph\r\n1,2,3,4,40000\r\n#", 205, "pH0=1,2,3,4", 0},
        {"ddph\r\n1,2,3,4,-40000\r\n#", 205, "pH0=1,2,3,4", 0},
        {"ddl\r\n1,2,3\r\n#", 205, "cL0=1,2,3,3,3,3,3,3", 0},
        {"ddh 1,2,3,4,5#", 205, "cH0=1,2,3,4 cH8=5", 0},
        {"ddfs\r\nN factors\r\n70, 5, 20\r\n#", 250, "fN0=63,20", 0},
        {"ddfs\r\nN\r\n5,6,300\r\n#", 250, "fN0=5", 0},
        {"ddps\r\ntitle\r\n1,2,3,4\r\n#", 250, "pN0=1,2,3,4", 0},
        {"ddps\r\ntitle\r\n1,2,3,4\r\n#", 224, "pN0=1,3", 0},
        {"ddft\r\nx\r\n9,8,7,6\r\n#", 224, "fN2=9,8,7,6", 0},
        {"ddft\r\nx\r\n9,8,7,6\r\n#", 250, "fN0=9,8,7,6", 0},
        {"ddpt\r\nx\r\n64,1,2,3\r\n#", 224, "pN2=63,1,2,3", 0},
        {"dds\r\nF values\r\n7,8,9,10\r\n#", 250, "fN0=7,8,9,10", 0},
        {"dds\r\np values\r\n7,8,9\r\n#", 224, "pN0=7,9", 0},
        {"ddt\r\nP\r\n1,2,3,4\r\n#", 250, "pN2=1,2,3,4", 0},
        {"dds\r\nX\r\n7,8\r\n#", 250, "", 0},
        {"ddfs 12#", 250, "fN0=12,12", 0},
        {"ddfb\r\n5,6\r\n#", 205, "fB0=5,6", 6},
        {"ddfl 1,2,3#", 250, "", -1},
        {"ddph 1,2,3,4,5#", 250, "", 7},
        {"ddfs\r\nx\r\n1,2,3#", 250, "", 7},
        {"ddpt\r\nx\r\n1,2,3,4#", 250, "", -1}};
    for (const auto& [block, firmware, written, column] : cases) {
        ExpectCells(FilledModel(firmware, column), {block}, Expected(firmware, column, written));
    }
}

TEST(DacTableReplies, ACountBeyondTheTablesReadsNothingAndACountOfTenFillsEverySlot) {
    MonitorData data = FilledModel(205, 6);
    data.SetDacCount(DacFamily::L, 11);
    data.SetDacCount(DacFamily::V, 10);
    ExpectCells(data, {"ddfl 1,2,3,4,5,6,7,8,9,10,11#", "ddpv 0,1,2,3,4,5,6,7,8,9#"},
                Expected(205, 6, "pV0=0,1,2,3,4,5,6,7,8,9"));
}

}  // namespace
}  // namespace zorvex
