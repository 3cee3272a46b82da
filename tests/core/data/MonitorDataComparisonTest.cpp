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
    using V = std::vector<std::string>;
    using F = DacFamily;
    const MonitorData a = testing::FullModel(205);
    const auto differences = [&a](const std::function<void(MonitorData&)>& change) {
        MonitorData b = a;
        change(b);
        return Named(CompareMonitorData(a, b));
    };
    const auto value = DacTableKind::Value;
    EXPECT_EQ(differences([](auto& b) { b.SerialNumber = "SN 004712"; }),
              V{"Serial Number|SN 004711|SN 004712"});
    // A line end left by the reply, and a slot beyond the count (not saved), show no difference.
    EXPECT_EQ(differences([](auto& b) { b.ModelNumber += "\r"; }), V{});
    EXPECT_EQ(differences([&](auto& b) { b.SetCell(F::L, value, 9, 0, 1); }), V{});
    EXPECT_EQ(differences([](auto& b) { b.SetCell(F::L, DacTableKind::Factory, 2, 2, 7); }),
              V{"ScanSet 2 L2 Red Gain factory|8|7"});
    EXPECT_EQ(differences([&](auto& b) { b.SetCell(F::H, value, 8, 0, 1); }),
              V{"ScanSet 0 H8 Horiz S Cap value|128|1"});
    // A scan set saved on one side only: its cells are not compared.
    EXPECT_EQ(differences([&](auto& b) { b.ScanSetEnabled[5] = !b.SetCell(F::L, value, 0, 5, 1); }),
              V{"ScanSet 5|present|absent"});
    EXPECT_EQ(differences([](auto& b) {
                  b.ScanSetName[0] = "Day";
                  b.SetDacCount(F::B, 1);
              }),
              (V{"NumBDacs|2|1", "ScanSet 0 ScanSetName|Day 1280x1024|Day"}));
}

TEST(MonitorDataComparison, AFileReadBackIsAlikeAndAnUnreadableOneSaysWhy) {
    const MonitorData saved = testing::FullModel(205);
    const LoadedMonitorData loaded = LoadMonitorData(BuildMdfContent(saved, {}), "a.mdv");
    ASSERT_TRUE(loaded.ok) << loaded.message;
    EXPECT_EQ(Named(CompareMonitorData(saved, loaded.data)), std::vector<std::string>{});
    // Reported without CRT numbers (a monitor family that has none), neither of them is listed.
    std::string keys;
    for (const IdentityRecord& record : IdentityRecords(saved, false)) {
        keys += std::string(record.key) + " ";
    }
    EXPECT_EQ(keys.find("crt"), std::string::npos) << keys;
    const LoadedMonitorData bad = LoadMonitorData("too short", "b.mdv");
    EXPECT_TRUE(!bad.ok && bad.message.find("b.mdv") != std::string::npos) << bad.message;
}

}  // namespace
}  // namespace zorvex
