#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/data/MonitorData.h"
#include "core/panels/info/InfoLabels.h"
#include "core/protocol/LinkReplyHandlers.h"
#include "core/protocol/ResponseDispatcher.h"

namespace zorvex {
namespace {

class Labels : public InfoLabels {
  public:
    void SetInfoLabel(InfoLabel label, const std::string& text) override {
        set.emplace_back(label, text);
    }
    std::vector<std::pair<InfoLabel, std::string>> set;
};

struct PingCase {
    const char* text;
    bool onlineBefore;
    bool bootBefore;
    bool online;
    bool boot;
};
class PingReplies : public ::testing::TestWithParam<PingCase> {};
TEST_P(PingReplies, SetTheLinkFlagsFromThePrompt) {
    MonitorData data;
    data.MonitorOnline = GetParam().onlineBefore;
    data.BootMode = GetParam().bootBefore;
    HandlePingReply(GetParam().text, data);
    EXPECT_EQ(data.MonitorOnline, GetParam().online) << GetParam().text;
    EXPECT_EQ(data.BootMode, GetParam().boot) << GetParam().text;
}
INSTANTIATE_TEST_SUITE_P(Handlers, PingReplies,
                         ::testing::Values(PingCase{"#", false, true, true, false},
                                           PingCase{"$", false, false, true, true},
                                           PingCase{"$#", false, true, true, false},
                                           PingCase{"x$", true, true, false, true},
                                           PingCase{"x$", true, false, false, false},
                                           PingCase{"i0x4D OK#", false, true, false, true},
                                           PingCase{"i0x4D OK#", true, false, true, false},
                                           PingCase{"", true, false, false, false},
                                           PingCase{"ok\r\n#", false, false, true, false}));

struct TimeCase {
    const char* text;
    const char* hours;
    const char* cycles;
};
class OperatingTimeReplies : public ::testing::TestWithParam<TimeCase> {};
TEST_P(OperatingTimeReplies, AddTheTwoTimesWithCarriesAndReadTheCycles) {
    MonitorData data;
    Labels labels;
    HandleOperatingTimeReply(GetParam().text, data, &labels);
    EXPECT_EQ(data.OperatingHours, GetParam().hours) << GetParam().text;
    EXPECT_EQ(data.OperatingCycles, GetParam().cycles) << GetParam().text;
    EXPECT_EQ(labels.set, (std::vector<std::pair<InfoLabel, std::string>>{
                              {InfoLabel::OperatingTime, GetParam().hours},
                              {InfoLabel::OperatingCycles, GetParam().cycles}}));
}
INSTANTIATE_TEST_SUITE_P(
    Handlers, OperatingTimeReplies,
    ::testing::Values(TimeCase{"100,23,59,50\r\n0,0,0,15\r\n42\r\n#", "101:00:00:05", "42"},
                      TimeCase{"5,1,2,3\r\n0,0,0,0\r\n7\r\n#", "5:01:02:03", "7"},
                      TimeCase{"", "-2:-02:-02:-02", "-1"}, TimeCase{"#", "-2:-02:-02:-02", "-1"},
                      TimeCase{" 1, 2, 3, 4\r\n 10, 20, 30, 40\r\n -5\r\n#", "11:22:33:44", "-5"},
                      TimeCase{"\r\n1234,5,7,9\r\n0,0,0,0\r\n65529\r\n#", "1234:05:07:09", "65529"},
                      // Large sums no longer overflow: they are simply carried.
                      TimeCase{"65529,23,59,59\r\n65529,23,59,59\r\n1\r\n#", "131059:23:59:58",
                               "1"},
                      TimeCase{"0,0,0,65529\r\n0,0,0,65529\r\n0\r\n#", "1:12:24:18", "0"}));

TEST(OperatingTimeReplies, ReadAMissingNumberAsMinusOneFromTheSamePlace) {
    MonitorData data;
    HandleOperatingTimeReply("1,x,3,4\r\n0,0,0,0\r\n9\r\n#", data, nullptr);
    // Everything after the "x" reads -1 from the same place, the second line included:
    // days 1 + -1, and -1 + -1 for the rest.
    EXPECT_EQ(data.OperatingHours, "0:-02:-02:-02");
    EXPECT_EQ(data.OperatingCycles, "-1");
}

struct HvCase {
    const char* text;
    int16_t upper;
    int16_t lower;
};
class HighVoltageReplies : public ::testing::TestWithParam<HvCase> {};
TEST_P(HighVoltageReplies, StoreBothLimits) {
    MonitorData data;
    data.HvUpperLimit = 99;
    data.HvLowerLimit = 98;
    HandleHighVoltageReply(GetParam().text, data);
    EXPECT_EQ(data.HvUpperLimit, GetParam().upper) << GetParam().text;
    EXPECT_EQ(data.HvLowerLimit, GetParam().lower) << GetParam().text;
}
INSTANTIATE_TEST_SUITE_P(
    Handlers, HighVoltageReplies,
    ::testing::Values(
        HvCase{"Current Limit = 200\r\nUpper Limit = 28\r\nLower Limit = 12\r\n#", 28, 12},
        HvCase{"Lower Limit = -3.5\r\n#", 0, -4}, HvCase{"#", 0, 0},
        // A limit that does not fit 16 bits makes the answer unreadable: nothing changes.
        HvCase{"Upper Limit = 40000\r\nLower Limit = 12\r\n#", 99, 98}));

TEST(LinkReplyHandlers, AreReachedThroughTheDispatcher) {
    ResponseDispatcher dispatcher;
    MonitorData data;
    Labels labels;
    RegisterLinkReplyHandlers(dispatcher, data, labels);
    dispatcher.Dispatch("p\r\n$");
    EXPECT_TRUE(data.MonitorOnline);
    EXPECT_TRUE(data.BootMode);
    dispatcher.Dispatch("dt\r\n5,1,2,3\r\n0,0,0,0\r\n7\r\n#");
    EXPECT_EQ(data.OperatingHours, "5:01:02:03");
    dispatcher.Dispatch("du\r\n6,1,2,3\r\n0,0,0,0\r\n8\r\n#");
    EXPECT_EQ(data.OperatingCycles, "8");
    EXPECT_EQ(labels.set.size(), 4u);
    dispatcher.Dispatch("dh\r\nUpper Limit = 30\r\nLower Limit = 10\r\n#");
    EXPECT_EQ(data.HvUpperLimit, 30);
    EXPECT_EQ(data.HvLowerLimit, 10);
}

}  // namespace
}  // namespace zorvex
