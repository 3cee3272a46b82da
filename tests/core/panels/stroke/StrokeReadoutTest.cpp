#include <gtest/gtest.h>

#include "StrokeFixture.h"
#include "core/panels/stroke/ReadKeyedValue.h"

namespace zorvex {
namespace {

using testing::Rows;
using G = StrokeOptionGroup;
using StrokeReadout = testing::StrokeFixture;
using K = std::tuple<const char*, const char*, const char*, const char*>;
using P = std::pair<const char*, const char*>;

// A key matches only as a whole item name, at the start or after a separator, whatever order
// the monitor lists its items in; "$" is dropped; the value runs up to the terminator.
TEST(ReadKeyedValue, GivesTheValueAfterTheFirstWholeKeyUpToTheTerminatorWithoutDollars) {
    for (const auto& [text, key, terminator, expected] :
         Rows(K("x_offset=1;plus_minus_x=20;", "plus_minus_x=", ";", "20"),
              K("x_offset=1;", "y_offset=", ";", ""),
              K("x_offset=1;plus_minus_x=20", "plus_minus_x=", ";", ""),
              K("frame_cnt=1$2;", "frame_cnt=", ";", "12"),
              K("fra$me_cnt=4;", "frame_cnt=", ";", "4"),
              K("short_defined_hor_width=7;hor_width=3;", "hor_width=", ";", "3"),
              K("short_defined_hor_width=7;", "hor_width=", ";", ""),
              K("lcd_test=;", "lcd_test=", ";", ""), K("X_OFFSET=1;", "x_offset=", ";", ""),
              K("a=1;\r\n junk b=2;", "b=", ";", "2"),
              // Dump words: across a line break, only with the closing bracket.
              K("TYR28a\r\n3F)\r\n#", "TYR28a", ")", "\r\n3F"),
              K("TYR28a\r\n3F\r\n#", "TYR28a", ")", ""), K("TYR28a5a", "TYR28a", "a", "5"))) {
        EXPECT_EQ(ReadKeyedValue(text, key, terminator), expected) << text;
    }
}

// A complete answer, as the monitor sends it after the letters "dz".
constexpr const char* kAnswer =
    "\r\nx_offset=1;plus_minus_x=20;y_offset=2;plus_minus_y=5;hor_width=3;hor_long=4;"
    "ver_width=5;ver_long=6;small_delta=7;big_delta=8;frame_cnt=9;"
    "short_defined_hor_width=10;short_defined_hor_long=11;short_defined_ver_width=12;"
    "short_defined_ver_long=13;ave_order=2;reset_ram=1;AOI_x_start=14;AOI_x_end=15;"
    "AOI_y_start=16;AOI_y_end=17;DES_x_start=18;DES_x_end=19;DES_y_start=20;DES_y_end=21;"
    "frame_ave=22;filter_order=23;data_gap_limit=24;xy_shift=2;sig_line_type=3;x_flip=1;"
    "y_flip=0;green_gain=100;lcd_test=2;divider_order=4;\r\n#";

TEST_F(StrokeReadout, FillsTheWindowAndWritesTheChangesBackInStepOrderOnlyOnce) {
    window.ApplyReadout(kAnswer);
    EXPECT_EQ(Sent(),
              "TYW00A1 TYW39B20 TYW04A3 TYW05A4 TYW06A5 TYW07A6 TYW0AA7 TYW0DA8 TYW0EA9 "
              "TYW11A10 TYW12A11 TYW13A12 TYW14A13 TYW04A2 TYW0DA1 TYW0BA22 TYW0DA2 "
              "TYW18A3 TYW2ba1 TYW1DA0 TYW2EA100 TYW01A2 TYW3AB5 TYW19A2");
    // Boxes no step writes are filled all the same.
    EXPECT_EQ(window.Text(StrokeText::Text11_7) + " " + window.Text(StrokeText::Text5_1), "21 24");
    // The same answer again (reset_ram and xy_shift agreeing) writes nothing.
    std::string steady = kAnswer;
    steady.replace(steady.find("reset_ram=1"), 11, "reset_ram=2");
    window.ApplyReadout(steady);
    Sent();
    window.ApplyReadout(steady);
    EXPECT_EQ(Sent(), "");
}

TEST_F(StrokeReadout, ReachesOnlyAnOpenWindow) {
    window.Close();
    window.ApplyReadout("green_gain=7;");
    EXPECT_FALSE(window.IsOpen());
    EXPECT_EQ(Sent(), "");
}

// One item against the controls it may set, as the changes it writes. Offsets: sign code 1 is
// plus, 2 and 0 minus; options: "255" and the values that have an option; turns: 0.5 unchecks.
TEST(StrokeReadoutItems, SetOnlyWhatTheyCanSet) {
    for (const auto& [answer, expected] :
         Rows(P("junk;", ""), P("x_offset=1;plus_minus_x=20;", "TYW00A1 TYW39B20"),
              P("x_offset=2;plus_minus_x=20;", "TYW00A2 TYW39B20"),
              P("x_offset=0;plus_minus_x=20;", "TYW00A2 TYW39B20"),
              P("x_offset=1;plus_minus_x=256;", ""), P("x_offset=1;plus_minus_x=ab;", ""),
              P("plus_minus_x=20;", ""), P("x_offset=1;plus_minus_x=1$5;", "TYW00A1 TYW39B15"),
              P("green_gain=0;", "TYW1DA0 TYW2EA0"), P("green_gain=300;", ""),
              P("green_gain=x;", ""), P("ave_order=255;", ""), P("ave_order=3;", "TYW04A3"),
              P("ave_order=4;", ""), P("reset_ram=2;", "TYW0DA2"), P("reset_ram=5;", "TYW03A0"),
              P("reset_ram=5;xy_shift=1;", "TYW03A0 TYW0DA1"),
              P("reset_ram=2;xy_shift=7;", "TYW0DA2 TYW0DA0"), P("sig_line_type=255;", "TYW18A2"),
              P("sig_line_type=8;", "TYW18A8"), P("sig_line_type=5;", ""),
              P("lcd_test=255;", "TYW19A0"), P("lcd_test=1;", ""), P("x_flip=0.5;", "TYW2ba0"),
              P("x_flip=2;", ""),
              // Boxes take their own item, whatever its place; a missing item empties its box,
              // which is marked instead of written.
              P("short_defined_hor_width=7;hor_width=3;frame_cnt=1$2;",
                "TYW04A3 TYW0EA12 TYW11A7"))) {
        testing::StrokeRig r;
        r.window.SelectOption(G::AverageOrder, 1);
        r.window.SelectOption(G::TestChannel, 0);
        r.window.SelectOption(G::LineType, 0);
        r.window.SelectOption(G::TestPattern, 2);
        r.window.SetTurn(StrokeTurn::X, true);
        r.window.SetText(StrokeText::Text1_1, "9");
        r.Sent();
        r.window.ApplyReadout(answer);
        EXPECT_EQ(r.Sent(), expected) << answer;
        EXPECT_EQ(r.window.Text(StrokeText::Text1_1), "") << answer;
        EXPECT_TRUE(r.window.TextInvalid(StrokeText::Text1_1));
    }
}

}  // namespace
}  // namespace zorvex
