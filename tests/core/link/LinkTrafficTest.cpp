#include <gtest/gtest.h>

#include "LinkRig.h"

namespace zorvex::testing {
namespace {

using Texts = std::vector<std::string>;

// What the monitor sends and what is queued at a virtual time, and a clear or a reset of the
// queue as the log window's button and a new connection try do them.
struct Step {
    int64_t atMs;
    std::string received;
    std::string queued = "";
    void (TransmitQueue::*then)() = nullptr;
};
constexpr auto clear = &TransmitQueue::ClearTransmitQueue;
constexpr auto reset = &TransmitQueue::ResetTransmitQueue;

TEST(TransmitQueue, WritesOneCommandAtATimePacedAndOneResendPerRejectionOfTheCommandOnTheWire) {
    const std::string dt = "dt\r\n", dh = "dh\r\n", p = "p\r\n";
    const struct {
        std::vector<Step> steps;
        const char* wire;  // up to 3000 ms
        std::size_t beeps = 0;
    } cases[] = {
        // Each write 100 ms after its command is taken, the next only after the answer.
        {{{0, "", dt}, {0, "", dh}, {1000, "dt\r\n1,2\r\n#\r\n"}}, "dt@100 dh@1100"},
        // One command per line; a lone text gets a line feed; a text with one is taken whole.
        {{{0, "", "dt\r\ndh\r\n"}, {150, "#"}}, "dt@100 dh@250"},
        {{{0, "", "abc"}}, "abc\n@100"},
        {{{0, "", "a\r\n"}, {0, "", "b\r\nc"}, {150, "#"}, {300, "#"}}, "a@100 b@250 c@400"},
        // A prompt before the taken command is written is not its answer.
        {{{0, "", dt}, {0, "", dh}, {50, "#"}, {1050, "#"}}, "dt@100 dh@1150"},
        // A clear drops what is queued and keeps waiting for the answer.
        {{{0, "", p}, {0, "", dt}, {150, "", "", clear}, {150, "", dh}, {300, "#"}},
         "p@100 dh@400"},
        // A reset drops the resend pending and the write not yet due and stops waiting, with
        // a beep only while a reply is awaited.
        {{{0, "", "ww1\r\n"}, {150, "!", "", reset}, {150, "", "", reset}, {150, "", p}},
         "ww1@100 p@250",
         1},
        // Answered after one resend: the next command follows, not the resent one again.
        {{{0, "", dt}, {0, "", dh}, {150, "dt\r\n!"}, {300, "dt\r\n1,2\r\n#"}},
         "dt@100 dt@250 dh@400"},
        // A burst of "!", in one read or several, asks for one resend, paced as ever.
        {{{0, "", dt}, {150, std::string(10, '!')}, {200, "!!"}}, "dt@100 dt@250"},
        {{{0, "", dt}, {150, std::string(100000, '!')}, {300, "#"}, {301, "", dh}},
         "dt@100 dt@250 dh@401"},
        // An answer before the resend is written makes it needless.
        {{{0, "", dt}, {0, "", dh}, {150, "!"}, {200, "#"}}, "dt@100 dh@300"},
        // A "!" before the write is due cannot be about it.
        {{{0, "", dt}, {50, "!"}, {150, "#"}, {150, "", dh}}, "dt@100 dh@250"},
        // With commands behind it, the kick 2000 ms after the resend writes it again ...
        {{{0, "", dt}, {0, "", dh}, {150, "!"}}, "dt@100 dt@250 dt@2350"},
        // ... and with none, the kick runs 1000 ms from the "!", the resend's write keeps it.
        {{{0, "", dt}, {150, "!"}, {500, "", dh}}, "dt@100 dt@250 dt@1250"}};
    for (const auto& c : cases) {
        LinkRig rig;
        rig.port.Open(1);
        for (const Step& step : c.steps) {
            rig.clock.Advance(step.atMs - rig.clock.NowMs());
            rig.port.Receive(step.received);
            rig.queue.QueueCommand(step.queued);
            if (step.then != nullptr) {
                (rig.queue.*step.then)();
            }
        }
        rig.clock.Advance(3000 - rig.clock.NowMs());
        EXPECT_EQ(rig.Wire(), c.wire);
        EXPECT_EQ(rig.beeper.beeps.size(), c.beeps) << c.wire;
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
    EXPECT_EQ(rig.notes, Texts{"\"de\" rejected 6 times by the monitor, dropped"});
    EXPECT_EQ(rig.beeper.beeps, (std::vector<std::pair<int, int>>{{250, 250}}));
}

TEST(ReceivePath, CutsTheSameBlocksHoweverTheTextIsSplitIntoEventsAndFeedsTheLogWhenOn) {
    // Received, the blocks cut and what stays in ReceiveBuffer.
    const std::tuple<const char*, Texts, const char*> rows[] = {
        {"OK\r\n#\r\n", {"OK\r\n#"}, ""},
        {"ab\r\ncd\r\n#\r\n", {"ab\r\ncd\r\n#"}, ""},
        {"#$", {"#", "$"}, ""},
        // Only the first CR after a prompt is dropped, even with text between.
        {"#\r\r\n#", {"#", "\r\n#"}, ""},
        {"#x\r", {"#"}, "x"},
        {"\n\na\n\nb\r\n\n#", {"ab\r\n#"}, ""},
        // Text with nothing outstanding goes into the next block.
        {"stray\r\np\r\n#", {"stray\r\np\r\n#"}, ""},
        {"junk!\r\n", {}, ""}};
    for (const auto& [received, blocks, left] : rows) {
        // Fed whole, one character per event, and whole while the log is fed too.
        for (int way = 0; way < 3; ++way) {
            LinkRig rig;
            RecordingTrafficLog log;
            rig.rx.SetTrafficLog(&log);
            rig.port.Receive("#\r\n");  // just after a prompt, as between answers
            rig.blocks.clear();
            rig.link.CommLogEnabled = way == 2;
            const std::string text = received;
            std::string logged;  // the log gets CR as a line end and no LF
            for (std::size_t at = 0; at < text.size(); at += way == 1 ? 1 : text.size()) {
                rig.port.Receive(text.substr(at, way == 1 ? 1 : text.size()));
            }
            for (char c : text) {
                logged += c == '\r' ? "<CR>" : c == '\n' ? "" : std::string(1, c);
            }
            EXPECT_EQ(rig.blocks, blocks) << received << " way " << way;
            EXPECT_EQ(rig.rx.ReceiveBuffer(), left) << received << " way " << way;
            EXPECT_EQ(log.text, way == 2 ? logged : "") << received;
        }
    }
}

TEST(ReceivePath, KeepsABlockThatFillsTheBoundAndDropsOneThatOutgrowsItUpToItsPrompt) {
    LinkRig rig;
    rig.port.Open(1);
    const std::string full(ReceivePath::ReceiveBufferLimit - 1, 'a');
    rig.port.Receive(full);
    rig.port.Receive("#\r\n");
    rig.queue.QueueCommand("dt\r\n");
    rig.queue.QueueCommand("dh\r\n");
    rig.clock.Advance(100);
    for (int i = 0; i < 40; ++i) {
        rig.port.Receive(std::string(4096, 'z') + "\r\n");
        EXPECT_LE(rig.rx.ReceiveBuffer().size(), ReceivePath::ReceiveBufferLimit);
    }
    EXPECT_TRUE(rig.rx.Overflowed());
    rig.port.Receive("#\r\n");  // answers "dt" all the same
    EXPECT_FALSE(rig.rx.Overflowed());
    rig.clock.Advance(100);
    rig.Answer("dh", "#", "Upper Limit = 3\r\n");
    EXPECT_EQ(rig.blocks, (Texts{full + "#", "dh\r\nUpper Limit = 3\r\n#"}));
    EXPECT_EQ(rig.Wire(), "dt@100 dh@200");
}

}  // namespace
}  // namespace zorvex::testing
