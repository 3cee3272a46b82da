#include <gtest/gtest.h>

#include "StrokeFixture.h"

namespace zorvex {
namespace {

using testing::Commands;
using C = StrokeButton;

struct ButtonCase {
    StrokeButton button;
    Commands expected;
};

void PrintTo(const ButtonCase& c, std::ostream* os) {
    *os << StrokeButtonName(c.button);
}

// Each button reads the boxes it names; every box holds its own control name.
class ButtonsSendTheirCommandsInOrder : public testing::StrokeFixture,
                                        public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(ButtonsSendTheirCommandsInOrder, WithTheBoxesTheyRead) {
    FillEveryTextWithItsName();
    window.Press(GetParam().button);
    EXPECT_EQ(sink.Take(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    ApplyAndSet, ButtonsSendTheirCommandsInOrder,
    ::testing::Values(ButtonCase{C::Command2, {"TYW04AText1(0)", "TYW05AText1(1)"}},
                      ButtonCase{C::Command11, {"TYW11AText1(9)", "TYW12AText1(10)"}},
                      ButtonCase{C::Command3, {"TYW06AText1(2)", "TYW07AText1(3)"}},
                      ButtonCase{C::Command12, {"TYW13AText1(11)", "TYW14AText1(12)"}},
                      ButtonCase{C::Command5, {"TYW0AAText1(4)", "TYW0DAText1(5)"}},
                      ButtonCase{C::Command4, {"TYW02Atxt_filter_order"}},
                      ButtonCase{C::Command8, {"TYW03AText1(13)"}},
                      ButtonCase{C::Command9, {"TYW0EAText1(6)"}},
                      ButtonCase{C::Command13, {"TYW0BAText1(14)"}},
                      ButtonCase{C::Command22_0, {"TYW02AText5(0)"}},
                      ButtonCase{C::Command22_1, {"TYW0AAText5(1)"}},
                      ButtonCase{C::Command22_2, {"TYW10AText5(2)"}},
                      ButtonCase{C::Command22_3, {"TYW0FAText5(3)"}},
                      ButtonCase{C::Command23_0,
                                 {"TYW34BText11(0)", "TYW35BText11(1)", "TYW36BText11(2)",
                                  "TYW37BText11(3)", "TYW3DBText11(4)", "TYW3EBText11(5)",
                                  "TYW3FBText11(6)", "TYW40BText11(7)"}}));

INSTANTIATE_TEST_SUITE_P(
    SavesOfTexts, ButtonsSendTheirCommandsInOrder,
    ::testing::Values(ButtonCase{C::Command30_5, {"TGW0BText1(14)"}},
                      ButtonCase{C::Command30_6, {"TGW04Text1(0)", "TGW05Text1(1)"}},
                      ButtonCase{C::Command30_7, {"TGW06Text1(2)", "TGW07Text1(3)"}},
                      ButtonCase{C::Command30_8, {"TGW0AText1(4)", "TGW0DText1(5)"}},
                      ButtonCase{C::Command30_11, {"TGW02txt_filter_order"}},
                      ButtonCase{C::Command30_12, {"TGW03Text1(13)"}},
                      ButtonCase{C::Command30_13, {"TGW0EText1(6)"}},
                      ButtonCase{C::Command30_14, {"TGW02Text5(0)"}},
                      ButtonCase{C::Command30_15, {"TGW11Text1(9)", "TGW12Text1(10)"}},
                      ButtonCase{C::Command30_16, {"TGW13Text1(11)", "TGW14Text1(12)"}},
                      ButtonCase{C::Command30_18, {"TGW0AText5(1)"}},
                      ButtonCase{C::Command23_1,
                                 {"TGW34Text11(0)", "TGW35Text11(1)", "TGW36Text11(2)",
                                  "TGW37Text11(3)", "TGW3DText11(4)", "TGW3EText11(5)",
                                  "TGW3FText11(6)", "TGW40Text11(7)"}}));

INSTANTIATE_TEST_SUITE_P(
    Engineering, ButtonsSendTheirCommandsInOrder,
    ::testing::Values(
        ButtonCase{C::Command6, {"TYW08A0", "TYW08A1", "TYW08A0"}},
        ButtonCase{C::Command21, {"TYW08A1", "TYW08A0"}}, ButtonCase{C::Command10_0, {"TYR00A"}},
        ButtonCase{C::Command10_1, {"TYR01A"}}, ButtonCase{C::Command10_2, {"TYR02A"}},
        ButtonCase{C::Command10_3, {"TYR03A"}}, ButtonCase{C::Command10_4, {"TYR04A"}},
        ButtonCase{C::Command10_5, {"TYR05A"}}, ButtonCase{C::Command10_6, {"TYR06A"}},
        ButtonCase{C::Command10_7, {"TYR07A"}}, ButtonCase{C::Command1_1, {"TYW23AText2(1)"}},
        ButtonCase{C::Command1_2, {"TYW24AText2(2)"}},
        ButtonCase{C::Command1_11, {"TYW67b1", "TYW67b0"}},
        ButtonCase{C::Command15_0, {"TYW32BText3(0)"}},
        ButtonCase{C::Command15_1, {"TYW33BText3(1)"}},
        ButtonCase{C::Command16_0, {"TYW44BText6(0)"}},
        ButtonCase{C::Command16_1, {"TYW45BText6(1)"}}, ButtonCase{C::Command19, {"TYW36BText9"}},
        ButtonCase{
            C::Command14_0,
            {"TYW0BA1", "TYW5EBText4(0)", "TYW5CB1", "TYR58B", "TYR59B", "TYW5CB0", "TYW0BA0"}},
        ButtonCase{
            C::Command14_1,
            {"TYW0BA1", "TYW5FBText4(1)", "TYW5DB1", "TYR5AB", "TYR5BB", "TYW5DB0", "TYW0BA0"}},
        ButtonCase{C::Command18_0, {"TYW23a1"}},
        ButtonCase{C::Command18_1, {"TYW23a0", "TYW20a0", "TYW21a0"}},
        ButtonCase{C::Command20_0, {"TYW45BText10(0)", "TYW57BText10(1)", "TYW0BA1"}},
        ButtonCase{C::Command20_4, {"TYR46B"}}, ButtonCase{C::Command20_13, {"TYR4DB"}},
        ButtonCase{C::Command20_15, {"TYR54B"}}, ButtonCase{C::Command20_16, {"TYR55B"}},
        ButtonCase{C::Command20_17, {"TYR56B"}},
        ButtonCase{C::Command20_18, {"TYW53B1", "TYW53B0"}},
        ButtonCase{C::Command17_0,
                   {"TYW22aText7(6)", "TYW33bText7(0)", "TYW32bText7(1)", "TYW20a1", "TYW20a0",
                    "TYR28a", "TYR27a"}},
        ButtonCase{C::Command17_1,
                   {"TYW22aText7(6)", "TYW35bText7(2)", "TYW34bText7(3)", "TYW28aText7(4)",
                    "TYW27aText7(5)", "TYW21a1", "TYW21a0"}},
        ButtonCase{C::Command17_2, {}}, ButtonCase{C::Command17_3, {}}));

// The saves of gain, offsets and options store what was last written live, not the control.
struct LastValueCase {
    StrokeButton button;
    Commands afterChanges;  // after gain 100, x offset -30, y offset 40 and the options below
    Commands untouched;     // nothing changed since the window opened
};

void PrintTo(const LastValueCase& c, std::ostream* os) {
    *os << StrokeButtonName(c.button);
}

class SavesOfLastValues : public testing::StrokeFixture,
                          public ::testing::WithParamInterface<LastValueCase> {};

TEST_P(SavesOfLastValues, StoreTheValueLastWrittenLive) {
    window.SetBar(StrokeBar::Gain, 100);
    window.SetBar(StrokeBar::XOffset, -30);
    window.SetBar(StrokeBar::YOffset, 40);
    window.SelectOption(StrokeOptionGroup::AverageOrder, 3);
    window.SelectOption(StrokeOptionGroup::TestPattern, 2);
    window.SelectOption(StrokeOptionGroup::TestChannel, 1);
    window.SelectOption(StrokeOptionGroup::LineType, 8);
    window.SetTurn(StrokeTurn::X, true);
    sink.Take();
    window.Press(GetParam().button);
    EXPECT_EQ(sink.Take(), GetParam().afterChanges);
}

TEST_P(SavesOfLastValues, StoreZeroWhenNothingWasWrittenSinceOpening) {
    window.Press(GetParam().button);
    EXPECT_EQ(sink.Take(), GetParam().untouched);
}

INSTANTIATE_TEST_SUITE_P(
    Saves, SavesOfLastValues,
    ::testing::Values(LastValueCase{C::Command30_0, {"TGW043"}, {"TGW040"}},
                      LastValueCase{C::Command30_1, {"TGW192"}, {"TGW190"}},
                      LastValueCase{C::Command30_2, {"TGW2B1"}, {"TGW2B0"}},
                      LastValueCase{C::Command30_3, {"TGW2C0"}, {"TGW2C0"}},
                      LastValueCase{C::Command30_4, {"TGW1D0", "TGW2E100"}, {"TGW1D0", "TGW2E0"}},
                      LastValueCase{C::Command30_9, {"TGW002", "TGW3930"}, {"TGW000", "TGW390"}},
                      LastValueCase{C::Command30_10, {"TGW011", "TGW3A40"}, {"TGW010", "TGW3A0"}},
                      LastValueCase{C::Command30_17, {"TGW188"}, {"TGW180"}},
                      LastValueCase{C::Command23_2, {"TGW0D1"}, {"TGW0D0"}}));

// Change actions: each control's own live writes.
struct ChangeCase {
    const char* name;
    void (*change)(StrokeAdjustment&);
    Commands expected;
};

void PrintTo(const ChangeCase& c, std::ostream* os) {
    *os << c.name;
}

class ChangeActions : public testing::StrokeFixture,
                      public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(ChangeActions, SendTheControlsLiveWritesOnce) {
    GetParam().change(window);
    EXPECT_EQ(sink.Take(), GetParam().expected);
    // The same value again is no change.
    GetParam().change(window);
    EXPECT_EQ(sink.Take(), Commands{});
}

using W = StrokeAdjustment;
using G = StrokeOptionGroup;
using T = StrokeText;

INSTANTIATE_TEST_SUITE_P(
    Controls, ChangeActions,
    ::testing::Values(
        ChangeCase{
            "gain 100", [](W& w) { w.SetBar(StrokeBar::Gain, 100); }, {"TYW1DA0", "TYW2EA100"}},
        ChangeCase{"x offset -30",
                   [](W& w) { w.SetBar(StrokeBar::XOffset, -30); },
                   {"TYW00A2", "TYW39B30"}},
        ChangeCase{
            "x offset 7", [](W& w) { w.SetBar(StrokeBar::XOffset, 7); }, {"TYW00A1", "TYW39B7"}},
        ChangeCase{"y offset -255",
                   [](W& w) { w.SetBar(StrokeBar::YOffset, -255); },
                   {"TYW01A2", "TYW3AB255"}},
        ChangeCase{
            "y offset 12", [](W& w) { w.SetBar(StrokeBar::YOffset, 12); }, {"TYW01A1", "TYW3AB12"}},
        ChangeCase{"X 180 checked", [](W& w) { w.SetTurn(StrokeTurn::X, true); }, {"TYW2ba1"}},
        ChangeCase{"Y 180 checked", [](W& w) { w.SetTurn(StrokeTurn::Y, true); }, {"TYW2ca1"}},
        ChangeCase{"Green", [](W& w) { w.SelectOption(G::TestPattern, 2); }, {"TYW19A2"}},
        ChangeCase{"Test Pattern", [](W& w) { w.SelectOption(G::TestPattern, 0); }, {"TYW19A0"}},
        ChangeCase{"Test Y", [](W& w) { w.SelectOption(G::TestChannel, 2); }, {"TYW0DA2"}},
        ChangeCase{"Double Line", [](W& w) { w.SelectOption(G::LineType, 8); }, {"TYW18A8"}},
        ChangeCase{"Raw only", [](W& w) { w.SelectOption(G::LineType, 0); }, {"TYW18A0"}},
        ChangeCase{
            "average order 8", [](W& w) { w.SelectOption(G::AverageOrder, 3); }, {"TYW04A3"}},
        ChangeCase{"raw + blank", [](W& w) { w.SelectRawBlank(); }, {"TYW03A0"}},
        ChangeCase{"H width", [](W& w) { w.SetText(T::Text1_0, "120"); }, {"TYW04A120"}},
        ChangeCase{"H long", [](W& w) { w.SetText(T::Text1_1, "9"); }, {"TYW05A9"}},
        ChangeCase{"V width", [](W& w) { w.SetText(T::Text1_2, "9"); }, {"TYW06A9"}},
        ChangeCase{"V long", [](W& w) { w.SetText(T::Text1_3, "9"); }, {"TYW07A9"}},
        ChangeCase{"Small Delta", [](W& w) { w.SetText(T::Text1_4, "9"); }, {"TYW0AA9"}},
        ChangeCase{"Big Delta", [](W& w) { w.SetText(T::Text1_5, "9"); }, {"TYW0DA9"}},
        ChangeCase{"Frame Count", [](W& w) { w.SetText(T::Text1_6, "9"); }, {"TYW0EA9"}},
        ChangeCase{"Short H width", [](W& w) { w.SetText(T::Text1_9, "9"); }, {"TYW11A9"}},
        ChangeCase{"Short H Long", [](W& w) { w.SetText(T::Text1_10, "9"); }, {"TYW12A9"}},
        ChangeCase{"Short V width", [](W& w) { w.SetText(T::Text1_11, "9"); }, {"TYW13A9"}},
        ChangeCase{"Short V Long", [](W& w) { w.SetText(T::Text1_12, "9"); }, {"TYW14A9"}},
        ChangeCase{"Signal Averaging", [](W& w) { w.SetText(T::Text1_13, "9"); }, {"TYW03A9"}},
        ChangeCase{"Frame Averaging", [](W& w) { w.SetText(T::Text1_14, "9"); }, {"TYW0BA9"}},
        ChangeCase{"Filter order", [](W& w) { w.SetText(T::TxtFilterOrder, "5"); }, {"TYW02A5"}},
        ChangeCase{"a blank typed", [](W& w) { w.SetText(T::Text1_0, " "); }, {"TYW04A "}},
        ChangeCase{"Filter: box", [](W& w) { w.SetText(T::Text5_0, "5"); }, {}},
        ChangeCase{"area box", [](W& w) { w.SetText(T::Text11_3, "5"); }, {}},
        ChangeCase{"phase box", [](W& w) { w.SetText(T::Text2_1, "5"); }, {}},
        ChangeCase{"dump address", [](W& w) { w.SetText(T::Text8, "5"); }, {}}));

}  // namespace
}  // namespace zorvex
