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

using testing::FrameReplies;
using testing::OnlyBlock;

TEST(SimAnswerForm, EveryAnswerIsEchoThenLinesThenThePromptEachEndedByCrLf) {
    const std::pair<const char*, const char*> cases[] = {
        {"p", "p\r\n#\r\n"},
        {"df", "df\r\nV 2.05\r\n#\r\n"},
        {"", "\r\n#\r\n"},
        {"dm", "dm\r\nModel Number = ZX-5120\r\n#\r\n"},  // the 1.xx firmware's short requests
        {"ds", "ds\r\nSerial Number = SIM0042\r\n#\r\n"},
        {"zz", "zz\r\nUnknown command\r\n#\r\n"},
        {"dd", "dd\r\nUnknown command\r\n#\r\n"},  // table letters the monitor does not have
        {"ddq", "ddq\r\nUnknown command\r\n#\r\n"},
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
    using R = std::pair<const char*, H>;
    const R routes[] = {R{"p", H::Ping},
                        R{"de", H::RomVersion},
                        R{"df", H::FirmwareVersion},
                        R{"dh", H::HighVoltage},
                        R{"dt", H::OperatingTime},
                        R{"dx", H::Capability},
                        R{"dz", H::StrokeParameters},
                        R{"dms", H::ModelNumber},
                        R{"dmu", H::PartNumber},
                        R{"dmt", H::CrtPartNumber},
                        R{"dss", H::SerialNumber},
                        R{"dst", H::CrtSerialNumber},
                        R{"ddl", H::CurrentL},
                        R{"ddh", H::CurrentH},
                        R{"ddfl", H::FactoryL},
                        R{"ddpl", H::InitialL},
                        R{"ddfb", H::FactoryB},
                        R{"ddpb", H::InitialB},
                        R{"ddfh", H::FactoryH},
                        R{"ddph", H::InitialH},
                        R{"ddfv", H::FactoryV},
                        R{"ddpv", H::InitialV},
                        R{"ddfs", H::FactoryN},
                        R{"ddps", H::InitialN},
                        R{"dds", H::FamilyNTable},
                        R{"a0x1F00", H::MemoryAddress},
                        R{"a+", H::MemoryAddress},
                        R{"a-", H::MemoryAddress},
                        R{"rb", H::MemoryRead},
                        R{"rw", H::MemoryRead},
                        R{"rc", H::MemoryRead}};
    Controller controller;
    for (auto [command, id] : routes) {
        auto route = ResponseDispatcher::Resolve(OnlyBlock(controller, command));
        EXPECT_TRUE(route.reached && route.id == id) << command;
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
        auto framed = FrameReplies(controller.Answer("rc"));
        ASSERT_EQ(framed.blocks.size(), 1u) << value;
        ASSERT_EQ(framed.rejections, 0) << value;
        const std::string& block = framed.blocks.front();
        auto quote = block.find('\'');
        ASSERT_NE(quote, std::string::npos);
        char shown = block[quote + 1];
        EXPECT_TRUE(shown >= 0x20 && shown < 0x7F) << value;
        if (value >= 0x20 && value < 0x7F && value != '#' && value != '$' && value != '!') {
            EXPECT_EQ(shown, static_cast<char>(value));
        }
    }
}

}  // namespace
}  // namespace zorvex::sim
