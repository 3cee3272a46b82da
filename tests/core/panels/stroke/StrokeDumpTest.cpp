#include <gtest/gtest.h>

#include "StrokeFixture.h"
#include "core/panels/stroke/StrokeLogWindow.h"

namespace zorvex {
namespace {

using testing::Commands;

class FakeLogWindow : public StrokeLogWindow {
  public:
    std::string LogText() const override { return text; }
    void ClearLogText() override { text.clear(); }
    std::string text;
};

class StrokeDump : public testing::StrokeFixture {
  protected:
    StrokeDump() {
        window.SetLogWindow(&log);
        window.SetText(StrokeText::Text8, "5");
        window.SetText(StrokeText::Text7_6, "2");
    }
    static Commands StepCommands(const std::string& address) {
        return {"TYW22a2", "TYW33b" + address, "TYW32b0", "TYW20a1", "TYW20a0", "TYR28a", "TYR27a"};
    }
    FakeLogWindow log;
};

TEST_F(StrokeDump, ListsTheWordOfTheAddressBelowAndAdvances) {
    log.text = "TYR28a\r\n3F)\r\n#";
    window.ReadNextDumpWord();
    EXPECT_EQ(sink.Take(), StepCommands("5"));
    EXPECT_EQ(window.DumpList(), "4 = 3F\r\n");
    EXPECT_EQ(log.text, "");
    EXPECT_EQ(window.Text(StrokeText::Text8), "6");
}

TEST_F(StrokeDump, ListsNothingWithoutTheClosingBracket) {
    log.text = "TYR28a\r\n3F\r\n#";
    window.ReadNextDumpWord();
    EXPECT_EQ(sink.Take(), StepCommands("5"));
    EXPECT_EQ(window.DumpList(), "");
    EXPECT_EQ(log.text, "TYR28a\r\n3F\r\n#");
    EXPECT_EQ(window.Text(StrokeText::Text8), "5");
}

TEST_F(StrokeDump, TakesTheWordFromALogWithBareLineFeeds) {
    log.text = "TYR28a\n3F)\n#";
    window.ReadNextDumpWord();
    EXPECT_EQ(window.DumpList(), "4 = 3F\r\n");
}

TEST_F(StrokeDump, RunsOneStepPerTickWhileStarted) {
    window.Press(StrokeButton::Command17_2);
    EXPECT_TRUE(window.DumpRunning());
    clock.Advance(1999);
    EXPECT_EQ(sink.Take(), Commands{});
    log.text = "TYR28a\r\n10)";
    clock.Advance(1);
    EXPECT_EQ(sink.Take(), StepCommands("5"));
    log.text = "TYR28a\r\n11)";
    clock.Advance(2000);
    EXPECT_EQ(sink.Take(), StepCommands("6"));
    EXPECT_EQ(window.DumpList(), "4 = 10\r\n5 = 11\r\n");
    window.Press(StrokeButton::Command17_3);
    clock.Advance(10000);
    EXPECT_EQ(sink.Take(), Commands{});
}

TEST_F(StrokeDump, NeverRunsASecondTimerBesideTheFirst) {
    window.Press(StrokeButton::Command17_2);
    clock.Advance(1000);
    window.Press(StrokeButton::Command17_2);
    clock.Advance(1000);
    EXPECT_EQ(sink.Take(), StepCommands("5"));
    clock.Advance(2000);
    EXPECT_EQ(sink.Take(), StepCommands("5"));
}

TEST_F(StrokeDump, StopsByItselfWhenTheWindowCloses) {
    window.Press(StrokeButton::Command17_2);
    window.Close();
    EXPECT_FALSE(window.DumpRunning());
    clock.Advance(10000);
    EXPECT_EQ(sink.Take(), Commands{});
    // Reopening does not bring the dump back.
    window.Open();
    sink.Take();
    clock.Advance(10000);
    EXPECT_EQ(sink.Take(), Commands{});
}

TEST_F(StrokeDump, ReadsTheAddressAsItsLeadingNumber) {
    window.SetText(StrokeText::Text8, "12abc");
    log.text = "TYR28a7)";
    window.ReadNextDumpWord();
    EXPECT_EQ(window.DumpList(), "11 = 7\r\n");
    EXPECT_EQ(window.Text(StrokeText::Text8), "13");
}

}  // namespace
}  // namespace zorvex
