#include <gtest/gtest.h>

#include "LinkRig.h"

namespace zorvex::testing {
namespace {

class TransmitQueueTest : public ::testing::Test {
  protected:
    TransmitQueueTest() { rig.port.Open(1); }
    LinkRig rig;
    TransmitQueue& queue = rig.queue;
};

TEST_F(TransmitQueueTest, WritesACommandOneHundredMillisecondsAfterItIsTaken) {
    queue.QueueCommand("df\r\n");
    EXPECT_TRUE(queue.AwaitingReply());
    rig.clock.Advance(99);
    EXPECT_TRUE(rig.port.writes.empty());
    rig.clock.Advance(1);
    ASSERT_EQ(rig.port.writes.size(), 1u);
    EXPECT_EQ(rig.port.writes[0].atMs, 100);
    EXPECT_EQ(rig.port.writes[0].bytes, "df\r\n");
    EXPECT_EQ(queue.LastCommand(), "df\r\n");
}

TEST_F(TransmitQueueTest, WritesTheSecondOfTwoCommandsOnlyAfterTheFirstIsAnswered) {
    queue.QueueCommand("de\r\n");
    queue.QueueCommand("df\r\n");
    rig.clock.Advance(1000);
    EXPECT_EQ(rig.Writes(), (std::vector<std::string>{"de\r\n"}));
    EXPECT_EQ(queue.Pending(), "df\r\n");
    rig.Answer("de", "#", "V 1.10\r\n");
    EXPECT_EQ(rig.Writes().size(), 1u);
    rig.clock.Advance(100);
    EXPECT_EQ(rig.Writes(), (std::vector<std::string>{"de\r\n", "df\r\n"}));
    EXPECT_EQ(rig.port.writes[1].atMs, 1100);
}

TEST_F(TransmitQueueTest, SplitsOneCallHoldingTwoCommandsIntoTwoWrites) {
    queue.QueueCommand("de\r\ndf\r\n");
    rig.clock.Advance(500);
    EXPECT_EQ(rig.Writes(), (std::vector<std::string>{"de\r\n"}));
    rig.Answer("de");
    rig.clock.Advance(100);
    EXPECT_EQ(rig.Writes(), (std::vector<std::string>{"de\r\n", "df\r\n"}));
}

TEST_F(TransmitQueueTest, GivesATextWithoutALineFeedOne) {
    queue.QueueCommand("abc");
    rig.clock.Advance(100);
    EXPECT_EQ(rig.Writes(), (std::vector<std::string>{"abc\n"}));
}

TEST_F(TransmitQueueTest, IgnoresAnEmptyText) {
    queue.QueueCommand("");
    rig.clock.Advance(1000);
    EXPECT_FALSE(queue.AwaitingReply());
    EXPECT_TRUE(rig.port.writes.empty());
}

TEST_F(TransmitQueueTest, TakesTheLastPieceWholeWhenItHasNoLineFeed) {
    queue.QueueCommand("a\r\n");
    queue.QueueCommand("b\r\nc");  // has a line feed, so nothing is added
    rig.clock.Advance(100);
    rig.Answer("a");
    rig.clock.Advance(100);
    rig.Answer("b");
    rig.clock.Advance(100);
    EXPECT_EQ(rig.Writes(), (std::vector<std::string>{"a\r\n", "b\r\n", "c"}));
    EXPECT_TRUE(queue.Empty());
}

TEST_F(TransmitQueueTest, ResetBeepsAndStopsWaitingWhenAReplyWasAwaited) {
    queue.QueueCommand("p\r\n");
    queue.QueueCommand("df\r\n");
    rig.clock.Advance(100);
    queue.ResetTransmitQueue();
    EXPECT_TRUE(queue.Empty());
    EXPECT_FALSE(queue.AwaitingReply());
    EXPECT_EQ(rig.beeper.beeps, (std::vector<std::pair<int, int>>{{250, 250}}));
}

TEST_F(TransmitQueueTest, ResetIsSilentWhenNoReplyIsAwaited) {
    queue.ResetTransmitQueue();
    EXPECT_TRUE(rig.beeper.beeps.empty());
}

TEST_F(TransmitQueueTest, ClearEmptiesTheQueueButStillWaitsForTheAwaitedReply) {
    queue.QueueCommand("p\r\n");
    queue.QueueCommand("df\r\n");
    rig.clock.Advance(100);
    queue.ClearTransmitQueue();
    EXPECT_TRUE(queue.Empty());
    EXPECT_TRUE(queue.AwaitingReply());
    queue.QueueCommand("de\r\n");
    rig.clock.Advance(5000);
    EXPECT_EQ(rig.Writes(), (std::vector<std::string>{"p\r\n"}));
    EXPECT_TRUE(rig.beeper.beeps.empty());
}

TEST_F(TransmitQueueTest, ResendsTheRejectedCommandAfterAnExclamationMark) {
    queue.QueueCommand("dt\r\n");
    rig.clock.Advance(100);
    rig.port.Receive("dt\r\n!");
    EXPECT_TRUE(queue.ResendPending());
    rig.clock.Advance(100);
    EXPECT_EQ(rig.Writes(), (std::vector<std::string>{"dt\r\n", "dt\r\n"}));
    EXPECT_EQ(rig.port.writes[1].atMs, 200);
}

TEST_F(TransmitQueueTest, SendsTheNextCommandNotTheResentOneOnceItIsAnswered) {
    queue.QueueCommand("dt\r\n");
    queue.QueueCommand("dh\r\n");
    rig.clock.Advance(100);
    rig.port.Receive("dt\r\n!");
    rig.clock.Advance(100);
    rig.Answer("dt", "#", "1,2,3,4\r\n");
    EXPECT_FALSE(queue.ResendPending());
    rig.clock.Advance(100);
    EXPECT_EQ(rig.Writes(), (std::vector<std::string>{"dt\r\n", "dt\r\n", "dh\r\n"}));
    EXPECT_TRUE(queue.Empty());
}

TEST_F(TransmitQueueTest, KickRepeatsTheResendWhileCommandsWaitBehindIt) {
    queue.QueueCommand("dt\r\n");
    queue.QueueCommand("dh\r\n");
    rig.clock.Advance(100);
    rig.port.Receive("!");
    rig.clock.Advance(100);   // the resend, at 200
    rig.clock.Advance(2000);  // kick at 2200 takes again: LastCommand, after 100 ms
    rig.clock.Advance(100);
    EXPECT_EQ(rig.Writes(), (std::vector<std::string>{"dt\r\n", "dt\r\n", "dt\r\n"}));
    EXPECT_EQ(rig.port.writes[2].atMs, 2300);
}

TEST_F(TransmitQueueTest, KeepsTheOrderOfWritesWhenAResendIsAskedBeforeTheWriteIsDue) {
    queue.QueueCommand("dt\r\n");
    rig.clock.Advance(50);
    rig.port.Receive("!");
    rig.clock.Advance(200);
    ASSERT_EQ(rig.port.writes.size(), 2u);
    EXPECT_EQ(rig.port.writes[0].atMs, 100);
    EXPECT_EQ(rig.port.writes[1].atMs, 150);
    EXPECT_EQ(rig.port.writes[1].bytes, "dt\r\n");
}

TEST_F(TransmitQueueTest, ReportsAWriteThePortRefused) {
    int failures = 0;
    queue.SetWriteFailureHandler([&] { ++failures; });
    rig.port.failWrite = true;
    queue.QueueCommand("p\r\n");
    rig.clock.Advance(100);
    EXPECT_EQ(failures, 1);
}

}  // namespace
}  // namespace zorvex::testing
