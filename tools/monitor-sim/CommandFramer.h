#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zorvex::sim {

// Splits the received bytes into command lines: a line ends with CR; LF and NUL carry no
// meaning; backspace and DEL take back the last character (a technician typing in the
// tool's log window). A line is bounded: characters beyond the bound are dropped.
class CommandFramer {
  public:
    static constexpr std::size_t kMaxLine = 256;

    std::vector<std::string> Feed(std::string_view bytes);
    void Reset() { line_.clear(); }

  private:
    std::string line_;
};

}  // namespace zorvex::sim
