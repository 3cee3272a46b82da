#include <gtest/gtest.h>

#include "CommLogFixture.h"
#include "RecordingSink.h"
#include "VirtualClock.h"
#include "core/link/LinkState.h"
#include "core/panels/stroke/CommLogDumpSource.h"
#include "core/panels/stroke/ReadKeyedValue.h"
#include "core/panels/stroke/StrokeAdjustment.h"
#include "core/panels/stroke/StrokeLogWindow.h"

namespace zorvex {
namespace {

using testing::Rows;
using C = StrokeButton;
using G = StrokeOptionGroup;
using T = StrokeText;
using R = std::tuple<T, const char*, const char*>;
using K = std::tuple<const char*, const char*, const char*, const char*>;
using Q = std::pair<const char*, const char*>;
using D = std::tuple<const char*, const char*, const char*>;

// An open stroke window over a recording sink and a virtual clock; opening asks for the
// parameter set with "dz", which is taken.
struct StrokeRig {
    StrokeRig() {
        window.Open();
        EXPECT_EQ(Sent(), "dz");
    }
    std::string Sent() { return sink.Sent(); }

    // Every text box holds its own control name less "Text" ("2(1)"), so a command shows which
    // box it read; a box with a range holds a number instead: Text1(9) holds 209, a narrower box
    // its top.
    void FillEveryTextWithItsName() {
        for (int i = 0; i < kStrokeTextCount; ++i) {
            const auto box = static_cast<StrokeText>(i);
            std::string text(StrokeTextName(box).substr(4));
            if (const auto range = StrokeTextLimits(box))
                text = range->max < 255 ? std::to_string(range->max)
                                        : std::to_string(200 + std::stoi(text.substr(2)));
            window.SetText(box, text);
        }
        sink.Take();
    }

