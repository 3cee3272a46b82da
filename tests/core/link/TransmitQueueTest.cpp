#include <gtest/gtest.h>

#include "LinkRig.h"

namespace zorvex::testing {
namespace {

using Texts = std::vector<std::string>;

class TransmitQueueTest : public ::testing::Test {
  protected:
    TransmitQueueTest() { rig.port.Open(1); }
    LinkRig rig;
    TransmitQueue& queue = rig.queue;
};

TEST_F(TransmitQueueTest, WritesEachCommandOneHundredMillisecondsAfterTheLastOneIsAnswered) {
    queue.QueueCommand("de\r\n");
    queue.QueueCommand("df\r\n");
    EXPECT_TRUE(queue.AwaitingReply());
    rig.clock.Advance(99);
    EXPECT_TRUE(rig.port.writes.empty());
    rig.clock.Advance(901);
    EXPECT_EQ(rig.Writes(), Texts{"de\r\n"});
    EXPECT_EQ(rig.port.writes[0].atMs, 100);
    EXPECT_EQ(queue.Pending(), "df\r\n");
    rig.Answer("de", "#", "V 1.10\r\n");
    rig.clock.Advance(100);
    EXPECT_EQ(rig.Writes(), (Texts{"de\r\n", "df\r\n"}));
    EXPECT_EQ(rig.port.writes[1].atMs, 1100);
    EXPECT_EQ(queue.LastCommand(), "df\r\n");
}

struct SplitCase {
    Texts queued;
    Texts written;
};
class TransmitQueueSplitting : public ::testing::TestWithParam<SplitCase> {};
TEST_P(TransmitQueueSplitting, SendsOneCommandPerLineAndEndsALoneTextWithALineFeed) {
    LinkRig rig;
    rig.port.Open(1);
    for (const auto& text : GetParam().queued) {
        rig.queue.QueueCommand(text);
    }
    for (int i = 0; i < 5; ++i) {
        rig.clock.Advance(100);
        rig.Answer("echo");
    }
    EXPECT_EQ(rig.Writes(), GetParam().written);
    EXPECT_TRUE(rig.queue.Empty());
}
INSTANTIATE_TEST_SUITE_P(
    Link, TransmitQueueSplitting,
    ::testing::Values(SplitCase{{"de\r\ndf\r\n"}, {"de\r\n", "df\r\n"}},
                      SplitCase{{"abc"}, {"abc\n"}}, SplitCase{{""}, {}},
                      // The last piece has no line feed but the text has one: taken whole.
                      SplitCase{{"a\r\n", "b\r\nc"}, {"a\r\n", "b\r\n", "c"}}));

TEST_F(TransmitQueueTest, ClearKeepsWaitingForTheAwaitedReplyWhileResetStopsWaitingWithABeep) {
    queue.QueueCommand("p\r\n");
    queue.QueueCommand("df\r\n");
    rig.clock.Advance(100);
    queue.ClearTransmitQueue();
    EXPECT_TRUE(queue.Empty());
    EXPECT_TRUE(queue.AwaitingReply());
    queue.QueueCommand("de\r\n");
    rig.clock.Advance(5000);
    EXPECT_EQ(rig.Writes(), Texts{"p\r\n"});
    EXPECT_TRUE(rig.beeper.beeps.empty());
    queue.ResetTransmitQueue();
    queue.ResetTransmitQueue();  // silent: no reply is awaited any more
    EXPECT_TRUE(queue.Empty());
    EXPECT_FALSE(queue.AwaitingReply());
    EXPECT_EQ(rig.beeper.beeps, (std::vector<std::pair<int, int>>{{250, 250}}));
}

TEST_F(TransmitQueueTest, ResendsARejectedCommandOnceAndThenSendsTheNext) {
    queue.QueueCommand("dt\r\n");
    queue.QueueCommand("dh\r\n");
    rig.clock.Advance(100);
    rig.port.Receive("dt\r\n!");
    EXPECT_TRUE(queue.ResendPending());
    rig.clock.Advance(100);
    EXPECT_EQ(rig.port.writes.at(1).atMs, 200);
    rig.Answer("dt", "#", "1,2,3,4\r\n");
    EXPECT_FALSE(queue.ResendPending());
    rig.clock.Advance(100);
    EXPECT_EQ(rig.Writes(), (Texts{"dt\r\n", "dt\r\n", "dh\r\n"}));
    EXPECT_TRUE(queue.Empty());
}

TEST_F(TransmitQueueTest, KickRepeatsTheResendWhileCommandsWaitBehindIt) {
    queue.QueueCommand("dt\r\n");
    queue.QueueCommand("dh\r\n");
    rig.clock.Advance(100);
    rig.port.Receive("!");
    rig.clock.Advance(100);   // the resend, at 200
    rig.clock.Advance(2100);  // kick at 2200 takes LastCommand again, written 100 ms later
    EXPECT_EQ(rig.Writes(), (Texts{"dt\r\n", "dt\r\n", "dt\r\n"}));
    EXPECT_EQ(rig.port.writes[2].atMs, 2300);
}

TEST_F(TransmitQueueTest, KeepsTheOrderOfWritesWhenAResendIsAskedBeforeTheWriteIsDue) {
    queue.QueueCommand("dt\r\n");
    rig.clock.Advance(50);
    rig.port.Receive("!");
    rig.clock.Advance(200);
    ASSERT_EQ(rig.Writes(), (Texts{"dt\r\n", "dt\r\n"}));
    EXPECT_EQ(rig.port.writes[0].atMs, 100);
    EXPECT_EQ(rig.port.writes[1].atMs, 150);
}

}  // namespace
}  // namespace zorvex::testing
