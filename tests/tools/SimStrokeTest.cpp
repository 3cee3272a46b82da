// The stroke read-out, the display registers and the memory behind them, read the way the
// tool reads them.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "SimReplyBlocks.h"
#include "core/panels/stroke/ApplyStrokeParameters.h"
#include "core/panels/stroke/ReadKeyedValue.h"

namespace zorvex::sim {
namespace {

std::string Readout(Controller& controller) {
    return testing::HandlerText(controller, "dz");
}
std::string Key(Controller& controller, const char* key) {
    return ReadKeyedValue(Readout(controller), key, ";");
}

TEST(SimStroke, EveryKeyTheToolReadsIsThereWithItsPowerUpValue) {
    const char* const expected =
        "x_offset=1 plus_minus_x=0 y_offset=1 plus_minus_y=0 green_gain=128 x_flip=0 y_flip=0 "
        "lcd_test=0 hor_width=3 hor_long=20 ver_width=3 ver_long=20 short_defined_hor_width=2 "
        "short_defined_hor_long=8 short_defined_ver_width=2 short_defined_ver_long=8 "
        "small_delta=2 big_delta=6 frame_cnt=1 frame_ave=0 filter_order=3 data_gap_limit=2 "
        "ave_order=3 sig_line_type=2 xy_shift=0 reset_ram=0 AOI_x_start=0 AOI_x_end=639 "
        "AOI_y_start=0 AOI_y_end=479 DES_x_start=0 DES_x_end=1023 DES_y_start=0 DES_y_end=767 "
        "divider_order=2";
    Controller controller;
    const std::string readout = Readout(controller);
    std::istringstream items(expected);
    for (std::string item; items >> item;) {
        const auto equals = item.find('=') + 1;
        EXPECT_EQ(ReadKeyedValue(readout, item.substr(0, equals), ";"), item.substr(equals))
            << item;
    }
    // The tool takes the first occurrence of a key, also inside a longer key: a longer key
    // must never come first.
    for (const char* key : {"hor_width=", "hor_long=", "ver_width=", "ver_long="}) {
        const auto at = readout.find(key);
        ASSERT_TRUE(at != std::string::npos && at > 0) << key;
        EXPECT_FALSE(std::isalnum(static_cast<unsigned char>(readout[at - 1])) ||
                     readout[at - 1] == '_')
            << key;
    }
}

TEST(SimStroke, StoredWritesComeBackInTheNextReadoutWhileLiveWritesDoNot) {
    const struct {
        std::vector<const char*> commands;
        std::vector<std::pair<const char*, const char*>> keys;
    } cases[] = {
        {{"TYW1DA0", "TYW2EA77"}, {{"green_gain=", "128"}}},
        {{"TGW1D0", "TGW2E77"}, {{"green_gain=", "77"}}},
        {{"TGW002", "TGW3920"}, {{"x_offset=", "2"}, {"plus_minus_x=", "20"}}},  // sign code
        {{"TYW2ba1", "TGW2B1"}, {{"x_flip=", "1"}}},  // a turn stored in upper case
        // An average order register holding a width reports no option.
        {{"TGW0412"}, {{"hor_width=", "12"}, {"ave_order=", "255"}}}};
    for (const auto& c : cases) {
        Controller controller;
        for (const char* command : c.commands) {
            controller.Answer(command);
        }
        for (auto [key, value] : c.keys) {
            EXPECT_EQ(Key(controller, key), value) << c.commands.back() << " " << key;
        }
    }
}

TEST(SimStroke, TheDumpSequenceReadsTheMemoryAtTheReadAddressClosedByAParenthesis) {
    // The tool's dump step: r addr high = 5, low = 0, strobe, then read 28a and 27a.
    Controller controller;
    controller.memory().SetByte(0x0500, 0x12);
    controller.memory().SetByte(0x0501, 0x3F);
    std::string traffic;
    for (const char* command :
         {"TYW22a0", "TYW33b5", "TYW32b0", "TYW20a1", "TYW20a0", "TYR28a", "TYR27a"}) {
        traffic += controller.Answer(command);
    }
    EXPECT_EQ(ReadKeyedValue(traffic, "TYR28a", ")"), "\r\n3F");
    EXPECT_EQ(ReadKeyedValue(traffic, "TYR27a", ")"), "\r\n12");
    // The write sequence stores the data registers at the write address.
    for (const char* command :
         {"TYW35b2", "TYW34b16", "TYW27a171", "TYW28a205", "TYW21a1", "TYW21a0"}) {
        controller.Answer(command);
    }
    EXPECT_EQ(controller.memory().Byte(0x0210), 171);
    EXPECT_EQ(controller.memory().Byte(0x0211), 205);
    // Registers differing only in the case of the bank letter are different.
    controller.Answer("TYW23a1");
    controller.Answer("TYW23A7");
    EXPECT_EQ(controller.stroke().Live("23a"), 1);
    EXPECT_EQ(controller.stroke().Live("23A"), 7);
}

TEST(SimStroke, BadRegisterAndMemoryCommandsAreAnsweredWithAnErrorLineAndChangeNothing) {
    Controller controller;
    const std::string before = Readout(controller);
    controller.Answer("a0x30");
    const uint8_t byte = controller.memory().Byte(0x30);
    // "TGW2E": an empty box; "0xXX": the peek and poke boxes' placeholders.
    const std::pair<const char*, std::vector<const char*>> cases[] = {
        {"Bad value",
         {"TYW2EA", "TYW2EAabc", "TYW2EA-4", "TYW2EA70000", "TGW2E", "wb0xXX", "ww0xXXXX",
          "wb0x100"}},
        {"Bad register", {"TYW2EC5", "TYWZZA5", "TYW", "TGWx", "TYR2E", "TYR2EAB"}}};
    for (const auto& [line, commands] : cases) {
        for (const char* command : commands) {
            EXPECT_NE(controller.Answer(command).find(line), std::string::npos) << command;
        }
    }
    EXPECT_EQ(Readout(controller), before);
    EXPECT_EQ(controller.stroke().Live("2EA"), 128);
    EXPECT_EQ(controller.memory().Byte(0x30), byte);
}

// The stroke window's read-out on the simulator's answer: every scroll bar, option and turn
// gets a value it can show, none is left out as unreadable.
class RecordingTarget : public StrokeParameterTarget {
  public:
    void SetBar(StrokeBar bar, int value) override { bars[bar] = value; }
    void SetBarLabel(StrokeBar, const std::string&) override {}
    void SetText(StrokeText box, const std::string& text) override { texts[box] = text; }
    void SelectOption(StrokeOptionGroup group, int index) override { options[group] = index; }
    void SelectRawBlank() override {}
    void SetTurn(StrokeTurn turn, bool checked) override { turns[turn] = checked; }
    std::map<StrokeBar, int> bars;
    std::map<StrokeText, std::string> texts;
    std::map<StrokeOptionGroup, int> options;
    std::map<StrokeTurn, bool> turns;
};

TEST(SimStroke, TheReadoutSetsEveryBarOptionAndTurnOfTheStrokeWindow) {
    Controller controller;
    for (const char* command : {"TGW002", "TGW3920", "TGW2E77", "TGW2C1"}) {  // x offset -20
        controller.Answer(command);
    }
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

}  // namespace
}  // namespace zorvex::sim
