#pragma once

#include <cstdint>
#include <string>

namespace zorvex {

// The shell's own process-wide values. CommPort, ConnectRetryLimit and CommLogEnabled are
// shared with the link and live in LinkState.
struct ShellState {
    int32_t AppMode = 0;    // 0 user, 1 service, 2 factory
    int16_t SendCount = 0;  // step counter of the update-all-data cycle
    std::string FileSaveInitDir;
    std::string CodeInitDir;
    std::string MainTitle;  // base caption: configuration caption text and version
};

}  // namespace zorvex
