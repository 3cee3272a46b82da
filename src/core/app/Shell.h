#pragma once

#include <optional>
#include <string>

#include "core/app/MainMenu.h"
#include "core/app/ShellState.h"
#include "core/app/ShellViews.h"
#include "core/app/StatusOperations.h"

namespace zorvex {

struct MonitorData;
struct LinkState;
class InfoLabels;

inline constexpr const char* BadAppModeMessage = "Setting Appmode with bad value";

// The link status as the main window shows it: caption, MonitorOnline and menu states.
class Shell : public StatusOperations {
  public:
    Shell(ShellState& state, MonitorData& data, LinkState& link, MainWindowView& view,
          LinkIndicators& indicators, InfoLabels& infoLabels);

    void SetMonitorOnline() override;
    void SetBootModeStatus() override;
    void SetMonitorOffline() override;
    void SetOfflineDemoMode() override;
    void SetGoOfflineEnabled(bool enabled) override;

    // MainTitle, " -- " and the text; an empty text shows " -- (No File)".
    void SetMainCaption(const std::string& text);
    // The bare MainTitle, as start-up shows it before any status is known.
    void ShowMainTitle();
    // Modes 0..2 leave the menus as they are; any other gives the message to show.
    std::optional<std::string> ApplyAppMode() const;

    const std::string& Caption() const { return caption_; }
    const MenuStates& Menus() const { return menus_; }
    ShellState& State() { return state_; }

  private:
    void SetMenu(MenuCommand command, bool enabled);
    void PublishMenus();
    void FinishStatusChange();

    ShellState& state_;
    MonitorData& data_;
    LinkState& link_;
    MainWindowView& view_;
    LinkIndicators& indicators_;
    InfoLabels& infoLabels_;
    std::string caption_;
    MenuStates menus_;
};

}  // namespace zorvex
