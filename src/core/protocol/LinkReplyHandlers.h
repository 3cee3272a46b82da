#pragma once

#include <string_view>

namespace zorvex {

struct MonitorData;
class InfoLabels;
class ResponseDispatcher;

// The answers that tell whether the monitor is there (P), how long it has run (DT, DU) and
// its high-voltage limits (DH).

// "#" anywhere: online in normal mode; a leading "$": online in boot mode; an answer of
// the I2C probe (leading "i") changes nothing; anything else: offline.
void HandlePingReply(std::string_view text, MonitorData& data);

// Two lines of days, hours, minutes, seconds added with carries, then the cycle count.
void HandleOperatingTimeReply(std::string_view text, MonitorData& data, InfoLabels* labels);

// "Upper Limit = " and "Lower Limit = ", 0 when absent. A limit beyond 16 bits makes the
// answer unreadable, and both limits keep their values.
void HandleHighVoltageReply(std::string_view text, MonitorData& data);

inline constexpr std::string_view UpperLimitLabel = "Upper Limit = ";
inline constexpr std::string_view LowerLimitLabel = "Lower Limit = ";

void RegisterLinkReplyHandlers(ResponseDispatcher& dispatcher, MonitorData& data,
                               InfoLabels& labels);

}  // namespace zorvex
