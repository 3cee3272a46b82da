#pragma once

namespace zorvex {

// The link status as the main window shows it: caption, MonitorOnline and the menu states.
// The shell implements it; the connection logic and the log window call it.
class StatusOperations {
  public:
    virtual ~StatusOperations() = default;
    virtual void SetMonitorOnline() = 0;
    virtual void SetBootModeStatus() = 0;
    virtual void SetMonitorOffline() = 0;
    virtual void SetOfflineDemoMode() = 0;
    // "Go O&ffline", enabled by a successful connection try.
    virtual void SetGoOfflineEnabled(bool enabled) = 0;
};

}  // namespace zorvex
