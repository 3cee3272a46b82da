#include "core/batch/MonitorJob.h"

#include "core/panels/info/InfoRequests.h"
#include "core/protocol/DacTableHandlers.h"
#include "core/protocol/LinkReplyHandlers.h"

namespace zorvex {

namespace {
std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    std::string out;
    for (char c : text) {
        if (!(c == ' ' && !out.empty() && out.back() == ' ')) {
            out += c;
        }
    }
    return out;
}
}  // namespace

void QueueIdentityRequests(const MonitorData& data, CommandSink& sink) {
    const int version = data.FirmwareVersionNumber;
    if (version >= 100 && version <= 299) {
        ActivateIdWindow(data, sink);
        sink.QueueCommand("dmt\r\n");  // the CRT's numbers, which only these families have
        sink.QueueCommand("dst\r\n");
    } else {
        // A family the ID window does not ask: as the update-all-data cycle asks.
        sink.QueueCommand("dms\r\n");
        sink.QueueCommand("dss\r\n");
    }
    for (const char* request : {"de\r\n", "dt\r\n", "dh\r\n"}) {
        sink.QueueCommand(request);
    }
}

MonitorJob::MonitorJob(MonitorJobServices services, MonitorJobView& view)
    : services_(services),
      view_(view),
      queue_(services.port, services.timers, services.beeper),
      receive_(
          queue_, [this](std::string_view block) { dispatcher_.Dispatch(block); }, link_),
      connection_(services.port, queue_, services.timers, *this, data_, link_,
                  ConnectionController::Views{*this, *this, *this, *this}),
      cycle_(data_, queue_, services.timers, sendCount_),
      file_(data_, services.files, services.clock, reader_, nullptr) {
    identity_.Register(dispatcher_);
    RegisterLinkReplyHandlers(dispatcher_, data_, *this);
    RegisterDacTableHandlers(dispatcher_, data_);
    receive_.SetPromptListener(&connection_);
    services_.port.SetReceiveHandler([this](std::string_view bytes) { receive_.Feed(bytes); });
    services_.port.SetFailureHandler([this](const std::string& reason) {
        portFailure_ = reason;
        connection_.OnPortFailure(reason);
    });
    queue_.SetWriteFailureHandler([this] { connection_.OnWriteFailure(); });
    cycle_.SetProgress(this);
    poll_ = services.timers.CreateTimer([this] { OnPoll(); });
    deadline_ = services.timers.CreateTimer([this] { OnDeadline(); });
}

MonitorJob::~MonitorJob() {
    services_.port.SetReceiveHandler(nullptr);
    services_.port.SetFailureHandler(nullptr);
    cycle_.SetProgress(nullptr);
}

void MonitorJob::Start(const MonitorJobSetup& setup) {
    setup_ = setup;
    link_.CommPort = static_cast<int16_t>(setup.portNumber);
    const PortOpenResult opened = services_.port.Open(setup.portNumber);
    where_ = opened.device.empty() ? "Com" + std::to_string(setup.portNumber) : opened.device;
    if (!opened.Ok()) {
        Finish(JobExit::PortFailed, "Cannot open the serial port " + where_ + ": " +
                                        (opened.reason.empty() ? "unknown error" : opened.reason));
        return;
    }
    Enter(Phase::Connecting);
    poll_->Start(PollMs);
    // Pings every two seconds until the monitor answers; the deadline gives up.
    connection_.Ok();
}

void MonitorJob::Enter(Phase phase) {
    phase_ = phase;
    deadline_->Start(setup_.timeoutSeconds * 1000);
}

bool MonitorJob::QueueIdle() const {
    return queue_.Empty() && !queue_.AwaitingReply() && !queue_.WriteScheduled();
}

void MonitorJob::SetMonitorOnline() {
    data_.MonitorOnline = true;
    if (phase_ == Phase::Connecting) {
        // The connection logic asks for the firmware version next; the poll waits for it.
        Enter(Phase::Settling);
    }
}

void MonitorJob::SetBootModeStatus() {
    data_.MonitorOnline = true;
    data_.FirmwareVersionNumber = 0;
    if (phase_ != Phase::Over) {
        Finish(JobExit::NoMonitor, "The monitor on " + where_ +
                                       " is in boot mode; start its firmware first (Run from "
                                       "BOOT MODE in the tool).");
    }
}

void MonitorJob::SetMonitorOffline() {
    data_.MonitorOnline = false;
    if (phase_ == Phase::Over) {
        return;  // the link closing after the job; what it read stays for the report
    }
    data_.FirmwareVersion.clear();
    data_.RomVersion.clear();
    if (phase_ == Phase::Settling || phase_ == Phase::Passing || phase_ == Phase::Draining) {
        std::string message = "The monitor on " + where_ + " stopped answering";
        if (lastStep_ >= 0) {
            message += " after step " + std::to_string(lastStep_ + 1) + " of " +
                       std::to_string(UpdateAllDataSteps);
        }
        message += portFailure_.empty() ? "." : " (" + portFailure_ + ").";
        Finish(JobExit::NoMonitor, message);
    }
}

void MonitorJob::OnPoll() {
    if (!QueueIdle()) {
        return;
    }
    if (phase_ == Phase::Settling) {
        view_.Connected(data_);
        if (setup_.kind == MonitorJobSetup::Kind::Backup) {
            Enter(Phase::Passing);
            cycle_.Restart();
        } else {
            QueueIdentityRequests(data_, queue_);
            Enter(Phase::Draining);
        }
    } else if (phase_ == Phase::Draining) {
        if (setup_.kind == MonitorJobSetup::Kind::Backup) {
            SaveFile();
        } else {
            Finish(JobExit::Done, "");
        }
    }
}

void MonitorJob::StepSent(int step) {
    if (phase_ != Phase::Passing) {
        return;
    }
    lastStep_ = step;
    deadline_->Start(setup_.timeoutSeconds * 1000);
    view_.StepSent(step, data_);
}

void MonitorJob::PassCompleted() {
    if (phase_ != Phase::Passing) {
        return;
    }
    // One pass only: the cycle would go on with the next one.
    cycle_.Stop();
    Enter(Phase::Draining);
}

void MonitorJob::OnDeadline() {
    const std::string limit = std::to_string(setup_.timeoutSeconds) +
                              (setup_.timeoutSeconds == 1 ? " second." : " seconds.");
    std::string message = phase_ == Phase::Connecting
                              ? "No monitor answered on " + where_ + " within " + limit
                              : "The monitor on " + where_ + " did not answer within " + limit;
    if (!portFailure_.empty()) {
        message += " The port last failed: " + portFailure_ + ".";
    }
    Finish(JobExit::NoMonitor, message);
}

void MonitorJob::SaveFile() {
    // As Save As does: the file state names the file, WriteMDF writes it whole or not at all.
    data_.DiskFileNum = 1;
    data_.FilePath = setup_.filePath;
    data_.FileTitle = setup_.fileTitle;
    data_.FileIsOpen = true;
    data_.DataChanged = false;
    data_.FileOpenForInput = false;
    const FileReport report = file_.WriteMDF();
    if (!report.ok) {
        Finish(JobExit::FileFailed, OneLine(report.message));
        return;
    }
    Finish(JobExit::Done, "");
}

void MonitorJob::Finish(JobExit exit, const std::string& message) {
    if (phase_ == Phase::Over) {
        return;
    }
    phase_ = Phase::Over;
    poll_->Stop();
    deadline_->Stop();
    cycle_.Stop();
    connection_.Cancel();
    services_.port.Close();
    view_.Finished(exit, message);
}

}  // namespace zorvex
