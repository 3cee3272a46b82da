#include <gtest/gtest.h>

#include "CommLogFixture.h"
#include "StrokeFixture.h"
#include "core/panels/stroke/CommLogDumpSource.h"
#include "core/panels/stroke/StrokeLogWindow.h"

namespace zorvex {
namespace {

using testing::Rows;
using D = std::tuple<const char*, const char*, const char*>;

// The dump's rig over a log window of its own; Seen() is the list, the next address and the
// log left.
struct DumpRig : testing::StrokeRig, StrokeLogWindow {
    DumpRig() {
        window.SetLogWindow(this);
        window.SetText(StrokeText::Text8, "5");
        window.SetText(StrokeText::Text7_6, "2");
        sink.Take();
    }
    std::string LogText() const override { return log; }
    void ClearLogText() override { log.clear(); }
    std::string Seen() {
        return window.DumpList() + "| " + window.Text(StrokeText::Text8) + " | " + log;
    }
    std::string log;
};
struct StrokeDump : ::testing::Test, DumpRig {};

// The word of the address below is listed once the closing bracket is in; the address is the
// leading number of the box (nine digits at most).
TEST(StrokeDumpStep, ListsTheWordOfTheAddressBelowAndAdvancesOnlyWithTheClosingBracket) {
    for (const auto& [address, logText, seen] :
         Rows(D("5", "TYR28a\r\n3F\r\n#", "| 5 | TYR28a\r\n3F\r\n#"),
              D("5", "TYR28a\r\n3F)\r\n#", "4 = 3F\r\n| 6 | "),
              D("5", "TYR28a\n40)\n#", "4 = 40\r\n| 6 | "),
              D("12abc", "TYR28a7)", "11 = 7\r\n| 13 | "),
              D("1234567890", "TYR28a7)", "123456788 = 7\r\n| 123456790 | "))) {
        DumpRig g;
        g.window.SetText(StrokeText::Text8, address);
        g.log = logText;
        g.sink.Take();
        g.window.ReadNextDumpWord();
        EXPECT_EQ(g.Seen(), seen) << address << " " << logText;
    }
}

TEST_F(StrokeDump, StepsEveryTwoSecondsUntilStoppedOrClosedAndNeverASecondTimer) {
    window.Press(StrokeButton::Command17_2);
    clock.Advance(1000);
    window.Press(StrokeButton::Command17_2);  // a second start keeps the first timer
    clock.Advance(999);
    EXPECT_EQ(Sent(), "");
    log = "TYR28a\r\n10)";
    clock.Advance(1);
    EXPECT_EQ(Sent() + " | " + Seen(),
              "TYW22a2 TYW33b5 TYW32b0 TYW20a1 TYW20a0 TYR28a TYR27a | 4 = 10\r\n| 6 | ");
    log = "TYR28a\r\n11)";
    clock.Advance(2000);
    EXPECT_EQ(Sent() + " | " + Seen(),
              "TYW22a2 TYW33b6 TYW32b0 TYW20a1 TYW20a0 TYR28a TYR27a | 4 = 10\r\n5 = 11\r\n| 7 | ");
    window.Press(StrokeButton::Command17_3);
    clock.Advance(10000);
    EXPECT_EQ(Sent(), "");
    // Closing the window stops it too, and reopening does not start it again.
    window.Press(StrokeButton::Command17_2);
    window.Close();
    window.Open();
    sink.Take();
    clock.Advance(10000);
    EXPECT_EQ(Sent(), "");
}

// The dump against the communication log itself, fed as the receive path feeds it: it waits
// for the whole answer, takes the word and empties the log; the next answer is found next.
TEST_F(StrokeDump, OnTheCommLogWaitsForTheWholeAnswer) {
    testing::CommLogHarness harness;
    CommLogDumpSource source(harness.Make());
    window.SetLogWindow(&source);
    harness.Receive("TYR28a\r3F");
    window.ReadNextDumpWord();
    EXPECT_EQ(window.DumpList(), "");
    harness.Receive(")\r#");
    window.ReadNextDumpWord();
    EXPECT_EQ(window.DumpList() + harness.log->LogText() + window.Text(StrokeText::Text8),
              "4 = 3F\r\n6");
    harness.Receive("TYR27a\r10)\r#TYR28a\r41)\r#");
    window.ReadNextDumpWord();
    EXPECT_EQ(window.DumpList(), "4 = 3F\r\n5 = 41\r\n");
}

}  // namespace
}  // namespace zorvex
