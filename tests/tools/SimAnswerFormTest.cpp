// Each answer of the simulator, framed as the tool frames it, reaches the handler the tool
// has for the command, with the label or number the handler looks for where it looks.
#include <gtest/gtest.h>

#include <string>

#include "Controller.h"
#include "SimReplyBlocks.h"
#include "core/protocol/ReplyReaders.h"
#include "core/protocol/ResponseDispatcher.h"

namespace zorvex::sim {
namespace {

using testing::FrameReplies;

std::string OnlyBlock(Controller& controller, const std::string& command) {
    auto framed = FrameReplies(controller.Answer(command));
    EXPECT_EQ(framed.blocks.size(), 1u) << command;
    return framed.blocks.empty() ? std::string() : framed.blocks.front();
}

// The text the handler of the command receives (the block after its dispatch letters).
std::string HandlerText(Controller& controller, const std::string& command) {
    std::string block = OnlyBlock(controller, command);
    return std::string(ResponseDispatcher::Resolve(block).rest);
}

struct RouteCase {
    const char* command;
    bool reached;
    ReplyHandlerId id;
};

class SimAnswerRoutes : public ::testing::TestWithParam<RouteCase> {};

TEST_P(SimAnswerRoutes, TheAnswerReachesTheHandlerTheToolHasForTheCommand) {
    Controller controller;
    std::string block = OnlyBlock(controller, GetParam().command);
    auto route = ResponseDispatcher::Resolve(block);
    EXPECT_EQ(route.reached, GetParam().reached) << block;
    if (GetParam().reached) {
        EXPECT_EQ(route.id, GetParam().id) << block;
    }
}

constexpr auto kNone = ReplyHandlerId::Count;
INSTANTIATE_TEST_SUITE_P(
    EveryCommandTheToolSends, SimAnswerRoutes,
    ::testing::Values(RouteCase{"p", true, ReplyHandlerId::Ping},
                      RouteCase{"de", true, ReplyHandlerId::RomVersion},
                      RouteCase{"df", true, ReplyHandlerId::FirmwareVersion},
                      RouteCase{"dh", true, ReplyHandlerId::HighVoltage},
                      RouteCase{"dt", true, ReplyHandlerId::OperatingTime},
                      RouteCase{"dx", true, ReplyHandlerId::Capability},
                      RouteCase{"dz", true, ReplyHandlerId::StrokeParameters},
                      RouteCase{"dms", true, ReplyHandlerId::ModelNumber},
                      RouteCase{"dmu", true, ReplyHandlerId::PartNumber},
                      RouteCase{"dmt", true, ReplyHandlerId::CrtPartNumber},
                      RouteCase{"dss", true, ReplyHandlerId::SerialNumber},
                      RouteCase{"dst", true, ReplyHandlerId::CrtSerialNumber},
                      RouteCase{"ddfl", true, ReplyHandlerId::FactoryL},
                      RouteCase{"ddpl", true, ReplyHandlerId::InitialL},
                      RouteCase{"ddfb", true, ReplyHandlerId::FactoryB},
                      RouteCase{"ddpb", true, ReplyHandlerId::InitialB},
                      RouteCase{"ddfh", true, ReplyHandlerId::FactoryH},
                      RouteCase{"ddph", true, ReplyHandlerId::InitialH},
                      RouteCase{"ddfv", true, ReplyHandlerId::FactoryV},
                      RouteCase{"ddpv", true, ReplyHandlerId::InitialV},
                      RouteCase{"ddfs", true, ReplyHandlerId::FactoryN},
                      RouteCase{"ddps", true, ReplyHandlerId::InitialN},
                      RouteCase{"dds", true, ReplyHandlerId::FamilyNTable},
                      RouteCase{"a0x1F00", true, ReplyHandlerId::MemoryAddress},
                      RouteCase{"a+", true, ReplyHandlerId::MemoryAddress},
                      RouteCase{"a-", true, ReplyHandlerId::MemoryAddress},
                      RouteCase{"rb", true, ReplyHandlerId::MemoryRead},
                      RouteCase{"rw", true, ReplyHandlerId::MemoryRead},
                      RouteCase{"rc", true, ReplyHandlerId::MemoryRead},
                      // Accepted and dropped by the tool: they must not stray into a handler.
                      RouteCase{"g", false, kNone}, RouteCase{"da", false, kNone},
                      RouteCase{"db", false, kNone}, RouteCase{"dc", false, kNone},
                      RouteCase{"dw", false, kNone}, RouteCase{"dps", false, kNone},
                      RouteCase{"ddl", false, kNone}, RouteCase{"ddh", false, kNone},
                      RouteCase{"ddfa", false, kNone}, RouteCase{"ddpk", false, kNone},
                      RouteCase{"CU", false, kNone}, RouteCase{"CV", false, kNone},
                      RouteCase{"cz0", false, kNone}, RouteCase{"cz1", false, kNone},
                      RouteCase{"wb0x41", false, kNone}, RouteCase{"ww0x4142", false, kNone},
                      RouteCase{"TYW2EA100", false, kNone}, RouteCase{"TYR28a", false, kNone},
                      RouteCase{"TGW2E100", false, kNone}, RouteCase{"zz", false, kNone}));

TEST(SimAnswerForm, EveryAnswerIsEchoThenLinesThenThePromptEachEndedByCrLf) {
    Controller controller;
    EXPECT_EQ(controller.Answer("p"), "p\r\n#\r\n");
    EXPECT_EQ(controller.Answer("df"), "df\r\nV 2.05\r\n#\r\n");
    EXPECT_EQ(controller.Answer("zz"), "zz\r\nUnknown command\r\n#\r\n");
    EXPECT_EQ(controller.Answer(""), "\r\n#\r\n");
}

TEST(SimAnswerForm, ThePingBlockIsTheEchoAndThePromptAsTheToolSeesIt) {
    Controller controller;
    EXPECT_EQ(OnlyBlock(controller, "p"), "p\r\n#");
    EXPECT_EQ(ResponseDispatcher::Resolve("p\r\n#").rest, "#");
}

TEST(SimAnswerForm, VersionsReadAsTheConfiguredVersionTexts) {
    Controller controller;
    controller.identity().firmwareVersion = "3.10";
    std::string df = HandlerText(controller, "df");
    EXPECT_EQ(ReadVersionText(df), "3.10");
    EXPECT_EQ(VersionHundredths(*ReadVersionText(df)), 310);
    std::string de = HandlerText(controller, "de");
    EXPECT_EQ(ReadVersionText(de), controller.identity().romVersion);
}

struct IdentityCase {
    const char* command;
    const char* label;
    std::string Identity::*field;
};

class SimIdentityAnswers : public ::testing::TestWithParam<IdentityCase> {};

TEST_P(SimIdentityAnswers, TheLabelStandsAtTheStartSoTheValueReadsWhole) {
    Controller controller;
    std::string text = HandlerText(controller, GetParam().command);
    auto value = ReadIdentificationValue(text, GetParam().label);
    ASSERT_TRUE(value.has_value()) << text;
    EXPECT_EQ(*value, controller.identity().*GetParam().field);
}

INSTANTIATE_TEST_SUITE_P(
    IdentityRequests, SimIdentityAnswers,
    ::testing::Values(IdentityCase{"dms", "Model Number = ", &Identity::modelNumber},
                      IdentityCase{"dmu", "Model Number = ", &Identity::partNumber},
                      IdentityCase{"dmt", "Model Number = ", &Identity::crtPartNumber},
                      IdentityCase{"dss", "Serial Number = ", &Identity::serialNumber},
                      IdentityCase{"dst", "Serial Number = ", &Identity::crtSerialNumber}));

TEST(SimAnswerForm, TheOldFirmwaresShortRequestsAnswerWithTheSameLabelledValues) {
    // "dm" and "ds" (firmware 1.xx) are answered like "dms" and "dss".
    Controller controller;
    const Identity& id = controller.identity();
    EXPECT_EQ(controller.Answer("dm"), "dm\r\nModel Number = " + id.modelNumber + "\r\n#\r\n");
    EXPECT_EQ(controller.Answer("ds"), "ds\r\nSerial Number = " + id.serialNumber + "\r\n#\r\n");
}

TEST(SimAnswerForm, TheHighVoltageAnswerCarriesBothLimitsUnderTheirLabels) {
    Controller controller;
    std::string text = HandlerText(controller, "dh");
    auto upper = ReadLimitValue(text, "Upper Limit = ");
    auto lower = ReadLimitValue(text, "Lower Limit = ");
    ASSERT_TRUE(upper.found);
    ASSERT_TRUE(lower.found);
    EXPECT_EQ(upper.value, controller.identity().upperLimit);
    EXPECT_EQ(lower.value, controller.identity().lowerLimit);
}

TEST(SimAnswerForm, TheOperatingTimeIsTwoLinesOfFourNumbersAndACycleCount) {
    Controller controller;
    controller.SetUptimeSeconds(2 * 86400 + 3 * 3600 + 4 * 60 + 5);
    std::string text = HandlerText(controller, "dt");
    std::string_view rest = SkipLeadingBlanks(text);
    long stored = controller.identity().storedSeconds;
    const int expected[2][4] = {
        {static_cast<int>(stored / 86400), static_cast<int>(stored / 3600 % 24),
         static_cast<int>(stored / 60 % 60), static_cast<int>(stored % 60)},
        {2, 3, 4, 5}};
    for (const auto& line : expected) {
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(ReadDecimal(rest), line[i]);
            rest = i < 3 ? AfterComma(rest) : AfterLineBreak(rest);
        }
        rest = SkipLeadingBlanks(rest);
    }
    EXPECT_EQ(ReadDecimal(rest), controller.identity().cycles);
}

TEST(SimAnswerForm, TheCapabilityWordFollowsItsLabelDirectlyAsHex) {
    Controller controller;
    controller.identity().capability = 0xA5;
    std::string text = HandlerText(controller, "dx");
    std::string_view rest = text;
    auto at = rest.find("Capability = ");
    ASSERT_NE(at, std::string_view::npos);
    EXPECT_EQ(ReadCNumber(rest.substr(at + 13)), 0xA5);
}

TEST(SimAnswerForm, NoAnswerCarriesAPromptCharacterBeforeItsOwnPrompt) {
    // "#", "$" and "!" are prompts wherever they stand; an answer text holding one would cut
    // the block short in the tool. Typed commands that hold them are echoed without them.
    const char* commands[] = {
        "p",    "g",   "df",  "de",   "dt",  "dh",     "dm",     "dms", "dmu",    "dmt", "ds",
        "dss",  "dst", "dx",  "da",   "db",  "dc",     "dw",     "dps", "dv",     "dz",  "ddn",
        "ddpn", "dds", "ddt", "ddft", "CU",  "CV",     "cz0",    "cz1", "a0",     "a+",  "a-",
        "rb",   "rw",  "rc",  "wb1",  "ww1", "TYR00A", "x#y$z!", "a#",  "TYW2EA!"};
    Controller controller;
    for (const char* command : commands) {
        std::string answer = controller.Answer(command);
        std::string body = answer.substr(0, answer.size() - 3);
        EXPECT_EQ(body.find_first_of("#$!"), std::string::npos) << command << ": " << answer;
        EXPECT_EQ(answer.substr(answer.size() - 3), "#\r\n") << command;
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
        std::string_view block = framed.blocks.front();
        auto quote = block.find('\'');
        ASSERT_NE(quote, std::string_view::npos);
        char shown = block[quote + 1];
        EXPECT_TRUE(shown >= 0x20 && shown < 0x7F) << value;
        if (value >= 0x20 && value < 0x7F && value != '#' && value != '$' && value != '!') {
            EXPECT_EQ(shown, static_cast<char>(value));
        }
    }
}

}  // namespace
}  // namespace zorvex::sim
