#pragma once

#include "core/data/MonitorDataFiles.h"

namespace zorvex {

// Monitor data files on disk. Paths are in the system's file name encoding. A save goes to
// a temporary file in the target's folder, is flushed to the disk, and only then renamed
// over the target (QSaveFile), so a failed save never leaves a half-written file behind.
class QtMonitorDataFiles : public MonitorDataFiles {
  public:
    FileBytes ReadWhole(const std::string& path) override;
    FileOutcome ReplaceWhole(const std::string& path, std::string_view bytes) override;
};

}  // namespace zorvex
