#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

#include "core/data/MonitorData.h"
#include "core/support/CommandSink.h"
#include "core/support/Timer.h"

namespace zorvex {

// The read requests of one pass, by step; step 3 sends nothing.
inline constexpr int UpdateAllDataSteps = 45;
inline constexpr std::array<std::string_view, UpdateAllDataSteps> UpdateAllDataRequests = {
    "da",   "db",   "dc",   "",     "ddv",  "ddfv", "ddpv", "ddh",  "ddph", "ddfh", "ddl",  "ddpl",
    "ddfl", "ddb",  "ddpb", "ddfb", "de",   "df",   "dh",   "dms",  "dps",  "dss",  "dt",   "dw",
    "dda",  "ddpa", "ddfa", "ddd",  "ddpd", "ddfd", "dde",  "ddpe", "ddfe", "ddg",  "ddpg", "ddfg",
    "ddi",  "ddpi", "ddfi", "ddk",  "ddpk", "ddfk", "dds",  "ddps", "ddfs",
};

// Told how a pass goes, for a progress display (the main window's status bar, the command
// line). Steps are numbered 0..44 as in the table; step 3 is reported though it sends nothing.
class UpdateAllDataProgress {
  public:
    virtual ~UpdateAllDataProgress() = default;
    // The step's request has been queued: step + 1 of UpdateAllDataSteps done.
    virtual void StepSent(int step) = 0;
    // The last step's request has been queued; its answer is still on the way.
    virtual void PassCompleted() = 0;
};

// Keeps MonitorData filled with everything the monitor can report: one read request a
// second from the step table while a monitor is online; idle ticks while it is not. Once
// started, tmrSave runs until the program ends.
class UpdateAllDataCycle {
  public:
    // sendCount is the main window's step counter; it lives with the shell's state.
    UpdateAllDataCycle(const MonitorData& data, CommandSink& sink, TimerFactory& timers,
                       int16_t& sendCount);

    // One step: queues the step's request while online and (re)starts tmrSave below the last
    // step; a step outside the table sets SendCount to 1, so the next pass starts at step 2.
    void UpdateAllDataStep(int16_t step);
    // "&Update All Data" and every save: SendCount to 0, and step 0 at once.
    void Restart();
    // tmrSave's tick: the step SendCount names, then SendCount one further.
    void Tick();

    // At exit only: nothing else stops tmrSave once it runs.
    void Stop() { tmrSave_->Stop(); }

    // Null for none. The observer must outlive the cycle or be reset first.
    void SetProgress(UpdateAllDataProgress* progress) { progress_ = progress; }

    int16_t SendCount() const { return sendCount_; }
    bool Running() const { return tmrSave_->IsActive(); }

  private:
    const MonitorData& data_;
    CommandSink& sink_;
    int16_t& sendCount_;
    std::unique_ptr<Timer> tmrSave_;
    UpdateAllDataProgress* progress_ = nullptr;
};

}  // namespace zorvex
