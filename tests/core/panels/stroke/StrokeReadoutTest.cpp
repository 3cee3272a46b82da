#include <gtest/gtest.h>

#include "StrokeFixture.h"
#include "core/panels/stroke/StrokeHelpTexts.h"

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
    EXPECT_EQ(window.Bar(StrokeBar::XOffset), 20);
    EXPECT_EQ(window.BarLabel(StrokeBar::XOffset), "20");
    EXPECT_EQ(window.Bar(StrokeBar::YOffset), -5);
    EXPECT_EQ(window.BarLabel(StrokeBar::YOffset), "-5");
    EXPECT_EQ(window.Bar(StrokeBar::Gain), 100);
    EXPECT_EQ(window.BarLabel(StrokeBar::Gain), "100");
    EXPECT_EQ(window.Text(StrokeText::Text11_7), "21");
    EXPECT_EQ(window.Text(StrokeText::Text5_0), "23");
    EXPECT_EQ(window.Text(StrokeText::Text5_1), "24");
    EXPECT_EQ(window.SelectedOption(G::AverageOrder), 2);
    EXPECT_EQ(window.SelectedOption(G::TestChannel), 2);
    EXPECT_EQ(window.SelectedOption(G::LineType), 3);
    EXPECT_EQ(window.SelectedOption(G::TestPattern), 2);
    EXPECT_TRUE(window.Turn(StrokeTurn::X));
    EXPECT_FALSE(window.Turn(StrokeTurn::Y));
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

TEST_F(StrokeReadout, OpensAClosedWindowFirst) {
    window.Close();
    window.ApplyReadout("green_gain=7;");
    EXPECT_TRUE(window.IsOpen());
    EXPECT_EQ(sink.Take(), (Commands{"dz", "TYW1DA0", "TYW2EA7"}));
}

// One answer item against what it does to one control.
struct ItemCase {
    const char* name;
    const char* answer;
    int xOffset;                      // HS_x_offset afterwards (starts at 0)
    const char* xLabel;               // lbl_x_offset afterwards
    int gain;                         // HS_gain afterwards (starts at 255)
    std::optional<int> averageOrder;  // preselected 1
    std::optional<int> testChannel;   // preselected 0
    bool rawBlank;
    std::optional<int> lineType;     // preselected 0
    std::optional<int> testPattern;  // preselected 2
    bool xTurn;                      // preselected checked
};

void PrintTo(const ItemCase& c, std::ostream* os) {
    *os << c.name;
}

class ReadoutItems : public testing::StrokeFixture,
                     public ::testing::WithParamInterface<ItemCase> {};

TEST_P(ReadoutItems, SetOnlyWhatTheyCanSet) {
    window.SelectOption(G::AverageOrder, 1);
    window.SelectOption(G::TestChannel, 0);
    window.SelectOption(G::LineType, 0);
    window.SelectOption(G::TestPattern, 2);
    window.SetTurn(StrokeTurn::X, true);
    const auto& c = GetParam();
    window.ApplyReadout(c.answer);
    EXPECT_EQ(window.Bar(StrokeBar::XOffset), c.xOffset);
    EXPECT_EQ(window.BarLabel(StrokeBar::XOffset), c.xLabel);
    EXPECT_EQ(window.Bar(StrokeBar::Gain), c.gain);
    EXPECT_EQ(window.SelectedOption(G::AverageOrder), c.averageOrder);
    EXPECT_EQ(window.SelectedOption(G::TestChannel), c.testChannel);
    EXPECT_EQ(window.RawBlankSelected(), c.rawBlank);
    EXPECT_EQ(window.SelectedOption(G::LineType), c.lineType);
    EXPECT_EQ(window.SelectedOption(G::TestPattern), c.testPattern);
    EXPECT_EQ(window.Turn(StrokeTurn::X), c.xTurn);
}

