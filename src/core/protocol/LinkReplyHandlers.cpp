#include "core/protocol/LinkReplyHandlers.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "core/data/MonitorData.h"
#include "core/panels/info/InfoLabels.h"
#include "core/protocol/ReplyReaders.h"
#include "core/protocol/ResponseDispatcher.h"

namespace zorvex {

namespace {

// Days, hours, minutes and seconds of one line.
using TimeValue = std::array<int64_t, 4>;
enum { Days, Hours, Minutes, Seconds };

// One line of four numbers; nothing when one of them is missing.
std::optional<TimeValue> ReadTimeLine(std::string_view& text) {
    TimeValue value{};
    for (int i = Days; i <= Seconds; ++i) {
        const auto number = TryReadDecimal(text);
        if (!number) {
            return std::nullopt;
        }
        value[i] = *number;
        text = i < Seconds ? AfterComma(text) : AfterLineBreak(text);
    }
    text = SkipLeadingBlanks(text);
    return value;
}

// Carries what exceeds the unit into the next one up.
void Carry(int64_t& value, int64_t unit, int64_t& next) {
    if (value >= unit) {
        next += value / unit;
        value %= unit;
    }
}

// Two digits at least, the sign in front: 5 -> "05", -2 -> "-02".
std::string TwoDigits(int64_t value) {
    std::string text = value < 0 ? "-" : "";
    const int64_t magnitude = std::abs(value);
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
    // An answer without all its numbers (a boot loader's refusal, say) is not a time of 0 or
    // -1: the stored time and cycles stay as they were.
    text = SkipLeadingBlanks(text);
    auto first = ReadTimeLine(text);
    const auto second = first ? ReadTimeLine(text) : std::nullopt;
    const auto cycles = TryReadDecimal(text);
    if (!second || !cycles) {
        return;
    }
    TimeValue& sum = *first;
    int64_t seconds = sum[Seconds] + (*second)[Seconds];
    Carry(seconds, 60, sum[Minutes]);
    int64_t minutes = sum[Minutes] + (*second)[Minutes];
    Carry(minutes, 60, sum[Hours]);
    int64_t hours = sum[Hours] + (*second)[Hours];
    Carry(hours, 24, sum[Days]);
    const int64_t days = sum[Days] + (*second)[Days];

    data.OperatingHours = std::to_string(days) + ":" + TwoDigits(hours) + ":" + TwoDigits(minutes) +
                          ":" + TwoDigits(seconds);
    data.OperatingCycles = std::to_string(*cycles);
    if (labels != nullptr) {
        labels->SetInfoLabel(InfoLabel::OperatingTime, data.OperatingHours);
        labels->SetInfoLabel(InfoLabel::OperatingCycles, data.OperatingCycles);
    }
}

void HandleHighVoltageReply(std::string_view text, MonitorData& data) {
    const LabelledLimit upper = ReadLimitValue(text, UpperLimitLabel);
    const LabelledLimit lower = ReadLimitValue(text, LowerLimitLabel);
    // A limit the answer does not hold (a refusal, a missing label) keeps its value.
    if (!upper.fits || !lower.fits) {
        return;
    }
    if (upper.found) {
        data.HvUpperLimit = upper.value;
    }
    if (lower.found) {
        data.HvLowerLimit = lower.value;
    }
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
