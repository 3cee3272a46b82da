#pragma once

#include <string>

namespace zorvex {

// The connection window frmConnect as the connection logic drives it.
class ConnectWindowView {
  public:
    virtual ~ConnectWindowView() = default;
    virtual void ShowWindow() = 0;  // shown and brought to the front
    virtual void HideWindow() = 0;
    virtual void SetStatusText(const std::string& text) = 0;  // lbl1
    virtual void SetIndicatorOnline(bool online) = 0;         // btnInd green, else red
    // Marks option optCommPort(portNumber - 1) without running its click action.
    virtual void SetSelectedPort(int portNumber) = 0;
    // A message box with an OK button, raised once the current event has run to its end
    // (never inside a port signal).
    virtual void ShowMessage(const std::string& text) = 0;
};

// The connection-attempt window frmTrying.
class TryingWindowView {
  public:
    virtual ~TryingWindowView() = default;
    virtual void ShowWindow() = 0;
    virtual void HideWindow() = 0;
    virtual void SetLimitText(const std::string& text) = 0;  // lblLimit
    virtual void SetToGoText(const std::string& text) = 0;   // lblToGo
};

// The retry-limit window frmChangeTries.
class ChangeTriesView {
  public:
    virtual ~ChangeTriesView() = default;
    virtual void ShowWindow() = 0;
    virtual void HideWindow() = 0;
    virtual void SetLimitText(const std::string& text) = 0;  // txtConnectRetryLimit
};

// The timed-out notice frmTimedOut.
class TimedOutView {
  public:
    virtual ~TimedOutView() = default;
    virtual void ShowWindow() = 0;
    virtual void HideWindow() = 0;
};

}  // namespace zorvex
