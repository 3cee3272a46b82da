#include <gtest/gtest.h>

#include "LinkRig.h"

namespace zorvex::testing {
namespace {

using Blocks = std::vector<std::string>;

class ReceivePathTest : public ::testing::Test {
  protected:
    ReceivePathTest() {
        rig.port.Open(1);
        rig.rx.SetTrafficLog(&log);
    }
    // Puts the path just after a prompt and its CR, the usual state between answers.
    void AfterPrompt() {
        rig.port.Receive("#\r\n");
        rig.blocks.clear();
    }
    LinkRig rig;
    RecordingTrafficLog log;
};

struct FramingCase {
    const char* received;
    Blocks blocks;
    const char* left;  // what stays in ReceiveBuffer
};
class ReceiveFraming : public ::testing::TestWithParam<FramingCase> {};

// Each case is fed whole and then again one character per event: the blocks are the same.
TEST_P(ReceiveFraming, CutsTheSameBlocksHoweverTheTextIsSplitIntoEvents) {
    for (bool oneByOne : {false, true}) {
        LinkRig fresh;
        fresh.port.Open(1);
        fresh.port.Receive("#\r\n");
        fresh.blocks.clear();
        const std::string text = GetParam().received;
        if (oneByOne) {
            for (char c : text) {
                fresh.port.Receive(std::string(1, c));
            }
        } else {
            fresh.port.Receive(text);
        }
        EXPECT_EQ(fresh.blocks, GetParam().blocks) << "one by one: " << oneByOne;
        EXPECT_EQ(fresh.rx.ReceiveBuffer(), GetParam().left) << "one by one: " << oneByOne;
    }
}
INSTANTIATE_TEST_SUITE_P(
    Link, ReceiveFraming,
    ::testing::Values(FramingCase{"OK\r\n#\r\n", {"OK\r\n#"}, ""},
                      FramingCase{"ab\r\ncd\r\n#\r\n", {"ab\r\ncd\r\n#"}, ""},
                      FramingCase{"#$", {"#", "$"}, ""},
                      // Only the first CR after a prompt is dropped, even with text between.
                      FramingCase{"#\r\r\n#", {"#", "\r\n#"}, ""}, FramingCase{"#x\r", {"#"}, "x"},
                      FramingCase{"\n\na\n\nb\r\n\n#", {"ab\r\n#"}, ""},
                      // Text with nothing outstanding goes into the next block.
                      FramingCase{"stray\r\np\r\n#", {"stray\r\np\r\n#"}, ""},
                      FramingCase{"junk!\r\n", {}, ""}));

TEST_F(ReceivePathTest, AnExclamationMarkStartsTheKickOnlyWhenItLeavesTheQueueEmpty) {
    rig.port.Receive("junk!");
    EXPECT_FALSE(rig.queue.ResendPending());
    EXPECT_TRUE(rig.queue.KickTimer().IsActive());
    EXPECT_EQ(rig.queue.KickTimer().Interval(), 1000);
    rig.clock.Advance(500);
    EXPECT_TRUE(rig.port.writes.empty());
    rig.queue.QueueCommand("de\r\n");
    rig.queue.QueueCommand("df\r\n");
    rig.clock.Advance(400);  // the write at 100 starts the kick with 2000 ms
    rig.port.Receive("!");
    EXPECT_EQ(rig.queue.KickTimer().Interval(), 2000);
}

TEST_F(ReceivePathTest, DispatchesBeforeTheQueueIsFreedSoACommandQueuedThereWaitsItsTurn) {
    bool awaitingDuringDispatch = false;
    rig.dispatcher.Register(ReplyHandlerId::FirmwareVersion, [&](std::string_view) {
        awaitingDuringDispatch = rig.queue.AwaitingReply();
        rig.queue.QueueCommand("de\r\n");
    });
    rig.queue.QueueCommand("df\r\n");
    rig.clock.Advance(100);
    rig.Answer("df", "#", "V 2.05\r\n");
    EXPECT_TRUE(awaitingDuringDispatch);
    rig.clock.Advance(100);
    EXPECT_EQ(rig.Writes(), (Blocks{"df\r\n", "de\r\n"}));
    EXPECT_EQ(rig.port.writes[1].atMs, 200);
}

TEST_F(ReceivePathTest, APromptBeforeTheTakenCommandIsWrittenIsNotItsAnswer) {
    rig.queue.QueueCommand("df\r\n");
    rig.queue.QueueCommand("de\r\n");
    rig.clock.Advance(50);
    rig.port.Receive("#");  // "df" has not gone out yet
    rig.clock.Advance(1000);
    EXPECT_EQ(rig.Writes(), (Blocks{"df\r\n"}));
    rig.port.Receive("#");
    rig.clock.Advance(100);
    EXPECT_EQ(rig.Writes(), (Blocks{"df\r\n", "de\r\n"}));
}

TEST_F(ReceivePathTest, FeedsTheLogOnlyWhileLoggingIsOn) {
    rig.port.Receive("ab\r\n#\r\n");
    rig.link.CommLogEnabled = true;
    rig.port.Receive("cd\r\n#\r\n");
    EXPECT_EQ(log.text, "cd<CR>#<CR>");
    EXPECT_EQ(rig.blocks, (Blocks{"ab\r\n#", "cd\r\n#"}));
}

TEST_F(ReceivePathTest, DeliversABlockThatFillsTheBoundExactlyWhole) {
    AfterPrompt();
    const std::string text(ReceivePath::ReceiveBufferLimit - 1, 'a');
    rig.port.Receive(text);
    rig.port.Receive("#");
    EXPECT_EQ(rig.blocks, Blocks{text + "#"});
}

TEST_F(ReceivePathTest, DropsABlockThatOutgrowsTheBoundAndRecoversAtItsPrompt) {
    rig.queue.QueueCommand("dt\r\n");
    rig.queue.QueueCommand("dh\r\n");
    rig.clock.Advance(100);
    for (int i = 0; i < 40; ++i) {
        rig.port.Receive(std::string(4096, 'z') + "\r\n");
        EXPECT_LE(rig.rx.ReceiveBuffer().size(), ReceivePath::ReceiveBufferLimit);
    }
    EXPECT_TRUE(rig.rx.Overflowed());
    rig.port.Receive("#\r\n");
    EXPECT_TRUE(rig.blocks.empty());
    EXPECT_FALSE(rig.rx.Overflowed());
    EXPECT_FALSE(rig.queue.ResendPending());
    rig.clock.Advance(100);
    EXPECT_EQ(rig.Count("dh\r\n"), 1);
    rig.Answer("dh", "#", "Upper Limit = 3\r\n");
    EXPECT_EQ(rig.blocks, Blocks{"dh\r\nUpper Limit = 3\r\n#"});
}

TEST_F(ReceivePathTest, RestartsTheKeepAliveOnPromptsOnlyWhileOnline) {
    rig.port.Receive("#");
    EXPECT_FALSE(rig.ctl.KeepAliveTimer().IsActive());
    rig.data.MonitorOnline = true;
    rig.port.Receive("\r#");
    EXPECT_EQ(rig.ctl.KeepAliveTimer().Interval(), 5000);
    rig.port.Receive("!");
    EXPECT_EQ(rig.ctl.KeepAliveTimer().Interval(), 2000);
}

}  // namespace
}  // namespace zorvex::testing
