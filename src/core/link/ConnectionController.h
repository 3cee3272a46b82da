#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/link/ConnectionViews.h"
#include "core/link/ReceivePath.h"
#include "core/support/SerialPort.h"

namespace zorvex {

class TransmitQueue;
class Timer;
class TimerFactory;
class StatusOperations;
struct MonitorData;
struct LinkState;

inline constexpr const char* ConnectedText = "Connected on the selected port.";
inline constexpr const char* TryingPortText = "Trying port ";
inline constexpr const char* UnableToConnectText =
    "Unable to connect to monitor. Make sure the"
    " monitor is connected and turned on, then click OK to"
    " try again, Offline to work without a monitor, or Exit to"
    " quit the application.";
inline constexpr const char* PortErrorAnyText = "Comm Port Error -> try another port";
inline constexpr const char* RetryLimitRangeText =
    "The retry limit must be a whole number from 0 to 32767.";

inline constexpr const char* NotConnectedText = "Not connected to the monitor.";
inline constexpr const char* NoLimitText = "no limit";

// Which device of "Com" + n failed to open and why, in words a technician can act on.
std::string PortStatusText(int portNumber, const PortOpenResult& result);
// "Comm Port Error  on Com" + n + " -> try another port", then the reason as above.
std::string PortErrorMessage(int portNumber, const PortOpenResult& result);

// The link windows as the workspace reports their activation.
enum class LinkWindow { Connect, Trying, ChangeTries, TimedOut, Other };

// The connection with the monitor: port selection, the connection attempt with its try
// ticks, the keep-alive and reply timers, the lost monitor and a port that fails. It holds
// the logic of frmConnect, frmTrying, frmChangeTries and frmTimedOut; the windows only show.
class ConnectionController : public PromptListener {
  public:
    static constexpr int TryIntervalMs = 2000;
    static constexpr int ReplyTimeoutMs = 2000;
    static constexpr int KeepAliveAfterAnswerMs = 5000;
    static constexpr int KeepAliveAfterRetryMs = 2000;
    static constexpr int KeepAliveAfterConnectMs = 2000;
    static constexpr int TimedOutNoticeMs = 5000;

    struct Views {
        ConnectWindowView& connect;
        TryingWindowView& trying;
        ChangeTriesView& changeTries;
        TimedOutView& timedOut;
    };

    ConnectionController(SerialPort& port, TransmitQueue& queue, TimerFactory& timers,
                         StatusOperations& status, MonitorData& data, LinkState& link, Views views);
    ~ConnectionController() override;

    // The log window's indicator, coloured with the connection window's.
    void SetLogIndicator(std::function<void(bool online)> indicator) {
        logIndicator_ = std::move(indicator);
    }
    // A line in the communication log, for what happens to the link without a message box.
    void SetLogNote(std::function<void(const std::string&)> note) { logNote_ = std::move(note); }

    // A window of the workspace came to the front (shown or clicked): the connection-attempt
    // window starts an attempt, the retry-limit window shows the limit again and the
    // timed-out notice restarts its timer; any other window sends the attempt window back.
    void WindowActivated(LinkWindow window);

    // Creation of the connection window at start-up: opens CommPort and starts the first
    // attempt. A port that cannot be opened gets no message here.
    void Create();

    // frmConnect.
    std::optional<std::string> SelectPort(int optionIndex);  // optCommPort click
    void Ok();
    void Offline();
    void Done();
    // The device behind a port number was changed: the port in use is opened anew.
    std::optional<std::string> DeviceChanged(int portNumber);
    void SetAutoReconnect(bool checked) { autoReconnect_ = checked; }
    bool AutoReconnect() const { return autoReconnect_; }
    // "Go O&nline": shown and brought to the front.
    void ShowConnectWindow();
    // "Go O&ffline" hides both windows; an attempt in progress goes on in the background.
    void HideConnectionWindows();
    // "ReConnect" of the log window: both windows again and a new attempt.
    void ReConnect();

    // frmTrying.
    void Cancel();
    void Change();

    // frmChangeTries: a whole number 0..32767 becomes ConnectRetryLimit; anything else gets
    // the message back and changes nothing.
    std::optional<std::string> ApplyRetryLimit(const std::string& text);
    void CancelRetryLimit();

    // frmTimedOut.
    void DismissTimedOut();

    // The status went to "No monitor": the status line no longer says connected.
    void OnStatusOffline();

    // Keep-alive and reply timers, also used by the status operations and the log window.
    void StartKeepAlive(int intervalMs);
    void StopReplyTimer();
    void OnAnswerPrompt(char prompt) override;
    void OnRetryPrompt() override;

    // The port: its failure signal, and a write the port refused.
    void OnPortFailure(const std::string& reason);
    void OnWriteFailure();

    int16_t TriesRemaining() const { return triesRemaining_; }
    bool Trying() const;
    bool PortLost() const { return portLost_; }
    const Timer& TryTimer() const { return *tryTimer_; }
    const Timer& ReplyTimer() const { return *replyTimer_; }
    const Timer& KeepAliveTimer() const { return *keepAlive_; }

  private:
    bool OpenSerialPort();
    void SetStatus(const std::string& text);
    void ShowOpenFailure();
    std::string AttemptText() const;
    void StartFromConnectWindow();
    void ShowTrying();
    void StartAttempt();
    void HideTrying();
    void GoOffline();
    void SetIndicators(bool online);
    void ShowTimedOut();
    void OnTryTick();
    void OnReplyTimeout();
    void OnKeepAliveTick();
    void OnTimedOutTick();
    std::string ToGoText() const;
    void QueuePing();

    SerialPort& port_;
    TransmitQueue& queue_;
    StatusOperations& status_;
    MonitorData& data_;
    LinkState& link_;
    Views views_;
    std::function<void(bool)> logIndicator_;
    std::function<void(const std::string&)> logNote_;

    std::unique_ptr<Timer> tryTimer_;       // frmTrying.tmrConnect
    std::unique_ptr<Timer> replyTimer_;     // frmConnect.tmrConnect
    std::unique_ptr<Timer> keepAlive_;      // frmConnect.tmrKeepAlive
    std::unique_ptr<Timer> timedOutTimer_;  // frmTimedOut.Timer1

    bool autoReconnect_ = true;
    int16_t triesRemaining_ = 0;
    bool tryingShown_ = false;
    bool tryingInFront_ = false;
    std::string device_;            // what CommPort last mapped to
    PortOpenResult lastOpen_;       // the last opening, for the status line when it failed
    std::string statusText_;        // lbl1
    bool monitorLost_ = false;      // retrying by itself after an unanswered keep-alive
    bool bootShown_ = false;        // the status shows boot mode
    bool portLost_ = false;         // the open port failed; reopened by the try ticks
    bool failureReported_ = false;  // one message per loss until the monitor answers again
};

}  // namespace zorvex
