#include <gtest/gtest.h>

#include "LinkRig.h"

namespace zorvex::testing {
namespace {

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
    using Blocks = std::vector<std::string>;
};

TEST_F(ReceivePathTest, CollectsAnAnswerUpToItsPromptAsOneBlock) {
    AfterPrompt();
    rig.port.Receive("OK\r\n#\r\n");
    EXPECT_EQ(rig.blocks, Blocks{"OK\r\n#"});
    EXPECT_EQ(rig.rx.ReceiveBuffer(), "");
}

TEST_F(ReceivePathTest, GivesTheSameBlockWhenTheAnswerArrivesInTwoEvents) {
    AfterPrompt();
    rig.port.Receive("O");
    EXPECT_TRUE(rig.blocks.empty());
    rig.port.Receive("K\r\n#\r\n");
    EXPECT_EQ(rig.blocks, Blocks{"OK\r\n#"});
}

TEST_F(ReceivePathTest, GivesTheSameBlockWhenEveryCharacterArrivesAlone) {
    AfterPrompt();
    for (char c : std::string("ab\r\ncd\r\n#\r\n")) {
        rig.port.Receive(std::string(1, c));
    }
    EXPECT_EQ(rig.blocks, Blocks{"ab\r\ncd\r\n#"});
}

TEST_F(ReceivePathTest, SplitsTwoPromptsInARowIntoTwoBlocks) {
    AfterPrompt();
    rig.port.Receive("#$");
    EXPECT_EQ(rig.blocks, (Blocks{"#", "$"}));
}

TEST_F(ReceivePathTest, DropsOnlyTheFirstCarriageReturnAfterAPrompt) {
    rig.port.Receive("#\r\r\n#");
    EXPECT_EQ(rig.blocks, (Blocks{"#", "\r\n#"}));
}

TEST_F(ReceivePathTest, KeepsCharactersBetweenAPromptAndTheNextCarriageReturnWithoutALineEnd) {
    rig.port.Receive("#x\r");
    EXPECT_EQ(rig.rx.ReceiveBuffer(), "x");
    EXPECT_EQ(rig.rx.State(), ReceivePath::PromptState::None);
}

TEST_F(ReceivePathTest, IgnoresLineFeedsEverywhere) {
    AfterPrompt();
    rig.port.Receive("\n\na\n\nb\r\n\n#");
    EXPECT_EQ(rig.blocks, Blocks{"ab\r\n#"});
}

TEST_F(ReceivePathTest, ThrowsAwayTheTextBeforeAnExclamationMarkAndSendsNothingWhenIdle) {
    AfterPrompt();
    rig.port.Receive("junk!\r\n");
    EXPECT_TRUE(rig.blocks.empty());
    EXPECT_EQ(rig.rx.ReceiveBuffer(), "");
    EXPECT_FALSE(rig.queue.ResendPending());
    rig.clock.Advance(500);
    EXPECT_TRUE(rig.port.writes.empty());
}

TEST_F(ReceivePathTest, StartsTheKickAfterAnExclamationMarkThatLeavesTheQueueEmpty) {
    rig.port.Receive("!");
    EXPECT_TRUE(rig.queue.KickTimer().IsActive());
    EXPECT_EQ(rig.queue.KickTimer().Interval(), 1000);
}

TEST_F(ReceivePathTest, LeavesTheKickAloneAfterAnExclamationMarkWithCommandsWaiting) {
    rig.queue.QueueCommand("de\r\n");
    rig.queue.QueueCommand("df\r\n");
    rig.clock.Advance(100);  // the write starts the kick with 2000 ms
    rig.clock.Advance(300);
    rig.port.Receive("!");
    EXPECT_EQ(rig.queue.KickTimer().Interval(), 2000);
}

TEST_F(ReceivePathTest, DispatchesBeforeTheQueueIsFreed) {
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

TEST_F(ReceivePathTest, CollectsTextReceivedWithNothingOutstandingIntoTheNextBlock) {
    AfterPrompt();
    rig.port.Receive("stray\r\n");
    EXPECT_EQ(rig.rx.ReceiveBuffer(), "stray\r\n");
    rig.port.Receive("p\r\n#");
    EXPECT_EQ(rig.blocks, Blocks{"stray\r\np\r\n#"});
}

TEST_F(ReceivePathTest, FeedsTheLogOnlyWhileLoggingIsOn) {
    rig.port.Receive("ab\r\n#\r\n");
    EXPECT_EQ(log.text, "");
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
    ASSERT_EQ(rig.blocks.size(), 1u);
    EXPECT_EQ(rig.blocks[0].size(), ReceivePath::ReceiveBufferLimit);
    EXPECT_EQ(rig.blocks[0], text + "#");
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
