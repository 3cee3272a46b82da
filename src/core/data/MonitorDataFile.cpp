#include "core/data/MonitorDataFile.h"

#include "core/data/MdfWriter.h"

namespace zorvex {

void MonitorDataFile::MarkClosed() {
    data_.FileIsOpen = false;
    data_.DiskFileNum = 0;
}

FileReport MonitorDataFile::WriteMDF() {
    if (!data_.FileIsOpen) {
        return {false, WriteNotOpenMessage};
    }
    if (!HandleInRange()) {
        return {false, WriteHandleMessage};
    }
    if (restartUpdateCycle_) {
        restartUpdateCycle_();
    }
    const std::string bytes = BuildMdfContent(data_, clock_.Now());
    const FileOutcome outcome = files_.ReplaceWhole(data_.FilePath, bytes);
    if (!outcome.ok) {
        return {false, "The file " + data_.FilePath + " could not be saved: " + outcome.reason +
                           "\r\nAny earlier file of that name is unchanged."};
    }
    MarkClosed();
    data_.DataChanged = false;
    return {};
}

FileReport MonitorDataFile::ReadMDF(std::optional<std::string> loadedBytes) {
    if (!data_.FileIsOpen) {
        return {false, ReadNotOpenMessage};
    }
    if (!HandleInRange()) {
        return {false, ReadHandleMessage};
    }
    if (!loadedBytes) {
        FileBytes file = files_.ReadWhole(data_.FilePath);
        if (!file.ok) {
            return {false, "The file " + data_.FilePath + " could not be read: " + file.reason};
        }
        loadedBytes = std::move(file.bytes);
    }
    MdfReadResult result = reader_.Read(*loadedBytes, data_.FileTitle);
    switch (result.outcome) {
        case MdfReadResult::Outcome::Rejected:
            MarkClosed();
            return {false, std::move(result.message)};
        case MdfReadResult::Outcome::Failed:
            return {false, std::move(result.message)};
        case MdfReadResult::Outcome::Completed:
            break;
    }
    data_.FileIsOpen = true;
    data_.DataChanged = false;
    data_.FileOpenForInput = true;
    return {};
}

}  // namespace zorvex
