#pragma once

#include <array>
#include <string>
#include <vector>

namespace zorvex {

// Every item of the main window's menus.
enum class MenuCommand {
    FileNew,
    FileOpen,
    FileSave,
    FileSaveAs,
    FileClose,
    FileCompare,
    FileExit,
    MonitorUpdate,
    MonitorOnline,
    MonitorOffline,
    MonitorDemo,
    MonitorRun,
    StrokeAdj,
    XySimulator,
    InfoID,
    InfoVersion,
    InfoConfiguration,
    InfoOperatingHours,
    DiagnosticsCommLogging,
    DiagnosticsPeek,
    WindowCascade,
    WindowTileHorizontal,
    WindowTileVertical,
    WindowArrangeIcons,
    HelpTopics,
    HelpAbout,
    Count
};

inline constexpr int MenuCommandCount = static_cast<int>(MenuCommand::Count);

struct MenuItemText {
    MenuCommand command;
    const char* caption;  // "&" marks the access key
    const char* name;     // the item's control name
};

struct MenuText {
    const char* caption;
    const char* name;
    std::vector<MenuItemText> items;
};

// The menu bar from left to right, with the items top to bottom.
const std::vector<MenuText>& MainMenus();
const MenuItemText& MenuItemOf(MenuCommand command);

// Which items are enabled. Everything starts enabled; the status operations change it.
class MenuStates {
  public:
    MenuStates() { enabled_.fill(true); }
    bool IsEnabled(MenuCommand command) const { return enabled_[Index(command)]; }
    void SetEnabled(MenuCommand command, bool enabled) { enabled_[Index(command)] = enabled; }
    void EnableAll() { enabled_.fill(true); }
    bool operator==(const MenuStates&) const = default;

  private:
    static std::size_t Index(MenuCommand command) { return static_cast<std::size_t>(command); }
    std::array<bool, MenuCommandCount> enabled_{};
};

}  // namespace zorvex
