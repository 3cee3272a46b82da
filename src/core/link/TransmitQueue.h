#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/support/CommandSink.h"

namespace zorvex {

class SerialPort;
class Timer;
class TimerFactory;
class Beeper;

// The one road to the monitor: commands wait here and go out one at a time, the next only
// when the answer to the previous one has been closed by a prompt.
class TransmitQueue : public CommandSink {
  public:
    static constexpr int WriteDelayMs = 100;
    static constexpr int KickAfterWriteMs = 2000;
    static constexpr int KickAfterRetryMs = 1000;
    static constexpr int ResetBeepHz = 250;
    static constexpr int ResetBeepMs = 250;
    // A command the monitor keeps refusing is given up after this many resends, so that it
    // cannot hold back the keep-alive and every request behind it for ever.
    static constexpr int MaxResends = 5;

    TransmitQueue(SerialPort& port, TimerFactory& timers, Beeper& beeper);
    ~TransmitQueue() override;

    // Appends a command (a line feed is added when it has none) and sends it when the link
    // is free. An empty text is ignored.
    void QueueCommand(const std::string& text) override;
    // Takes the next command (or LastCommand again while a resend is pending) and writes it
    // WriteDelayMs later; does nothing while a reply is awaited and no resend is pending.
    void SendNextCommand();
    // The monitor closed an answer with "#" or "$": the next command goes out. A resend not
    // yet written is dropped, the answer was to the command it would repeat.
    void Answered();
    // The monitor answered "!": the command on the wire is written again, once however many
    // "!" arrive before that resend is written.
    void Rejected();
    // For a new connection attempt: empties the queue, drops a pending resend and any write
    // not yet due, and if a reply was still awaited beeps and stops waiting for it.
    void ResetTransmitQueue();
    // A connection attempt starts: a command still being resent is dropped, so that nothing
    // but the attempt's own ping goes out.
    void DropResend();
    // Empties the queue and nothing else.
    void ClearTransmitQueue();

    bool AwaitingReply() const { return awaitingReply_; }
    void SetAwaitingReply(bool awaiting) { awaitingReply_ = awaiting; }
    bool ResendPending() const { return resendPending_; }
    void SetResendPending(bool pending) { resendPending_ = pending; }
    const std::string& LastCommand() const { return lastCommand_; }
    const std::string& Pending() const { return queue_; }
    bool Empty() const { return queue_.empty(); }
    bool WriteScheduled() const { return !scheduled_.empty(); }
    const Timer& KickTimer() const { return *kick_; }

    // Called when the port refuses a write; the connection logic decides what that means.
    void SetWriteFailureHandler(std::function<void()> handler) {
        onWriteFailure_ = std::move(handler);
    }
    // Where a dropped command is noted: the communication log.
    void SetNoteHandler(std::function<void(const std::string&)> handler) {
        onNote_ = std::move(handler);
    }

  private:
    struct ScheduledWrite {
        std::size_t timer;  // index into writeTimers_
        std::string text;
        bool due = false;
        bool resend = false;
    };

    std::string TakeNext();
    void Schedule(std::string text, bool resend);
    void CancelScheduledWrites();
    void DropRejectedCommand();
    void OnWriteTimer(std::size_t timer);
    void OnKick();

    SerialPort& port_;
    TimerFactory& timers_;
    Beeper& beeper_;
    std::unique_ptr<Timer> kick_;
    std::string queue_;
    std::string lastCommand_;
    bool awaitingReply_ = false;
    bool resendPending_ = false;
    int resends_ = 0;              // of LastCommand, counted afresh for every new command
    bool kickAfterRetry_ = false;  // the kick runs its 1000 ms after a "!"; a resend keeps it
    // Writes taken but not yet due, oldest first; each goes out WriteDelayMs after its take.
    std::deque<ScheduledWrite> scheduled_;
    // One-shot write timers are kept and reused rather than destroyed inside their own tick.
    std::vector<std::unique_ptr<Timer>> writeTimers_;
    std::vector<std::size_t> idleWriteTimers_;
    std::function<void()> onWriteFailure_;
    std::function<void(const std::string&)> onNote_;
};

}  // namespace zorvex
