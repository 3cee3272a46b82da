#pragma once

#include "core/link/LogFile.h"

namespace zorvex {

// Log files on the C library's buffered streams, which report the system's error number.
class StdioLogFileCreator : public LogFileCreator {
  public:
    LogFileCreation Create(const std::string& path) override;
};

}  // namespace zorvex
