// The faults the simulator plays, and its boot loader.
#include <gtest/gtest.h>

#include "Controller.h"
#include "Options.h"
#include "Session.h"
#include "SimReplyBlocks.h"
#include "core/protocol/ResponseDispatcher.h"

namespace zorvex::sim {
namespace {

using testing::FrameReplies;

TEST(SimBootMode, ThePingIsAnsweredWithTheBootPrompt) {
    Controller controller(true);
    EXPECT_EQ(controller.Answer("p"), "p\r\n$\r\n");
    auto framed = FrameReplies(controller.Answer("p"));
    ASSERT_EQ(framed.blocks.size(), 1u);
    EXPECT_EQ(ResponseDispatcher::Resolve(framed.blocks.front()).rest, "$");
}

TEST(SimBootMode, OtherCommandsGetAnErrorLineAndNoVersion) {
    Controller controller(true);
    std::string answer = controller.Answer("df");
    EXPECT_EQ(answer.find("V "), std::string::npos);
    EXPECT_EQ(answer.back(), '\n');
    EXPECT_EQ(answer[answer.size() - 3], '$');
}

TEST(SimBootMode, GoStartsTheFirmwareAndTheNormalPromptFollows) {
    Controller controller(true);
    std::string answer = controller.Answer("g");
    EXPECT_EQ(answer.substr(answer.size() - 3), "#\r\n");
    EXPECT_FALSE(controller.BootMode());
    EXPECT_EQ(controller.Answer("p"), "p\r\n#\r\n");
}

TEST(SimSession, RejectNextAnswersThatManyCommandsWithBangThenAnswersAgain) {
    Controller controller;
    Session session(controller, Faults{-1, 2, 0});
    auto first = session.OnCommand("p");
    auto second = session.OnCommand("p");
    auto third = session.OnCommand("p");
    EXPECT_EQ(first.outcome, Outcome::Rejected);
    EXPECT_EQ(first.bytes, "p\r\n!\r\n");
    EXPECT_EQ(second.outcome, Outcome::Rejected);
    EXPECT_EQ(third.outcome, Outcome::Answered);
    EXPECT_EQ(third.bytes, "p\r\n#\r\n");
}

TEST(SimSession, ARejectedCommandLeavesNoBlockForTheTool) {
    auto framed = FrameReplies(Controller::Rejection("df"));
    EXPECT_TRUE(framed.blocks.empty());
    EXPECT_EQ(framed.rejections, 1);
}

TEST(SimSession, RejectEveryKthRejectsOnlyThoseCommands) {
    Controller controller;
    Session session(controller, Faults{-1, 0, 3});
    std::vector<Outcome> outcomes;
    for (int i = 0; i < 6; ++i) {
        outcomes.push_back(session.OnCommand("p").outcome);
    }
    EXPECT_EQ(outcomes,
              (std::vector<Outcome>{Outcome::Answered, Outcome::Answered, Outcome::Rejected,
                                    Outcome::Answered, Outcome::Answered, Outcome::Rejected}));
}

TEST(SimSession, SilentAfterNAnswersNCommandsThenNothing) {
    Controller controller;
    Session session(controller, Faults{2, 0, 0});
    EXPECT_EQ(session.OnCommand("p").outcome, Outcome::Answered);
    EXPECT_EQ(session.OnCommand("df").outcome, Outcome::Answered);
    auto third = session.OnCommand("p");
    EXPECT_EQ(third.outcome, Outcome::Ignored);
    EXPECT_TRUE(third.bytes.empty());
    EXPECT_TRUE(session.Silent());
}

TEST(SimSession, AnsweringAgainOnRequestEndsTheSilenceForGood) {
    Controller controller;
    Session session(controller, Faults{1, 0, 0});
    session.OnCommand("p");
    EXPECT_EQ(session.OnCommand("p").outcome, Outcome::Ignored);
    session.SetSilent(false);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(session.OnCommand("p").outcome, Outcome::Answered);
    }
}

TEST(SimSession, SilenceOnRequestDropsEverythingUntilLifted) {
    Controller controller;
    Session session(controller, Faults{});
    session.SetSilent(true);
    EXPECT_TRUE(session.OnCommand("p").bytes.empty());
    EXPECT_TRUE(session.OnCommand("g").bytes.empty());
    session.SetSilent(false);
    EXPECT_EQ(session.OnCommand("p").bytes, "p\r\n#\r\n");
}

TEST(SimSession, AnEmptyLineIsNeverRejected) {
    Controller controller;
    Session session(controller, Faults{-1, 1, 0});
    EXPECT_EQ(session.OnCommand("").outcome, Outcome::Answered);
    EXPECT_EQ(session.OnCommand("p").outcome, Outcome::Rejected);
}

// Options.

TEST(SimOptions, EveryFaultAndPacingOptionIsTaken) {
    auto parsed = ParseOptions({"--boot", "--link", "/tmp/x", "--log", "/tmp/l", "--firmware",
                                "3.10", "--silent-after", "7", "--reject", "2", "--reject-every",
                                "4", "--reply-delay", "150", "--chunk", "3", "--chunk-delay", "9"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    const Options& o = *parsed.options;
    EXPECT_TRUE(o.bootMode);
    EXPECT_EQ(o.linkPath, "/tmp/x");
    EXPECT_EQ(o.logPath, "/tmp/l");
    EXPECT_EQ(o.firmwareVersion, "3.10");
    EXPECT_EQ(o.faults.silentAfter, 7);
    EXPECT_EQ(o.faults.rejectNext, 2);
    EXPECT_EQ(o.faults.rejectEvery, 4);
    EXPECT_EQ(o.pacing.replyDelayMs, 150);
    EXPECT_EQ(o.pacing.chunkSize, 3u);
    EXPECT_EQ(o.pacing.chunkDelayMs, 9);
}

TEST(SimOptions, ChunksGetASmallDefaultPause) {
    auto parsed = ParseOptions({"--chunk", "4"});
    ASSERT_TRUE(parsed.options);
    EXPECT_EQ(parsed.options->pacing.chunkDelayMs, 5);
}

class SimBadOptions : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(SimBadOptions, AreRefusedWithAReason) {
    auto parsed = ParseOptions(GetParam());
    EXPECT_FALSE(parsed.options);
    EXPECT_FALSE(parsed.error.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SimBadOptions,
    ::testing::Values(
        std::vector<std::string>{"--reject"}, std::vector<std::string>{"--reject", "-1"},
        std::vector<std::string>{"--reject", "2x"}, std::vector<std::string>{"--reject-every", "1"},
        std::vector<std::string>{"--reply-delay", "99999999999999999999"},
        std::vector<std::string>{"--chunk", "0"}, std::vector<std::string>{"--firmware", "2"},
        std::vector<std::string>{"--firmware", "V2.05"}, std::vector<std::string>{"--link", ""},
        std::vector<std::string>{"--frobnicate"}));

TEST(SimOptions, TheHelpSaysHowToUseItWithTheTool) {
    std::string help = HelpText("zorvex-monitor-sim");
    for (const char* part :
         {"--link", "--log", "--boot", "--silent-after", "--reject", "--reply-delay", "--chunk",
          "USR1", "USR2", "HUP", "[Ports]", "Com1", "scripts/run.sh"}) {
        EXPECT_NE(help.find(part), std::string::npos) << part;
    }
}

}  // namespace
}  // namespace zorvex::sim
