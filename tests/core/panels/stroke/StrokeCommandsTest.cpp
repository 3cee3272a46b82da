#include <gtest/gtest.h>

#include <functional>

#include "StrokeFixture.h"

namespace zorvex {
namespace {

using testing::Commands;
using W = StrokeAdjustment;
using C = StrokeButton;
using G = StrokeOptionGroup;
using T = StrokeText;

// One row per button or control of the stroke window: what it sends, in order. Every text
// box names itself (StrokeFixture), so a command shows which box it read.
struct Row {
    std::string name;
    void (*prepare)(W&);  // run before, its commands not counted
    std::function<void(W&)> act;
    Commands expected;
    bool changeAction;  // the same value again is no change and sends nothing
};

void PrintTo(const Row& row, std::ostream* os) {
    *os << row.name;
}

Row B(StrokeButton b, Commands expected) {
    return {std::string(StrokeButtonName(b)), nullptr, [b](W& w) { w.Press(b); },
            std::move(expected), false};
}

// The saves of gain, offsets and options store what the control shows after these changes.
void ChangeLiveValues(W& w) {
    w.SetBar(StrokeBar::Gain, 100);
    w.SetBar(StrokeBar::XOffset, -30);
    w.SetBar(StrokeBar::YOffset, 40);
    w.SelectOption(G::AverageOrder, 3);
    w.SelectOption(G::TestPattern, 2);
    w.SelectOption(G::TestChannel, 1);
    w.SelectOption(G::LineType, 8);
    w.SetTurn(StrokeTurn::X, true);
}

Row Saved(StrokeButton b, Commands expected) {
    Row row = B(b, std::move(expected));
    row.name += " after live changes";
    row.prepare = ChangeLiveValues;
    return row;
}

Row Change(std::string name, std::function<void(W&)> act, Commands expected,
           void (*prepare)(W&) = nullptr) {
    return {std::move(name), prepare, std::move(act), std::move(expected), true};
}

class StrokeCommandTable : public testing::StrokeFixture,
                           public ::testing::WithParamInterface<Row> {};

TEST_P(StrokeCommandTable, SendsExactlyTheCommandsOfItsRowEachWithALineEnd) {
    const Row& row = GetParam();
    FillEveryTextWithItsName();
    if (row.prepare) {
        row.prepare(window);
        sink.Take();
    }
    row.act(window);
    EXPECT_EQ(sink.Take(), row.expected);
    if (row.changeAction) {
        row.act(window);
        EXPECT_EQ(sink.Take(), Commands{});
    }
    EXPECT_FALSE(sink.unterminated);
}

INSTANTIATE_TEST_SUITE_P(
    ApplySetAndSave, StrokeCommandTable,
    ::testing::Values(
        B(C::Command2, {"TYW04A200", "TYW05A201"}), B(C::Command11, {"TYW11A209", "TYW12A210"}),
        B(C::Command3, {"TYW06A202", "TYW07A203"}), B(C::Command12, {"TYW13A211", "TYW14A212"}),
        B(C::Command5, {"TYW0AA204", "TYW0DA205"}), B(C::Command4, {"TYW02A7"}),
        B(C::Command8, {"TYW03A4"}), B(C::Command9, {"TYW0EA206"}), B(C::Command13, {"TYW0BA214"}),
        B(C::Command22_0, {"TYW02AText5(0)"}), B(C::Command22_1, {"TYW0AAText5(1)"}),
        B(C::Command22_2, {"TYW10AText5(2)"}), B(C::Command22_3, {"TYW0FAText5(3)"}),
        B(C::Command23_0,
          {"TYW34BText11(0)", "TYW35BText11(1)", "TYW36BText11(2)", "TYW37BText11(3)",
           "TYW3DBText11(4)", "TYW3EBText11(5)", "TYW3FBText11(6)", "TYW40BText11(7)"}),
        B(C::Command7, {"dz"}),
        // Saves of what the boxes hold.
        B(C::Command30_5, {"TGW0B214"}), B(C::Command30_6, {"TGW04200", "TGW05201"}),
        B(C::Command30_7, {"TGW06202", "TGW07203"}), B(C::Command30_8, {"TGW0A204", "TGW0D205"}),
        B(C::Command30_11, {"TGW027"}), B(C::Command30_12, {"TGW034"}),
        B(C::Command30_13, {"TGW0E206"}), B(C::Command30_14, {"TGW02Text5(0)"}),
        B(C::Command30_15, {"TGW11209", "TGW12210"}), B(C::Command30_16, {"TGW13211", "TGW14212"}),
        B(C::Command30_18, {"TGW0AText5(1)"}),
        B(C::Command23_1, {"TGW34Text11(0)", "TGW35Text11(1)", "TGW36Text11(2)", "TGW37Text11(3)",
                           "TGW3DText11(4)", "TGW3EText11(5)", "TGW3FText11(6)", "TGW40Text11(7)"}),
        // Saves of what the bars and options show, written live or not: the opening values
        // (an option group with none selected stores nothing), or the values changed to.
        B(C::Command30_0, {}), Saved(C::Command30_0, {"TGW043"}), B(C::Command30_1, {}),
        Saved(C::Command30_1, {"TGW192"}), B(C::Command30_2, {"TGW2B0"}),
        Saved(C::Command30_2, {"TGW2B1"}), B(C::Command30_3, {"TGW2C0"}),
        Saved(C::Command30_3, {"TGW2C0"}), B(C::Command30_4, {"TGW1D0", "TGW2E255"}),
        Saved(C::Command30_4, {"TGW1D0", "TGW2E100"}),
        Row{"Command30(4) after a read-out of the opening gain",
            [](W& w) { w.ApplyReadout("green_gain=255;x_offset=1;plus_minus_x=0;"); },
            [](W& w) { w.Press(C::Command30_4); }, Commands{"TGW1D0", "TGW2E255"}, false},
        B(C::Command30_9, {"TGW001", "TGW390"}), Saved(C::Command30_9, {"TGW002", "TGW3930"}),
        B(C::Command30_10, {"TGW011", "TGW3A0"}), Saved(C::Command30_10, {"TGW011", "TGW3A40"}),
        B(C::Command30_17, {}), Saved(C::Command30_17, {"TGW188"}), B(C::Command23_2, {}),
        Saved(C::Command23_2, {"TGW0D1"})));

INSTANTIATE_TEST_SUITE_P(
    Engineering, StrokeCommandTable,
    ::testing::Values(
        B(C::Command6, {"TYW08A0", "TYW08A1", "TYW08A0"}), B(C::Command21, {"TYW08A1", "TYW08A0"}),
        B(C::Command10_0, {"TYR00A"}), B(C::Command10_1, {"TYR01A"}), B(C::Command10_2, {"TYR02A"}),
        B(C::Command10_3, {"TYR03A"}), B(C::Command10_4, {"TYR04A"}), B(C::Command10_5, {"TYR05A"}),
        B(C::Command10_6, {"TYR06A"}), B(C::Command10_7, {"TYR07A"}),
        // Register letters are case-sensitive: "23a" and "23A" are different registers.
        B(C::Command1_1, {"TYW23AText2(1)"}), B(C::Command1_2, {"TYW24AText2(2)"}),
        B(C::Command1_11, {"TYW67b1", "TYW67b0"}), B(C::Command15_0, {"TYW32BText3(0)"}),
        B(C::Command15_1, {"TYW33BText3(1)"}), B(C::Command16_0, {"TYW44BText6(0)"}),
        B(C::Command16_1, {"TYW45BText6(1)"}), B(C::Command19, {"TYW36BText9"}),
        B(C::Command14_0,
          {"TYW0BA1", "TYW5EBText4(0)", "TYW5CB1", "TYR58B", "TYR59B", "TYW5CB0", "TYW0BA0"}),
        B(C::Command14_1,
          {"TYW0BA1", "TYW5FBText4(1)", "TYW5DB1", "TYR5AB", "TYR5BB", "TYW5DB0", "TYW0BA0"}),
        B(C::Command18_0, {"TYW23a1"}), B(C::Command18_1, {"TYW23a0", "TYW20a0", "TYW21a0"}),
        B(C::Command20_0, {"TYW45BText10(0)", "TYW57BText10(1)", "TYW0BA1"}),
        B(C::Command20_4, {"TYR46B"}), B(C::Command20_13, {"TYR4DB"}),
        B(C::Command20_15, {"TYR54B"}), B(C::Command20_16, {"TYR55B"}),
        B(C::Command20_17, {"TYR56B"}), B(C::Command20_18, {"TYW53B1", "TYW53B0"}),
        B(C::Command17_0, {"TYW22aText7(6)", "TYW33bText7(0)", "TYW32bText7(1)", "TYW20a1",
                           "TYW20a0", "TYR28a", "TYR27a"}),
        B(C::Command17_1, {"TYW22aText7(6)", "TYW35bText7(2)", "TYW34bText7(3)", "TYW28aText7(4)",
                           "TYW27aText7(5)", "TYW21a1", "TYW21a0"}),
        B(C::Command17_2, {}), B(C::Command17_3, {})));

Row Bar(StrokeBar bar, int value, Commands expected) {
    return Change(
        "bar to " + std::to_string(value), [=](W& w) { w.SetBar(bar, value); },
        std::move(expected));
}
Row Opt(G group, int index, Commands expected) {
    return Change(
        "option " + std::to_string(index), [=](W& w) { w.SelectOption(group, index); },
        std::move(expected));
}
Row Typed(T box, const char* text, Commands expected) {
    return Change(
        std::string(StrokeTextName(box)), [=](W& w) { w.SetText(box, text); }, std::move(expected));
}
void CheckX(W& w) {
    w.SetTurn(StrokeTurn::X, true);
}

INSTANTIATE_TEST_SUITE_P(
    ChangeActions, StrokeCommandTable,
    ::testing::Values(
        Bar(StrokeBar::Gain, 100, {"TYW1DA0", "TYW2EA100"}),
        Bar(StrokeBar::XOffset, -30, {"TYW00A2", "TYW39B30"}),
        Bar(StrokeBar::XOffset, 7, {"TYW00A1", "TYW39B7"}),
        Bar(StrokeBar::YOffset, -255, {"TYW01A2", "TYW3AB255"}),
        Bar(StrokeBar::YOffset, 12, {"TYW01A1", "TYW3AB12"}),
        Change("X 180 checked", CheckX, {"TYW2ba1"}),
        Change(
            "X 180 unchecked", [](W& w) { w.SetTurn(StrokeTurn::X, false); }, {"TYW2ba0"}, CheckX),
        Change("Y 180 checked", [](W& w) { w.SetTurn(StrokeTurn::Y, true); }, {"TYW2ca1"}),
        Change("raw + blank", [](W& w) { w.SelectRawBlank(); }, {"TYW03A0"}),
        Opt(G::TestPattern, 2, {"TYW19A2"}), Opt(G::TestPattern, 0, {"TYW19A0"}),
        Opt(G::TestChannel, 2, {"TYW0DA2"}), Opt(G::LineType, 8, {"TYW18A8"}),
        Opt(G::LineType, 0, {"TYW18A0"}), Opt(G::AverageOrder, 3, {"TYW04A3"}),
        Typed(T::Text1_0, "120", {"TYW04A120"}), Typed(T::Text1_1, "9", {"TYW05A9"}),
        Typed(T::Text1_2, "9", {"TYW06A9"}), Typed(T::Text1_3, "9", {"TYW07A9"}),
        Typed(T::Text1_4, "9", {"TYW0AA9"}), Typed(T::Text1_5, "9", {"TYW0DA9"}),
        Typed(T::Text1_6, "9", {"TYW0EA9"}), Typed(T::Text1_9, "9", {"TYW11A9"}),
        Typed(T::Text1_10, "9", {"TYW12A9"}), Typed(T::Text1_11, "9", {"TYW13A9"}),
        Typed(T::Text1_12, "9", {"TYW14A9"}), Typed(T::Text1_13, "3", {"TYW03A3"}),
        Typed(T::Text1_14, "9", {"TYW0BA9"}), Typed(T::TxtFilterOrder, "5", {"TYW02A5"}),
        // Each keystroke is a change: a value half typed but in range is written, anything
        // else nowhere, so retyping 120 as 80 writes 1 and 80, never an empty value.
        Typed(T::Text1_0, "1", {"TYW04A1"}), Typed(T::Text1_0, "", {}),
        Typed(T::Text1_0, "80", {"TYW04A80"}), Typed(T::Text1_0, "007", {"TYW04A7"}),
        Typed(T::Text1_0, "256", {}), Typed(T::Text1_0, " ", {}), Typed(T::Text1_13, "5", {}),
        Typed(T::TxtFilterOrder, "8", {}), Typed(T::Text1_0, "3\r\nhor_long=4", {}),
        // Boxes read only by a button send nothing when typed into.
        Typed(T::Text5_0, "5", {}), Typed(T::Text11_3, "5", {}), Typed(T::Text2_1, "5", {}),
        Typed(T::Text8, "5", {})));

// ---- The window's own rules around the table ----

using StrokeWindow = testing::StrokeFixture;

// A box that holds no whole number in its range is marked and written nowhere: neither live
// (the table above), nor by "Apply", nor stored by "Save".
TEST_F(StrokeWindow, MarksAnInvalidBoxAndNeitherAppliesNorSavesIt) {
    window.SetText(T::Text1_0, "x");
    window.SetText(T::Text1_1, "5");
    EXPECT_TRUE(window.TextInvalid(T::Text1_0));
    EXPECT_FALSE(window.TextInvalid(T::Text1_1));
    sink.Take();
    window.Press(C::Command2);
    window.Press(C::Command30_6);
    EXPECT_EQ(sink.Take(), (Commands{"TYW05A5", "TGW055"}));
}

// Opening values, bar labels, typed edits and the AutoPing refusal are pinned through the
// window in tests/ui/stroke.
TEST_F(StrokeWindow, RefusesValuesTheControlsDoNotHaveAndSendsNothingOnceClosed) {
    window.Open();  // already open: the parameter set is not asked for again
    window.SetBar(StrokeBar::Gain, 256);
    window.SetBar(StrokeBar::Gain, -1);
    window.SetBar(StrokeBar::XOffset, 256);
    window.SelectOption(G::TestPattern, 1);
    window.SelectOption(G::LineType, 4);
    window.SelectOption(G::AverageOrder, 4);
    EXPECT_EQ(sink.Take(), Commands{});
    EXPECT_EQ(window.Bar(StrokeBar::Gain), 255);
    EXPECT_EQ(window.SelectedOption(G::TestPattern), std::nullopt);

    window.Close();
    window.SetBar(StrokeBar::Gain, 100);
    window.SetText(T::Text1_0, "5");
    window.Press(C::Command6);
    EXPECT_EQ(sink.Take(), Commands{});
}

}  // namespace
}  // namespace zorvex
