#include "core/app/StatusBar.h"

#include <cstdio>

namespace zorvex {

void UpdateAllDataStatus::StepSent(int step) {
    // Step 0 is sent only when the cycle restarts.
    if (step == 0) {
        reading_ = true;
    }
    if (reading_) {
        const int done = step + 1;
        view_.ShowProgress(done, UpdateAllDataSteps,
                           "Reading monitor data: step " + std::to_string(done) + " of " +
                               std::to_string(UpdateAllDataSteps));
    }
}

void UpdateAllDataStatus::PassCompleted() {
    reading_ = false;
    const LocalDateTime now = clock_.Now();
    char time[8];
    std::snprintf(time, sizeof time, "%02d:%02d", now.hour % 100, now.minute % 100);
    view_.ShowProgressDone(std::string("Monitor data read at ") + time);
}

}  // namespace zorvex
