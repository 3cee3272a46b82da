// Each answer of the simulator, framed as the tool frames it, reaches the handler the tool
// has for the command, with the label or number the handler looks for where it looks.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "CommandFramer.h"
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
    // The named N tables answer with the letter of their table first.
    EXPECT_EQ(controller.Answer("dds").substr(0, 7), "dds\r\nP ");
    EXPECT_EQ(controller.Answer("ddfs").substr(0, 8), "ddfs\r\nF ");
    EXPECT_EQ(controller.Answer("ddps").substr(0, 8), "ddps\r\nP ");
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
    ASSERT_GE(answer.size(), 5u) << command;
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
    // Whatever bytes arrive, each command framed from them gets a well-formed answer.
    std::mt19937 random(12345);
    CommandFramer framer;
    Session session(controller, Faults{});
    const std::string alphabet = "pgdfemstxhzabcrwTYRGWAB0123456789+-=;#$!\r\n\b\x7F\x01 ";
    for (int round = 0; round < 3000 && !HasFailure(); ++round) {
        std::string bytes;
        for (int i = static_cast<int>(random() % 12); i > 0; --i) {
            bytes += random() % 8 == 0 ? static_cast<char>(random() % 256)
                                       : alphabet[random() % alphabet.size()];
        }
        for (const std::string& command : framer.Feed(bytes)) {
            ExpectOnePromptAtTheEnd(command, session.OnCommand(command).bytes);
        }
    }
}

TEST(SimAnswerForm, EveryByteValueAtTheReadAddressIsShownAsAPrintableCharacter) {
    Controller controller;
    for (int value = 0; value < 256; ++value) {
        controller.memory().SetByte(0x100, static_cast<uint8_t>(value));
        controller.Answer("a100");
        const std::string block = OnlyBlock(controller, "rc");  // not rejected, not cut short
        const auto quote = block.find('\'');
        ASSERT_NE(quote, std::string::npos) << value;
        char shown = block[quote + 1];
        EXPECT_TRUE(shown >= 0x20 && shown < 0x7F) << value;
        if (value >= 0x20 && value < 0x7F && value != '#' && value != '$' && value != '!') {
            EXPECT_EQ(shown, static_cast<char>(value));
        }
    }
}

}  // namespace
}  // namespace zorvex::sim
