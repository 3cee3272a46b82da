// The dump against the communication log itself, fed as the receive path feeds it.
#include <gtest/gtest.h>

#include "CommLogFixture.h"
#include "StrokeFixture.h"
#include "core/panels/stroke/CommLogDumpSource.h"

namespace zorvex {
namespace {

using testing::Commands;

class StrokeDumpOnCommLog : public testing::StrokeFixture {
  protected:
    StrokeDumpOnCommLog() : source(harness.Make()) {
        window.SetLogWindow(&source);
        window.SetText(StrokeText::Text8, "5");
    }
    testing::CommLogHarness harness;
    CommLogDumpSource source;
};

TEST_F(StrokeDumpOnCommLog, TakesTheWordAfterTheEchoAndEmptiesTheLog) {
    harness.Receive("TYR28a\r3F)\r#");
    window.ReadNextDumpWord();
    EXPECT_EQ(window.DumpList(), "4 = 3F\r\n");
    EXPECT_EQ(harness.log->LogText(), "");
    EXPECT_EQ(window.Text(StrokeText::Text8), "6");
    // The next answer arrives after the emptying and is found on the next step.
    harness.Receive("TYR27a\r10)\r#TYR28a\r41)\r#");
    window.ReadNextDumpWord();
    EXPECT_EQ(window.DumpList(), "4 = 3F\r\n5 = 41\r\n");
}

TEST_F(StrokeDumpOnCommLog, WaitsWhileTheAnswerIsIncomplete) {
    harness.Receive("TYR28a\r3F");
    window.ReadNextDumpWord();
    EXPECT_EQ(window.DumpList(), "");
    EXPECT_EQ(window.Text(StrokeText::Text8), "5");
    harness.Receive(")\r#");
    window.ReadNextDumpWord();
    EXPECT_EQ(window.DumpList(), "4 = 3F\r\n");
}

}  // namespace
}  // namespace zorvex
