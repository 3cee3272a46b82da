#include "core/panels/stroke/StrokeControls.h"

#include <algorithm>
#include <array>

namespace zorvex {

namespace {

struct TextEntry {
    StrokeText box;
    std::string_view name;
    std::string_view initial;
};

using T = StrokeText;
constexpr std::array<TextEntry, kStrokeTextCount> kTexts{{
    {T::Text1_0, "Text1(0)", ""},      {T::Text1_1, "Text1(1)", ""},
    {T::Text1_2, "Text1(2)", ""},      {T::Text1_3, "Text1(3)", ""},
    {T::Text1_4, "Text1(4)", ""},      {T::Text1_5, "Text1(5)", ""},
    {T::Text1_6, "Text1(6)", ""},      {T::Text1_9, "Text1(9)", ""},
    {T::Text1_10, "Text1(10)", ""},    {T::Text1_11, "Text1(11)", ""},
    {T::Text1_12, "Text1(12)", ""},    {T::Text1_13, "Text1(13)", ""},
    {T::Text1_14, "Text1(14)", ""},    {T::TxtFilterOrder, "txt_filter_order", ""},
    {T::Text2_1, "Text2(1)", "0"},     {T::Text2_2, "Text2(2)", "0"},
    {T::Text3_0, "Text3(0)", ""},      {T::Text3_1, "Text3(1)", ""},
    {T::Text4_0, "Text4(0)", "0"},     {T::Text4_1, "Text4(1)", "0"},
    {T::Text5_0, "Text5(0)", ""},      {T::Text5_1, "Text5(1)", ""},
    {T::Text5_2, "Text5(2)", ""},      {T::Text5_3, "Text5(3)", ""},
    {T::Text6_0, "Text6(0)", ""},      {T::Text6_1, "Text6(1)", ""},
    {T::Text7_0, "Text7(0)", "hi"},    {T::Text7_1, "Text7(1)", "low"},
    {T::Text7_2, "Text7(2)", "Text7"}, {T::Text7_3, "Text7(3)", "Text7"},
    {T::Text7_4, "Text7(4)", "Text7"}, {T::Text7_5, "Text7(5)", "Text7"},
    {T::Text7_6, "Text7(6)", "0"},     {T::Text8, "Text8", "0"},
    {T::Text9, "Text9", "Text9"},      {T::Text10_0, "Text10(0)", "J"},
    {T::Text10_1, "Text10(1)", "I"},   {T::Text11_0, "Text11(0)", ""},
    {T::Text11_1, "Text11(1)", ""},    {T::Text11_2, "Text11(2)", ""},
    {T::Text11_3, "Text11(3)", ""},    {T::Text11_4, "Text11(4)", ""},
    {T::Text11_5, "Text11(5)", ""},    {T::Text11_6, "Text11(6)", ""},
    {T::Text11_7, "Text11(7)", ""},
}};

using C = StrokeButton;
struct ButtonEntry {
    StrokeButton button;
    std::string_view name;
};
constexpr std::array<ButtonEntry, kStrokeButtonCount> kButtons{{
    {C::Command1_1, "Command1(1)"},     {C::Command1_2, "Command1(2)"},
    {C::Command1_11, "Command1(11)"},   {C::Command2, "Command2"},
    {C::Command3, "Command3"},          {C::Command4, "Command4"},
    {C::Command5, "Command5"},          {C::Command6, "Command6"},
    {C::Command7, "Command7"},          {C::Command8, "Command8"},
    {C::Command9, "Command9"},          {C::Command10_0, "Command10(0)"},
    {C::Command10_1, "Command10(1)"},   {C::Command10_2, "Command10(2)"},
    {C::Command10_3, "Command10(3)"},   {C::Command10_4, "Command10(4)"},
    {C::Command10_5, "Command10(5)"},   {C::Command10_6, "Command10(6)"},
    {C::Command10_7, "Command10(7)"},   {C::Command11, "Command11"},
    {C::Command12, "Command12"},        {C::Command13, "Command13"},
    {C::Command14_0, "Command14(0)"},   {C::Command14_1, "Command14(1)"},
    {C::Command15_0, "Command15(0)"},   {C::Command15_1, "Command15(1)"},
    {C::Command16_0, "Command16(0)"},   {C::Command16_1, "Command16(1)"},
    {C::Command17_0, "Command17(0)"},   {C::Command17_1, "Command17(1)"},
    {C::Command17_2, "Command17(2)"},   {C::Command17_3, "Command17(3)"},
    {C::Command18_0, "Command18(0)"},   {C::Command18_1, "Command18(1)"},
    {C::Command19, "Command19"},        {C::Command20_0, "Command20(0)"},
    {C::Command20_4, "Command20(4)"},   {C::Command20_13, "Command20(13)"},
    {C::Command20_15, "Command20(15)"}, {C::Command20_16, "Command20(16)"},
    {C::Command20_17, "Command20(17)"}, {C::Command20_18, "Command20(18)"},
    {C::Command21, "Command21"},        {C::Command22_0, "Command22(0)"},
    {C::Command22_1, "Command22(1)"},   {C::Command22_2, "Command22(2)"},
    {C::Command22_3, "Command22(3)"},   {C::Command23_0, "Command23(0)"},
    {C::Command23_1, "Command23(1)"},   {C::Command23_2, "Command23(2)"},
    {C::Command30_0, "Command30(0)"},   {C::Command30_1, "Command30(1)"},
    {C::Command30_2, "Command30(2)"},   {C::Command30_3, "Command30(3)"},
    {C::Command30_4, "Command30(4)"},   {C::Command30_5, "Command30(5)"},
    {C::Command30_6, "Command30(6)"},   {C::Command30_7, "Command30(7)"},
    {C::Command30_8, "Command30(8)"},   {C::Command30_9, "Command30(9)"},
    {C::Command30_10, "Command30(10)"}, {C::Command30_11, "Command30(11)"},
    {C::Command30_12, "Command30(12)"}, {C::Command30_13, "Command30(13)"},
    {C::Command30_14, "Command30(14)"}, {C::Command30_15, "Command30(15)"},
    {C::Command30_16, "Command30(16)"}, {C::Command30_17, "Command30(17)"},
    {C::Command30_18, "Command30(18)"},
}};

// The tables are indexed by the enumerators; a misplaced row fails to compile.
constexpr bool TextsInOrder() {
    for (int i = 0; i < kStrokeTextCount; ++i) {
        if (static_cast<int>(kTexts[i].box) != i) {
            return false;
        }
    }
    return true;
}
constexpr bool ButtonsInOrder() {
    for (int i = 0; i < kStrokeButtonCount; ++i) {
        if (static_cast<int>(kButtons[i].button) != i) {
            return false;
        }
    }
    return true;
}
static_assert(TextsInOrder());
static_assert(ButtonsInOrder());

constexpr std::array<int, 2> kTestPatternIndexes{0, 2};
constexpr std::array<int, 3> kTestChannelIndexes{0, 1, 2};
constexpr std::array<int, 5> kLineTypeIndexes{0, 1, 2, 3, 8};
constexpr std::array<int, 4> kAverageOrderIndexes{0, 1, 2, 3};

}  // namespace

std::string_view StrokeTextName(StrokeText box) {
    return kTexts.at(static_cast<int>(box)).name;
}

std::string_view StrokeTextInitial(StrokeText box) {
    return kTexts.at(static_cast<int>(box)).initial;
}

std::string_view StrokeButtonName(StrokeButton button) {
    return kButtons.at(static_cast<int>(button)).name;
}

std::span<const int> StrokeOptionIndexes(StrokeOptionGroup group) {
    switch (group) {
        case StrokeOptionGroup::TestPattern:
            return kTestPatternIndexes;
        case StrokeOptionGroup::TestChannel:
            return kTestChannelIndexes;
        case StrokeOptionGroup::LineType:
            return kLineTypeIndexes;
        case StrokeOptionGroup::AverageOrder:
            return kAverageOrderIndexes;
    }
    return {};
}

bool IsStrokeOption(StrokeOptionGroup group, int index) {
    auto indexes = StrokeOptionIndexes(group);
    return std::find(indexes.begin(), indexes.end(), index) != indexes.end();
}

StrokeBarRange StrokeBarLimits(StrokeBar bar) {
    if (bar == StrokeBar::Gain) {
        return {0, 255};
    }
    return {-255, 255};
}

std::optional<StrokeBarRange> StrokeTextLimits(StrokeText box) {
    if (box == StrokeText::Text1_13) {
        return StrokeBarRange{0, 4};
    }
    if (box == StrokeText::TxtFilterOrder) {
        return StrokeBarRange{0, 7};
    }
    if (box >= StrokeText::Text1_0 && box <= StrokeText::Text1_14) {
        return StrokeBarRange{0, 255};
    }
    return std::nullopt;
}

}  // namespace zorvex
