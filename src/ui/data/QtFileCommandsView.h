#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "core/data/FileCommands.h"

class QWidget;

namespace zorvex {

// How a file dialog of the file commands is set up, in Qt's terms.
struct FileDialogSetup {
    bool save = false;
    QStringList nameFilters;  // "Monitor Data Files (*.mdv)", ...
    QString startFolder;      // empty: the dialog's own choice
    QString proposedName;     // Save As: the current file's name, or "monitor.mdv"
    QString defaultSuffix;    // added to a typed name without an extension ("mdv")
    bool confirmOverwrite = false;
    bool fileMustExist = false;
};

// Turns the dialog requests of the core into dialog setups: "description|pattern" pairs
// become Qt name filters; a start folder that does not exist (such as the default
// "C:\Program Files\Zorvex3" on Linux) becomes the user's home folder.
FileDialogSetup SetupFor(const OpenDialogRequest& request);
FileDialogSetup SetupFor(const SaveDialogRequest& request);
QStringList NameFiltersOf(const std::string& filter);

// The dialogs and message boxes of "&Open ...", "S&ave As ..." and "&Close". The dialog,
// the Yes/No question and the message box can be replaced, so tests run without modal
// windows.
class QtFileCommandsView : public FileCommandsView {
  public:
    // The chosen full path, or nothing when the user cancels.
    using DialogRunner = std::function<std::optional<QString>(const FileDialogSetup&)>;
    using QuestionRunner = std::function<bool(const QString&)>;

    QtFileCommandsView(QWidget* parent, std::function<void(const std::string&)> showMessage);

    void SetDialogRunner(DialogRunner runner) { dialogRunner_ = std::move(runner); }
    void SetQuestionRunner(QuestionRunner runner) { questionRunner_ = std::move(runner); }
    void SetMessageRunner(std::function<void(const std::string&)> runner) {
        showMessage_ = std::move(runner);
    }

    bool AskYesNo(const std::string& question) override;
    std::optional<ChosenFile> ChooseFileToOpen(const OpenDialogRequest& request) override;
    std::optional<ChosenFile> ChooseFileToSave(const SaveDialogRequest& request) override;
    void ShowMessage(const std::string& text) override { showMessage_(text); }
    void ShowBusy(bool busy) override;

  private:
    std::optional<ChosenFile> Choose(const FileDialogSetup& setup);
    std::optional<QString> RunDialog(const FileDialogSetup& setup);

    QWidget* parent_;
    std::function<void(const std::string&)> showMessage_;
    DialogRunner dialogRunner_;
    QuestionRunner questionRunner_;
};

}  // namespace zorvex
