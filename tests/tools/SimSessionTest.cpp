// The faults the simulator plays, and its options.
#include <gtest/gtest.h>

#include "Options.h"
#include "Session.h"
#include "SimReplyBlocks.h"

namespace zorvex::sim {
namespace {

using O = Outcome;

struct FaultCase {
    Faults faults;
    std::vector<std::string> commands;
    std::vector<Outcome> outcomes;
    long bangs = 1;  // "!" in each rejection
};

class SimFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(SimFaults, AnswerRejectOrIgnoreEachCommandInTurn) {
    Controller controller;
    Session session(controller, GetParam().faults);
    for (std::size_t i = 0; i < GetParam().commands.size(); ++i) {
        const std::string& command = GetParam().commands[i];
        auto result = session.OnCommand(command);
        EXPECT_EQ(result.outcome, GetParam().outcomes[i]) << i;
        if (result.outcome == O::Rejected) {
            EXPECT_EQ(result.bytes, Controller::Rejection(command, GetParam().bangs));
        } else if (result.outcome == O::Ignored) {
            EXPECT_TRUE(result.bytes.empty());
            EXPECT_TRUE(session.Silent());
        } else {
            EXPECT_TRUE(result.bytes.ends_with("#\r\n")) << result.bytes;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SimFaults,
    ::testing::Values(
        FaultCase{{.rejectNext = 2}, {"p", "p", "p"}, {O::Rejected, O::Rejected, O::Answered}},
        FaultCase{{.rejectEvery = 3},
                  {"p", "p", "p", "p", "p", "p"},
                  {O::Answered, O::Answered, O::Rejected, O::Answered, O::Answered, O::Rejected}},
        FaultCase{{.silentAfter = 2},
                  {"p", "df", "p", "g"},
                  {O::Answered, O::Answered, O::Ignored, O::Ignored}},
        FaultCase{
            {.rejectNext = 1}, {"", "p"}, {O::Answered, O::Rejected}},  // "" is never rejected
        FaultCase{
            {.rejectAlways = "de"}, {"de", "df", "de"}, {O::Rejected, O::Answered, O::Rejected}},
        FaultCase{
            {.rejectBurst = 9}, {"p", "dt", "dt"}, {O::Answered, O::Rejected, O::Answered}, 9}));

TEST(SimFaults, ARejectionLeavesNoBlockAndSilenceOnRequestEndsWhenLifted) {
    auto framed = testing::FrameReplies(Controller::Rejection("df"));
    EXPECT_TRUE(framed.blocks.empty());
    EXPECT_EQ(framed.rejections, 1);

    Controller controller;
    Session session(controller, Faults{.silentAfter = 1});
    session.OnCommand("p");
    session.SetSilent(true);
    EXPECT_TRUE(session.OnCommand("p").bytes.empty());
    session.SetSilent(false);  // for good: the silent-after count no longer applies
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(session.OnCommand("p").bytes, "p\r\n#\r\n");
    }
}

TEST(SimOptions, EveryFaultAndPacingOptionIsTaken) {
    auto parsed = ParseOptions(
        {"--boot", "--link",          "/tmp/x", "--log",          "/tmp/l", "--firmware",
         "3.10",   "--silent-after",  "7",      "--reject",       "2",      "--reject-every",
         "4",      "--reply-delay",   "150",    "--chunk",        "3",      "--chunk-delay",
         "9",      "--reject-always", "de",     "--reject-burst", "10"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    const Options& o = *parsed.options;
    EXPECT_TRUE(o.bootMode);
    EXPECT_EQ(o.linkPath, "/tmp/x");
    EXPECT_EQ(o.logPath, "/tmp/l");
    EXPECT_EQ(o.firmwareVersion, "3.10");
    EXPECT_EQ(o.faults.silentAfter, 7);
    EXPECT_EQ(o.faults.rejectNext, 2);
    EXPECT_EQ(o.faults.rejectEvery, 4);
    EXPECT_EQ(o.faults.rejectAlways, "de");
    EXPECT_EQ(o.faults.rejectBurst, 10);
    EXPECT_EQ(o.pacing.replyDelayMs, 150);
    EXPECT_EQ(o.pacing.chunkSize, 3u);
    EXPECT_EQ(o.pacing.chunkDelayMs, 9);
    EXPECT_EQ(ParseOptions({"--chunk", "4"}).options->pacing.chunkDelayMs, 5);  // the default
}

class SimBadOptions : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(SimBadOptions, AreRefusedWithAReason) {
    auto parsed = ParseOptions(GetParam());
    EXPECT_FALSE(parsed.options);
    EXPECT_FALSE(parsed.error.empty());
}

using Args = std::vector<std::string>;
INSTANTIATE_TEST_SUITE_P(Cases, SimBadOptions,
                         ::testing::Values(Args{"--reject"}, Args{"--reject", "-1"},
                                           Args{"--reject", "2x"}, Args{"--reject-every", "1"},
                                           Args{"--reply-delay", "99999999999999999999"},
                                           Args{"--chunk", "0"}, Args{"--firmware", "2"},
                                           Args{"--firmware", "V2.05"}, Args{"--link", ""},
                                           Args{"--tcp", "65536"},
                                           Args{"--tcp", "4001", "--link", "/tmp/x"},
                                           Args{"--reject-burst", "0"}, Args{"--frobnicate"}));

}  // namespace
}  // namespace zorvex::sim
