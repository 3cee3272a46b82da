#include <gtest/gtest.h>

#include <map>

#include "StrokeFixture.h"

namespace zorvex {
namespace {

using testing::Commands;
using StrokeReadout = testing::StrokeFixture;
using G = StrokeOptionGroup;

// A complete answer, as the monitor sends it after the letters "dz".
constexpr const char* kAnswer =
    "\r\nx_offset=1;plus_minus_x=20;y_offset=2;plus_minus_y=5;hor_width=3;hor_long=4;"
    "ver_width=5;ver_long=6;small_delta=7;big_delta=8;frame_cnt=9;"
    "short_defined_hor_width=10;short_defined_hor_long=11;short_defined_ver_width=12;"
    "short_defined_ver_long=13;ave_order=2;reset_ram=1;AOI_x_start=14;AOI_x_end=15;"
    "AOI_y_start=16;AOI_y_end=17;DES_x_start=18;DES_x_end=19;DES_y_start=20;DES_y_end=21;"
    "frame_ave=22;filter_order=23;data_gap_limit=24;xy_shift=2;sig_line_type=3;x_flip=1;"
    "y_flip=0;green_gain=100;lcd_test=2;divider_order=4;\r\n#";

TEST_F(StrokeReadout, FillsTheWindowAndWritesTheChangesBackInStepOrder) {
    window.ApplyReadout(kAnswer);
    EXPECT_EQ(sink.Take(),
              (Commands{"TYW00A1",  "TYW39B20", "TYW04A3",   "TYW05A4",  "TYW06A5",  "TYW07A6",
                        "TYW0AA7",  "TYW0DA8",  "TYW0EA9",   "TYW11A10", "TYW12A11", "TYW13A12",
                        "TYW14A13", "TYW04A2",  "TYW0DA1",   "TYW0BA22", "TYW0DA2",  "TYW18A3",
                        "TYW2ba1",  "TYW1DA0",  "TYW2EA100", "TYW01A2",  "TYW3AB5",  "TYW19A2"}));
    // Boxes no step writes are filled all the same.
    EXPECT_EQ(window.Text(StrokeText::Text11_7), "21");
    EXPECT_EQ(window.Text(StrokeText::Text5_1), "24");
    EXPECT_EQ(window.SelectedOption(G::TestChannel), 2) << "xy_shift after reset_ram";
}

TEST_F(StrokeReadout, ThatEqualsWhatTheWindowShowsSendsNothing) {
    // reset_ram and xy_shift agree here: when they differ, the test channel moves twice.
    std::string steady = kAnswer;
    steady.replace(steady.find("reset_ram=1"), 11, "reset_ram=2");
    window.ApplyReadout(steady);
    sink.Take();
    window.ApplyReadout(steady);
    EXPECT_EQ(sink.Take(), Commands{});
}

TEST_F(StrokeReadout, ReachesOnlyAnOpenWindow) {
    window.Close();
    window.ApplyReadout("green_gain=7;");
    EXPECT_FALSE(window.IsOpen());
    EXPECT_EQ(sink.Take(), Commands{});
}

// One answer against the controls it may set; every control not named keeps its value.
using State = std::map<std::string, std::string>;

std::string Option(std::optional<int> index) {
    return index ? std::to_string(*index) : "none";
}

State Snapshot(const StrokeAdjustment& w) {
    return {{"x", std::to_string(w.Bar(StrokeBar::XOffset))},
            {"xLabel", w.BarLabel(StrokeBar::XOffset)},
            {"gain", std::to_string(w.Bar(StrokeBar::Gain))},
            {"gainLabel", w.BarLabel(StrokeBar::Gain)},
            {"average", Option(w.SelectedOption(G::AverageOrder))},
            {"channel", Option(w.SelectedOption(G::TestChannel))},
            {"rawBlank", w.RawBlankSelected() ? "1" : "0"},
            {"line", Option(w.SelectedOption(G::LineType))},
            {"pattern", Option(w.SelectedOption(G::TestPattern))},
            {"xTurn", w.Turn(StrokeTurn::X) ? "1" : "0"},
            {"hWidth", w.Text(StrokeText::Text1_0)},
            {"shortHWidth", w.Text(StrokeText::Text1_9)},
            {"frameCount", w.Text(StrokeText::Text1_6)}};
}

struct ItemCase {
    const char* answer;
    State changed;
};

void PrintTo(const ItemCase& c, std::ostream* os) {
    *os << c.answer;
}

class ReadoutItems : public testing::StrokeFixture,
                     public ::testing::WithParamInterface<ItemCase> {};

TEST_P(ReadoutItems, SetOnlyWhatTheyCanSet) {
    window.SelectOption(G::AverageOrder, 1);
    window.SelectOption(G::TestChannel, 0);
    window.SelectOption(G::LineType, 0);
    window.SelectOption(G::TestPattern, 2);
    window.SetTurn(StrokeTurn::X, true);
    State expected = Snapshot(window);
    for (const auto& [control, value] : GetParam().changed) {
        expected[control] = value;
    }
    window.ApplyReadout(GetParam().answer);
    EXPECT_EQ(Snapshot(window), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Items, ReadoutItems,
    ::testing::Values(
        ItemCase{"junk;", {}},
        // Offsets: sign code 1 is plus, 2 and 0 minus; the magnitude must fit the bar.
        ItemCase{"x_offset=1;plus_minus_x=20;", {{"x", "20"}, {"xLabel", "20"}}},
        ItemCase{"x_offset=2;plus_minus_x=20;", {{"x", "-20"}, {"xLabel", "-20"}}},
        ItemCase{"x_offset=0;plus_minus_x=20;", {{"x", "-20"}, {"xLabel", "-20"}}},
        ItemCase{"x_offset=1;plus_minus_x=256;", {}}, ItemCase{"x_offset=1;plus_minus_x=ab;", {}},
        ItemCase{"plus_minus_x=20;", {}}, ItemCase{"x_offset=1;plus_minus_x=0;", {{"xLabel", "0"}}},
        ItemCase{"x_offset=1;plus_minus_x=1$5;", {{"x", "15"}, {"xLabel", "15"}}},
        ItemCase{"green_gain=0;", {{"gain", "0"}, {"gainLabel", "0"}}},
        ItemCase{"green_gain=255;", {{"gainLabel", "255"}}}, ItemCase{"green_gain=300;", {}},

        // Options: "255" and the values that have an option.
        ItemCase{"ave_order=255;", {}}, ItemCase{"ave_order=3;", {{"average", "3"}}},
        ItemCase{"ave_order=4;", {}}, ItemCase{"reset_ram=2;", {{"channel", "2"}}},
        ItemCase{"reset_ram=5;", {{"rawBlank", "1"}}},
        ItemCase{"reset_ram=5;xy_shift=1;", {{"rawBlank", "1"}, {"channel", "1"}}},
        ItemCase{"reset_ram=2;xy_shift=7;", {}}, ItemCase{"sig_line_type=255;", {{"line", "2"}}},
        ItemCase{"sig_line_type=8;", {{"line", "8"}}}, ItemCase{"sig_line_type=5;", {}},
        ItemCase{"lcd_test=255;", {{"pattern", "0"}}}, ItemCase{"lcd_test=1;", {}},
        // Turns: 0.5 unchecks, 2 checks.
        ItemCase{"x_flip=0.5;", {{"xTurn", "0"}}}, ItemCase{"x_flip=2;", {}},

        // Boxes take their own item, whatever its place, "$" removed.
        ItemCase{"short_defined_hor_width=7;hor_width=3;frame_cnt=1$2;",
                 {{"hWidth", "3"}, {"shortHWidth", "7"}, {"frameCount", "12"}}}));

TEST_F(StrokeReadout, EmptiesABoxWhoseKeyIsMissingAndMarksItInsteadOfWritingIt) {
    window.SetText(StrokeText::Text1_1, "9");
    window.SetText(StrokeText::Text11_0, "9");
    sink.Take();
    window.ApplyReadout("hor_width=3;");
    EXPECT_EQ(window.Text(StrokeText::Text1_1), "");
    EXPECT_EQ(window.Text(StrokeText::Text11_0), "");
    EXPECT_EQ(sink.Take(), (Commands{"TYW04A3"}));
    EXPECT_TRUE(window.TextInvalid(StrokeText::Text1_1));
}

}  // namespace
}  // namespace zorvex
