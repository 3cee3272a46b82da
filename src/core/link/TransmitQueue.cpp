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
    awaitingReply_ = true;
    std::string text = resendPending_ ? lastCommand_ : TakeNext();
    // Remembered at the take, so a resend asked for before the write is due repeats it.
    lastCommand_ = text;
    Schedule(std::move(text));
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

void TransmitQueue::Schedule(std::string text) {
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
    scheduled_.push_back({timer, std::move(text), false});
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
    std::vector<std::string> ready;
    for (std::size_t i = 0; i < dueCount; ++i) {
        writeTimers_[scheduled_.front().timer]->Stop();
        idleWriteTimers_.push_back(scheduled_.front().timer);
        ready.push_back(std::move(scheduled_.front().text));
        scheduled_.pop_front();
    }
    for (const auto& text : ready) {
        const bool written = port_.Write(text);
        kick_->Start(KickAfterWriteMs);
        if (!written && onWriteFailure_) {
            onWriteFailure_();
        }
    }
}

void TransmitQueue::ResetTransmitQueue() {
    queue_.clear();
    if (awaitingReply_) {
        beeper_.Beep(ResetBeepHz, ResetBeepMs);
        awaitingReply_ = false;
    }
}

void TransmitQueue::ClearTransmitQueue() {
    queue_.clear();
}

void TransmitQueue::StartKick(int intervalMs) {
    kick_->Start(intervalMs);
}

void TransmitQueue::OnKick() {
    kick_->Stop();
    if (!queue_.empty()) {
        SendNextCommand();
    }
}

}  // namespace zorvex
