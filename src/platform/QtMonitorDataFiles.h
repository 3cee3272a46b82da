#pragma once

#include "core/data/MonitorDataFiles.h"

namespace zorvex {

// Monitor data files on disk. Paths are in the system's file name encoding. A save goes to
// a temporary file beside the target, is written whole and flushed to the disk, and only
// then renamed over the target, so a failed save never leaves a half-written file behind
// and the earlier file stays as it was. Every failure comes back with the system's reason.
class QtMonitorDataFiles : public MonitorDataFiles {
  public:
    FileBytes ReadWhole(const std::string& path) override;
    FileOutcome ReplaceWhole(const std::string& path, std::string_view bytes) override;
};

}  // namespace zorvex
