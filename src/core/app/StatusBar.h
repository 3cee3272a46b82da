#pragma once

#include <string>

#include "core/data/UpdateAllDataCycle.h"
#include "core/support/SystemServices.h"

namespace zorvex {

// The main window's status bar: the progress of reading the monitor's data, and short
// notices that a store or a write was answered.
class StatusBarView {
  public:
    virtual ~StatusBarView() = default;
    // A progress bar at done of total, with its text.
    virtual void ShowProgress(int done, int total, const std::string& text) = 0;
    // The progress bar goes; the text stays.
    virtual void ShowProgressDone(const std::string& text) = 0;
    // A notice that goes by itself after a few seconds.
    virtual void ShowNotice(const std::string& text) = 0;
};

// Shows how far "&Update All Data" (or a save, which restarts the cycle) has got: a pass that
// starts at step 0 shows "Reading monitor data: step k of 45"; each completed pass shows when
// the data was read. The later passes of the polling run quietly and renew only that time.
class UpdateAllDataStatus : public UpdateAllDataProgress {
  public:
    UpdateAllDataStatus(StatusBarView& view, const WallClock& clock) : view_(view), clock_(clock) {}
    void StepSent(int step) override;
    void PassCompleted() override;

  private:
    StatusBarView& view_;
    const WallClock& clock_;
    bool reading_ = false;
};

}  // namespace zorvex
