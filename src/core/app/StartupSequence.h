#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/settings/WindowPlacement.h"

namespace zorvex {

class SettingsStore;
class Shell;
struct ShellState;
struct LinkState;
struct MonitorData;

// The start-up steps that need windows. The application implements it and routes each
// call to the window that owns it.
class StartupWindows {
  public:
    virtual ~StartupWindows() = default;
    virtual void CreateMainWindow() = 0;
    // First run: the communication log window is created hidden and its "Window Log
    // Enable" box makes sure logging is switched on.
    virtual void CreateCommLogHidden() = 0;
    virtual TwipsSize ScreenSize() const = 0;
    virtual void ApplyMainWindowPlacement(const WindowPlacement& placement) = 0;
    // Shows the connection window, whose creation creates the log window if needed and
    // starts the first connection attempt with CommPort.
    virtual void ShowConnectionWindow() = 0;
    virtual void ShowCommLogWindow() = 0;
    // Both queue busy marks off and AwaitingReply off.
    virtual void ResetQueueFlags() = 0;
    virtual void ShowMainWindow() = 0;
};

inline constexpr std::string_view StartUpSection = "StartUp";
inline constexpr const char* DefaultInitDir = "C:\\Program Files\\Zorvex4";

// Start-up, from the program entry to the shown main window, step by step in one place.
class StartupSequence {
  public:
    StartupSequence(SettingsStore& settings, ShellState& shell, LinkState& link, MonitorData& data,
                    Shell& status, StartupWindows& windows, std::string_view applicationTitle);

    void Run();

    // The last loading step: status offline, every monitor value to its initial value,
    // keep-alive pings on, and the two stored link settings.
    void InitMonitorData();

  private:
    void CreateMainWindow();       // 1
    void PrepareLogOnFirstRun();   // 2
    void RestoreMainPlacement();   // 3
    void ReadInitialMode();        // 4
    void ChooseConfiguration();    // 5
    void ReadConnectRetryLimit();  // 6
    void SwitchLoggingOn();        // 7
    void ReadStartFolders();       // 8
    void ShowConnectionWindow();   // 9
    void ShowLogIfItWasOpen();     // 10
    void ResetLinkFlags();         // 11
    void DisableGoOffline();       // 12
    // 13 is InitMonitorData
    void ShowMainWindow();  // 14
    int16_t StoredCommPort() const;

    SettingsStore& settings_;
    ShellState& shell_;
    LinkState& link_;
    MonitorData& data_;
    Shell& status_;
    StartupWindows& windows_;
    std::string applicationTitle_;
    bool fixedPort_ = false;
};

// Exit: the shell's own settings in "Configs" ("CommPort", "CommLogEnabled" as "True" or
// "False", "ConnectRetryLimit").
void StoreShellSettingsOnExit(SettingsStore& settings, const LinkState& link);

}  // namespace zorvex
