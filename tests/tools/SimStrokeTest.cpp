// The stroke read-out, the display registers and peek/poke, read the way the tool reads them.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "Controller.h"
#include "SimReplyBlocks.h"
#include "core/panels/stroke/ApplyStrokeParameters.h"
#include "core/panels/stroke/ReadKeyedValue.h"
#include "core/protocol/ResponseDispatcher.h"

namespace zorvex::sim {
namespace {

using testing::FrameReplies;

std::string Readout(Controller& controller) {
    auto framed = FrameReplies(controller.Answer("dz"));
    EXPECT_EQ(framed.blocks.size(), 1u);
    return std::string(ResponseDispatcher::Resolve(framed.blocks.front()).rest);
}

struct KeyCase {
    const char* key;
    const char* value;  // with the simulator's power-up parameters
};

class SimReadoutKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(SimReadoutKeys, EveryKeyTheToolReadsIsThereWithItsStoredValue) {
    Controller controller;
    EXPECT_EQ(ReadKeyedValue(Readout(controller), GetParam().key, ";"), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    AllKeys, SimReadoutKeys,
    ::testing::Values(
        KeyCase{"x_offset=", "1"}, KeyCase{"plus_minus_x=", "0"}, KeyCase{"y_offset=", "1"},
        KeyCase{"plus_minus_y=", "0"}, KeyCase{"green_gain=", "128"}, KeyCase{"x_flip=", "0"},
        KeyCase{"y_flip=", "0"}, KeyCase{"lcd_test=", "0"}, KeyCase{"hor_width=", "3"},
        KeyCase{"hor_long=", "20"}, KeyCase{"ver_width=", "3"}, KeyCase{"ver_long=", "20"},
        KeyCase{"short_defined_hor_width=", "2"}, KeyCase{"short_defined_hor_long=", "8"},
        KeyCase{"short_defined_ver_width=", "2"}, KeyCase{"short_defined_ver_long=", "8"},
        KeyCase{"small_delta=", "2"}, KeyCase{"big_delta=", "6"}, KeyCase{"frame_cnt=", "1"},
        KeyCase{"frame_ave=", "0"}, KeyCase{"filter_order=", "3"}, KeyCase{"data_gap_limit=", "2"},
        KeyCase{"ave_order=", "3"}, KeyCase{"sig_line_type=", "2"}, KeyCase{"xy_shift=", "0"},
        KeyCase{"reset_ram=", "0"}, KeyCase{"AOI_x_start=", "0"}, KeyCase{"AOI_x_end=", "639"},
        KeyCase{"AOI_y_start=", "0"}, KeyCase{"AOI_y_end=", "479"}, KeyCase{"DES_x_start=", "0"},
        KeyCase{"DES_x_end=", "1023"}, KeyCase{"DES_y_start=", "0"}, KeyCase{"DES_y_end=", "767"},
        KeyCase{"divider_order=", "2"}));

TEST(SimStroke, ALongerKeyNeverComesBeforeTheShortKeyItContains) {
    // The tool takes the first occurrence of a key, also inside a longer key.
    Controller controller;
    std::string readout = Readout(controller);
    for (const char* key : {"hor_width=", "hor_long=", "ver_width=", "ver_long="}) {
        auto at = readout.find(key);
        ASSERT_NE(at, std::string::npos);
        ASSERT_GT(at, 0u);
        EXPECT_FALSE(std::isalnum(static_cast<unsigned char>(readout[at - 1])) ||
                     readout[at - 1] == '_')
            << key;
    }
}

TEST(SimStroke, AStoredGainComesBackInTheNextReadoutWhileALiveWriteDoesNot) {
    Controller controller;
    controller.Answer("TYW1DA0");
    controller.Answer("TYW2EA77");
    EXPECT_EQ(ReadKeyedValue(Readout(controller), "green_gain=", ";"), "128");
    controller.Answer("TGW1D0");
    controller.Answer("TGW2E77");
    EXPECT_EQ(ReadKeyedValue(Readout(controller), "green_gain=", ";"), "77");
}

TEST(SimStroke, ANegativeOffsetIsStoredAsSignCodeAndMagnitude) {
    Controller controller;
    controller.Answer("TGW002");
    controller.Answer("TGW3920");
    std::string readout = Readout(controller);
    EXPECT_EQ(ReadKeyedValue(readout, "x_offset=", ";"), "2");
    EXPECT_EQ(ReadKeyedValue(readout, "plus_minus_x=", ";"), "20");
}

TEST(SimStroke, ATurnStoredInUpperCaseShowsInTheReadout) {
    Controller controller;
    controller.Answer("TYW2ba1");
    controller.Answer("TGW2B1");
    EXPECT_EQ(ReadKeyedValue(Readout(controller), "x_flip=", ";"), "1");
    EXPECT_EQ(controller.stroke().Live("2ba"), 1);
}

TEST(SimStroke, AnAverageOrderRegisterHoldingAWidthReportsNoOption) {
    Controller controller;
    controller.Answer("TGW0412");
    std::string readout = Readout(controller);
    EXPECT_EQ(ReadKeyedValue(readout, "hor_width=", ";"), "12");
    EXPECT_EQ(ReadKeyedValue(readout, "ave_order=", ";"), "255");
}

TEST(SimStroke, RegistersDifferingOnlyInTheCaseOfTheBankLetterAreDifferent) {
    Controller controller;
    controller.Answer("TYW23a1");
    controller.Answer("TYW23A7");
    EXPECT_EQ(controller.stroke().Live("23a"), 1);
    EXPECT_EQ(controller.stroke().Live("23A"), 7);
}

TEST(SimStroke, ARegisterReadIsClosedByTheParenthesisTheDumpLooksFor) {
    Controller controller;
    controller.Answer("TYW2EA100");
    auto framed = FrameReplies(controller.Answer("TYR2EA"));
    ASSERT_EQ(framed.blocks.size(), 1u);
    EXPECT_EQ(ReadKeyedValue(framed.blocks.front(), "TYR2EA", ")"), "\r\n64");
}

TEST(SimStroke, TheDumpSequenceReadsTheControllerMemoryAtTheReadAddress) {
    // The tool's dump step: r addr high = 5, low = 0, strobe, then read 28a and 27a.
    Controller controller;
    controller.memory().SetByte(0x0500, 0x12);
    controller.memory().SetByte(0x0501, 0x3F);
    std::string traffic;
    for (const char* command :
         {"TYW22a0", "TYW33b5", "TYW32b0", "TYW20a1", "TYW20a0", "TYR28a", "TYR27a"}) {
        traffic += controller.Answer(command);
    }
    std::string word = ReadKeyedValue(traffic, "TYR28a", ")");
    EXPECT_EQ(word, "\r\n3F");
    EXPECT_EQ(ReadKeyedValue(traffic, "TYR27a", ")"), "\r\n12");
}

TEST(SimStroke, TheWriteSequenceStoresTheDataRegistersAtTheWriteAddress) {
    Controller controller;
    for (const char* command :
         {"TYW35b2", "TYW34b16", "TYW27a171", "TYW28a205", "TYW21a1", "TYW21a0"}) {
        controller.Answer(command);
    }
    EXPECT_EQ(controller.memory().Byte(0x0210), 171);
    EXPECT_EQ(controller.memory().Byte(0x0211), 205);
}

struct BadRegisterCase {
    const char* command;
    const char* answerLine;
};

class SimBadRegisterCommands : public ::testing::TestWithParam<BadRegisterCase> {};

TEST_P(SimBadRegisterCommands, AreAnsweredWithAnErrorLineAndChangeNothing) {
    Controller controller;
    std::string before = Readout(controller);
    std::string answer = controller.Answer(GetParam().command);
    EXPECT_NE(answer.find(GetParam().answerLine), std::string::npos) << answer;
    EXPECT_EQ(Readout(controller), before);
    EXPECT_EQ(controller.stroke().Live("2EA"), 128);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SimBadRegisterCommands,
    ::testing::Values(
        BadRegisterCase{"TYW2EA", "Bad value"},  // an empty text box
        BadRegisterCase{"TYW2EAabc", "Bad value"}, BadRegisterCase{"TYW2EA-4", "Bad value"},
        BadRegisterCase{"TYW2EA70000", "Bad value"}, BadRegisterCase{"TYW2EC5", "Bad register"},
        BadRegisterCase{"TYWZZA5", "Bad register"}, BadRegisterCase{"TYW", "Bad register"},
        BadRegisterCase{"TGW2E", "Bad value"}, BadRegisterCase{"TGWx", "Bad register"},
        BadRegisterCase{"TYR2E", "Bad register"}, BadRegisterCase{"TYR2EAB", "Bad register"}));

// The stroke window's read-out on the simulator's answer: every scroll bar, option and turn
// gets a value it can show, none is left out as unreadable.
class RecordingTarget : public StrokeParameterTarget {
  public:
    void SetBar(StrokeBar bar, int value) override { bars[bar] = value; }
    void SetBarLabel(StrokeBar, const std::string&) override {}
    void SetText(StrokeText box, const std::string& text) override { texts[box] = text; }
    void SelectOption(StrokeOptionGroup group, int index) override { options[group] = index; }
    void SelectRawBlank() override { rawBlank = true; }
    void SetTurn(StrokeTurn turn, bool checked) override { turns[turn] = checked; }
    std::map<StrokeBar, int> bars;
    std::map<StrokeText, std::string> texts;
    std::map<StrokeOptionGroup, int> options;
    std::map<StrokeTurn, bool> turns;
    bool rawBlank = false;
};

TEST(SimStroke, TheReadoutSetsEveryBarOptionAndTurnOfTheStrokeWindow) {
    Controller controller;
    controller.Answer("TGW002");  // x offset -20
    controller.Answer("TGW3920");
    controller.Answer("TGW2E77");
    controller.Answer("TGW2C1");
    RecordingTarget target;
    ApplyStrokeParameters(Readout(controller), target);
    EXPECT_EQ(target.bars[StrokeBar::XOffset], -20);
    EXPECT_EQ(target.bars[StrokeBar::YOffset], 0);
    EXPECT_EQ(target.bars[StrokeBar::Gain], 77);
    EXPECT_EQ(target.options.size(), 4u);
    for (auto [group, index] : target.options) {
        EXPECT_TRUE(IsStrokeOption(group, index)) << static_cast<int>(group) << " " << index;
    }
    EXPECT_FALSE(target.turns[StrokeTurn::X]);
    EXPECT_TRUE(target.turns[StrokeTurn::Y]);
    EXPECT_EQ(target.texts[StrokeText::Text1_0], "3");
    EXPECT_EQ(target.texts[StrokeText::Text1_9], "2");
}

// Peek and poke.

std::string HandlerText(Controller& controller, const std::string& command) {
    auto framed = FrameReplies(controller.Answer(command));
    EXPECT_EQ(framed.blocks.size(), 1u);
    return std::string(ResponseDispatcher::Resolve(framed.blocks.front()).rest);
}

TEST(SimPeekPoke, TheAddressAnswerCarriesTheAddressAfterAddrEquals0x) {
    Controller controller;
    EXPECT_NE(HandlerText(controller, "a0x1f00").find("Addr = 0x1F00\r\n"), std::string::npos);
    EXPECT_NE(HandlerText(controller, "a+").find("Addr = 0x1F01\r\n"), std::string::npos);
    EXPECT_NE(HandlerText(controller, "a-").find("Addr = 0x1F00\r\n"), std::string::npos);
    EXPECT_NE(HandlerText(controller, "a-").find("Addr = 0x1EFF\r\n"), std::string::npos);
}

TEST(SimPeekPoke, TheAddressWrapsAroundAtBothEnds) {
    Controller controller;
    controller.Answer("a0");
    EXPECT_NE(HandlerText(controller, "a-").find("Addr = 0xFFFF"), std::string::npos);
    EXPECT_NE(HandlerText(controller, "a+").find("Addr = 0x0000"), std::string::npos);
}

TEST(SimPeekPoke, AByteWrittenReadsBackAsByteWordAndCharacter) {
    Controller controller;
    controller.Answer("a0x2000");
    controller.Answer("wb0x41");
    controller.Answer("a0x2001");
    controller.Answer("wb42");
    controller.Answer("a0x2000");
    std::string byte = HandlerText(controller, "rb");
    std::string word = HandlerText(controller, "rw");
    std::string character = HandlerText(controller, "rc");
    EXPECT_EQ(byte.front(), 'b');
    EXPECT_NE(byte.find(":= 0x41\r\n"), std::string::npos) << byte;
    EXPECT_EQ(word.front(), 'w');
    EXPECT_NE(word.find(":= 0x4142\r\n"), std::string::npos) << word;
    EXPECT_EQ(character.front(), 'c');
    EXPECT_EQ(character[character.find('\'') + 1], 'A');
}

TEST(SimPeekPoke, AWordIsWrittenHighByteFirst) {
    Controller controller;
    controller.Answer("a0x10");
    controller.Answer("ww0xBEEF");
    EXPECT_EQ(controller.memory().Byte(0x10), 0xBE);
    EXPECT_EQ(controller.memory().Byte(0x11), 0xEF);
}

TEST(SimPeekPoke, TheBoxesInitialPlaceholdersWriteNothing) {
    Controller controller;
    controller.Answer("a0x30");
    uint8_t before = controller.memory().Byte(0x30);
    EXPECT_NE(controller.Answer("wb0xXX").find("Bad value"), std::string::npos);
    EXPECT_NE(controller.Answer("ww0xXXXX").find("Bad value"), std::string::npos);
    EXPECT_NE(controller.Answer("wb0x100").find("Bad value"), std::string::npos);
    EXPECT_EQ(controller.memory().Byte(0x30), before);
}

TEST(SimPeekPoke, ABadAddressKeepsTheAddressAndSaysWhereItStays) {
    Controller controller;
    controller.Answer("a0x40");
    EXPECT_NE(HandlerText(controller, "a0x").find("Addr = 0x0040"), std::string::npos);
    EXPECT_NE(HandlerText(controller, "a0x12345").find("Addr = 0x0040"), std::string::npos);
    EXPECT_EQ(controller.memory().Address(), 0x40);
}

}  // namespace
}  // namespace zorvex::sim
