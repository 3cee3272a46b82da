#pragma once

#include <string>
#include <string_view>

namespace zorvex {

// What the log window's controls show, always derived from the flags they stand for.
struct CommLogControls {
    bool checkOffShown = true;     // "Disable Checking" shown; "Enable Checking" otherwise
    std::string autoPingCaption;   // "Disable AutoPing" while AutoPing is on
    bool bypassChecked = false;    // "Xmit Q Bypass" = XmitQueueOverride
    bool windowLogChecked = true;  // "Window Log Enable" = received traffic is logged
    bool fileBoxEnabled = true;    // "File Log Enabled"
    bool fileBoxChecked = false;
    bool logToFileEnabled = true;      // "Log to File ..."
    bool closeLogFileEnabled = false;  // "Close Log File"
    bool indicatorOnline = false;      // btnInd green, else red
    std::string fileLogStatus;         // whether traffic goes to a log file, and which
};

// New log text since the window last caught up. When cleared is set the window empties
// itself before appending.
struct LogTextUpdate {
    bool cleared = false;
    std::string_view appended;  // valid until the log changes again
};

// The log window as the log model sees it.
class CommLogView {
  public:
    virtual ~CommLogView() = default;
    virtual void ShowControls(const CommLogControls& controls) = 0;
    // Called once per batch: the window fetches the batch with TakeTextUpdate when it is ready
    // to repaint, so a burst of characters costs one repaint.
    virtual void LogTextPending() = 0;
    // File logging failed and has stopped; the user is told once.
    virtual void ShowFileLogFailure(const std::string& message) = 0;
};

}  // namespace zorvex
