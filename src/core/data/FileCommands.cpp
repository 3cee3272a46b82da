#include "core/data/FileCommands.h"

namespace zorvex {

namespace {
constexpr const char* ConfigsSection = "Configs";
constexpr int16_t FileHandle = 1;  // the tool keeps one data file open at a time

struct FileState {
    bool FileIsOpen;
    int16_t DiskFileNum;
    bool FileOpenForInput;
    bool DataChanged;
    std::string FilePath;
    std::string FileTitle;
};

FileState SaveFileState(const MonitorData& data) {
    return {data.FileIsOpen,  data.DiskFileNum, data.FileOpenForInput,
            data.DataChanged, data.FilePath,    data.FileTitle};
}

void RestoreFileState(MonitorData& data, const FileState& state) {
    data.FileIsOpen = state.FileIsOpen;
    data.DiskFileNum = state.DiskFileNum;
    data.FileOpenForInput = state.FileOpenForInput;
    data.DataChanged = state.DataChanged;
    data.FilePath = state.FilePath;
    data.FileTitle = state.FileTitle;
}
}  // namespace

OpenDialogRequest OpenDialogFor() {
    return {"Monitor Data Files(*.mdv)|*.mdv|Text Files(*.txt)|*.txt|All files(*.*)|*.*",
            DialogFileMustExist};
}

SaveDialogRequest SaveDialogFor(const SettingsStore& settings) {
    const std::string pattern = std::string("*") + MdvExtension;
    return {"Monitor Data Files (" + pattern + ")|" + pattern + "|All Files (*.*)|*.*", pattern,
            settings.Read(ConfigsSection, FileSaveInitDirKey, FileSaveInitDirDefault),
            DialogOverwritePrompt};
}

std::string FolderOf(const std::string& path, char separator) {
    const auto last = path.rfind(separator);
    return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

void FileCommands::Tell(const FileReport& report) {
    if (!report.message.empty()) {
        view_.ShowMessage(report.message);
    }
}

FileReport FileCommands::Write() {
    view_.ShowBusy(true);
    FileReport report = file_.WriteMDF();
    view_.ShowBusy(false);
    return report;
}

bool FileCommands::SaveChangesPrompt() {
    if (!data_.DataChanged || !view_.AskYesNo(SaveChangesQuestion)) {
        return true;
    }
    const FileReport report = Write();
    Tell(report);
    return report.ok;
}

void FileCommands::CloseOpenFile() {
    if (data_.FileIsOpen) {
        data_.FileIsOpen = false;
        data_.DiskFileNum = 0;
    }
}

void FileCommands::Open() {
    if (!SaveChangesPrompt()) {
        return;
    }
    CloseOpenFile();
    const auto chosen = view_.ChooseFileToOpen(OpenDialogFor());
    if (!chosen) {
        return;
    }
    // Read before anything is recorded: a file that cannot be read changes nothing.
    FileBytes file = files_.ReadWhole(chosen->path);
    if (!file.ok) {
        view_.ShowMessage("The file " + chosen->path + " could not be opened: " + file.reason);
        return;
    }
    data_.DiskFileNum = FileHandle;
    data_.FilePath = chosen->path;
    data_.FileTitle = chosen->title;
    data_.FileIsOpen = true;
    data_.DataChanged = false;
    data_.FileOpenForInput = true;
    setMainCaption_(data_.FileTitle);
    // The read's messages are the only report of a bad file; the caption keeps the name.
    Tell(file_.ReadMDF(std::move(file.bytes)));
}

void FileCommands::SaveAs() {
    const auto chosen = view_.ChooseFileToSave(SaveDialogFor(settings_));
    if (!chosen) {
        return;
    }
    const FileState before = SaveFileState(data_);
    data_.DiskFileNum = FileHandle;
    data_.FilePath = chosen->path;
    data_.FileTitle = chosen->title;
    data_.FileIsOpen = true;
    data_.DataChanged = false;
    data_.FileOpenForInput = false;
    const FileReport report = Write();
    if (!report.ok) {
        // Nothing was saved: the file state, the caption and the start folder stay as they
        // were, and the data still counts as changed if it was.
        RestoreFileState(data_, before);
        Tell(report);
        return;
    }
    setMainCaption_(data_.FileTitle);
    settings_.Write(ConfigsSection, FileSaveInitDirKey, FolderOf(data_.FilePath, separator_));
}

void FileCommands::Close() {
    if (!SaveChangesPrompt()) {
        return;
    }
    CloseOpenFile();
    setMainCaption_("");
}

}  // namespace zorvex
