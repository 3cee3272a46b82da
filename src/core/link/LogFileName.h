#pragma once

#include <string>

#include "core/support/SystemServices.h"

namespace zorvex {

// The name offered for a new log file: "Zorvex_LogFile_" and the date and time as
// month_day_year_hour_minute_second without leading zeros, e.g. Zorvex_LogFile_6_14_2001_9_5_7.
std::string ProposedLogFileName(const LocalDateTime& now);

}  // namespace zorvex
