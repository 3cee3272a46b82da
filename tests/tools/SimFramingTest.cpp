// Command framing and answer pacing of the simulator.
#include <gtest/gtest.h>

#include "CommandFramer.h"
#include "CommandLog.h"
#include "OutputScheduler.h"

namespace zorvex::sim {
namespace {

using Lines = std::vector<std::string>;

TEST(SimCommandFramer, SplitsCommandsAtCrTakingBackEditsAndDroppingNuls) {
    const struct {
        std::vector<std::string> reads;
        Lines commands;
    } cases[] = {
        {{"p\r\ndf\r\n"}, {"p", "df"}},              // the LF after a CR is ignored
        {{"dm", "s\r"}, {"dms"}},                    // split over reads
        {{"dx\bf\r", "\x7F\x7Fp\r"}, {"df", "p"}},   // backspace and delete
        {{std::string("d\0f\r\r", 5)}, {"df", ""}},  // NULs dropped, a lone CR is empty
    };
    for (const auto& c : cases) {
        CommandFramer framer;
        Lines got;
        for (const std::string& read : c.reads) {
            for (std::string& line : framer.Feed(read)) {
                got.push_back(std::move(line));
            }
        }
        EXPECT_EQ(got, c.commands) << c.reads.front();
    }
    CommandFramer framer;
    auto lines = framer.Feed(std::string(10000, 'x') + "\r");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].size(), CommandFramer::kMaxLine);
}

TEST(SimOutputScheduler, TheEchoGoesAtOnceTheAnswerAfterTheDelayInChunksAndInOrder) {
    OutputScheduler plain({});
    plain.Add(100, "p\r\n", "#\r\n");
    EXPECT_EQ(plain.TakeDue(100), "p\r\n#\r\n");
    EXPECT_EQ(plain.NextDueMs(), -1);

    OutputScheduler out({100, 3, 10});
    out.Add(0, "a\r\n", "abcdefgh");
    out.Add(10, "b\r\n", "B#");
    EXPECT_EQ(out.TakeDue(50), "a\r\n");
    EXPECT_EQ(out.NextDueMs(), 100);
    EXPECT_EQ(out.TakeDue(100), "abc");
    EXPECT_EQ(out.TakeDue(109), "");
    EXPECT_EQ(out.TakeDue(110), "def");
    // A later answer never overtakes an earlier one.
    EXPECT_EQ(out.TakeDue(1000), "ghb\r\nB#");
}

TEST(SimOutputScheduler, PendingOutputIsBoundedWhenNobodyReads) {
    OutputScheduler out({});
    std::string big(1000, 'x');
    for (int i = 0; i < 1000; ++i) {
        out.Add(0, "", big);
    }
    EXPECT_LE(out.PendingBytes(), OutputScheduler::kMaxPending + big.size());
}

TEST(SimCommandLog, ControlCharactersAreWrittenSoEachRecordStaysOneLine) {
    EXPECT_EQ(CommandLog::Printable("a\r\n\\b"), "a\\x0D\\x0A\\x5Cb");
}

}  // namespace
}  // namespace zorvex::sim
