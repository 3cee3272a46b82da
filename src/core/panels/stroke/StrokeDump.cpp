// The timed memory dump: one read of the next address per tick, its word taken from the
// communication log once the monitor's answer has arrived there.
#include <algorithm>

#include "core/panels/stroke/ReadKeyedValue.h"
#include "core/panels/stroke/StrokeAdjustment.h"
#include "core/panels/stroke/StrokeLogWindow.h"
#include "core/panels/stroke/StrokeRegisters.h"

namespace zorvex {

namespace {

namespace reg = stroke_registers;

constexpr std::string_view kWordEnd = ")";

// The dump address as typed: its leading whole number, 0 when it does not start with one.
long long LeadingWholeNumber(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    long long value = 0;
    // Nine digits keep the arithmetic far from overflow.
    for (int digits = 0; at < text.size() && text[at] >= '0' && text[at] <= '9' && digits < 9;
         ++at, ++digits) {
        value = value * 10 + (text[at] - '0');
    }
    return negative ? -value : value;
}

}  // namespace

void StrokeAdjustment::ReadNextDumpWord() {
    if (!open_) {
        return;
    }
    const std::string address = V(StrokeText::Text8);
    Send(RegisterWrite(reg::kCframeControl, V(StrokeText::Text7_6)));
    Send(RegisterWrite(reg::kReadAddrHigh, address));
    Send(RegisterWrite(reg::kReadAddrLow, 0));
    Send(RegisterWrite(reg::kReadStrobe, 1));
    Send(RegisterWrite(reg::kReadStrobe, 0));
    Send(RegisterRead(reg::kDataHigh));
    Send(RegisterRead(reg::kDataLow));

    if (log_ == nullptr) {
        return;
    }
    std::string word = ReadKeyedValue(log_->LogText(), RegisterRead(reg::kDataHigh), kWordEnd);
    if (word.empty()) {
        // The answer is not in the log yet: the next tick asks for the same address again.
        return;
    }
    // The answer sits on the line after the echo; a list line is one line.
    word.erase(
        std::remove_if(word.begin(), word.end(), [](char c) { return c == '\r' || c == '\n'; }),
        word.end());
    const long long at = LeadingWholeNumber(address);
    values_.dumpList += std::to_string(at - 1) + " = " + word + "\r\n";
    log_->ClearLogText();
    values_.texts[static_cast<int>(StrokeText::Text8)] = std::to_string(at + 1);
    Changed();
}

}  // namespace zorvex
