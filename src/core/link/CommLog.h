#pragma once

#include <functional>
#include <memory>
#include <string>

#include "core/link/CommLogView.h"
#include "core/link/LinkState.h"
#include "core/link/LogFile.h"
#include "core/link/TrafficLog.h"

namespace zorvex {

class CommandSink;
class SerialPort;
class SettingsStore;
class StatusOperations;
class WallClock;

// What the log window asks of the connection logic and the queue, which own them.
struct CommLogLinkHooks {
    std::function<void()> clearTransmitQueue;
    // Hide and show the connection and connection-attempt windows, starting a new attempt.
    std::function<void()> restartConnectionAttempt;
    std::function<void(int intervalMs)> startKeepAlive;
};

struct CommLogServices {
    LinkState& link;
    CommandSink& commands;
    SerialPort& port;
    SettingsStore& settings;
    StatusOperations& status;
    WallClock& clock;
    LogFileCreator& files;
    CommLogLinkHooks hooks;
};

// The communication log: the text of the log window, the optional log file, the terminal
// that typed keys form, and the actions of the window's buttons.
class CommLog : public TrafficLog {
  public:
    static constexpr std::size_t kWindowTextLimit = 31500;

    explicit CommLog(CommLogServices services);
    ~CommLog() override;

    void SetView(CommLogView* view);

    // The window's creation: switches and settings read, once (the widgets may come later).
    // Its closing at exit: settings written and an open log file closed.
    void Create();
    bool Created() const { return created_; }
    void Close();
    // The window was shown or brought to the front.
    void Activate();
    // "Done": the window is being hidden; logging goes on.
    void Done();

    // TrafficLog, fed by the receive path.
    void LogReceivedChar(char c) override;
    void LogReceivedLineEnd() override;
    void LogNote(const std::string& text) override;

    // The log window's text, with "\r\n" line breaks.
    const std::string& LogText() const { return text_; }
    LogTextUpdate TakeTextUpdate();

    // A key typed into the log text (Enter arrives as a carriage return).
    void TypeKey(char key);
    const std::string& TypedLine() const { return typedLine_; }

    // Buttons and boxes.
    void Terse();
    void Verbose();
    void DisableChecking();
    void EnableChecking();
    void ReConnect();
    void ClearXmitQueue();
    void SetXmitQueueBypass(bool checked);
    void SwitchAutoPing();
    void ClearLogWindow();
    void SetWindowLogEnabled(bool checked);
    void SetFileLogEnabled(bool checked);

    // "Log to File ...": the name the dialog proposes, then the chosen file.
    std::string ProposedFileName() const;
    struct FileOpenResult {
        bool opened = false;
        std::string message;  // what to tell the user when it was not opened
    };
    FileOpenResult OpenLogFile(const std::string& path);
    // "Close Log File". Returns a message when the last bytes could not be written.
    std::string CloseLogFile();

    // The indicator, coloured by the connection logic and the status operations.
    void SetIndicatorOnline(bool online);
    // Tells the window the flags again, after others changed them (start-up resets them).
    void RefreshControls();

    bool WindowLogEnabled() const { return windowLogEnabled_; }
    bool FileLogOpen() const { return file_ != nullptr; }
    bool FileLogEnabled() const { return fileLogEnabled_; }
    bool CommLogOpen() const { return commLogOpen_; }
    CommLogControls Controls() const;

  private:
    void AppendToWindow(std::string_view text);
    void EmptyWindowText();
    void MarkTextPending();
    void WriteToFile(std::string_view bytes, bool flush);
    void StopFileLog();

    CommLogServices s_;
    CommLogView* view_ = nullptr;

    std::string text_;
    std::size_t viewLength_ = 0;  // how much of text_ the window already shows
    bool viewMustClear_ = false;
    bool textPending_ = false;

    std::string typedLine_;

    bool created_ = false;
    bool windowLogEnabled_ = true;
    bool fileLogEnabled_ = false;
    bool fileBoxEnabled_ = true;
    bool commLogOpen_ = false;
    bool checkOffShown_ = true;
    bool indicatorOnline_ = false;
    std::unique_ptr<LogFile> file_;
    std::string filePath_;
};

}  // namespace zorvex
