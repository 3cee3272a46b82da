// The simulator's link and peek/poke answers taken in by the tool's own handlers.
#include <gtest/gtest.h>

#include <string>

#include "Controller.h"
#include "SimReplyBlocks.h"
#include "core/data/MonitorData.h"
#include "core/panels/diagnostics/PeekPoke.h"
#include "core/panels/info/InfoLabels.h"
#include "core/protocol/LinkReplyHandlers.h"
#include "core/protocol/ResponseDispatcher.h"

namespace zorvex::sim {
namespace {

using testing::FrameReplies;

class NoLabels : public InfoLabels {
  public:
    void SetInfoLabel(InfoLabel, const std::string&) override {}
};

class Boxes : public PeekPokeBoxes {
  public:
    void SetAddressBox(const std::string& text) override { address = text; }
    void SetDataByteBox(const std::string& text) override { byte = text; }
    void SetDataWordBox(const std::string& text) override { word = text; }
    void SetDataCharBox(const std::string& text) override { character = text; }
    std::string address, byte, word, character;
};

class SimThroughHandlers : public ::testing::Test {
  protected:
    SimThroughHandlers() {
        RegisterLinkReplyHandlers(dispatcher, data, labels);
        peekPoke.Register(dispatcher);
    }
    // Sends the commands in turn, framing the answers as one stream as the tool does.
    void Exchange(std::initializer_list<const char*> commands) {
        std::string traffic;
        for (const char* command : commands) {
            traffic += controller.Answer(command);
        }
        auto framed = FrameReplies(traffic);
        ASSERT_EQ(framed.blocks.size(), commands.size());
        for (const std::string& block : framed.blocks) {
            dispatcher.Dispatch(block);
        }
    }

    Controller controller;
    MonitorData data;
    NoLabels labels;
    Boxes boxes;
    PeekPokeReplies peekPoke{boxes};
    ResponseDispatcher dispatcher;
};

TEST_F(SimThroughHandlers, ThePingAnswerBringsTheMonitorOnlineInNormalMode) {
    Exchange({"p"});
    EXPECT_TRUE(data.MonitorOnline);
    EXPECT_FALSE(data.BootMode);
}

TEST(SimThroughHandlersBoot, ThePingAnswerOfTheBootLoaderMeansBootMode) {
    Controller controller(true);
    MonitorData data;
    auto framed = FrameReplies(controller.Answer("p"));
    ASSERT_EQ(framed.blocks.size(), 1u);
    HandlePingReply(ResponseDispatcher::Resolve(framed.blocks.front()).rest, data);
    EXPECT_TRUE(data.MonitorOnline);
    EXPECT_TRUE(data.BootMode);
}

TEST_F(SimThroughHandlers, TheOperatingTimeIsTheStoredTimePlusTheTimeSincePowerUp) {
    controller.SetUptimeSeconds(50 * 60 + 55);
    Exchange({"dt"});
    // 1234 d 05:07:09 stored, plus 00:50:55 since power-up.
    EXPECT_EQ(data.OperatingHours, "1234:05:58:04");
    EXPECT_EQ(data.OperatingCycles, std::to_string(controller.identity().cycles));
}

TEST_F(SimThroughHandlers, TheHighVoltageLimitsArriveInTheModel) {
    Exchange({"dh"});
    EXPECT_EQ(data.HvUpperLimit, controller.identity().upperLimit);
    EXPECT_EQ(data.HvLowerLimit, controller.identity().lowerLimit);
}

TEST_F(SimThroughHandlers, APeekAndPokeSessionFillsTheBoxes) {
    Exchange({"a0x2000", "wb0x41", "a+", "wb0x42", "a-", "rb", "rw", "rc"});
    EXPECT_EQ(boxes.address, "0x2000");
    EXPECT_EQ(boxes.byte, "0x41");
    EXPECT_EQ(boxes.word, "0x4142");
    EXPECT_EQ(boxes.character, "A");
}

TEST_F(SimThroughHandlers, TheAddressStepsShowInTheAddressBox) {
    Exchange({"a0x00ff", "a+"});
    EXPECT_EQ(boxes.address, "0x0100");
    Exchange({"a-", "a-"});
    EXPECT_EQ(boxes.address, "0x00FE");
}

}  // namespace
}  // namespace zorvex::sim
