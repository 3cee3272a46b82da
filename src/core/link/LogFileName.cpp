#include "core/link/LogFileName.h"

namespace zorvex {

namespace {
constexpr const char* kLogFilePrefix = "Zorvex_LogFile_";
}

std::string ProposedLogFileName(const LocalDateTime& now) {
    return kLogFilePrefix + std::to_string(now.month) + "_" + std::to_string(now.day) + "_" +
           std::to_string(now.year) + "_" + std::to_string(now.hour) + "_" +
           std::to_string(now.minute) + "_" + std::to_string(now.second);
}

}  // namespace zorvex
