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
    status.StepSent(5);  // a pass not started by a restart runs quietly
    status.StepSent(0);
    status.StepSent(0);
    status.StepSent(44);
    status.PassCompleted();
    clock.now.hour = 14;
    status.StepSent(2);
    status.PassCompleted();
    EXPECT_EQ(
        bar.lines,
        (Lines{"1/45 Reading monitor data: step 1 of 45", "1/45 Reading monitor data: step 1 of 45",
               "45/45 Reading monitor data: step 45 of 45", "done Monitor data read at 09:05",
               "done Monitor data read at 14:05"}));
}

struct ConfirmCase {
    const char* name;
    Lines queued;
    Lines answers;  // reply blocks as the receive path closes them
    Lines notices;
};

class WriteConfirmation : public ::testing::TestWithParam<ConfirmCase> {};

TEST_P(WriteConfirmation, FollowsTheMonitorsAnswerToTheStoresAndWritesQueued) {
    RecordingStatusBar bar;
    testing::RecordingSink queue;
    WriteConfirmations confirmations(queue, bar);
    for (const std::string& command : GetParam().queued) {
        confirmations.QueueCommand(command + "\r\n");
    }
    EXPECT_EQ(queue.commands, GetParam().queued) << "everything goes on to the queue";
    for (const std::string& block : GetParam().answers) {
        confirmations.OnReplyBlock(block);
    }
    EXPECT_EQ(bar.lines, GetParam().notices);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteConfirmation,
    ::testing::Values(
        ConfirmCase{"OneSaveConfirmedWhenItsLastStoreIsAnswered",
                    {"TGW1D0", "TGW2E123"},
                    {"TGW1D0\r\nSaved 1D = 0\r\n#", "TGW2E123\r\nSaved 2E = 123\r\n#"},
                    {"notice Stored gain sign 0, gain 123 (monitor: Saved 2E = 123)"}},
        ConfirmCase{"AWriteShowsTheMonitorsOwnWordsSoARefusalIsSeen",
                    {"wb0x12", "ww0xZZ"},
                    {"wb0x12\r\nByte at 0100 set to 0x12\r\n#",
                     "ww0xZZ\r\nBad value, nothing written\r\n#"},
                    {"notice Wrote byte 0x12 (monitor: Byte at 0100 set to 0x12)",
                     "notice Wrote word 0xZZ (monitor: Bad value, nothing written)"}},
        ConfirmCase{"AResendOrAnotherAnswerConfirmsNothingAndALostAnswerIsPassedOver",
                    {"wb1", "rb", "TYW2EA5", "wb2"},
                    {"wb1\r\n!", "rb\r\nByte := 0x12\r\n#", "TYW2EA5\r\n#", "wb2\r\nok\r\n#"},
                    {"notice Wrote byte 2 (monitor: ok)"}}),
    [](const ::testing::TestParamInfo<ConfirmCase>& info) { return info.param.name; });

}  // namespace
}  // namespace zorvex
