// Command framing and answer pacing of the simulator.
#include <gtest/gtest.h>

#include <random>

#include "CommandFramer.h"
#include "CommandLog.h"
#include "Controller.h"
#include "OutputScheduler.h"
#include "Session.h"

namespace zorvex::sim {
namespace {

using Lines = std::vector<std::string>;

TEST(SimCommandFramer, ACommandEndsWithCrAndTheLfThatFollowsIsIgnored) {
    CommandFramer framer;
    EXPECT_EQ(framer.Feed("p\r\ndf\r\n"), (Lines{"p", "df"}));
}

TEST(SimCommandFramer, ACommandSplitOverReadsIsJoined) {
    CommandFramer framer;
    EXPECT_TRUE(framer.Feed("dm").empty());
    EXPECT_EQ(framer.Feed("s\r"), (Lines{"dms"}));
}

TEST(SimCommandFramer, BackspaceAndDeleteTakeBackTheLastCharacter) {
    CommandFramer framer;
    EXPECT_EQ(framer.Feed("dx\bf\r"), (Lines{"df"}));
    EXPECT_EQ(framer.Feed("\x7F\x7Fp\r"), (Lines{"p"}));
}

TEST(SimCommandFramer, NulsAreDroppedAndALoneCrIsAnEmptyCommand) {
    CommandFramer framer;
    EXPECT_EQ(framer.Feed(std::string("d\0f\r\r", 5)), (Lines{"df", ""}));
}

TEST(SimCommandFramer, AnOverlongLineIsCutAtTheBound) {
    CommandFramer framer;
    auto lines = framer.Feed(std::string(10000, 'x') + "\r");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].size(), CommandFramer::kMaxLine);
}

TEST(SimOutputScheduler, WithoutPacingEverythingIsDueAtOnce) {
    OutputScheduler out({});
    out.Add(100, "p\r\n", "#\r\n");
    EXPECT_EQ(out.NextDueMs(), 100);
    EXPECT_EQ(out.TakeDue(100), "p\r\n#\r\n");
    EXPECT_EQ(out.NextDueMs(), -1);
}

TEST(SimOutputScheduler, TheEchoGoesAtOnceAndTheAnswerAfterTheReplyDelay) {
    OutputScheduler out({250, 0, 0});
    out.Add(1000, "df\r\n", "V 2.05\r\n#\r\n");
    EXPECT_EQ(out.TakeDue(1000), "df\r\n");
    EXPECT_EQ(out.TakeDue(1249), "");
    EXPECT_EQ(out.NextDueMs(), 1250);
    EXPECT_EQ(out.TakeDue(1250), "V 2.05\r\n#\r\n");
}

TEST(SimOutputScheduler, ChunksGoOutInOrderWithThePauseBetweenThem) {
    OutputScheduler out({0, 3, 10});
    out.Add(0, "", "abcdefgh");
    EXPECT_EQ(out.TakeDue(0), "abc");
    EXPECT_EQ(out.TakeDue(9), "");
    EXPECT_EQ(out.TakeDue(10), "def");
    EXPECT_EQ(out.TakeDue(25), "gh");
}

TEST(SimOutputScheduler, ALaterAnswerNeverOvertakesAnEarlierOne) {
    OutputScheduler out({100, 0, 0});
    out.Add(0, "a\r\n", "A#");
    out.Add(10, "b\r\n", "B#");
    EXPECT_EQ(out.TakeDue(50), "a\r\n");
    EXPECT_EQ(out.TakeDue(1000), "A#b\r\nB#");
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

TEST(SimRobustness, ArbitraryBytesAlwaysGetWellFormedAnswers) {
    // Whatever arrives, each answer is echo, lines, and one prompt at its end.
    std::mt19937 random(12345);
    CommandFramer framer;
    Controller controller;
    Session session(controller, Faults{});
    const std::string alphabet = "pgdfemstxhzabcrwTYRGWAB0123456789+-=;#$!\r\n\b\x7F\x01 ";
    for (int round = 0; round < 3000; ++round) {
        std::string bytes;
        int length = static_cast<int>(random() % 12);
        for (int i = 0; i < length; ++i) {
            bytes += random() % 8 == 0 ? static_cast<char>(random() % 256)
                                       : alphabet[random() % alphabet.size()];
        }
        for (const std::string& command : framer.Feed(bytes)) {
            auto result = session.OnCommand(command);
            const std::string& answer = result.bytes;
            ASSERT_GE(answer.size(), 5u);
            std::string body = answer.substr(0, answer.size() - 3);
            ASSERT_EQ(body.find_first_of("#$!"), std::string::npos) << answer;
            ASSERT_TRUE(answer.ends_with("#\r\n") || answer.ends_with("$\r\n")) << answer;
        }
    }
}

}  // namespace
}  // namespace zorvex::sim
