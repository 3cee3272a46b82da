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
    const std::pair<const char*, const char*> cases[] = {
        {"p", "p\r\n#\r\n"},
        {"df", "df\r\nV 2.05\r\n#\r\n"},
        {"", "\r\n#\r\n"},
        {"dm", "dm\r\nModel Number = ZX-5120\r\n#\r\n"},  // the 1.xx firmware's short request
        {"zz", "zz\r\nUnknown command\r\n#\r\n"},
        {"dd", "dd\r\nUnknown command\r\n#\r\n"},  // table letters the monitor does not have
        {"ddfxx", "ddfxx\r\nUnknown command\r\n#\r\n"}};
    Controller controller;
    for (auto [command, answer] : cases) {
        EXPECT_EQ(controller.Answer(command), answer) << command;
    }
}

TEST(SimAnswerForm, EachAnswerReachesTheHandlerTheToolHasForTheCommand) {
    using H = ReplyHandlerId;
    // Command i reaches handler i.
    const char* const commands[] = {
        "p",    "de",   "df",  "dh",      "dt",   "dx",   "dz",   "dms",  "dmu",  "dmt",  "dss",
        "dst",  "ddl",  "ddh", "ddfl",    "ddpl", "ddfb", "ddpb", "ddfh", "ddph", "ddfv", "ddpv",
        "ddfs", "ddps", "dds", "a0x1F00", "a+",   "a-",   "rb",   "rw",   "rc"};
    const H handlers[] = {
        H::Ping,          H::RomVersion,       H::FirmwareVersion, H::HighVoltage, H::OperatingTime,
        H::Capability,    H::StrokeParameters, H::ModelNumber,     H::PartNumber,  H::CrtPartNumber,
        H::SerialNumber,  H::CrtSerialNumber,  H::CurrentL,        H::CurrentH,    H::FactoryL,
        H::InitialL,      H::FactoryB,         H::InitialB,        H::FactoryH,    H::InitialH,
        H::FactoryV,      H::InitialV,         H::FactoryN,        H::InitialN,    H::FamilyNTable,
        H::MemoryAddress, H::MemoryAddress,    H::MemoryAddress,   H::MemoryRead,  H::MemoryRead,
        H::MemoryRead};
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
    for (const char* command :
         {"p",    "g",   "df",  "de",   "dt",  "dh", "dm",      "dms",    "dmu",   "dmt", "ds",
          "dss",  "dst", "dx",  "da",   "db",  "dc", "dw",      "dps",    "dv",    "dz",  "ddn",
          "ddpn", "dds", "ddt", "ddft", "CU",  "CV", "cz0",     "cz1",    "a0",    "a+",  "a-",
          "rb",   "rw",  "rc",  "wb1",  "ww1", "a#", "TYW2EA!", "TYR00A", "x#y$z!"}) {
        ExpectOnePromptAtTheEnd(command, controller.Answer(command));
    }
    // Whatever byte the read address holds.
    for (int value = 0; value < 256; ++value) {
        controller.memory().SetByte(controller.memory().Address(), static_cast<uint8_t>(value));
        ExpectOnePromptAtTheEnd("rc", controller.Answer("rc"));
    }
}

// Each command's outcome as a letter: R refused with `bangs` "!", I ignored, A answered.
std::string Outcomes(Session& session, const std::vector<std::string>& commands, long bangs = 1) {
    std::string letters;
    for (const std::string& command : commands) {
        const std::string bytes = session.OnCommand(command).bytes;
        letters += bytes.empty() ? 'I' : bytes == Controller::Rejection(command, bangs) ? 'R' : 'A';
    }
    return letters;
}

TEST(SimFaults, AnswerRefuseOrIgnoreEachCommandInTurn) {
    const std::vector<std::string> pings(6, "p");
    const struct {
        Faults faults;
        std::vector<std::string> commands;
        const char* outcomes;
        long bangs = 1;
    } cases[] = {
        {{.rejectNext = 2}, {"p", "p", "p"}, "RRA"},
        {{.rejectEvery = 3}, pings, "AARAAR"},
        {{.silentAfter = 2}, {"p", "df", "p", "g"}, "AAII"},
        {{.rejectNext = 1}, {"", "p"}, "AR"},  // "" is never refused
        {{.rejectAlways = "de"}, {"de", "df", "de"}, "RAR"},
        {{.rejectBurst = 9}, {"p", "dt", "dt"}, "ARA", 9},
    };
    for (const auto& c : cases) {
        Controller controller;
        Session session(controller, c.faults);
        EXPECT_EQ(Outcomes(session, c.commands, c.bangs), c.outcomes) << c.commands[1];
    }
    // A refusal leaves the tool no block.
    const auto framed = testing::FrameReplies(Controller::Rejection("df"));
    EXPECT_TRUE(framed.blocks.empty() && framed.rejections == 1);
}

TEST(SimOptions, TheFaultOptionsAreTaken) {
    const auto parsed = ParseOptions({"--silent-after", "7", "--reject", "2", "--reject-every", "4",
                                      "--reject-always", "de", "--reject-burst", "10"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    const Faults& f = parsed.options->faults;
    EXPECT_EQ(std::tuple(f.silentAfter, f.rejectNext, f.rejectEvery, f.rejectAlways, f.rejectBurst),
              std::tuple(7L, 2L, 4L, std::string("de"), 10L));
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
            for (std::string& line : framer.Feed(read)) {
                got.push_back(std::move(line));
            }
        }
        EXPECT_EQ(got, commands) << reads.front().substr(0, 10);
    }
}

}  // namespace
}  // namespace zorvex::sim
