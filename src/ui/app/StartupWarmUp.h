#pragma once

namespace zorvex {

// Starts reading, on a worker thread, what the first windows need from the system and what
// takes long to read: the font list (fontconfig parses its whole configuration first) and the
// image plugins the first icons load. The user-interface thread builds its windows meanwhile
// and waits only if it needs either before it is in. Needs the QApplication; does nothing
// without one.
class StartupWarmUp {
  public:
    StartupWarmUp();
};

}  // namespace zorvex
