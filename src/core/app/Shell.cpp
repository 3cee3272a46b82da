#include "core/app/Shell.h"

#include "core/data/MonitorData.h"
#include "core/link/LinkState.h"
#include "core/panels/info/InfoLabels.h"

namespace zorvex {

namespace {
constexpr const char* kMonitorOnCom = "Monitor on Com";
constexpr const char* kBootMode = " -- BOOT MODE";
constexpr const char* kNoMonitor = "No monitor";
constexpr const char* kDemoMode = "No monitor - Offline Demo Mode";
constexpr const char* kNoFile = "(No File)";
}  // namespace

Shell::Shell(ShellState& state, MonitorData& data, LinkState& link, MainWindowView& view,
             LinkIndicators& indicators, InfoLabels& infoLabels)
    : state_(state),
      data_(data),
      link_(link),
      view_(view),
      indicators_(indicators),
      infoLabels_(infoLabels) {}

void Shell::SetMainCaption(const std::string& text) {
    caption_ = state_.MainTitle + " -- " + (text.empty() ? std::string(kNoFile) : text);
    view_.ShowCaption(caption_);
}

void Shell::ShowMainTitle() {
    caption_ = state_.MainTitle;
    view_.ShowCaption(caption_);
}

void Shell::SetMonitorOnline() {
    SetMainCaption(kMonitorOnCom + std::to_string(link_.CommPort));
    data_.MonitorOnline = true;
    SetMenu(MenuCommand::MonitorUpdate, true);
    SetMenu(MenuCommand::MonitorOnline, false);
    SetMenu(MenuCommand::MonitorOffline, true);
    SetMenu(MenuCommand::InfoID, true);
    SetMenu(MenuCommand::InfoOperatingHours, true);
    PublishMenus();
    indicators_.SetConnectIndicator(IndicatorGreen);
    FinishStatusChange();
}

void Shell::SetBootModeStatus() {
    SetMainCaption(kMonitorOnCom + std::to_string(link_.CommPort) + kBootMode);
    data_.MonitorOnline = true;
    SetMenu(MenuCommand::MonitorUpdate, false);
    SetMenu(MenuCommand::MonitorOnline, false);
    SetMenu(MenuCommand::MonitorOffline, true);
    SetMenu(MenuCommand::MonitorRun, true);
    PublishMenus();
    // The boot loader has no firmware version; family checks must not see the old one.
    data_.FirmwareVersionNumber = 0;
    FinishStatusChange();
}

void Shell::SetMonitorOffline() {
    SetMainCaption(kNoMonitor);
    data_.MonitorOnline = false;
    indicators_.StopConnectReplyTimer();
    SetMenu(MenuCommand::MonitorUpdate, false);
    SetMenu(MenuCommand::MonitorOnline, true);
    SetMenu(MenuCommand::MonitorOffline, false);
    SetMenu(MenuCommand::MonitorDemo, true);
    SetMenu(MenuCommand::MonitorRun, false);
    PublishMenus();
    data_.FirmwareVersion.clear();
    data_.RomVersion.clear();
    infoLabels_.SetInfoLabel(InfoLabel::RomVersion, "");
    infoLabels_.SetInfoLabel(InfoLabel::FirmwareVersion, "");
    indicators_.SetConnectIndicator(IndicatorRed);
    indicators_.SetCommLogIndicator(IndicatorRed);
    FinishStatusChange();
}

void Shell::SetOfflineDemoMode() {
    SetMonitorOffline();
    SetMainCaption(kDemoMode);
    menus_.EnableAll();
    PublishMenus();
}

void Shell::SetGoOfflineEnabled(bool enabled) {
    SetMenu(MenuCommand::MonitorOffline, enabled);
    PublishMenus();
}

std::optional<std::string> Shell::ApplyAppMode() const {
    // No mode has menus of its own in this configuration.
    if (state_.AppMode >= 0 && state_.AppMode <= 2) {
        return std::nullopt;
    }
    return std::string(BadAppModeMessage);
}

void Shell::SetMenu(MenuCommand command, bool enabled) {
    menus_.SetEnabled(command, enabled);
}

void Shell::PublishMenus() {
    view_.ShowMenuStates(menus_);
}

void Shell::FinishStatusChange() {
    if (auto message = ApplyAppMode()) {
        view_.ShowMessage(*message);
    }
}

}  // namespace zorvex
