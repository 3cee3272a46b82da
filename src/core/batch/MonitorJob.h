#pragma once

#include <memory>
#include <string>

#include "core/app/StatusOperations.h"
#include "core/data/MdfReader.h"
#include "core/data/MonitorData.h"
#include "core/data/MonitorDataFile.h"
#include "core/data/UpdateAllDataCycle.h"
#include "core/link/ConnectionController.h"
#include "core/link/ConnectionViews.h"
#include "core/link/LinkState.h"
#include "core/link/ReceivePath.h"
#include "core/link/TransmitQueue.h"
#include "core/panels/info/InfoLabels.h"
#include "core/protocol/IdentificationReplies.h"
#include "core/protocol/ResponseDispatcher.h"
#include "core/support/SerialPort.h"
#include "core/support/SystemServices.h"
#include "core/support/Timer.h"

namespace zorvex {

// How a job without windows ends, as the command line's exit status.
enum class JobExit : int { Done = 0, PortFailed = 3, NoMonitor = 4, FileFailed = 5 };

// What a job without windows tells its user.
class MonitorJobView {
  public:
    virtual ~MonitorJobView() = default;
    // The monitor answered and its firmware version came back.
    virtual void Connected(const MonitorData& data) = 0;
    // The backup's pass sent step 0..44; data holds every answer so far.
    virtual void StepSent(int step, const MonitorData& data) = 0;
    // The job is over; message says why when it failed.
    virtual void Finished(JobExit exit, const std::string& message) = 0;
};

struct MonitorJobSetup {
    enum class Kind { Backup, Identify };
    Kind kind = Kind::Identify;
    int portNumber = 1;
    int timeoutSeconds = 15;
    std::string filePath;  // Backup: written as Save As writes it, only once the pass is whole
    std::string fileTitle;
};

struct MonitorJobServices {
    SerialPort& port;
    TimerFactory& timers;
    Beeper& beeper;
    MonitorDataFiles& files;
    const WallClock& clock;
};

// The link and the monitor data without any window: connects as the tool does (pings until
// the monitor answers, keep-alive, reconnect logic), then either runs one whole pass of the
// update-all-data cycle and saves the data file, or asks for the monitor's identity. A
// monitor that does not answer within the time limit, or stops answering, ends the job
// without writing anything.
class MonitorJob : private StatusOperations,
                   private UpdateAllDataProgress,
                   private InfoLabels,
                   private ConnectWindowView,
                   private TryingWindowView,
                   private ChangeTriesView,
                   private TimedOutView {
  public:
    static constexpr int PollMs = 100;

    MonitorJob(MonitorJobServices services, MonitorJobView& view);
    ~MonitorJob() override;
    MonitorJob(const MonitorJob&) = delete;
    MonitorJob& operator=(const MonitorJob&) = delete;

    void Start(const MonitorJobSetup& setup);
    const MonitorData& Data() const { return data_; }
    bool Over() const { return phase_ == Phase::Over; }

  private:
    enum class Phase { NotStarted, Connecting, Settling, Passing, Draining, Over };

    // StatusOperations: the connection logic's status changes.
    void SetMonitorOnline() override;
    void SetBootModeStatus() override;
    void SetMonitorOffline() override;
    void SetOfflineDemoMode() override { SetMonitorOffline(); }
    void SetGoOfflineEnabled(bool) override {}
    // UpdateAllDataProgress.
    void StepSent(int step) override;
    void PassCompleted() override;
    // No windows to fill or show.
    void SetInfoLabel(InfoLabel, const std::string&) override {}
    void ShowWindow() override {}
    void HideWindow() override {}
    void SetStatusText(const std::string&) override {}
    void SetIndicatorOnline(bool) override {}
    void SetSelectedPort(int) override {}
    void ShowMessage(const std::string&) override {}
    void SetLimitText(const std::string&) override {}
    void SetToGoText(const std::string&) override {}

    bool QueueIdle() const;
    void OnPoll();
    void OnDeadline();
    void Enter(Phase phase);
    void SaveFile();
    void Finish(JobExit exit, const std::string& message);

    MonitorJobServices services_;
    MonitorJobView& view_;
    MonitorJobSetup setup_;
    Phase phase_ = Phase::NotStarted;
    int lastStep_ = -1;
    std::string where_;        // the device, for the messages
    std::string portFailure_;  // the system's words when the port last failed

    MonitorData data_;
    LinkState link_;
    ResponseDispatcher dispatcher_;
    IdentificationReplies identity_{data_, *this};
    TransmitQueue queue_;
    ReceivePath receive_;
    ConnectionController connection_;
    int16_t sendCount_ = 0;
    UpdateAllDataCycle cycle_;
    MdfReader reader_{data_, dispatcher_, *this};
    MonitorDataFile file_;
    std::unique_ptr<Timer> poll_;
    std::unique_ptr<Timer> deadline_;
};

// The identity requests for the monitor's family, once its firmware version is known: the
// model, serial and part numbers as the ID window asks for them, the ROM version, the
// operating time and the high-voltage limits.
void QueueIdentityRequests(const MonitorData& data, CommandSink& sink);

}  // namespace zorvex
