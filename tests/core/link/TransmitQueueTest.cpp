#include <gtest/gtest.h>

#include "LinkRig.h"

namespace zorvex::testing {
namespace {

using Writes = std::vector<std::pair<int64_t, std::string>>;

// What the monitor sends and what is queued at a virtual time; "clear" and "reset" are done
// as the log window's button and a new connection try do them.
struct Step {
    int64_t atMs;
    std::string received;
    std::string queued = "";
};

TEST(TransmitQueue, WritesOneCommandAtATimePacedAndOneResendPerRejectionOfTheCommandOnTheWire) {
    const std::string dt = "dt\r\n", dh = "dh\r\n", p = "p\r\n";
    const struct {
        std::vector<Step> steps;
        Writes writes;  // up to 3000 ms
        std::size_t beeps = 0;
    } cases[] = {
        // Each write 100 ms after its command is taken, the next only after the answer.
        {{{0, "", dt}, {0, "", dh}, {1000, "dt\r\n1,2\r\n#\r\n"}}, {{100, dt}, {1100, dh}}},
        // One command per line; a lone text gets a line feed; a text with one is taken whole.
        {{{0, "", "dt\r\ndh\r\n"}, {150, "#"}}, {{100, dt}, {250, dh}}},
        {{{0, "", "abc"}}, {{100, "abc\n"}}},
        {{{0, "", "a\r\n"}, {0, "", "b\r\nc"}, {150, "#"}, {300, "#"}},
         {{100, "a\r\n"}, {250, "b\r\n"}, {400, "c"}}},
        // A prompt before the taken command is written is not its answer.
        {{{0, "", dt}, {0, "", dh}, {50, "#"}, {1050, "#"}}, {{100, dt}, {1150, dh}}},
        // A clear drops what is queued and keeps waiting for the answer.
        {{{0, "", p}, {0, "", dt}, {150, "", "clear"}, {150, "", dh}, {300, "#"}},
         {{100, p}, {400, dh}}},
        // A reset drops the resend pending and the write not yet due and stops waiting, with
        // a beep only while a reply is awaited.
        {{{0, "", "ww1234\r\n"}, {150, "!"}, {150, "", "reset"}, {150, "", "reset"}, {150, "", p}},
         {{100, "ww1234\r\n"}, {250, p}},
         1},
        // Answered after one resend: the next command follows, not the resent one again.
        {{{0, "", dt}, {0, "", dh}, {150, "dt\r\n!"}, {300, "dt\r\n1,2\r\n#"}},
         {{100, dt}, {250, dt}, {400, dh}}},
        // A burst of "!", in one read or several, asks for one resend, paced as ever.
        {{{0, "", dt}, {150, std::string(10, '!')}, {200, "!!"}}, {{100, dt}, {250, dt}}},
        {{{0, "", dt}, {150, std::string(100000, '!')}, {300, "#"}, {301, "", dh}},
         {{100, dt}, {250, dt}, {401, dh}}},
        // An answer before the resend is written makes it needless.
        {{{0, "", dt}, {0, "", dh}, {150, "!"}, {200, "#"}}, {{100, dt}, {300, dh}}},
        // A "!" before the write is due cannot be about it.
        {{{0, "", dt}, {50, "!"}, {150, "#"}, {150, "", dh}}, {{100, dt}, {250, dh}}},
        // With commands behind it, the kick 2000 ms after the resend writes it again ...
        {{{0, "", dt}, {0, "", dh}, {150, "!"}}, {{100, dt}, {250, dt}, {2350, dt}}},
        // ... and with none, the kick runs 1000 ms from the "!", the resend's write keeps it.
        {{{0, "", dt}, {150, "!"}, {500, "", dh}}, {{100, dt}, {250, dt}, {1250, dt}}}};
    for (const auto& c : cases) {
        LinkRig rig;
        rig.port.Open(1);
        for (const Step& step : c.steps) {
            rig.clock.Advance(step.atMs - rig.clock.NowMs());
            rig.port.Receive(step.received);
            if (step.queued == "clear") {
                rig.queue.ClearTransmitQueue();
            } else if (step.queued == "reset") {
                rig.queue.ResetTransmitQueue();
            } else {
                rig.queue.QueueCommand(step.queued);
            }
        }
        rig.clock.Advance(3000 - rig.clock.NowMs());
        Writes writes;
        for (const auto& w : rig.port.writes) {
            writes.emplace_back(w.atMs, w.bytes);
        }
        EXPECT_EQ(writes, c.writes) << "case " << &c - cases;
        EXPECT_EQ(rig.beeper.beeps.size(), c.beeps) << "case " << &c - cases;
    }
}

TEST(TransmitQueue, DropsACommandAfterFiveResendsAndCountsAfreshForTheNext) {
    LinkRig rig;
    rig.port.Open(1);
    rig.queue.QueueCommand("de\r\n");
    rig.queue.QueueCommand("df\r\n");
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
    EXPECT_EQ(rig.beeper.beeps, (std::vector<std::pair<int, int>>{{250, 250}}));
    EXPECT_FALSE(rig.queue.AwaitingReply());
}

}  // namespace
}  // namespace zorvex::testing
