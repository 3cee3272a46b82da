#include "core/app/WriteConfirmations.h"

#include <algorithm>
#include <array>
#include <utility>

#include "core/panels/stroke/StrokeRegisters.h"
#include "core/protocol/ReplyReaders.h"

namespace zorvex {

namespace {
namespace store = stroke_stores;

constexpr const char* StoredVerb = "Stored";
constexpr std::size_t MaxPending = 64;

constexpr std::array<std::pair<SavedParameter, std::string_view>, 32> StoreNames{{
    {store::kXOffsetSign, "X offset sign"},
    {store::kYOffsetSign, "Y offset sign"},
    {store::kFilterOrder, "filter order"},
    {store::kSignalAveraging, "signal averaging"},
    {store::kHWidth, "H width"},
    {store::kHLong, "H long"},
    {store::kVWidth, "V width"},
    {store::kVLong, "V long"},
    {store::kSmallDelta, "small delta"},
    {store::kFrameAveraging, "frame averaging"},
    {store::kBigDelta, "big delta"},
    {store::kFrameCount, "frame count"},
    {store::kShortHWidth, "short H width"},
    {store::kShortHLong, "short H long"},
    {store::kShortVWidth, "short V width"},
    {store::kShortVLong, "short V long"},
    {store::kLineType, "line type"},
    {store::kTestPattern, "test pattern"},
    {store::kGainSign, "gain sign"},
    {store::kXTurn, "X turn"},
    {store::kYTurn, "Y turn"},
    {store::kGain, "gain"},
    {store::kAoiXStart, "AOI X start"},
    {store::kAoiXEnd, "AOI X end"},
    {store::kAoiYStart, "AOI Y start"},
    {store::kAoiYEnd, "AOI Y end"},
    {store::kXOffsetMagnitude, "X offset"},
    {store::kYOffsetMagnitude, "Y offset"},
    {store::kTargetXStart, "target X start"},
    {store::kTargetXEnd, "target X end"},
    {store::kTargetYStart, "target Y start"},
    {store::kTargetYEnd, "target Y end"},
}};

std::string_view WithoutLineEnd(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

// The first line of the answer after the echoed command, without the prompt.
std::string AnswerLine(std::string_view block) {
    std::string_view rest = block.substr(0, block.size() - 1);  // the prompt
    const auto echoEnd = rest.find_first_of("\r\n");
    rest = echoEnd == std::string_view::npos ? std::string_view() : rest.substr(echoEnd);
    const auto start = rest.find_first_not_of("\r\n ");
    if (start == std::string_view::npos) {
        return {};
    }
    rest = rest.substr(start);
    return std::string(rest.substr(0, rest.find_first_of("\r\n")));
}
}  // namespace

std::optional<std::string> DescribeStore(std::string_view command) {
    command = WithoutLineEnd(command);
    if (command.substr(0, 3) != "TGW" || command.size() < 5) {
        return std::nullopt;
    }
    const std::string_view number = command.substr(3, 2);
    const auto named = std::find_if(StoreNames.begin(), StoreNames.end(), [&](const auto& entry) {
        return entry.first.number == number;
    });
    const std::string name =
        named != StoreNames.end() ? std::string(named->second) : "parameter " + std::string(number);
    return name + " " + std::string(command.substr(5));
}

std::optional<std::string> DescribeWrite(std::string_view command) {
    command = WithoutLineEnd(command);
    if (command.substr(0, 2) == "wb") {
        return "byte " + std::string(command.substr(2));
    }
    if (command.substr(0, 2) == "ww") {
        return "word " + std::string(command.substr(2));
    }
    return std::nullopt;
}

void WriteConfirmations::QueueCommand(const std::string& text) {
    queue_.QueueCommand(text);
    // Without a monitor nothing is answered; keep only the latest few waiting.
    if (pending_.size() >= MaxPending) {
        pending_.pop_front();
    }
    if (auto what = DescribeStore(text)) {
        pending_.push_back({std::string(WithoutLineEnd(text)), StoredVerb, std::move(*what)});
    } else if (auto written = DescribeWrite(text)) {
        pending_.push_back({std::string(WithoutLineEnd(text)), "Wrote", std::move(*written)});
    }
}

void WriteConfirmations::OnReplyBlock(std::string_view block) {
    if (pending_.empty() || block.empty() || block.back() == '!') {
        return;
    }
    const std::string_view echo = SkipLeadingBlanks(block);
    const auto answered = std::find_if(pending_.begin(), pending_.end(), [&](const Pending& p) {
        return echo.substr(0, p.command.size()) == p.command &&
               (echo.size() == p.command.size() || echo.find_first_of("\r\n") == p.command.size());
    });
    if (answered == pending_.end()) {
        return;
    }
    // Earlier ones never got their answer (the queue was cleared or the link dropped).
    const Pending done = *answered;
    pending_.erase(pending_.begin(), answered + 1);
    if (done.verb != verb_) {
        done_.clear();
    }
    verb_ = done.verb;
    done_ += (done_.empty() ? "" : ", ") + done.what;
    // Stores queued together (one "Save") are confirmed as one, when the last is answered;
    // each write stands alone with its own answer.
    const bool moreOfTheSame =
        verb_ == StoredVerb && std::any_of(pending_.begin(), pending_.end(),
                                           [&](const Pending& p) { return p.verb == verb_; });
    if (moreOfTheSame) {
        return;
    }
    const std::string answer = AnswerLine(block);
    view_.ShowNotice(verb_ + " " + done_ + (answer.empty() ? "" : " (monitor: " + answer + ")"));
    done_.clear();
}

}  // namespace zorvex
