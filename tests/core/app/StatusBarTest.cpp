#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeServices.h"
#include "RecordingSink.h"
#include "core/app/StatusBar.h"
#include "core/app/WriteConfirmations.h"

namespace zorvex {
namespace {

using Lines = std::vector<std::string>;

// The status bar as one line per change: "k/n text", "done text" or "notice text".
struct RecordingStatusBar : StatusBarView {
    void ShowProgress(int done, int total, const std::string& text) override {
        lines.push_back(std::to_string(done) + "/" + std::to_string(total) + " " + text);
    }
    void ShowProgressDone(const std::string& text) override { lines.push_back("done " + text); }
    void ShowNotice(const std::string& text) override { lines.push_back("notice " + text); }
    Lines lines;
};

TEST(UpdateAllDataStatus, ShowsEachStepOfARestartedPassThenOnlyWhenTheDataWasRead) {
    RecordingStatusBar bar;
    testing::FakeWallClock clock;  // 09:05
    UpdateAllDataStatus status(bar, clock);
    for (int step : {5, 0, 44}) {  // a pass not started by a restart runs quietly
        status.StepSent(step);
    }
    status.PassCompleted();
    clock.now.hour = 14;
    status.StepSent(2);
    status.PassCompleted();
    EXPECT_EQ(bar.lines,
              (Lines{"1/45 Reading monitor data: step 1 of 45",
                     "45/45 Reading monitor data: step 45 of 45", "done Monitor data read at 09:05",
                     "done Monitor data read at 14:05"}));
}

// Every write goes on to the queue; the monitor's own words confirm it, so a refusal is seen; a
// save is confirmed once its last store is answered; a resend, another answer or a lost answer
// confirms nothing. Steps with a line break are answers, the others commands queued.
TEST(WriteConfirmations, FollowTheMonitorsAnswerToTheStoresAndWritesQueued) {
    RecordingStatusBar bar;
    testing::RecordingSink queue;
    WriteConfirmations confirmations(queue, bar);
    for (const std::string& step : Lines{
             "TGW1D0", "TGW2E123", "TGW1D0\r\nSaved 1D = 0\r\n#", "TGW2E123\r\nSaved 2E = 123\r\n#",
             "wb0x12", "ww0xZZ", "wb0x12\r\nByte at 0100 set to 0x12\r\n#",
             "ww0xZZ\r\nBad value, nothing written\r\n#", "wb1", "rb", "TYW2EA5", "wb2", "wb1\r\n!",
             "rb\r\nByte := 0x12\r\n#", "TYW2EA5\r\n#", "wb2\r\nok\r\n#"}) {
        if (step.find('\r') == std::string::npos) {
            confirmations.QueueCommand(step + "\r\n");
        } else {
            confirmations.OnReplyBlock(step);
        }
    }
    EXPECT_EQ(queue.Sent(), "TGW1D0 TGW2E123 wb0x12 ww0xZZ wb1 rb TYW2EA5 wb2");
    EXPECT_EQ(bar.lines, (Lines{"notice Stored gain sign 0, gain 123 (monitor: Saved 2E = 123)",
                                "notice Wrote byte 0x12 (monitor: Byte at 0100 set to 0x12)",
                                "notice Wrote word 0xZZ (monitor: Bad value, nothing written)",
                                "notice Wrote byte 2 (monitor: ok)"}));
}

}  // namespace
}  // namespace zorvex
