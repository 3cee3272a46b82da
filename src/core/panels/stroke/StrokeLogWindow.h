#pragma once

#include <string>

namespace zorvex {

// The communication log window as the memory dump sees it: the text it shows, and clearing
// it once a word has been taken, so the next step finds the next answer.
class StrokeLogWindow {
  public:
    virtual ~StrokeLogWindow() = default;
    virtual std::string LogText() const = 0;
    virtual void ClearLogText() = 0;
};

}  // namespace zorvex
