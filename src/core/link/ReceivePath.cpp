#include "core/link/ReceivePath.h"

#include <utility>

#include "core/link/LinkState.h"
#include "core/link/TrafficLog.h"
#include "core/link/TransmitQueue.h"

namespace zorvex {

namespace {
bool IsSpecial(char c) {
    return c == '\r' || c == '\n' || c == '#' || c == '$' || c == '!';
}
}  // namespace

ReceivePath::ReceivePath(TransmitQueue& queue, BlockSink dispatch, const LinkState& link)
    : queue_(queue), dispatch_(std::move(dispatch)), link_(link) {}

void ReceivePath::Append(std::string_view text) {
    // One place is always left for the prompt, so a block within the bound stays whole.
    if (overflowed_ || buffer_.size() + text.size() > ReceiveBufferLimit - 1) {
        overflowed_ = true;
        return;
    }
    buffer_.append(text);
}

void ReceivePath::Feed(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const bool logging = link_.CommLogEnabled && log_ != nullptr;
        if (!logging && !IsSpecial(bytes[i])) {
            // Plain text goes in as one run; only line ends and prompts need a look each.
            std::size_t end = i + 1;
            while (end < bytes.size() && !IsSpecial(bytes[end])) {
                ++end;
            }
            Append(bytes.substr(i, end - i));
            i = end;
            continue;
        }
        const char c = bytes[i++];
        if (c == '\r') {
            if (promptState_ != PromptState::None) {
                // The line end that follows a prompt belongs to the prompt.
                promptState_ = PromptState::None;
            } else {
                Append("\r\n");
            }
            if (logging) {
                log_->LogReceivedLineEnd();
            }
            continue;
        }
        if (c == '\n') {
            continue;
        }
        if (logging) {
            log_->LogReceivedChar(c);
        }
        if (c == '#' || c == '$') {
            if (!overflowed_) {
                buffer_.push_back(c);
            }
            OnAnswerPrompt(c);
        } else if (c == '!') {
            OnRetryPrompt();
        } else {
            Append(std::string_view(&c, 1));
        }
    }
}

void ReceivePath::OnAnswerPrompt(char prompt) {
    if (listener_ != nullptr) {
        listener_->OnAnswerPrompt(prompt);
    }
    promptState_ = PromptState::Answer;
    std::string block;
    block.swap(buffer_);
    const bool whole = !overflowed_;
    overflowed_ = false;
    if (whole) {
        dispatch_(block);
    }
    // Hand the storage back so the next block needs no new allocation.
    if (buffer_.empty()) {
        block.clear();
        buffer_.swap(block);
    }
    queue_.Answered();
}

void ReceivePath::OnRetryPrompt() {
    if (listener_ != nullptr) {
        listener_->OnRetryPrompt();
    }
    promptState_ = PromptState::Retry;
    buffer_.clear();
    overflowed_ = false;
    queue_.Rejected();
}

}  // namespace zorvex
