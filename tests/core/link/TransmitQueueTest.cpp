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

// What the monitor sends, or what is queued, at a virtual time.
struct Step {
    int64_t atMs;
    std::string received;
    std::string queued = "";
};
struct ResendCase {
    std::vector<Step> steps;
    std::vector<std::pair<int64_t, std::string>> writes;  // up to 3000 ms
};
class TransmitQueueResend : public ::testing::TestWithParam<ResendCase> {};
TEST_P(TransmitQueueResend, WritesOneResendPerRejectionOfTheCommandOnTheWire) {
    LinkRig rig;
    rig.port.Open(1);
    for (const Step& step : GetParam().steps) {
        rig.clock.Advance(step.atMs - rig.clock.NowMs());
        rig.port.Receive(step.received);
        rig.queue.QueueCommand(step.queued);
    }
    rig.clock.Advance(3000 - rig.clock.NowMs());
    std::vector<std::pair<int64_t, std::string>> writes;
    for (const auto& w : rig.port.writes) {
        writes.emplace_back(w.atMs, w.bytes);
    }
    EXPECT_EQ(writes, GetParam().writes);
}
const std::string dt = "dt\r\n", dh = "dh\r\n";
INSTANTIATE_TEST_SUITE_P(
    Link, TransmitQueueResend,
    ::testing::Values(
        // Answered after one resend: the next command follows, not the resent one again.
        ResendCase{{{0, "", dt}, {0, "", dh}, {150, "dt\r\n!"}, {300, "dt\r\n1,2\r\n#"}},
                   {{100, dt}, {250, dt}, {400, dh}}},
        // A burst of "!", in one read or several, asks for one resend, paced as ever.
        ResendCase{{{0, "", dt}, {150, std::string(10, '!')}, {200, "!!"}}, {{100, dt}, {250, dt}}},
        ResendCase{{{0, "", dt}, {150, std::string(100000, '!')}, {300, "#"}, {301, "", dh}},
                   {{100, dt}, {250, dt}, {401, dh}}},
        // An answer before the resend is written makes it needless.
        ResendCase{{{0, "", dt}, {0, "", dh}, {150, "!"}, {200, "#"}}, {{100, dt}, {300, dh}}},
        // A "!" before the write is due cannot be about it.
        ResendCase{{{0, "", dt}, {50, "!"}, {150, "#"}, {150, "", dh}}, {{100, dt}, {250, dh}}},
        // With commands behind it, the kick 2000 ms after the resend writes it again ...
        ResendCase{{{0, "", dt}, {0, "", dh}, {150, "!"}}, {{100, dt}, {250, dt}, {2350, dt}}},
        // ... and with none, the kick runs 1000 ms from the "!", the resend's write keeps it.
        ResendCase{{{0, "", dt}, {150, "!"}, {500, "", dh}}, {{100, dt}, {250, dt}, {1250, dt}}}));

TEST_F(TransmitQueueTest, DropsACommandAfterFiveResendsAndCountsAfreshForTheNext) {
    queue.QueueCommand("de\r\n");
    queue.QueueCommand("df\r\n");
    for (int write = 0; write < 11; ++write) {
        rig.clock.Advance(100);
        rig.port.Receive("!");
    }
    rig.clock.Advance(100);
    rig.Answer("df", "#", "V 2.05\r\n");
    EXPECT_EQ(rig.Count("de\r\n"), 6);
    EXPECT_EQ(rig.Count("df\r\n"), 6);
    EXPECT_EQ(rig.notes,
              std::vector<std::string>{"\"de\" rejected 6 times by the monitor, dropped"});
    EXPECT_EQ(rig.beeper.beeps.size(), 1u);
    EXPECT_FALSE(queue.AwaitingReply());
}

TEST_F(TransmitQueueTest, AResetDropsThePendingResendAndTheWriteNotYetDue) {
    queue.QueueCommand("ww1234\r\n");
    rig.clock.Advance(100);
    rig.port.Receive("!");
    queue.ResetTransmitQueue();
    queue.QueueCommand("p\r\n");
    rig.clock.Advance(5000);
    EXPECT_EQ(rig.Writes(), (Texts{"ww1234\r\n", "p\r\n"}));
}

}  // namespace
}  // namespace zorvex::testing
