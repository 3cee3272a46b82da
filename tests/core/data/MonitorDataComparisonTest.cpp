#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "SampleModels.h"
#include "core/data/MdfWriter.h"
#include "core/data/MonitorDataComparison.h"

namespace zorvex {
namespace {

// Each difference as "subject|a|b".
std::vector<std::string> Named(const std::vector<MonitorDataDifference>& differences) {
    std::vector<std::string> named;
    for (const auto& d : differences) {
        named.push_back(DifferenceSubject(d) + "|" + d.a + "|" + d.b);
    }
    return named;
}

TEST(MonitorDataComparison, NamesExactlyWhatASaveOfEachSideWouldShowDifferently) {
    struct Case {
        const char* what;
        std::function<void(MonitorData&)> change;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"serial",
         [](MonitorData& b) { b.SerialNumber = "SN 004712"; },
         {"Serial Number|SN 004711|SN 004712"}},
        {"a line end left by the reply", [](MonitorData& b) { b.ModelNumber += "\r"; }, {}},
        {"one cell",
         [](MonitorData& b) { b.SetCell(DacFamily::L, DacTableKind::Factory, 2, 2, 7); },
         {"ScanSet 2 L2 Red Gain factory|8|7"}},
        {"H slot 8 beyond the count",
         [](MonitorData& b) { b.SetCell(DacFamily::H, DacTableKind::Value, 8, 0, 1); },
         {"ScanSet 0 H8 Horiz S Cap value|128|1"}},
        {"slot beyond the count, not saved",
         [](MonitorData& b) { b.SetCell(DacFamily::L, DacTableKind::Value, 9, 0, 1); },
         {}},
        {"scan set saved on one side only, its cells not compared",
         [](MonitorData& b) {
             b.ScanSetEnabled[5] = false;
             b.SetCell(DacFamily::L, DacTableKind::Value, 0, 5, 1);
         },
         {"ScanSet 5|present|absent"}},
        {"title and count",
         [](MonitorData& b) {
             b.ScanSetName[0] = "Day";
             b.SetDacCount(DacFamily::B, 1);
         },
         {"NumBDacs|2|1", "ScanSet 0 ScanSetName|Day 1280x1024|Day"}},
    };
    const MonitorData a = testing::FullModel(205);
    for (const Case& c : cases) {
        MonitorData b = a;
        c.change(b);
        EXPECT_EQ(Named(CompareMonitorData(a, b)), c.expected) << c.what;
    }
}

TEST(MonitorDataComparison, AFileReadBackIsAlikeAndAnUnreadableOneSaysWhy) {
    const MonitorData saved = testing::FullModel(205);
    const LoadedMonitorData loaded = LoadMonitorData(BuildMdfContent(saved, {}), "a.mdv");
    ASSERT_TRUE(loaded.ok) << loaded.message;
    EXPECT_EQ(Named(CompareMonitorData(saved, loaded.data)), std::vector<std::string>{});
    const LoadedMonitorData bad = LoadMonitorData("too short", "b.mdv");
    EXPECT_FALSE(bad.ok);
    EXPECT_NE(bad.message.find("b.mdv"), std::string::npos) << bad.message;
}

}  // namespace
}  // namespace zorvex
