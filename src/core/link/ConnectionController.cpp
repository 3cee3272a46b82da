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
}  // namespace

std::string PortErrorMessage(int portNumber, const PortOpenResult& result) {
    std::string text =
        "Comm Port Error  on Com" + std::to_string(portNumber) + " -> try another port";
    const std::string device = result.device.empty() ? "The device" : result.device;
    switch (result.failure) {
        case PortFailure::PermissionDenied:
            text += "\n\n" + device +
                    ": permission denied. The user must be allowed to use serial ports "
                    "(for example a member of the dialout group).";
            break;
        case PortFailure::Busy:
            text += "\n\n" + device + " is in use by another program.";
            break;
        default:
            break;
    }
    return text;
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

void ConnectionController::Create() {
    SetIndicators(false);
    views_.connect.SetStatusText(TryingPortText + std::to_string(link_.CommPort));
    if (link_.CommPort >= FirstPort && link_.CommPort <= LastPort) {
        views_.connect.SetSelectedPort(link_.CommPort);
        // At start-up a port that cannot be opened says so only by the red indicator and
        // "Trying port n"; the message is for a port the user picks.
        SelectPort(link_.CommPort - 1);
    }
    if (OpenSerialPort()) {
        ShowTrying();
    }
}

bool ConnectionController::OpenSerialPort() {
    port_.Close();
    data_.MonitorOnline = false;
    const PortOpenResult result = port_.Open(link_.CommPort);
    device_ = result.device;
    if (result.Ok()) {
        portLost_ = false;
    }
    return result.Ok();
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
    const PortOpenResult result = port_.Open(chosen);
    device_ = result.device;
    if (!result.Ok()) {
        // The monitor's port is closed now: the caption and indicators must not go on
        // saying online, with a keep-alive that no longer looks.
        if (wasOnline) {
            GoOffline();
        }
        return PortErrorMessage(chosen, result);
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
    tryingInFront_ = false;
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
    // With Auto ReConnect the count has no end to show, so the label stays blank like the
    // limit's.
    return autoReconnect_ ? std::string() : std::to_string(triesRemaining_);
}

void ConnectionController::StartAttempt() {
    GoOffline();
    if (autoReconnect_) {
        views_.trying.SetLimitText("");
        views_.trying.SetToGoText("");
    } else {
        triesRemaining_ = link_.ConnectRetryLimit;
        views_.trying.SetLimitText(std::to_string(link_.ConnectRetryLimit));
        views_.trying.SetToGoText(ToGoText());
    }
    tryTimer_->Start(TryIntervalMs);
    QueuePing();
}

void ConnectionController::QueuePing() {
    // Nothing is written to a port that is gone; the try ticks reopen it first.
    if (port_.IsOpen()) {
        queue_.QueueCommand(PingCommand);
    }
}

void ConnectionController::OnTryTick() {
    if (!port_.IsOpen()) {
        // A device that went away (or never opened) is looked for again at every try.
        OpenSerialPort();
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
        views_.connect.SetStatusText(ConnectedText);
        SetIndicators(true);
        failureReported_ = false;
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
        views_.connect.SetStatusText(UnableToConnectText);
        return;
    }
    views_.trying.SetToGoText(ToGoText());
    queue_.ResetTransmitQueue();
    QueuePing();
    tryTimer_->Start(TryIntervalMs);
}

void ConnectionController::Cancel() {
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

void ConnectionController::OnAnswerPrompt() {
    replyTimer_->Stop();
    if (data_.MonitorOnline) {
        keepAlive_->Start(KeepAliveAfterAnswerMs);
    }
}

void ConnectionController::OnRetryPrompt() {
    replyTimer_->Stop();
    if (data_.MonitorOnline) {
        keepAlive_->Start(KeepAliveAfterRetryMs);
    }
}

void ConnectionController::OnKeepAliveTick() {
    if (autoReconnect_ && link_.AutoPingEnabled && data_.MonitorOnline) {
        queue_.QueueCommand(PingCommand);
        replyTimer_->Start(ReplyTimeoutMs);
    } else {
        replyTimer_->Stop();
    }
}

void ConnectionController::OnReplyTimeout() {
    if (data_.MonitorOnline) {
        GoOffline();
        ShowConnectWindow();
        Ok();
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
    const std::string port = "Com" + std::to_string(link_.CommPort);
    const std::string device = device_.empty() ? port : port + " (" + device_ + ")";
    // The port's reason is what a technician acts on ("connection refused by HOST:PORT").
    views_.connect.SetStatusText("Lost the serial port " + device +
                                 (reason.empty() ? "." : ": " + reason + "."));
    if (!failureReported_) {
        failureReported_ = true;
        std::string message = "The serial port " + device + " stopped working";
        message += reason.empty() ? "." : ": " + reason + ".";
        message += autoReconnect_ && inUse ? " The tool reconnects by itself when it is back."
                                           : " Click OK in Monitor Connection to try again.";
        views_.connect.ShowMessage(message);
    }
    if (autoReconnect_ && inUse) {
        ShowConnectWindow();
        Ok();
    }
}

void ConnectionController::OnWriteFailure() {
    // A write to a port that is already closed is expected while the device is away.
    if (port_.IsOpen()) {
        OnPortFailure("a write failed");
    }
}

}  // namespace zorvex
