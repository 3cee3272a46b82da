#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace zorvex {

class TransmitQueue;
class TrafficLog;
struct LinkState;

// What a prompt means for the connection timers: the reply timer stops, and while online
// the keep-alive restarts. The connection logic implements it.
class PromptListener {
  public:
    virtual ~PromptListener() = default;
    virtual void OnAnswerPrompt(char prompt) = 0;  // "#" or "$"
    virtual void OnRetryPrompt() = 0;              // "!"
};

// Turns the characters that arrive from the monitor into reply blocks: everything up to and
// including a "#" or "$" prompt goes to the dispatcher as one block, and each prompt paces
// the transmit queue.
class ReceivePath {
  public:
    // The longest block kept, its prompt included. A block that grows past it is dropped
    // whole at its prompt rather than handed on cut short.
    static constexpr std::size_t ReceiveBufferLimit = 64 * 1024;

    enum class PromptState { None = 0, Answer = 2, Retry = 3 };

    // Where each reply block goes: Dispatch of the ResponseDispatcher.
    using BlockSink = std::function<void(std::string_view block)>;

    ReceivePath(TransmitQueue& queue, BlockSink dispatch, const LinkState& link);

    void SetPromptListener(PromptListener* listener) { listener_ = listener; }
    // The communication log, once it exists; it is fed only while CommLogEnabled is on.
    void SetTrafficLog(TrafficLog* log) { log_ = log; }

    // Everything the port has received since the last call, in one pass.
    void Feed(std::string_view bytes);

    const std::string& ReceiveBuffer() const { return buffer_; }
    PromptState State() const { return promptState_; }
    bool Overflowed() const { return overflowed_; }

  private:
    void Append(std::string_view text);
    void OnAnswerPrompt(char prompt);
    void OnRetryPrompt();

    TransmitQueue& queue_;
    BlockSink dispatch_;
    const LinkState& link_;
    PromptListener* listener_ = nullptr;
    TrafficLog* log_ = nullptr;
    std::string buffer_;
    PromptState promptState_ = PromptState::None;
    bool overflowed_ = false;
};

}  // namespace zorvex
