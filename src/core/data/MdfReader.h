#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/data/MonitorData.h"

namespace zorvex {

class ResponseDispatcher;
class InfoLabels;

struct MdfReadResult {
    enum class Outcome {
        Completed,  // every record read
        Rejected,   // not a monitor data file: refused before its first record
        Failed,     // stopped at a bad record; what came before it stays in the model
    };
    Outcome outcome = Outcome::Completed;
    std::string message;  // what to tell the user; empty when completed
};

// Reads the records of a monitor data file into MonitorData. The firmware and ROM versions
// take the road of the monitor's own answers through the dispatcher (which also sets
// FirmwareVersionNumber); the other identity texts are stored as written and shown in the
// information labels as the answers would be.
class MdfReader {
  public:
    MdfReader(MonitorData& data, const ResponseDispatcher& dispatcher, InfoLabels& labels)
        : data_(data), dispatcher_(dispatcher), labels_(labels) {}

    MdfReadResult Read(std::string_view bytes, const std::string& fileTitle);

    // The scan-set column the DAC records go to. It starts at 0 with the program and is
    // not reset by a new read, only by "ScanSet" records.
    int16_t ScanSetReading() const { return scanSetReading_; }

  private:
    friend class MdfRecordLoop;
    MonitorData& data_;
    const ResponseDispatcher& dispatcher_;
    InfoLabels& labels_;
    int16_t scanSetReading_ = 0;
};

// A file this short cannot be a monitor data file.
inline constexpr std::size_t MdfMinimumSize = 100;

}  // namespace zorvex
