#include <gtest/gtest.h>

#include "StrokeFixture.h"

namespace zorvex {
namespace {

using testing::Commands;
using StrokeWindow = testing::StrokeFixture;

TEST(StrokeWindowOpening, AsksForTheParameterSetOnceWithALineEnd) {
    testing::VirtualClock clock;
    testing::RecordingSink sink;
    LinkState link;
    StrokeAdjustment window(sink, clock, link);
    window.Open();
    window.Open();
    EXPECT_EQ(sink.lines, (std::vector<std::string>{"dz\r\n"}));
}

TEST_F(StrokeWindow, StartsFromTheInitialValuesEachTimeItOpens) {
    window.SetBar(StrokeBar::Gain, 10);
    window.SetText(StrokeText::Text8, "9");
    window.SelectOption(StrokeOptionGroup::LineType, 3);
    window.SetTurn(StrokeTurn::Y, true);
    window.Close();
    window.Open();
    EXPECT_EQ(window.Bar(StrokeBar::Gain), 255);
    EXPECT_EQ(window.Bar(StrokeBar::XOffset), 0);
    EXPECT_EQ(window.BarLabel(StrokeBar::Gain), "");
    EXPECT_EQ(window.Text(StrokeText::Text8), "0");
    EXPECT_EQ(window.Text(StrokeText::Text7_0), "hi");
    EXPECT_EQ(window.Text(StrokeText::Text10_0), "J");
    EXPECT_EQ(window.Text(StrokeText::Text1_0), "");
    EXPECT_EQ(window.SelectedOption(StrokeOptionGroup::LineType), std::nullopt);
    EXPECT_FALSE(window.Turn(StrokeTurn::Y));
    EXPECT_EQ(window.LastValues().LastGainValue, 0);
}

TEST_F(StrokeWindow, EndsEveryCommandWithALineEnd) {
    FillEveryTextWithItsName();
    for (int i = 0; i < kStrokeButtonCount; ++i) {
        window.Press(static_cast<StrokeButton>(i));
    }
    window.SetBar(StrokeBar::Gain, 3);
    EXPECT_FALSE(sink.unterminated);
}

TEST_F(StrokeWindow, WritesEveryEditOfATypedValue) {
    window.SetText(StrokeText::Text1_0, "1");
    window.SetText(StrokeText::Text1_0, "12");
    window.SetText(StrokeText::Text1_0, "120");
    window.SetText(StrokeText::Text1_0, "");
    EXPECT_EQ(sink.Take(), (Commands{"TYW04A1", "TYW04A12", "TYW04A120", "TYW04A"}));
}

TEST_F(StrokeWindow, ShowsTheBarValueInItsLabel) {
    window.SetBar(StrokeBar::XOffset, -30);
    EXPECT_EQ(window.BarLabel(StrokeBar::XOffset), "-30");
    EXPECT_EQ(window.LastValues().LastXOffsetSign, 2);
    EXPECT_EQ(window.LastValues().LastXOffsetMagnitude, 30);
    window.SetBar(StrokeBar::XOffset, 0);
    EXPECT_EQ(sink.Take(), (Commands{"TYW00A2", "TYW39B30", "TYW00A1", "TYW39B0"}));
    EXPECT_EQ(window.BarLabel(StrokeBar::XOffset), "0");
    EXPECT_EQ(window.LastValues().LastXOffsetSign, 1);
}

TEST_F(StrokeWindow, UnchecksATurnWithZero) {
    window.SetTurn(StrokeTurn::X, true);
    window.SetTurn(StrokeTurn::X, false);
    window.SetTurn(StrokeTurn::Y, true);
    window.SetTurn(StrokeTurn::Y, false);
    EXPECT_EQ(sink.Take(), (Commands{"TYW2ba1", "TYW2ba0", "TYW2ca1", "TYW2ca0"}));
}

TEST_F(StrokeWindow, RefusesValuesTheControlsDoNotHave) {
    window.SetBar(StrokeBar::Gain, 256);
    window.SetBar(StrokeBar::Gain, -1);
    window.SetBar(StrokeBar::XOffset, 256);
    window.SelectOption(StrokeOptionGroup::TestPattern, 1);
    window.SelectOption(StrokeOptionGroup::LineType, 4);
    window.SelectOption(StrokeOptionGroup::AverageOrder, 4);
    EXPECT_EQ(sink.Take(), Commands{});
    EXPECT_EQ(window.Bar(StrokeBar::Gain), 255);
    EXPECT_EQ(window.SelectedOption(StrokeOptionGroup::TestPattern), std::nullopt);
}

TEST_F(StrokeWindow, LoadsSavedDataWhileAutoPingIsOn) {
    EXPECT_EQ(window.Press(StrokeButton::Command7), StrokeNotice::None);
    EXPECT_EQ(sink.Take(), Commands{"dz"});
}

TEST_F(StrokeWindow, RefusesToLoadSavedDataWhileAutoPingIsOff) {
    link.AutoPingEnabled = false;
    EXPECT_EQ(window.Press(StrokeButton::Command7), StrokeNotice::EnableAutoPingFirst);
    EXPECT_EQ(sink.Take(), Commands{});
    EXPECT_EQ(kEnableAutoPingFirstText, "You have to Enable AutoPing first.");
}

TEST_F(StrokeWindow, SendsNothingOnceClosed) {
    window.Close();
    window.SetBar(StrokeBar::Gain, 100);
    window.SetText(StrokeText::Text1_0, "5");
    window.Press(StrokeButton::Command6);
    EXPECT_EQ(sink.Take(), Commands{});
}

class CountingView : public StrokeView {
  public:
    void ShowStrokeValues() override { ++shown; }
    int shown = 0;
};

TEST_F(StrokeWindow, TellsItsViewOfEveryChangeButNotOfNoChange) {
    CountingView view;
    window.SetView(&view);
    window.SetBar(StrokeBar::Gain, 100);
    EXPECT_EQ(view.shown, 1);
    window.SetBar(StrokeBar::Gain, 100);
    window.SetText(StrokeText::Text1_0, "");
    EXPECT_EQ(view.shown, 1);
}

}  // namespace
}  // namespace zorvex
