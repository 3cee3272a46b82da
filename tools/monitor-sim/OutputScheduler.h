#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

namespace zorvex::sim {

// Paces what the controller sends: an answer may wait before it starts and may go out in
// small pieces with pauses between them. Times are milliseconds on the caller's clock; the
// order of the bytes is always kept.
class OutputScheduler {
  public:
    struct Pacing {
        int64_t replyDelayMs = 0;
        std::size_t chunkSize = 0;  // 0: the whole answer at once
        int64_t chunkDelayMs = 0;
    };
    static constexpr std::size_t kMaxPending = 64 * 1024;

    explicit OutputScheduler(Pacing pacing) : pacing_(pacing) {}

    // `immediate` bytes (the echo) go out without the reply delay, the rest after it.
    void Add(int64_t nowMs, std::string_view immediate, std::string_view delayed);
    // Bytes due at nowMs, in order.
    std::string TakeDue(int64_t nowMs);
    // When the next piece is due; -1 when nothing waits.
    int64_t NextDueMs() const;
    void Clear();
    std::size_t PendingBytes() const { return pendingBytes_; }

  private:
    void Append(int64_t atMs, std::string_view bytes);

    struct Piece {
        int64_t dueMs;
        std::string bytes;
    };
    Pacing pacing_;
    std::deque<Piece> pieces_;
    std::size_t pendingBytes_ = 0;
    int64_t lastDueMs_ = 0;
};

}  // namespace zorvex::sim
