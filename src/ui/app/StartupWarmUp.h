#pragma once

#include <thread>

namespace zorvex {

// Loads the system's font configuration (fontconfig parses every configuration file and
// font cache first, several milliseconds) on a thread of its own, from before the
// QApplication exists, so Qt finds it loaded when it lists the fonts. Joined when it goes.
class FontConfigPreload {
  public:
    FontConfigPreload();
    ~FontConfigPreload();
    FontConfigPreload(const FontConfigPreload&) = delete;
    FontConfigPreload& operator=(const FontConfigPreload&) = delete;

  private:
    std::thread thread_;
};

// Starts reading, on a worker thread, what the first windows need from the system and what
// takes long to read: the font list and the image plugins the first icons load. The
// user-interface thread builds its windows meanwhile and waits only if it needs either before
// it is in. Needs the QApplication; does nothing without one.
class StartupWarmUp {
  public:
    StartupWarmUp();
};

}  // namespace zorvex
