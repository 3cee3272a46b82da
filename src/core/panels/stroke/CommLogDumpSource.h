#pragma once

#include "core/link/CommLog.h"
#include "core/panels/stroke/StrokeLogWindow.h"

namespace zorvex {

// The memory dump reads the communication log window's own text and empties it, as a user
// pressing its "Clear" would.
class CommLogDumpSource : public StrokeLogWindow {
  public:
    explicit CommLogDumpSource(CommLog& log) : log_(log) {}
    std::string LogText() const override { return log_.LogText(); }
    void ClearLogText() override { log_.ClearLogWindow(); }

  private:
    CommLog& log_;
};

}  // namespace zorvex
