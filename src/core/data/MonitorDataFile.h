#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/data/MdfReader.h"
#include "core/data/MonitorData.h"
#include "core/data/MonitorDataFiles.h"
#include "core/support/SystemServices.h"

namespace zorvex {

inline constexpr const char* WriteNotOpenMessage = "InWriteMDF, FileIsOpen is False";
inline constexpr const char* WriteHandleMessage = "In WriteMDF, DiskFileNum is out of range";
inline constexpr const char* ReadNotOpenMessage = "No File Is Open - Can't Finish Read Operation";
inline constexpr const char* ReadHandleMessage = "In ReadMDF, DiskFileNum is out of range";

struct FileReport {
    bool ok = true;
    std::string message;  // for the user; empty when there is nothing to say
};

// WriteMDF and ReadMDF on the file named by MonitorData's file state.
class MonitorDataFile {
  public:
    MonitorDataFile(MonitorData& data, MonitorDataFiles& files, const WallClock& clock,
                    MdfReader& reader, std::function<void()> restartUpdateCycle)
        : data_(data),
          files_(files),
          clock_(clock),
          reader_(reader),
          restartUpdateCycle_(std::move(restartUpdateCycle)) {}

    // Saves the model to FilePath and closes the file. The update-all-data cycle restarts
    // first; its answers come after the write, so the file holds the model as it was when
    // the save began. A failed write leaves an earlier file and the file state unchanged.
    FileReport WriteMDF();

    // Reads FilePath into the model (or the bytes given, already read from it). A file that
    // is not a monitor data file is closed; a bad record ends the read with the file still
    // open; a completed read leaves it open for reading.
    FileReport ReadMDF(std::optional<std::string> loadedBytes = std::nullopt);

  private:
    bool HandleInRange() const { return data_.DiskFileNum >= 1 && data_.DiskFileNum <= 255; }
    void MarkClosed();

    MonitorData& data_;
    MonitorDataFiles& files_;
    const WallClock& clock_;
    MdfReader& reader_;
    std::function<void()> restartUpdateCycle_;
};

}  // namespace zorvex
