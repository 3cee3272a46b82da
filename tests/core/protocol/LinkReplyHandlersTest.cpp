#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "core/data/MonitorData.h"
#include "core/panels/info/InfoLabels.h"
#include "core/protocol/LinkReplyHandlers.h"
#include "core/protocol/ResponseDispatcher.h"

namespace zorvex {
namespace {

using TextCase = std::pair<const char*, const char*>;

struct Labels : InfoLabels {
    void SetInfoLabel(InfoLabel, const std::string&) override { ++set; }
    int set = 0;
};

TEST(PingReplies, SetTheLinkFlagsFromThePrompt) {
    // The reply, then online and boot mode before and after it ("1" set, "0" clear).
    const char* cases[][3] = {
        {"#", "01", "10"},         {"$", "00", "11"},  {"$#", "01", "10"},
        {"x$", "11", "01"},        {"x$", "10", "00"}, {"i0x4D OK#", "01", "01"},
        {"i0x4D OK#", "10", "10"}, {"", "10", "00"},   {"ok\r\n#", "00", "10"}};
    for (const auto& [text, before, after] : cases) {
        MonitorData data;
        data.MonitorOnline = before[0] == '1';
        data.BootMode = before[1] == '1';
        HandlePingReply(text, data);
        EXPECT_EQ(std::to_string(data.MonitorOnline) + std::to_string(data.BootMode), after)
            << text << " from " << before;
    }
}

TEST(OperatingTimeReplies, AddTheTwoTimesWithCarriesAndReadTheCycles) {
    // An answer without all its numbers keeps what was stored ("7:00:00:00 3", no label).
    const TextCase cases[] = {{"100,23,59,50\r\n0,0,0,15\r\n42\r\n#", "101:00:00:05 42 2"},
                              {" 1, 2, 3, 4\r\n 10, 20, 30, 40\r\n -5\r\n#", "11:22:33:44 -5 2"},
                              {"\r\n1234,5,7,9\r\n0,0,0,0\r\n70000\r\n#", "1234:05:07:09 70000 2"},
                              // Large sums are simply carried.
                              {"65529,23,59,59\r\n65529,23,59,59\r\n1\r\n#", "131059:23:59:58 1 2"},
                              {"0,0,0,65529\r\n0,0,0,65529\r\n0\r\n#", "1:12:24:18 0 2"},
                              {"", "7:00:00:00 3 0"},
                              {"1,x,3,4\r\n0,0,0,0\r\n9\r\n#", "7:00:00:00 3 0"},
                              {"1,2,3,4\r\n0,0,0,0\r\n99999999999\r\n#", "7:00:00:00 3 0"}};
    for (const auto& [text, seen] : cases) {
        MonitorData data;
        data.OperatingHours = "7:00:00:00";
        data.OperatingCycles = "3";
        Labels labels;
        HandleOperatingTimeReply(text, data, &labels);
        EXPECT_EQ(
            data.OperatingHours + " " + data.OperatingCycles + " " + std::to_string(labels.set),
            seen)
            << text;
    }
    MonitorData data;  // with no window to show it in
    HandleOperatingTimeReply("5,1,2,3\r\n0,0,0,0\r\n7\r\n#", data, nullptr);
    EXPECT_EQ(data.OperatingHours, "5:01:02:03");
}

TEST(HighVoltageReplies, StoreBothLimits) {
    // A limit the answer does not hold keeps its value (upper 99, lower 98); one that does not
    // fit 16 bits makes the answer unreadable: nothing changes.
    const TextCase cases[] = {
        {"Current Limit = 200\r\nUpper Limit = 28\r\nLower Limit = 12\r\n#", "28 12"},
        {"Lower Limit = -3.5\r\n#", "99 -4"},
        {"Boot loader: command not available\r\n$", "99 98"},
        {"Upper Limit = \r\nLower Limit = 12\r\n#", "99 12"},
        {"Upper Limit = 40000\r\nLower Limit = 12\r\n#", "99 98"},
        {"Upper Limit = 12\r\nLower Limit = -40000\r\n#", "99 98"}};
    for (const auto& [text, seen] : cases) {
        MonitorData data;
        data.HvUpperLimit = 99;
        data.HvLowerLimit = 98;
        HandleHighVoltageReply(text, data);
        EXPECT_EQ(std::to_string(data.HvUpperLimit) + " " + std::to_string(data.HvLowerLimit), seen)
            << text;
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
    EXPECT_EQ(std::to_string(data.MonitorOnline && data.BootMode) + " " + data.OperatingHours +
                  " " + data.OperatingCycles + " " + std::to_string(labels.set) + " " +
                  std::to_string(data.HvUpperLimit * 100 + data.HvLowerLimit),
              "1 6:01:02:03 8 4 3010");
}

}  // namespace
}  // namespace zorvex
