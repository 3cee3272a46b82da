#include "core/app/StartupSequence.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "core/app/DisplayConfiguration.h"
#include "core/app/Shell.h"
#include "core/app/ShellState.h"
#include "core/data/MonitorData.h"
#include "core/link/LinkState.h"
#include "core/settings/SettingsStore.h"

namespace zorvex {

namespace {
int16_t ToInt16(long long value) {
    return static_cast<int16_t>(std::clamp<long long>(value, std::numeric_limits<int16_t>::min(),
                                                      std::numeric_limits<int16_t>::max()));
}
}  // namespace

StartupSequence::StartupSequence(SettingsStore& settings, ShellState& shell, LinkState& link,
                                 MonitorData& data, Shell& status, StartupWindows& windows,
                                 std::string_view applicationTitle)
    : settings_(settings),
      shell_(shell),
      link_(link),
      data_(data),
      status_(status),
      windows_(windows),
      applicationTitle_(applicationTitle) {}

void StartupSequence::Run() {
    CreateMainWindow();
    PrepareLogOnFirstRun();
    RestoreMainPlacement();
    ReadInitialMode();
    ChooseConfiguration();
    ReadConnectRetryLimit();
    SwitchLoggingOn();
    ReadStartFolders();
    ShowConnectionWindow();
    ShowLogIfItWasOpen();
    ResetLinkFlags();
    DisableGoOffline();
    InitMonitorData();
    ShowMainWindow();
}

void StartupSequence::CreateMainWindow() {
    shell_.AppMode = 0;
    windows_.CreateMainWindow();
}

void StartupSequence::PrepareLogOnFirstRun() {
    if (ReadWholeNumber(settings_, StartUpSection, "RunType", 0) != 1) {
        windows_.CreateCommLogHidden();
        settings_.Write(StartUpSection, "RunType", "1");
    }
}

void StartupSequence::RestoreMainPlacement() {
    windows_.ApplyMainWindowPlacement(
        LoadWindowPlacement(settings_, "frmMain", windows_.ScreenSize()));
}

void StartupSequence::ReadInitialMode() {
    // "ServiceMode" and "FactoryMode" keep the mode set at entry; everything else is user mode.
    const std::string mode = settings_.Read(StartUpSection, "InitialMode", "UserMode");
    if (mode != "ServiceMode" && mode != "FactoryMode") {
        shell_.AppMode = 0;
    }
}

void StartupSequence::ChooseConfiguration() {
    const DisplayConfiguration& configuration = ConfigurationForTitle(applicationTitle_);
    fixedPort_ = configuration.commPort.has_value();
    // The stored port is raised to 1 here already, as initialisation does later, so the
    // first connection attempt never tries a port numbered 0 or below.
    link_.CommPort = configuration.commPort.value_or(StoredCommPort());
    shell_.MainTitle = BuildMainTitle(configuration, BuiltProgramVersion());
    status_.ShowMainTitle();
}

void StartupSequence::ReadConnectRetryLimit() {
    link_.ConnectRetryLimit =
        ToInt16(ReadWholeNumber(settings_, ConfigsSection, "ConnectRetryLimit", 5));
}

void StartupSequence::SwitchLoggingOn() {
    link_.CommLogEnabled = true;
}

void StartupSequence::ReadStartFolders() {
    shell_.FileSaveInitDir = settings_.Read(ConfigsSection, "FileSaveInitDir", DefaultInitDir);
    shell_.CodeInitDir = settings_.Read(ConfigsSection, "CodeInitDir", DefaultInitDir);
}

void StartupSequence::ShowConnectionWindow() {
    windows_.ShowConnectionWindow();
}

void StartupSequence::ShowLogIfItWasOpen() {
    if (settings_.Read(ConfigsSection, "CommLogOpen", "0") == "1") {
        windows_.ShowCommLogWindow();
    }
}

void StartupSequence::ResetLinkFlags() {
    windows_.ResetQueueFlags();
    link_.AutoPingEnabled = true;
    link_.XmitQueueOverride = false;
}

void StartupSequence::DisableGoOffline() {
    status_.SetGoOfflineEnabled(false);
}

void StartupSequence::InitMonitorData() {
    status_.SetMonitorOffline();
    data_.InitMonitorData();
    link_.CommLogEnabled = ReadTrueFalse(settings_, ConfigsSection, "CommLogEnabled", false);
    // A fixed-port configuration keeps its port: the first attempt, the caption and the
    // stored setting must all name the port the tool actually talks on.
    if (!fixedPort_) {
        link_.CommPort = StoredCommPort();
    }
    link_.AutoPingEnabled = true;
    data_.MonitorOnline = false;
}

int16_t StartupSequence::StoredCommPort() const {
    return ToInt16(
        std::max<long long>(ReadWholeNumber(settings_, ConfigsSection, "CommPort", 1), 1));
}

void StartupSequence::ShowMainWindow() {
    windows_.ShowMainWindow();
}

void StoreShellSettingsOnExit(SettingsStore& settings, const LinkState& link) {
    WriteWholeNumber(settings, ConfigsSection, "CommPort", link.CommPort);
    WriteTrueFalse(settings, ConfigsSection, "CommLogEnabled", link.CommLogEnabled);
    WriteWholeNumber(settings, ConfigsSection, "ConnectRetryLimit", link.ConnectRetryLimit);
}

}  // namespace zorvex
