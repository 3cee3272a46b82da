#include "core/link/ConnectionController.h"

#include <limits>

#include "core/app/StatusOperations.h"
#include "core/data/MonitorData.h"
#include "core/link/LinkState.h"
#include "core/link/TransmitQueue.h"
#include "core/support/Text.h"
#include "core/support/Timer.h"

namespace zorvex {

namespace {
constexpr const char* PingCommand = "p\r\n";
constexpr const char* FirmwareVersionCommand = "df\r\n";
constexpr int FirstPort = 1;
constexpr int LastPort = 8;
constexpr const char* RetryingText = " Trying again every 2 s.";

std::string PortName(int portNumber) {
    return "Com" + std::to_string(portNumber);
}
}  // namespace

std::string PortStatusText(int portNumber, const PortOpenResult& result) {
    std::string text = PortName(portNumber);
    if (!result.device.empty()) {
        text += " (" + result.device + ")";
    }
    switch (result.failure) {
        case PortFailure::None:
            return text + ": open.";
        case PortFailure::PermissionDenied:
            return text +
                   ": permission denied. Add your user to the dialout group and log in again.";
        case PortFailure::NotFound:
            return text +
                   ": no such device. Plug the adapter in, or pick one of the devices found.";
        case PortFailure::Busy:
            return text + ": in use by another program. Close that program, or pick another port.";
        case PortFailure::NotSerial:
            return text + ": not a serial port. Pick the device of the serial adapter.";
        case PortFailure::Other:
            break;
    }
    return text + ": cannot be opened" +
           (result.reason.empty() ? "." : " (" + result.reason + ").");
}

std::string PortErrorMessage(int portNumber, const PortOpenResult& result) {
    return "Comm Port Error  on Com" + std::to_string(portNumber) + " -> try another port\n\n" +
           PortStatusText(portNumber, result);
}

ConnectionController::ConnectionController(SerialPort& port, TransmitQueue& queue,
                                           TimerFactory& timers, StatusOperations& status,
                                           MonitorData& data, LinkState& link, Views views)
    : port_(port), queue_(queue), status_(status), data_(data), link_(link), views_(views) {
    tryTimer_ = timers.CreateTimer([this] { OnTryTick(); });
    replyTimer_ = timers.CreateTimer([this] { OnReplyTimeout(); });
    keepAlive_ = timers.CreateTimer([this] { OnKeepAliveTick(); });
    timedOutTimer_ = timers.CreateTimer([this] { OnTimedOutTick(); });
}

ConnectionController::~ConnectionController() = default;

bool ConnectionController::Trying() const {
    return tryTimer_->IsActive();
}

void ConnectionController::SetStatus(const std::string& text) {
    statusText_ = text;
    views_.connect.SetStatusText(text);
}

void ConnectionController::ShowOpenFailure() {
    // Quietly, at start-up too: the status line says which device and why.
    SetStatus(PortStatusText(link_.CommPort, lastOpen_));
}

std::string ConnectionController::AttemptText() const {
    if (!port_.IsOpen()) {
        // Just lost, the line says so until the next try finds why it cannot be opened.
        return lastOpen_.Ok() ? statusText_
                              : PortStatusText(link_.CommPort, lastOpen_) + RetryingText;
    }
    if (monitorLost_) {
        return "No answer from the monitor on " + PortName(link_.CommPort) +
               "; trying again every 2 s. Check the cable and the monitor's power.";
    }
    return TryingPortText + std::to_string(link_.CommPort);
}

void ConnectionController::OnStatusOffline() {
    if (statusText_ == ConnectedText) {
        SetStatus(NotConnectedText);
    }
}

void ConnectionController::Create() {
    SetIndicators(false);
    SetStatus(TryingPortText + std::to_string(link_.CommPort));
    if (link_.CommPort >= FirstPort && link_.CommPort <= LastPort) {
        views_.connect.SetSelectedPort(link_.CommPort);
        // At start-up a port that cannot be opened says so on the status line only; the
        // message box is for a port the user picks.
        SelectPort(link_.CommPort - 1);
    }
    if (OpenSerialPort()) {
        ShowTrying();
    } else {
        ShowOpenFailure();
    }
}

bool ConnectionController::OpenSerialPort() {
    port_.Close();
    data_.MonitorOnline = false;
    lastOpen_ = port_.Open(link_.CommPort);
    device_ = lastOpen_.device;
    if (lastOpen_.Ok()) {
        portLost_ = false;
    }
    return lastOpen_.Ok();
}

std::optional<std::string> ConnectionController::SelectPort(int optionIndex) {
    const int chosen = optionIndex + 1;
    if (chosen < FirstPort || chosen > LastPort) {
        return std::string(PortErrorAnyText);
    }
    if (chosen == link_.CommPort && port_.IsOpen()) {
        return std::nullopt;
    }
    const bool wasOnline = data_.MonitorOnline;
    link_.CommPort = static_cast<int16_t>(chosen);
    port_.Close();
    data_.MonitorOnline = false;
    lastOpen_ = port_.Open(chosen);
    device_ = lastOpen_.device;
    if (!lastOpen_.Ok()) {
        // The monitor's port is closed now: the caption and indicators must not go on
        // saying online, with a keep-alive that no longer looks.
        if (wasOnline) {
            GoOffline();
        }
        ShowOpenFailure();
        return PortErrorMessage(chosen, lastOpen_);
    }
    portLost_ = false;
    // The click came from the connection window, so the attempt window is not in front.
    tryingInFront_ = false;
    ShowTrying();
    return std::nullopt;
}

std::optional<std::string> ConnectionController::DeviceChanged(int portNumber) {
    if (portNumber != link_.CommPort) {
        return std::nullopt;
    }
    port_.Close();
    return SelectPort(portNumber - 1);
}

void ConnectionController::Ok() {
    monitorLost_ = false;
    StartFromConnectWindow();
}

void ConnectionController::StartFromConnectWindow() {
    tryingInFront_ = false;
    // Counting tries down on a port that is not open would blame a silent monitor; only
    // a tool that reconnects by itself keeps looking for the device.
    if (!port_.IsOpen() && !OpenSerialPort() && !autoReconnect_) {
        ShowOpenFailure();
        return;
    }
    ShowTrying();
}

void ConnectionController::Offline() {
    GoOffline();
    views_.connect.HideWindow();
}

void ConnectionController::Done() {
    views_.connect.HideWindow();
}

void ConnectionController::ShowConnectWindow() {
    tryingInFront_ = false;
    views_.connect.ShowWindow();
}

void ConnectionController::HideConnectionWindows() {
    views_.connect.HideWindow();
    HideTrying();
    OnStatusOffline();
}

void ConnectionController::WindowActivated(LinkWindow window) {
    switch (window) {
        case LinkWindow::Trying:
            if (tryingShown_ && !tryingInFront_) {
                tryingInFront_ = true;
                StartAttempt();
            }
            return;
        case LinkWindow::ChangeTries:
            views_.changeTries.SetLimitText(std::to_string(link_.ConnectRetryLimit));
            break;
        case LinkWindow::TimedOut:
            timedOutTimer_->Start(TimedOutNoticeMs);
            break;
        case LinkWindow::Connect:
        case LinkWindow::Other:
            break;
    }
    tryingInFront_ = false;
}

void ConnectionController::ReConnect() {
    HideConnectionWindows();
    ShowConnectWindow();
    Ok();
}

void ConnectionController::ShowTrying() {
    // Showing the window while it is already shown and in front starts no second attempt.
    if (tryingShown_ && tryingInFront_) {
        return;
    }
    tryingShown_ = true;
    tryingInFront_ = true;
    views_.trying.ShowWindow();
    StartAttempt();
}

void ConnectionController::HideTrying() {
    tryingShown_ = false;
    tryingInFront_ = false;
    views_.trying.HideWindow();
}

std::string ConnectionController::ToGoText() const {
    // With Auto ReConnect the tries never run out: the count says so.
    return autoReconnect_ ? std::string(NoLimitText) : std::to_string(triesRemaining_);
}

void ConnectionController::StartAttempt() {
    GoOffline();
    SetStatus(AttemptText());
    if (autoReconnect_) {
        views_.trying.SetLimitText(NoLimitText);
        views_.trying.SetToGoText(NoLimitText);
    } else {
        triesRemaining_ = link_.ConnectRetryLimit;
        views_.trying.SetLimitText(std::to_string(link_.ConnectRetryLimit));
        views_.trying.SetToGoText(ToGoText());
    }
    tryTimer_->Start(TryIntervalMs);
    queue_.DropResend();
    QueuePing();
}

void ConnectionController::QueuePing() {
    // Nothing is written to a port that is gone; the try ticks reopen it first.
    if (port_.IsOpen()) {
        queue_.QueueCommand(PingCommand);
    }
}

void ConnectionController::OnTryTick() {
    const bool reopen = !port_.IsOpen();
    // A device that went away (or never opened) is looked for again at every try.
    if (reopen && !OpenSerialPort()) {
        if (!autoReconnect_) {
            tryTimer_->Stop();
            HideTrying();
            GoOffline();
            ShowOpenFailure();
        } else {
            SetStatus(AttemptText());
        }
        return;
    }
    if (data_.MonitorOnline) {
        tryTimer_->Stop();
        replyTimer_->Stop();
        keepAlive_->Start(KeepAliveAfterConnectMs);
        if (data_.BootMode) {
            status_.SetBootModeStatus();
        } else {
            status_.SetMonitorOnline();
        }
        status_.SetGoOfflineEnabled(true);
        SetStatus(ConnectedText);
        SetIndicators(true);
        failureReported_ = false;
        monitorLost_ = false;
        bootShown_ = data_.BootMode;
        if (!data_.BootMode) {
            queue_.QueueCommand(FirmwareVersionCommand);
        }
        HideTrying();
        return;
    }
    if (autoReconnect_) {
        // Tries never run out while reconnecting by itself, so the count stops at 0
        // instead of running down through the 16-bit range.
        if (triesRemaining_ > 0) {
            --triesRemaining_;
        }
    } else if (triesRemaining_ > std::numeric_limits<int16_t>::min()) {
        --triesRemaining_;
    }
    if (triesRemaining_ < 1 && !autoReconnect_) {
        GoOffline();
        tryTimer_->Stop();
        HideTrying();
        ShowTimedOut();
        monitorLost_ = false;
        SetStatus(UnableToConnectText);
        return;
    }
    if (reopen) {
        SetStatus(AttemptText());
    }
    views_.trying.SetToGoText(ToGoText());
    queue_.ResetTransmitQueue();
    QueuePing();
    tryTimer_->Start(TryIntervalMs);
}

void ConnectionController::Cancel() {
    monitorLost_ = false;
    tryTimer_->Stop();
    HideTrying();
    GoOffline();
}

void ConnectionController::Change() {
    views_.changeTries.SetLimitText(std::to_string(link_.ConnectRetryLimit));
    views_.changeTries.ShowWindow();
}

std::optional<std::string> ConnectionController::ApplyRetryLimit(const std::string& text) {
    const auto value = ParseWholeNumber(text);
    if (!value || *value < 0 || *value > std::numeric_limits<int16_t>::max()) {
        return std::string(RetryLimitRangeText);
    }
    link_.ConnectRetryLimit = static_cast<int16_t>(*value);
    views_.changeTries.HideWindow();
    return std::nullopt;
}

void ConnectionController::CancelRetryLimit() {
    views_.changeTries.HideWindow();
}

void ConnectionController::ShowTimedOut() {
    views_.timedOut.ShowWindow();
    timedOutTimer_->Start(TimedOutNoticeMs);
}

void ConnectionController::OnTimedOutTick() {
    DismissTimedOut();
}

void ConnectionController::DismissTimedOut() {
    timedOutTimer_->Stop();
    views_.timedOut.HideWindow();
}

void ConnectionController::GoOffline() {
    status_.SetMonitorOffline();
    data_.MonitorOnline = false;
    replyTimer_->Stop();
    SetIndicators(false);
    OnStatusOffline();
}

void ConnectionController::SetIndicators(bool online) {
    views_.connect.SetIndicatorOnline(online);
    if (logIndicator_) {
        logIndicator_(online);
    }
}

void ConnectionController::StartKeepAlive(int intervalMs) {
    keepAlive_->Start(intervalMs);
}

void ConnectionController::StopReplyTimer() {
    replyTimer_->Stop();
}

void ConnectionController::OnAnswerPrompt(char prompt) {
    replyTimer_->Stop();
    if (!data_.MonitorOnline) {
        return;
    }
    keepAlive_->Start(KeepAliveAfterAnswerMs);
    // The prompt tells where the monitor runs: after "Run from BOOT MODE" (or a fall back
    // into the boot loader) the caption and menus follow it without a reconnection.
    const bool boot = prompt == '$';
    if (boot != bootShown_ && !tryTimer_->IsActive()) {
        bootShown_ = boot;
        data_.BootMode = boot;
        if (boot) {
            status_.SetBootModeStatus();
        } else {
            status_.SetMonitorOnline();
            queue_.QueueCommand(FirmwareVersionCommand);
        }
    }
}

void ConnectionController::OnRetryPrompt() {
    replyTimer_->Stop();
    if (data_.MonitorOnline) {
        keepAlive_->Start(KeepAliveAfterRetryMs);
    }
}

void ConnectionController::OnKeepAliveTick() {
    // Pings whatever "Auto ReConnect" says: without them a monitor that stopped answering
    // would be shown online for ever. The switch only decides how a lost one is retried.
    if (link_.AutoPingEnabled && data_.MonitorOnline) {
        queue_.QueueCommand(PingCommand);
        // The time-out runs from the first ping left unanswered. Restarted at every tick, it
        // would never expire while the keep-alive ticks as often (2 s after connecting or a
        // "!"), and a silent monitor would stay online.
        if (!replyTimer_->IsActive()) {
            replyTimer_->Start(ReplyTimeoutMs);
        }
    } else {
        replyTimer_->Stop();
    }
}

void ConnectionController::OnReplyTimeout() {
    if (data_.MonitorOnline) {
        GoOffline();
        ShowConnectWindow();
        monitorLost_ = true;
        StartFromConnectWindow();
    }
    replyTimer_->Stop();
    keepAlive_->Stop();
}

void ConnectionController::OnPortFailure(const std::string& reason) {
    if (portLost_) {
        return;
    }
    portLost_ = true;
    // Only a link in use comes back by itself; a tool the user took offline stays so.
    const bool inUse = data_.MonitorOnline || tryTimer_->IsActive();
    port_.Close();
    // Nothing written before the loss will be answered.
    queue_.ClearTransmitQueue();
    queue_.SetAwaitingReply(false);
    queue_.SetResendPending(false);
    keepAlive_->Stop();
    GoOffline();
    const std::string port = PortName(link_.CommPort);
    const std::string device = device_.empty() ? port : port + " (" + device_ + ")";
    const bool byItself = autoReconnect_ && inUse;
    std::string lost = "The serial port " + device + " stopped working";
    lost += reason.empty() ? "." : ": " + reason + ".";
    lost += byItself ? " The tool reconnects by itself when it is back."
                     : " Click OK in Monitor Connection to try again.";
    SetStatus(lost);
    if (logNote_) {
        logNote_(lost);
    }
    // With Auto ReConnect the loss leaves nothing to dismiss: the caption, the status line
    // and the log tell it. Without, one message until the monitor answers again.
    if (!autoReconnect_ && !failureReported_) {
        failureReported_ = true;
        views_.connect.ShowMessage(lost);
    }
    if (byItself) {
        // The try ticks look for the device again, no faster than one opening per try.
        ShowConnectWindow();
        ShowTrying();
    }
}

void ConnectionController::OnWriteFailure() {
    // A write to a port that is already closed is expected while the device is away.
    if (port_.IsOpen()) {
        OnPortFailure("a write failed");
    }
}

}  // namespace zorvex
