#include "OutputScheduler.h"

#include <algorithm>

namespace zorvex::sim {

void OutputScheduler::Append(int64_t atMs, std::string_view bytes) {
    std::size_t size = pacing_.chunkSize == 0 ? bytes.size() : pacing_.chunkSize;
    int64_t due = std::max(atMs, lastDueMs_);
    bool first = true;
    while (!bytes.empty()) {
        if (pendingBytes_ >= kMaxPending) {
            // Nobody reads: drop rather than grow without end.
            return;
        }
        std::string_view piece = bytes.substr(0, size);
        bytes.remove_prefix(piece.size());
        if (!first || !pieces_.empty()) {
            due = std::max(due, lastDueMs_ + (pacing_.chunkSize ? pacing_.chunkDelayMs : 0));
        }
        pieces_.push_back({due, std::string(piece)});
        pendingBytes_ += piece.size();
        lastDueMs_ = due;
        first = false;
    }
}

void OutputScheduler::Add(int64_t nowMs, std::string_view immediate, std::string_view delayed) {
    if (pieces_.empty()) {
        lastDueMs_ = nowMs;
    }
    Append(nowMs, immediate);
    Append(std::max(nowMs + pacing_.replyDelayMs, lastDueMs_), delayed);
}

std::string OutputScheduler::TakeDue(int64_t nowMs) {
    std::string due;
    while (!pieces_.empty() && pieces_.front().dueMs <= nowMs) {
        due += pieces_.front().bytes;
        pendingBytes_ -= pieces_.front().bytes.size();
        pieces_.pop_front();
    }
    return due;
}

int64_t OutputScheduler::NextDueMs() const {
    return pieces_.empty() ? -1 : pieces_.front().dueMs;
}

void OutputScheduler::Clear() {
    pieces_.clear();
    pendingBytes_ = 0;
}

}  // namespace zorvex::sim
