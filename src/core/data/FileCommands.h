#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/data/MonitorData.h"
#include "core/data/MonitorDataFile.h"
#include "core/data/MonitorDataFiles.h"
#include "core/settings/SettingsStore.h"

namespace zorvex {

inline constexpr const char* SaveChangesQuestion =
    "The data has been changed. Do you wish to save changes?";
inline constexpr const char* FileSaveInitDirKey = "FileSaveInitDir";
inline constexpr const char* FileSaveInitDirDefault = "C:\\Program Files\\Zorvex3";
// The name Save As proposes when no file has been opened or saved yet.
inline constexpr const char* ProposedMdvName = "monitor.mdv";

// Dialog flags as the common file dialog knows them.
inline constexpr int DialogOverwritePrompt = 2;
inline constexpr int DialogFileMustExist = 4096;

// What the file dialogs are shown with. Filters are description|pattern pairs joined by "|".
struct OpenDialogRequest {
    std::string filter;
    int flags = 0;
};
struct SaveDialogRequest {
    std::string filter;
    std::string fileName;
    std::string initialFolder;  // as stored; the window starts elsewhere if it does not exist
    int flags = 0;
};
struct ChosenFile {
    std::string path;   // full path
    std::string title;  // the name without its folder
};

// The dialogs and message boxes of the file commands, shown by the windows.
class FileCommandsView {
  public:
    virtual ~FileCommandsView() = default;
    virtual bool AskYesNo(const std::string& question) = 0;
    // Nothing when the user cancels.
    virtual std::optional<ChosenFile> ChooseFileToOpen(const OpenDialogRequest& request) = 0;
    virtual std::optional<ChosenFile> ChooseFileToSave(const SaveDialogRequest& request) = 0;
    // A message box with an OK button and the application title.
    virtual void ShowMessage(const std::string& text) = 0;
    // The busy mouse pointer while a file is written.
    virtual void ShowBusy(bool busy) = 0;
};

OpenDialogRequest OpenDialogFor();
SaveDialogRequest SaveDialogFor(const SettingsStore& settings,
                                const std::string& proposedName = ProposedMdvName);
// A name typed without an extension gets ".mdv", in the path and in the title.
ChosenFile WithMdvExtension(ChosenFile file);
// The folder of a path with its trailing separator: characters are dropped from the end
// until it ends with the separator (an empty text when there is none).
std::string FolderOf(const std::string& path, char separator);

// "&Open ...", "&Save", "S&ave As ..." and "&Close" of the File menu. The file last opened
// or saved (until Close) is the one "&Save" writes again and Save As proposes.
class FileCommands {
  public:
    FileCommands(MonitorData& data, MonitorDataFile& file, MonitorDataFiles& files,
                 SettingsStore& settings, FileCommandsView& view,
                 std::function<void(const std::string&)> setMainCaption, char folderSeparator)
        : data_(data),
          file_(file),
          files_(files),
          settings_(settings),
          view_(view),
          setMainCaption_(std::move(setMainCaption)),
          separator_(folderSeparator) {}

    void Open();
    // Writes the current file again without a dialog; with none, it is Save As.
    void Save();
    void SaveAs();
    void Close();

  private:
    // Offers to save changed data; false when the user chose to save and the save failed,
    // so the command stops before the changes could be lost.
    bool SaveChangesPrompt();
    FileReport Write();
    // Writes the model to the file given; false (and the state as before) when it failed.
    bool SaveTo(const ChosenFile& file);
    void CloseOpenFile();
    void Tell(const FileReport& report);

    MonitorData& data_;
    MonitorDataFile& file_;
    MonitorDataFiles& files_;
    SettingsStore& settings_;
    FileCommandsView& view_;
    std::function<void(const std::string&)> setMainCaption_;
    char separator_;
    std::optional<ChosenFile> current_;
};

}  // namespace zorvex