    testing::VirtualClock clock;
    testing::RecordingSink sink;
    LinkState link;
    StrokeAdjustment window{sink, clock, link};
};

struct StrokeWindow : ::testing::Test, StrokeRig {};

// Live changes of bars, options and a turn; the button table runs each row after them.
void ChangeLiveValues(StrokeAdjustment& w) {
    w.SetBar(StrokeBar::Gain, 100);
    w.SetBar(StrokeBar::XOffset, -30);
    w.SetBar(StrokeBar::YOffset, 40);
    w.SelectOption(G::AverageOrder, 3);
    w.SelectOption(G::TestPattern, 2);
    w.SelectOption(G::TestChannel, 1);
    w.SelectOption(G::LineType, 8);
    w.SetTurn(StrokeTurn::X, true);
}

// What each button sends, in order, every text box naming itself (StrokeRig), after the live
// changes above (the saves of bars and options store what they show then). Register letters
// are case-sensitive: "23a" and "23A" are different registers.
TEST(StrokeButtons, SendExactlyTheCommandsOfTheirRow) {
    std::string seen;
    for (int i = 0; i < kStrokeButtonCount; ++i) {
        StrokeRig r;
        ChangeLiveValues(r.window);
        r.FillEveryTextWithItsName();
        r.window.Press(static_cast<C>(i));
        seen += std::string(StrokeButtonName(static_cast<C>(i)).substr(7)) + ": " + r.Sent() + "; ";
    }
    EXPECT_EQ(
        seen,
        "1(1): TYW23A2(1); 1(2): TYW24A2(2); 1(11): TYW67b1 TYW67b0; 2: TYW04A200 TYW05A201; 3: "
        "TYW06A202 TYW07A203; 4: TYW02A7; 5: TYW0AA204 TYW0DA205; 6: TYW08A0 TYW08A1 TYW08A0; 7: "
        "dz; 8: TYW03A4; 9: TYW0EA206; 10(0): TYR00A; 10(1): TYR01A; 10(2): TYR02A; 10(3): TYR03A; "
        "10(4): TYR04A; 10(5): TYR05A; 10(6): TYR06A; 10(7): TYR07A; 11: TYW11A209 TYW12A210; 12: "
        "TYW13A211 TYW14A212; 13: TYW0BA214; 14(0): TYW0BA1 TYW5EB4(0) TYW5CB1 TYR58B TYR59B "
        "TYW5CB0 TYW0BA0; 14(1): TYW0BA1 TYW5FB4(1) TYW5DB1 TYR5AB TYR5BB TYW5DB0 TYW0BA0; 15(0): "
        "TYW32B3(0); 15(1): TYW33B3(1); 16(0): TYW44B6(0); 16(1): TYW45B6(1); 17(0): TYW22a7(6) "
        "TYW33b7(0) TYW32b7(1) TYW20a1 TYW20a0 TYR28a TYR27a; 17(1): TYW22a7(6) TYW35b7(2) "
        "TYW34b7(3) TYW28a7(4) TYW27a7(5) TYW21a1 TYW21a0; 17(2): ; 17(3): ; 18(0): TYW23a1; "
        "18(1): TYW23a0 TYW20a0 TYW21a0; 19: TYW36B9; 20(0): TYW45B10(0) TYW57B10(1) TYW0BA1; "
        "20(4): TYR46B; 20(13): TYR4DB; 20(15): TYR54B; 20(16): TYR55B; 20(17): TYR56B; 20(18): "
        "TYW53B1 TYW53B0; 21: TYW08A1 TYW08A0; 22(0): TYW02A5(0); 22(1): TYW0AA5(1); 22(2): "
        "TYW10A5(2); 22(3): TYW0FA5(3); 23(0): TYW34B11(0) TYW35B11(1) TYW36B11(2) TYW37B11(3) "
        "TYW3DB11(4) TYW3EB11(5) TYW3FB11(6) TYW40B11(7); 23(1): TGW3411(0) TGW3511(1) TGW3611(2) "
        "TGW3711(3) TGW3D11(4) TGW3E11(5) TGW3F11(6) TGW4011(7); 23(2): TGW0D1; 30(0): TGW043; "
        "30(1): TGW192; 30(2): TGW2B1; 30(3): TGW2C0; 30(4): TGW1D0 TGW2E100; 30(5): TGW0B214; "
        "30(6): TGW04200 TGW05201; 30(7): TGW06202 TGW07203; 30(8): TGW0A204 TGW0D205; 30(9): "
        "TGW002 TGW3930; 30(10): TGW011 TGW3A40; 30(11): TGW027; 30(12): TGW034; 30(13): TGW0E206; "
        "30(14): TGW025(0); 30(15): TGW11209 TGW12210; 30(16): TGW13211 TGW14212; 30(17): TGW188; "
        "30(18): TGW0A5(1); ");
}

// Bars, options and turns write each change at once; the same value again is no change.
TEST_F(StrokeWindow, WritesEachChangeOfABarOptionOrTurnOnce) {
    ChangeLiveValues(window);
    ChangeLiveValues(window);  // writes nothing more
    // The other values and controls are written as the read-out items below show.
    window.SetBar(StrokeBar::YOffset, -255);
    window.SetTurn(StrokeTurn::Y, true);
    EXPECT_EQ(Sent(),
              "TYW1DA0 TYW2EA100 TYW00A2 TYW39B30 TYW01A1 TYW3AB40 TYW04A3 TYW19A2 TYW0DA1 TYW18A8 "
              "TYW2ba1 TYW01A2 TYW3AB255 TYW2ca1");
}

// "Save" stores what the bar or option shows, written live or not: the opening value (an
// option group with none selected stores nothing), also after a read-out equal to it, or the
// value changed to (the save rows of the button table).
TEST_F(StrokeWindow, SavesStoreTheOpeningValuesOfBarsAndOptions) {
    window.ApplyReadout("green_gain=255;x_offset=1;plus_minus_x=0;");  // writes nothing
    for (C save : {C::Command30_0, C::Command30_1, C::Command30_2, C::Command30_3, C::Command30_4,
                   C::Command30_9, C::Command30_10, C::Command30_17, C::Command23_2})
        window.Press(save);
    EXPECT_EQ(Sent(), "TGW2B0 TGW2C0 TGW1D0 TGW2E255 TGW001 TGW390 TGW011 TGW3A0");
}

// Each keystroke in a register box is a change: a whole number in the register's range is
// written (so retyping 120 as 80 writes 1 and 80, never an empty value), anything else
// nowhere; boxes read only by a button send nothing when typed into.
TEST_F(StrokeWindow, RegisterBoxesWriteOnlyWholeNumbersInRange) {
    FillEveryTextWithItsName();
    for (int i = 0; i < kStrokeTextCount; ++i)
        window.SetText(static_cast<StrokeText>(i), "3");
    EXPECT_EQ(Sent(),
              "TYW04A3 TYW05A3 TYW06A3 TYW07A3 TYW0AA3 TYW0DA3 TYW0EA3 TYW11A3 TYW12A3 TYW13A3 "
              "TYW14A3 TYW03A3 TYW0BA3 TYW02A3");
    using enum StrokeText;
    for (const auto& [box, text, expected] :
         Rows(R(Text1_0, "120", "TYW04A120"), R(TxtFilterOrder, "5", "TYW02A5"),
              R(TxtFilterOrder, "0", "TYW02A0"), R(Text1_0, "1", "TYW04A1"), R(Text1_0, "", ""),
              R(Text1_0, "80", "TYW04A80"), R(Text1_0, "007", "TYW04A7"), R(Text1_0, "256", ""),
              R(Text1_0, " ", ""), R(Text1_13, "5", ""), R(TxtFilterOrder, "8", ""),
              R(Text1_0, "3\r\nhor_long=4", ""))) {
        StrokeRig r;
        r.FillEveryTextWithItsName();
        r.window.SetText(box, text);
        r.window.SetText(box, text);  // the same text again is no change
        EXPECT_EQ(r.Sent(), expected) << StrokeTextName(box) << " " << text;
    }
}

// An invalid box is marked and neither applied nor saved; a free text box is sent without
// its line breaks.
TEST_F(StrokeWindow, WritesNothingOfAnInvalidBoxAndNoLineBreakOfAFreeOne) {
    window.SetText(T::Text1_0, "x");
    window.SetText(T::Text1_1, "5");
    window.SetText(T::Text5_0, "1\r\n2");  // typing writes only "TYW05A5", the rest the buttons
    for (C button : {C::Command2, C::Command30_6, C::Command22_0})
        window.Press(button);
    EXPECT_EQ(std::to_string(window.TextInvalid(T::Text1_0)) + " " + Sent(),
              "1 TYW05A5 TYW05A5 TGW055 TYW02A12");
}

TEST_F(StrokeWindow, RefusesValuesTheControlsDoNotHaveAndSendsNothingOnceClosed) {
    window.Open();  // already open: the parameter set is not asked for again
    window.SetBar(StrokeBar::Gain, 256);
    window.SetBar(StrokeBar::Gain, -1);
    window.SetBar(StrokeBar::XOffset, 256);
    window.SelectOption(G::TestPattern, 1);
    window.SelectOption(G::LineType, 4);
    window.SelectOption(G::AverageOrder, 4);
    window.ApplyReadout("green_gain=300;");  // neither the bar nor its label takes it
    EXPECT_EQ(Sent() + std::to_string(window.Bar(StrokeBar::Gain)) +
                  window.BarLabel(StrokeBar::Gain) +
                  (window.SelectedOption(G::TestPattern) ? "!" : ""),
              "255");
    window.Close();  // a read-out too reaches only an open window
    window.SetBar(StrokeBar::Gain, 100);
    window.SetText(T::Text1_0, "5");
    window.Press(C::Command6);
    window.ApplyReadout("green_gain=7;");
    EXPECT_EQ(Sent() + std::to_string(window.IsOpen()), "0");
}

// A key matches only as a whole item name, at the start or after a separator, whatever order
// the monitor lists its items in; "$" is dropped; the value runs up to the terminator.
TEST(ReadKeyedValue, GivesTheValueAfterTheFirstWholeKeyUpToTheTerminatorWithoutDollars) {
    for (const auto& [text, key, terminator, expected] :
         Rows(K("x_offset=1;plus_minus_x=20;", "plus_minus_x=", ";", "20"),
              K("_b=1;", "b=", ";", ""), K("x_offset=1;plus_minus_x=20", "plus_minus_x=", ";", ""),
              K("TYR28a5a", "TYR28a", "a", "5"), K("fra$me_cnt=4;", "frame_cnt=", ";", "4"),
              K("short_defined_hor_width=7;", "hor_width=", ";", ""),
              K("lcd_test=;", "lcd_test=", ";", ""), K("X_OFFSET=1;", "x_offset=", ";", ""),
              K("a=1;\r\n junk b=2;", "b=", ";", "2")))
        EXPECT_EQ(ReadKeyedValue(text, key, terminator), expected) << text;
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

TEST_F(StrokeWindow, ReadoutFillsTheWindowAndWritesTheChangesBackInStepOrder) {
    window.ApplyReadout(kAnswer);
    EXPECT_EQ(Sent(),
              "TYW00A1 TYW39B20 TYW04A3 TYW05A4 TYW06A5 TYW07A6 TYW0AA7 TYW0DA8 TYW0EA9 "
              "TYW11A10 TYW12A11 TYW13A12 TYW14A13 TYW04A2 TYW0DA1 TYW0BA22 TYW0DA2 "
              "TYW18A3 TYW2ba1 TYW1DA0 TYW2EA100 TYW01A2 TYW3AB5 TYW19A2");
    // Boxes no step writes are filled all the same.
    EXPECT_EQ(window.Text(StrokeText::Text11_7) + " " + window.Text(StrokeText::Text5_1), "21 24");
}

// One item against the controls it may set, as the changes it writes. Offsets: sign code 1 is
// plus, 2 (in the complete answer) and 0 minus; options: "255" and the values that have an option;
// turns: 0.5 unchecks.
TEST(StrokeReadoutItems, SetOnlyWhatTheyCanSet) {
    for (const auto& [answer, expected] :
         Rows(Q("junk;", ""), Q("x_offset=0;plus_minus_x=20;", "TYW00A2 TYW39B20"),
              Q("x_offset=1;plus_minus_x=256;", ""), Q("plus_minus_x=20;", ""),
              Q("x_offset=1;plus_minus_x=1$5;", "TYW00A1 TYW39B15"),
              Q("green_gain=0;", "TYW1DA0 TYW2EA0"), Q("green_gain=x;", ""),
              Q("ave_order=255;", ""), Q("ave_order=4;", ""), Q("reset_ram=5;", "TYW03A0"),
              Q("reset_ram=5;xy_shift=2;", "TYW03A0 TYW0DA2"),
              Q("reset_ram=2;xy_shift=7;", "TYW0DA2 TYW0DA0"), Q("sig_line_type=255;", "TYW18A2"),
              Q("sig_line_type=0;", "TYW18A0"), Q("sig_line_type=5;", ""),
              Q("lcd_test=255;", "TYW19A0"), Q("lcd_test=1;", ""), Q("x_flip=0.5;", "TYW2ba0"),
              Q("x_flip=2;", ""),
              // Boxes take their own item, whatever its place; a missing item empties its box,
              // which is marked instead of written.
              Q("short_defined_hor_width=7;hor_width=3;frame_cnt=1$2;",
                "TYW04A3 TYW0EA12 TYW11A7"))) {
        StrokeRig r;
        ChangeLiveValues(r.window);
        r.FillEveryTextWithItsName();
        r.window.ApplyReadout(answer);
        EXPECT_EQ(r.Sent(), expected) << answer;
        EXPECT_TRUE(r.window.TextInvalid(T::Text1_1)) << answer;
    }
}

// The dump's rig over a log window of its own; Seen() is the list, the next address and the
// log left.
struct DumpRig : StrokeRig, StrokeLogWindow {
    DumpRig() {
        window.SetLogWindow(this);
        window.SetText(T::Text8, "5");
    }
    std::string LogText() const override { return log; }
    void ClearLogText() override { log.clear(); }
    std::string Seen() { return window.DumpList() + "| " + window.Text(T::Text8) + " | " + log; }
    std::string log;
};

// The word of the address below is listed once the closing bracket is in; the address is the
// leading number of the box, blanks before it skipped (nine digits at most).
TEST(StrokeDumpStep, ListsTheWordOfTheAddressBelowAndAdvancesOnlyWithTheClosingBracket) {
    for (const auto& [address, logText, seen] :
         Rows(D("5", "TYR28a\r\n3F\r\n#", "| 5 | TYR28a\r\n3F\r\n#"),
              D("5", "TYR28a\r\n3F)\r\n#", "4 = 3F\r\n| 6 | "),
              D("5", "TYR28a\n40)\n#", "4 = 40\r\n| 6 | "),
              D(" 102abc", "TYR28a7)", "101 = 7\r\n| 103 | "),
              D("1234567890", "TYR28a7)", "123456788 = 7\r\n| 123456790 | "))) {
        DumpRig g;
        g.window.SetText(StrokeText::Text8, address);
        g.log = logText;
        g.window.ReadNextDumpWord();
        EXPECT_EQ(g.Seen(), seen) << address << " " << logText;
    }
}

TEST(StrokeDump, StepsEveryTwoSecondsUntilStoppedOrClosedAndNeverASecondTimer) {
    DumpRig g;
    g.window.Press(StrokeButton::Command17_2);
    g.clock.Advance(1000);
    g.window.Press(StrokeButton::Command17_2);  // a second start keeps the first timer
    g.clock.Advance(999);
    g.log = "TYR28a\r\n10)";
    g.clock.Advance(1);
    g.log = "TYR28a\r\n11)";
    g.clock.Advance(2000);
    EXPECT_EQ(
        g.Sent() + " | " + g.Seen(),
        "TYW22a0 TYW33b5 TYW32b0 TYW20a1 TYW20a0 TYR28a TYR27a TYW22a0 TYW33b6 TYW32b0 TYW20a1 "
        "TYW20a0 TYR28a TYR27a | 4 = 10\r\n5 = 11\r\n| 7 | ");
    g.window.Press(StrokeButton::Command17_3);
    g.clock.Advance(10000);
    // Closing the window stops it too, and reopening (which asks "dz") does not start it again.
    g.window.Press(StrokeButton::Command17_2);
    g.window.Close();
    g.window.Open();
    g.clock.Advance(10000);
    EXPECT_EQ(g.Sent(), "dz");
}

// The dump against the communication log itself, fed as the receive path feeds it: it waits
// for the whole answer, takes the word and empties the log; the next answer is found next.
TEST(StrokeDump, OnTheCommLogWaitsForTheWholeAnswer) {
    DumpRig g;
    testing::CommLogHarness harness;
    CommLogDumpSource source(harness.Make());
    g.window.SetLogWindow(&source);
    harness.Receive("TYR28a\r3F");  // not listed yet: the list below has it once
    g.window.ReadNextDumpWord();
    harness.Receive(")\r#");
    g.window.ReadNextDumpWord();
    EXPECT_EQ(g.window.DumpList() + harness.log->LogText() + g.window.Text(StrokeText::Text8),
              "4 = 3F\r\n6");
    harness.Receive("TYR27a\r10)\r#TYR28a\r41)\r#");
    g.window.ReadNextDumpWord();
    EXPECT_EQ(g.window.DumpList(), "4 = 3F\r\n5 = 41\r\n");
}

}  // namespace
}  // namespace zorvex
