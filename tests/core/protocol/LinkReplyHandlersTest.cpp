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

using LabelWrites = std::vector<std::pair<InfoLabel, std::string>>;

class Labels : public InfoLabels {
  public:
    void SetInfoLabel(InfoLabel label, const std::string& text) override {
        set.emplace_back(label, text);
    }
    LabelWrites set;
};

TEST(PingReplies, SetTheLinkFlagsFromThePrompt) {
    struct Case {
        const char* text;
        bool onlineBefore, bootBefore, online, boot;
    };
    const Case cases[] = {
        {"#", false, true, true, false},         {"$", false, false, true, true},
        {"$#", false, true, true, false},        {"x$", true, true, false, true},
        {"x$", true, false, false, false},       {"i0x4D OK#", false, true, false, true},
        {"i0x4D OK#", true, false, true, false}, {"", true, false, false, false},
        {"ok\r\n#", false, false, true, false}};
    for (const Case& c : cases) {
        MonitorData data;
        data.MonitorOnline = c.onlineBefore;
        data.BootMode = c.bootBefore;
        HandlePingReply(c.text, data);
        EXPECT_EQ(data.MonitorOnline, c.online) << c.text << c.onlineBefore << c.bootBefore;
        EXPECT_EQ(data.BootMode, c.boot) << c.text << c.onlineBefore << c.bootBefore;
    }
}

TEST(OperatingTimeReplies, AddTheTwoTimesWithCarriesAndReadTheCycles) {
    struct Case {
        const char* text;
        const char* hours;
        const char* cycles;
    };
    const Case cases[] = {
        {"100,23,59,50\r\n0,0,0,15\r\n42\r\n#", "101:00:00:05", "42"},
        {" 1, 2, 3, 4\r\n 10, 20, 30, 40\r\n -5\r\n#", "11:22:33:44", "-5"},
        {"\r\n1234,5,7,9\r\n0,0,0,0\r\n70000\r\n#", "1234:05:07:09", "70000"},
        // Large sums are simply carried.
        {"65529,23,59,59\r\n65529,23,59,59\r\n1\r\n#", "131059:23:59:58", "1"},
        {"0,0,0,65529\r\n0,0,0,65529\r\n0\r\n#", "1:12:24:18", "0"},
        // An answer without all its numbers keeps what was stored (here "7:00:00:00", "3").
        {"", nullptr, nullptr},
        {"1,x,3,4\r\n0,0,0,0\r\n9\r\n#", nullptr, nullptr},
        {"1,2,3,4\r\n0,0,0,0\r\n99999999999\r\n#", nullptr, nullptr}};
    for (const Case& c : cases) {
        MonitorData data;
        data.OperatingHours = "7:00:00:00";
        data.OperatingCycles = "3";
        Labels labels;
        HandleOperatingTimeReply(c.text, data, &labels);
        EXPECT_EQ(data.OperatingHours, c.hours ? c.hours : "7:00:00:00") << c.text;
        EXPECT_EQ(data.OperatingCycles, c.cycles ? c.cycles : "3") << c.text;
        EXPECT_EQ(labels.set.size(), c.hours ? 2u : 0u) << c.text;
    }
    MonitorData data;  // with no window to show it in
    HandleOperatingTimeReply("5,1,2,3\r\n0,0,0,0\r\n7\r\n#", data, nullptr);
    EXPECT_EQ(data.OperatingHours, "5:01:02:03");
}

TEST(HighVoltageReplies, StoreBothLimits) {
    struct Case {
        const char* text;
        int16_t upper, lower;
    };
    const Case cases[] = {
        {"Current Limit = 200\r\nUpper Limit = 28\r\nLower Limit = 12\r\n#", 28, 12},
        // A limit the answer does not hold keeps its value.
        {"Lower Limit = -3.5\r\n#", 99, -4},
        {"Boot loader: command not available\r\n$", 99, 98},
        {"Upper Limit = \r\nLower Limit = 12\r\n#", 99, 12},
        // A limit that does not fit 16 bits makes the answer unreadable: nothing changes.
        {"Upper Limit = 40000\r\nLower Limit = 12\r\n#", 99, 98}};
    for (const Case& c : cases) {
        MonitorData data;
        data.HvUpperLimit = 99;
        data.HvLowerLimit = 98;
        HandleHighVoltageReply(c.text, data);
        EXPECT_EQ(data.HvUpperLimit, c.upper) << c.text;
        EXPECT_EQ(data.HvLowerLimit, c.lower) << c.text;
    }
}

TEST(LinkReplyHandlers, AreReachedThroughTheDispatcher) {
    ResponseDispatcher dispatcher;
    MonitorData data;
    Labels labels;
    RegisterLinkReplyHandlers(dispatcher, data, labels);
    for (const char* block :
         {"p\r\n$", "dt\r\n5,1,2,3\r\n0,0,0,0\r\n7\r\n#", "du\r\n6,1,2,3\r\n0,0,0,0\r\n8\r\n#",
          "dh\r\nUpper Limit = 30\r\nLower Limit = 10\r\n#"}) {
        dispatcher.Dispatch(block);
    }
    EXPECT_TRUE(data.MonitorOnline && data.BootMode);
    EXPECT_EQ(data.OperatingHours, "6:01:02:03");
    EXPECT_EQ(data.OperatingCycles, "8");
    EXPECT_EQ(labels.set.size(), 4u);
    EXPECT_EQ(data.HvUpperLimit, 30);
    EXPECT_EQ(data.HvLowerLimit, 10);
}

}  // namespace
}  // namespace zorvex
