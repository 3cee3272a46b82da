#pragma once

#include <string>
#include <string_view>

namespace zorvex {

struct FileBytes {
    bool ok = true;
    std::string bytes;
    std::string reason;  // the system's words when not ok
};

struct FileOutcome {
    bool ok = true;
    std::string reason;  // the system's words when not ok
};

// The disk as the monitor data file sees it: whole files by path.
class MonitorDataFiles {
  public:
    virtual ~MonitorDataFiles() = default;
    virtual FileBytes ReadWhole(const std::string& path) = 0;
    // Writes the bytes to a temporary file in the same folder and puts it in place of path
    // only when it is complete. When anything fails, a file already at path stays as it was.
    virtual FileOutcome ReplaceWhole(const std::string& path, std::string_view bytes) = 0;
};

}  // namespace zorvex
