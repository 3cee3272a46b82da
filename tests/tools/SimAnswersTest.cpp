// What the tool depends on in the simulator's answers: each is framed as the monitor frames
// it and reaches the handler the tool has for the command; the refusals and silence it plays
// on request; how it frames the commands it reads.
#include <gtest/gtest.h>

#include <string>

#include "CommandFramer.h"
#include "Options.h"
#include "Session.h"
#include "SimReplyBlocks.h"

namespace zorvex::sim {
namespace {

using testing::OnlyBlock;

TEST(SimAnswerForm, EveryAnswerIsEchoThenLinesThenThePromptEachEndedByCrLf) {
    // "dm" is the 1.xx firmware's short request; "dd" and "ddfxx" are table letters the monitor
    // does not have.
    Controller controller;
    std::string answers;
    for (const char* command : {"", "dm", "zz", "dd", "ddfxx"}) {
        answers += controller.Answer(command);
    }
    EXPECT_EQ(answers,
              "\r\n#\r\ndm\r\nModel Number = ZX-5120\r\n#\r\nzz\r\nUnknown command\r\n#\r\n"
              "dd\r\nUnknown command\r\n#\r\nddfxx\r\nUnknown command\r\n#\r\n");
}

TEST(SimAnswerForm, EachAnswerReachesTheHandlerTheToolHasForTheCommand) {
    using H = ReplyHandlerId;
    // Command i reaches handler i (the update-all pass in SimThroughHandlersTest routes the rest).
    const char* const commands[] = {"dz", "dds", "a0x1F00", "a+", "a-", "rb", "rw", "rc"};
    const H handlers[] = {H::StrokeParameters, H::FamilyNTable, H::MemoryAddress, H::MemoryAddress,
                          H::MemoryAddress,    H::MemoryRead,   H::MemoryRead,    H::MemoryRead};
    static_assert(std::size(commands) == std::size(handlers));
    Controller controller;
    for (std::size_t i = 0; i < std::size(commands); ++i) {
        auto route = ResponseDispatcher::Resolve(OnlyBlock(controller, commands[i]));
        EXPECT_TRUE(route.reached && route.id == handlers[i]) << commands[i];
    }
    // Accepted and dropped by the tool: they must not stray into a handler.
    for (const char* command :
         {"g", "da", "db", "dc", "dw", "dps", "ddfa", "ddpk", "CU", "CV", "cz0", "cz1", "wb0x41",
          "ww0x4142", "TYW2EA100", "TYR28a", "TGW2E100", "zz"}) {
        EXPECT_FALSE(ResponseDispatcher::Resolve(OnlyBlock(controller, command)).reached)
            << command;
    }
}

// "#", "$" and "!" are prompts wherever they stand; an answer text holding one would cut the
// block short in the tool. Typed commands that hold them are echoed without them.
void ExpectOnePromptAtTheEnd(const std::string& command, const std::string& answer) {
    EXPECT_EQ(answer.substr(0, answer.size() - 3).find_first_of("#$!"), std::string::npos)
        << command << ": " << answer;
    EXPECT_TRUE(answer.ends_with("#\r\n") || answer.ends_with("$\r\n")) << command;
}

TEST(SimAnswerForm, NoAnswerCarriesAPromptCharacterBeforeItsOwnPrompt) {
    Controller controller;
    // The commands routed to a handler (here and in the update-all pass) already frame as one
    // block that reaches it.
    for (const char* command :
         {"g",   "dm",  "ds",   "da",  "db",   "dc",      "dw",     "dps",
          "dv",  "ddn", "ddpn", "ddt", "ddft", "CU",      "CV",     "cz0",
          "cz1", "a0",  "wb1",  "ww1", "a#",   "TYW2EA!", "TYR00A", "x#y$z!"}) {
        ExpectOnePromptAtTheEnd(command, controller.Answer(command));
    }
    // Whatever byte the read address holds.
    for (int value = 0; value < 256; ++value) {
        controller.memory().SetByte(controller.memory().Address(), static_cast<uint8_t>(value));
        ExpectOnePromptAtTheEnd("rc", controller.Answer("rc"));
    }
}

// The faults as the options give them; each command's outcome as a letter: R refused with
// `bangs` "!", I ignored, A answered.
TEST(SimFaults, AnswerRefuseOrIgnoreEachCommandInTurn) {
    const struct {
        std::vector<std::string> options;
        std::vector<std::string> commands;
        const char* outcomes;
        long bangs = 1;
    } cases[] = {
        {{"--reject", "2"}, {"p", "p", "p"}, "RRA"},
        {{"--reject-every", "3"}, std::vector<std::string>(6, "p"), "AARAAR"},
        {{"--silent-after", "2"}, {"p", "df", "p", "g"}, "AAII"},
        {{"--reject", "1"}, {"", "p"}, "AR"},  // "" is never refused
        {{"--reject-always", "de"}, {"de", "df", "de"}, "RAR"},
        {{"--reject-burst", "9"}, {"p", "dt", "dt"}, "ARA", 9},
    };
    for (const auto& c : cases) {
        const auto parsed = ParseOptions(c.options);
        ASSERT_TRUE(parsed.options) << parsed.error;
        Controller controller;
        Session session(controller, parsed.options->faults);
        std::string letters;
        for (const std::string& command : c.commands) {
            const std::string bytes = session.OnCommand(command).bytes;
            letters += bytes.empty() ? 'I' : "AR"[bytes == Controller::Rejection(command, c.bangs)];
        }
        EXPECT_EQ(letters, c.outcomes) << c.options[0];
    }
    // A refusal leaves the tool no block.
    const auto framed = testing::FrameReplies(Controller::Rejection("df"));
    EXPECT_TRUE(framed.blocks.empty() && framed.rejections == 1);
}

TEST(SimCommandFramer, SplitsCommandsAtCrTakingBackEditsAndDroppingNuls) {
    const std::pair<std::vector<std::string>, std::vector<std::string>> cases[] = {
        {{"p\r\ndf\r\n"}, {"p", "df"}},              // the LF after a CR is ignored
        {{"dm", "s\r"}, {"dms"}},                    // split over reads
        {{"dx\bf\r", "\x7F\x7Fp\r"}, {"df", "p"}},   // backspace and delete
        {{std::string("d\0f\r\r", 5)}, {"df", ""}},  // NULs dropped, a lone CR is empty
        {{std::string(10000, 'x') + "\r"}, {std::string(CommandFramer::kMaxLine, 'x')}},
    };
    for (const auto& [reads, commands] : cases) {
        CommandFramer framer;
        std::vector<std::string> got;
        for (const std::string& read : reads) {
            const auto lines = framer.Feed(read);
            got.insert(got.end(), lines.begin(), lines.end());
        }
        EXPECT_EQ(got, commands) << reads.front().substr(0, 10);
    }
}

}  // namespace
}  // namespace zorvex::sim
