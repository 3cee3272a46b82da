#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace zorvex {

// The text boxes of the stroke window. Each enumerator stands for one control; the control
// name (the widget's objectName) is given by StrokeTextName.
enum class StrokeText {
    Text1_0,
    Text1_1,
    Text1_2,
    Text1_3,
    Text1_4,
    Text1_5,
    Text1_6,
    Text1_9,
    Text1_10,
    Text1_11,
    Text1_12,
    Text1_13,
    Text1_14,
    TxtFilterOrder,
    Text2_1,
    Text2_2,
    Text3_0,
    Text3_1,
    Text4_0,
    Text4_1,
    Text5_0,
    Text5_1,
    Text5_2,
    Text5_3,
    Text6_0,
    Text6_1,
    Text7_0,
    Text7_1,
    Text7_2,
    Text7_3,
    Text7_4,
    Text7_5,
    Text7_6,
    Text8,
    Text9,
    Text10_0,
    Text10_1,
    Text11_0,
    Text11_1,
    Text11_2,
    Text11_3,
    Text11_4,
    Text11_5,
    Text11_6,
    Text11_7,
    Count
};

// The buttons of the stroke window (names as StrokeButtonName gives them).
enum class StrokeButton {
    Command1_1,
    Command1_2,
    Command1_11,
    Command2,
    Command3,
    Command4,
    Command5,
    Command6,
    Command7,
    Command8,
    Command9,
    Command10_0,
    Command10_1,
    Command10_2,
    Command10_3,
    Command10_4,
    Command10_5,
    Command10_6,
    Command10_7,
    Command11,
    Command12,
    Command13,
    Command14_0,
    Command14_1,
    Command15_0,
    Command15_1,
    Command16_0,
    Command16_1,
    Command17_0,
    Command17_1,
    Command17_2,
    Command17_3,
    Command18_0,
    Command18_1,
    Command19,
    Command20_0,
    Command20_4,
    Command20_13,
    Command20_15,
    Command20_16,
    Command20_17,
    Command20_18,
    Command21,
    Command22_0,
    Command22_1,
    Command22_2,
    Command22_3,
    Command23_0,
    Command23_1,
    Command23_2,
    Command30_0,
    Command30_1,
    Command30_2,
    Command30_3,
    Command30_4,
    Command30_5,
    Command30_6,
    Command30_7,
    Command30_8,
    Command30_9,
    Command30_10,
    Command30_11,
    Command30_12,
    Command30_13,
    Command30_14,
    Command30_15,
    Command30_16,
    Command30_17,
    Command30_18,
    Count
};

inline constexpr int kStrokeTextCount = static_cast<int>(StrokeText::Count);
inline constexpr int kStrokeButtonCount = static_cast<int>(StrokeButton::Count);

// "Text1(0)", "txt_filter_order", "Text8" ...
std::string_view StrokeTextName(StrokeText box);
// What the box holds each time the window opens.
std::string_view StrokeTextInitial(StrokeText box);
// "Command30(4)", "Command7" ...
std::string_view StrokeButtonName(StrokeButton button);

// The option groups and the indexes each offers (a group has no option for other indexes).
enum class StrokeOptionGroup {
    TestPattern,   // OptTestPattern: 0 "Test Pattern", 2 "Green"
    TestChannel,   // Option3: 0 "Normal", 1 "Test X", 2 "Test Y"
    LineType,      // Option1: 0, 1, 2, 3, 8
    AverageOrder,  // Option4: 0 "0", 1 "2", 2 "4", 3 "8"
};
std::span<const int> StrokeOptionIndexes(StrokeOptionGroup group);
bool IsStrokeOption(StrokeOptionGroup group, int index);

// The scroll bars and their ranges.
enum class StrokeBar { Gain, XOffset, YOffset };
struct StrokeBarRange {
    int min;
    int max;
};
StrokeBarRange StrokeBarLimits(StrokeBar bar);

// The range the window states for a box (Text1 0..255, Signal Averaging 0..4, filter order
// 0..7); nothing for boxes it states none for.
std::optional<StrokeBarRange> StrokeTextLimits(StrokeText box);

}  // namespace zorvex