INSTANTIATE_TEST_SUITE_P(
    Items, ReadoutItems,
    ::testing::Values(
        ItemCase{"nothing known", "junk;", 0, "", 255, 1, 0, false, 0, 2, true},
        ItemCase{"sign 1", "x_offset=1;plus_minus_x=20;", 20, "20", 255, 1, 0, false, 0, 2, true},
        ItemCase{"sign 2", "x_offset=2;plus_minus_x=20;", -20, "-20", 255, 1, 0, false, 0, 2, true},
        ItemCase{"sign 0", "x_offset=0;plus_minus_x=20;", -20, "-20", 255, 1, 0, false, 0, 2, true},
        ItemCase{"magnitude without its ;", "x_offset=1;plus_minus_x=20", 0, "", 255, 1, 0, false,
                 0, 2, true},
        ItemCase{"magnitude above 255", "x_offset=1;plus_minus_x=256;", 0, "", 255, 1, 0, false, 0,
                 2, true},
        ItemCase{"magnitude not a number", "x_offset=1;plus_minus_x=ab;", 0, "", 255, 1, 0, false,
                 0, 2, true},
        ItemCase{"sign missing", "plus_minus_x=20;", 0, "", 255, 1, 0, false, 0, 2, true},
        ItemCase{"magnitude 0 keeps its label as received", "x_offset=1;plus_minus_x=0;", 0, "0",
                 255, 1, 0, false, 0, 2, true},
        ItemCase{"gain", "green_gain=0;", 0, "", 0, 1, 0, false, 0, 2, true},
        ItemCase{"gain above 255", "green_gain=300;", 0, "", 255, 1, 0, false, 0, 2, true},
        ItemCase{"gain not a number", "green_gain=x;", 0, "", 255, 1, 0, false, 0, 2, true},
        ItemCase{"average order 255", "ave_order=255;", 0, "", 255, 1, 0, false, 0, 2, true},
        ItemCase{"average order 3", "ave_order=3;", 0, "", 255, 3, 0, false, 0, 2, true},
        ItemCase{"average order 4 has no option", "ave_order=4;", 0, "", 255, 1, 0, false, 0, 2,
                 true},
        ItemCase{"reset_ram 2", "reset_ram=2;", 0, "", 255, 1, 2, false, 0, 2, true},
        ItemCase{"reset_ram 5 is raw + blank", "reset_ram=5;", 0, "", 255, 1, 0, true, 0, 2, true},
        ItemCase{"reset_ram 5 then xy_shift 1", "reset_ram=5;xy_shift=1;", 0, "", 255, 1, 1, true,
                 0, 2, true},
        ItemCase{"reset_ram 2 then xy_shift 7", "reset_ram=2;xy_shift=7;", 0, "", 255, 1, 0, false,
                 0, 2, true},
        ItemCase{"line type 255 is filter, gap", "sig_line_type=255;", 0, "", 255, 1, 0, false, 2,
                 2, true},
        ItemCase{"line type 8", "sig_line_type=8;", 0, "", 255, 1, 0, false, 8, 2, true},
        ItemCase{"line type 5 has no option", "sig_line_type=5;", 0, "", 255, 1, 0, false, 0, 2,
                 true},
        ItemCase{"test pattern 255 is Test Pattern", "lcd_test=255;", 0, "", 255, 1, 0, false, 0, 0,
                 true},
        ItemCase{"test pattern 1 has no option", "lcd_test=1;", 0, "", 255, 1, 0, false, 0, 2,
                 true},
        ItemCase{"turn 0.5 unchecks", "x_flip=0.5;", 0, "", 255, 1, 0, false, 0, 2, false},
        ItemCase{"turn 2 checks", "x_flip=2;", 0, "", 255, 1, 0, false, 0, 2, true},
        ItemCase{"turn not a number", "x_flip=on;", 0, "", 255, 1, 0, false, 0, 2, true},
        ItemCase{"$ removed", "x_offset=1;plus_minus_x=1$5;", 15, "15", 255, 1, 0, false, 0, 2,
                 true}));

TEST_F(StrokeReadout, FillsBoxesWithTheFirstOccurrenceAndDropsDollars) {
    window.ApplyReadout("short_defined_hor_width=7;hor_width=3;frame_cnt=1$2;");
    EXPECT_EQ(window.Text(StrokeText::Text1_0), "7");
    EXPECT_EQ(window.Text(StrokeText::Text1_9), "7");
    EXPECT_EQ(window.Text(StrokeText::Text1_6), "12");
}

TEST_F(StrokeReadout, EmptiesABoxWhoseKeyIsMissingAndWritesItEmpty) {
    window.SetText(StrokeText::Text1_1, "9");
    window.SetText(StrokeText::Text11_0, "9");
    sink.Take();
    window.ApplyReadout("hor_width=3;");
    EXPECT_EQ(window.Text(StrokeText::Text1_1), "");
    EXPECT_EQ(window.Text(StrokeText::Text11_0), "");
    const auto sent = sink.Take();
    EXPECT_EQ(sent, (Commands{"TYW04A3", "TYW05A"}));
}

TEST_F(StrokeReadout, SetsTheGainLabelAsReceivedWhenTheBarDoesNotMove) {
    window.ApplyReadout("green_gain=255;");
    EXPECT_EQ(window.BarLabel(StrokeBar::Gain), "255");
    EXPECT_EQ(sink.Take(), Commands{});
}

TEST(StrokeHelp, TextsAreJoinedByLineBreaks) {
    EXPECT_EQ(StrokeHelpText(0),
              "Filter Order = \r\nThe higher the number, the more accurate the pixels being "
              "displayed.\r\nHowever, you may see some discontinued lines as the number goes too "
              "high. \r\n\r\n");
    EXPECT_EQ(StrokeHelpText(3),
              "Frame Averaging = \r\nComparing the previous frame buffer to current frame "
              "buffer.\r\nHigher number will generate better result. But,\r\nit will slow down "
              "the frame refresh rate.");
    EXPECT_EQ(StrokeHelpText(4), "");
}

}  // namespace
}  // namespace zorvex
