#include "core/protocol/LinkReplyHandlers.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/data/MonitorData.h"
#include "core/panels/info/InfoLabels.h"
#include "core/protocol/ReplyReaders.h"
#include "core/protocol/ResponseDispatcher.h"

namespace zorvex {

namespace {

// Days, hours, minutes and seconds of one line.
using TimeValue = std::array<int32_t, 4>;
enum { Days, Hours, Minutes, Seconds };

// One line of four numbers; a missing number reads as -1 and leaves the text where it was.
TimeValue ReadTimeLine(std::string_view& text) {
    TimeValue value{};
    for (int i = Days; i <= Seconds; ++i) {
        value[i] = ReadDecimal(text);
        if (value[i] >= 0) {
            text = i < Seconds ? AfterComma(text) : AfterLineBreak(text);
        }
    }
    text = SkipLeadingBlanks(text);
    return value;
}

// Two digits at least, the sign in front: 5 -> "05", -2 -> "-02".
std::string TwoDigits(int32_t value) {
    std::string text = value < 0 ? "-" : "";
    const int32_t magnitude = std::abs(value);
    if (magnitude < 10) {
        text += '0';
    }
    text += std::to_string(magnitude);
    return text;
}

}  // namespace

void HandlePingReply(std::string_view text, MonitorData& data) {
    if (!text.empty() && text[0] == 'i') {
        return;
    }
    if (text.find('#') != std::string_view::npos) {
        data.MonitorOnline = true;
        data.BootMode = false;
    } else if (!text.empty() && text[0] == '$') {
        data.MonitorOnline = true;
        data.BootMode = true;
    } else {
        data.MonitorOnline = false;
    }
}

void HandleOperatingTimeReply(std::string_view text, MonitorData& data, InfoLabels* labels) {
    text = SkipLeadingBlanks(text);
    const TimeValue first = ReadTimeLine(text);
    const TimeValue second = ReadTimeLine(text);
    // The numbers are at most 65529 each, so the sums and carries stay well inside 32 bits.
    int32_t minutes1 = first[Minutes];
    int32_t hours1 = first[Hours];
    int32_t days1 = first[Days];
    int32_t seconds = first[Seconds] + second[Seconds];
    while (seconds > 59) {
        seconds -= 60;
        ++minutes1;
    }
    int32_t minutes = minutes1 + second[Minutes];
    while (minutes > 59) {
        minutes -= 60;
        ++hours1;
    }
    int32_t hours = hours1 + second[Hours];
    while (hours > 23) {
        hours -= 24;
        ++days1;
    }
    const int32_t days = days1 + second[Days];
    const int32_t cycles = ReadDecimal(text);

    data.OperatingHours = std::to_string(days) + ":" + TwoDigits(hours) + ":" + TwoDigits(minutes) +
                          ":" + TwoDigits(seconds);
    data.OperatingCycles = std::to_string(cycles);
    if (labels != nullptr) {
        labels->SetInfoLabel(InfoLabel::OperatingTime, data.OperatingHours);
        labels->SetInfoLabel(InfoLabel::OperatingCycles, data.OperatingCycles);
    }
}

void HandleHighVoltageReply(std::string_view text, MonitorData& data) {
    const LabelledLimit upper = ReadLimitValue(text, UpperLimitLabel);
    const LabelledLimit lower = ReadLimitValue(text, LowerLimitLabel);
    if (!upper.fits || !lower.fits) {
        return;
    }
    data.HvUpperLimit = upper.value;
    data.HvLowerLimit = lower.value;
}

void RegisterLinkReplyHandlers(ResponseDispatcher& dispatcher, MonitorData& data,
                               InfoLabels& labels) {
    dispatcher.Register(ReplyHandlerId::Ping,
                        [&data](std::string_view text) { HandlePingReply(text, data); });
    dispatcher.Register(ReplyHandlerId::OperatingTime, [&data, &labels](std::string_view text) {
        HandleOperatingTimeReply(text, data, &labels);
    });
    dispatcher.Register(ReplyHandlerId::HighVoltage,
                        [&data](std::string_view text) { HandleHighVoltageReply(text, data); });
}

}  // namespace zorvex
