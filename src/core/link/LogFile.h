#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace zorvex {

// An open communication log file. Every call reports whether the bytes reached the medium as
// far as the system tells, so a full disk or a pulled stick is noticed at the next write.
class LogFile {
  public:
    virtual ~LogFile() = default;
    virtual bool Write(std::string_view bytes) = 0;
    // Pushes buffered bytes to the system.
    virtual bool Flush() = 0;
    // Flushes and closes; the file is unusable afterwards.
    virtual bool Close() = 0;
    // The system's words for the last failure.
    virtual std::string LastError() const = 0;
};

struct LogFileCreation {
    std::unique_ptr<LogFile> file;  // null when the file could not be created
    std::string error;              // the system's words when it could not
};

// Creates a log file, or empties an existing one.
class LogFileCreator {
  public:
    virtual ~LogFileCreator() = default;
    virtual LogFileCreation Create(const std::string& path) = 0;
};

}  // namespace zorvex
