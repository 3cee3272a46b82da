#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace zorvex::sim {

// A record of the traffic for tests, benchmarks and the curious: one line per event,
// "<seconds since start> <kind> <text>", written and flushed at once so a reader sees it live.
//   RX <command>     a command line was received (its CR arrived)
//   PROMPT <c>       a prompt character ("#", "$", "!") was handed to the pseudo-terminal
//   EVENT <what>     silent, answering, unplugged, plugged, ...
class CommandLog {
  public:
    CommandLog() = default;
    ~CommandLog();
    CommandLog(const CommandLog&) = delete;
    CommandLog& operator=(const CommandLog&) = delete;

    bool Open(const std::string& path);
    bool IsOpen() const { return file_ != nullptr; }
    void Record(double seconds, std::string_view kind, std::string_view text);

    // Control characters and the like written as "\xNN", so every record stays one line.
    static std::string Printable(std::string_view text);

  private:
    std::FILE* file_ = nullptr;
};

}  // namespace zorvex::sim
