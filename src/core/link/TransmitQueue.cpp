#include "core/link/TransmitQueue.h"

#include <utility>

#include "core/support/SerialPort.h"
#include "core/support/SystemServices.h"
#include "core/support/Timer.h"

namespace zorvex {

TransmitQueue::TransmitQueue(SerialPort& port, TimerFactory& timers, Beeper& beeper)
    : port_(port), timers_(timers), beeper_(beeper) {
    kick_ = timers_.CreateTimer([this] { OnKick(); });
}

TransmitQueue::~TransmitQueue() = default;

void TransmitQueue::QueueCommand(const std::string& text) {
    if (text.empty()) {
        return;
    }
    queue_ += text;
    if (text.find('\n') == std::string::npos) {
        queue_ += '\n';
    }
    if (!awaitingReply_) {
        SendNextCommand();
    }
}

void TransmitQueue::SendNextCommand() {
    if (awaitingReply_ && !resendPending_) {
        return;
    }
    if (resendPending_) {
        // One resend on its way is enough, whatever asks for another before it is written.
        if (!scheduled_.empty()) {
            return;
        }
        if (resends_ >= MaxResends) {
            DropRejectedCommand();
            return;
        }
        ++resends_;
        awaitingReply_ = true;
        Schedule(lastCommand_, true);
        return;
    }
    // A command still on its way is the one outstanding, even when a reset of the flags
    // (start-up) or a stray prompt said nothing is awaited: the next waits for its answer.
    if (!scheduled_.empty()) {
        return;
    }
    awaitingReply_ = true;
    resends_ = 0;
    std::string text = TakeNext();
    // Remembered at the take, so a resend asked for before the write is due repeats it.
    lastCommand_ = text;
    Schedule(std::move(text), false);
}

void TransmitQueue::Answered() {
    if (resendPending_) {
        CancelScheduledWrites();
    }
    awaitingReply_ = false;
    // Cleared before the take: a resent command that has now been answered must not go out
    // once more; the next queued command is sent instead.
    resendPending_ = false;
    if (!queue_.empty()) {
        SendNextCommand();
    }
}

void TransmitQueue::Rejected() {
    // A "!" that comes while the command is still on its way cannot be about it.
    if (awaitingReply_ && scheduled_.empty()) {
        resendPending_ = true;
        SendNextCommand();
    }
    if (queue_.empty()) {
        kick_->Start(KickAfterRetryMs);
        kickAfterRetry_ = resendPending_;
    }
}

void TransmitQueue::DropRejectedCommand() {
    std::string command = lastCommand_;
    while (!command.empty() && (command.back() == '\n' || command.back() == '\r')) {
        command.pop_back();
    }
    resendPending_ = false;
    awaitingReply_ = false;
    resends_ = 0;
    beeper_.Beep(ResetBeepHz, ResetBeepMs);
    if (onNote_) {
        onNote_("\"" + command + "\" rejected " + std::to_string(MaxResends + 1) +
                " times by the monitor, dropped");
    }
    if (!queue_.empty()) {
        SendNextCommand();
    }
}

std::string TransmitQueue::TakeNext() {
    const auto lf = queue_.find('\n');
    if (lf == std::string::npos || lf + 1 == queue_.size()) {
        return std::exchange(queue_, std::string());
    }
    std::string text = queue_.substr(0, lf + 1);
    queue_.erase(0, lf + 1);
    return text;
}

void TransmitQueue::Schedule(std::string text, bool resend) {
    // The wait before a write is a one-shot timer, never a sleep: the user-interface thread
    // stays free and the write keeps its place in time and order.
    std::size_t timer;
    if (idleWriteTimers_.empty()) {
        timer = writeTimers_.size();
        writeTimers_.push_back(timers_.CreateTimer([this, timer] { OnWriteTimer(timer); }));
    } else {
        timer = idleWriteTimers_.back();
        idleWriteTimers_.pop_back();
    }
    scheduled_.push_back({timer, std::move(text), false, resend});
    writeTimers_[timer]->Start(WriteDelayMs);
}

void TransmitQueue::OnWriteTimer(std::size_t timer) {
    writeTimers_[timer]->Stop();
    std::size_t dueCount = 0;
    for (std::size_t i = 0; i < scheduled_.size(); ++i) {
        if (scheduled_[i].timer == timer) {
            scheduled_[i].due = true;
        }
        if (scheduled_[i].due) {
            dueCount = i + 1;
        }
    }
    // Writes leave strictly in the order they were taken: a due write also sends any older
    // one whose timer has not fired yet.
    std::vector<ScheduledWrite> ready;
    for (std::size_t i = 0; i < dueCount; ++i) {
        writeTimers_[scheduled_.front().timer]->Stop();
        idleWriteTimers_.push_back(scheduled_.front().timer);
        ready.push_back(std::move(scheduled_.front()));
        scheduled_.pop_front();
    }
    for (const auto& write : ready) {
        const bool written = port_.Write(write.text);
        awaitingReply_ = true;
        // The kick started by the "!" keeps its 1000 ms through the resend it asked for.
        if (!(write.resend && kickAfterRetry_ && kick_->IsActive())) {
            kick_->Start(KickAfterWriteMs);
        }
        kickAfterRetry_ = false;
        if (!written && onWriteFailure_) {
            onWriteFailure_();
        }
    }
}

void TransmitQueue::ResetTransmitQueue() {
    queue_.clear();
    // A new try writes only its own ping: nothing of the old exchange may follow it.
    CancelScheduledWrites();
    resendPending_ = false;
    resends_ = 0;
    if (awaitingReply_) {
        beeper_.Beep(ResetBeepHz, ResetBeepMs);
        awaitingReply_ = false;
    }
}

void TransmitQueue::DropResend() {
    if (resendPending_) {
        CancelScheduledWrites();
    }
    resendPending_ = false;
    resends_ = 0;
}

void TransmitQueue::ClearTransmitQueue() {
    queue_.clear();
}

void TransmitQueue::CancelScheduledWrites() {
    for (const auto& write : scheduled_) {
        writeTimers_[write.timer]->Stop();
        idleWriteTimers_.push_back(write.timer);
    }
    scheduled_.clear();
}

void TransmitQueue::OnKick() {
    kick_->Stop();
    kickAfterRetry_ = false;
    if (!queue_.empty()) {
        SendNextCommand();
    }
}

}  // namespace zorvex
