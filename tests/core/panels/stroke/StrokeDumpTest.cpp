#include <gtest/gtest.h>

#include "CommLogFixture.h"
#include "StrokeFixture.h"
#include "core/panels/stroke/CommLogDumpSource.h"
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

TEST_F(StrokeDump, ListsTheWordOfTheAddressBelowAndAdvancesOnlyWithTheClosingBracket) {
    log.text = "TYR28a\r\n3F\r\n#";
    window.ReadNextDumpWord();
    EXPECT_EQ(sink.Take(), StepCommands("5"));
    EXPECT_EQ(window.DumpList(), "");
    EXPECT_EQ(log.text, "TYR28a\r\n3F\r\n#");
    EXPECT_EQ(window.Text(StrokeText::Text8), "5");

    log.text = "TYR28a\r\n3F)\r\n#";
    window.ReadNextDumpWord();
    EXPECT_EQ(sink.Take(), StepCommands("5"));
    EXPECT_EQ(window.DumpList(), "4 = 3F\r\n");
    EXPECT_EQ(log.text, "");
    EXPECT_EQ(window.Text(StrokeText::Text8), "6");

    log.text = "TYR28a\n40)\n#";  // bare line feeds
    window.ReadNextDumpWord();
    EXPECT_EQ(window.DumpList(), "4 = 3F\r\n5 = 40\r\n");

    window.SetText(StrokeText::Text8, "12abc");  // the address is its leading number
    log.text = "TYR28a7)";
    window.ReadNextDumpWord();
    EXPECT_EQ(window.DumpList(), "4 = 3F\r\n5 = 40\r\n11 = 7\r\n");
    EXPECT_EQ(window.Text(StrokeText::Text8), "13");
}

TEST_F(StrokeDump, RunsOneStepEveryTwoSecondsUntilStoppedOrClosedAndNeverASecondTimer) {
    window.Press(StrokeButton::Command17_2);
    EXPECT_TRUE(window.DumpRunning());
    clock.Advance(1000);
    window.Press(StrokeButton::Command17_2);  // a second start keeps the first timer
    clock.Advance(999);
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
    // Closing the window stops it too, and reopening does not start it again.
    window.Press(StrokeButton::Command17_2);
    window.Close();
    EXPECT_FALSE(window.DumpRunning());
    window.Open();
    sink.Take();
    clock.Advance(10000);
    EXPECT_EQ(sink.Take(), Commands{});
}

// The dump against the communication log itself, fed as the receive path feeds it.
class StrokeDumpOnCommLog : public testing::StrokeFixture {
  protected:
    StrokeDumpOnCommLog() : source(harness.Make()) {
        window.SetLogWindow(&source);
        window.SetText(StrokeText::Text8, "5");
    }
    testing::CommLogHarness harness;
    CommLogDumpSource source;
};

TEST_F(StrokeDumpOnCommLog, WaitsForTheWholeAnswerThenTakesTheWordAndEmptiesTheLog) {
    harness.Receive("TYR28a\r3F");
    window.ReadNextDumpWord();
    EXPECT_EQ(window.DumpList(), "");
    harness.Receive(")\r#");
    window.ReadNextDumpWord();
    EXPECT_EQ(window.DumpList(), "4 = 3F\r\n");
    EXPECT_EQ(harness.log->LogText(), "");
    EXPECT_EQ(window.Text(StrokeText::Text8), "6");
    // The next answer arrives after the emptying and is found on the next step.
    harness.Receive("TYR27a\r10)\r#TYR28a\r41)\r#");
    window.ReadNextDumpWord();
    EXPECT_EQ(window.DumpList(), "4 = 3F\r\n5 = 41\r\n");
}

}  // namespace
}  // namespace zorvex
