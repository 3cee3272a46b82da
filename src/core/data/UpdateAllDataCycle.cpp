#include "core/data/UpdateAllDataCycle.h"

#include <string>

namespace zorvex {

namespace {
constexpr int SaveTimerIntervalMs = 1000;
constexpr int16_t LastStep = UpdateAllDataSteps - 1;
// The counter value of the idle tick after the last step. While no monitor is online the
// counter stops here instead of growing for hours towards an overflow; every value past the
// last step behaves alike, so the order of requests when the monitor returns is unchanged.
constexpr int16_t IdleStep = UpdateAllDataSteps;
}  // namespace

UpdateAllDataCycle::UpdateAllDataCycle(const MonitorData& data, CommandSink& sink,
                                       TimerFactory& timers, int16_t& sendCount)
    : data_(data),
      sink_(sink),
      sendCount_(sendCount),
      tmrSave_(timers.CreateTimer([this] { Tick(); })) {}

void UpdateAllDataCycle::UpdateAllDataStep(int16_t step) {
    if (!data_.MonitorOnline) {
        return;
    }
    if (step >= 0 && step <= LastStep) {
        const std::string_view request = UpdateAllDataRequests[step];
        if (!request.empty()) {
            sink_.QueueCommand(std::string(request) + "\r\n");
        }
        if (progress_ != nullptr) {
            progress_->StepSent(step);
            if (step == LastStep) {
                progress_->PassCompleted();
            }
        }
    } else {
        sendCount_ = 1;
    }
    if (step < LastStep) {
        tmrSave_->Start(SaveTimerIntervalMs);
    }
}

void UpdateAllDataCycle::Restart() {
    sendCount_ = 0;
    UpdateAllDataStep(sendCount_);
}

void UpdateAllDataCycle::Tick() {
    const int16_t step = sendCount_;
    UpdateAllDataStep(step);
    if (sendCount_ < IdleStep) {
        ++sendCount_;
    }
}

}  // namespace zorvex
