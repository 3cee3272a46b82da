#include "core/app/MainMenu.h"

namespace zorvex {

const std::vector<MenuText>& MainMenus() {
    using C = MenuCommand;
    static const std::vector<MenuText> menus = {
        {"&File",
         "mnuFile",
         {{C::FileNew, "&New", "mnuFileNew"},
          {C::FileOpen, "&Open ...", "mnuFileOpen"},
          {C::FileSave, "&Save", "mnuFileSave"},
          {C::FileSaveAs, "S&ave As ...", "mnuFileSaveAs"},
          {C::FileClose, "&Close", "mnuFileClose"},
          {C::FileCompare, "Compare &With File ...", "mnuFileCompare"},
          {C::FileExit, "E&xit", "mnuFileExit"}}},
        {"&Monitor",
         "mnuMonitor",
         {{C::MonitorUpdate, "&Update All Data", "mnuMonitorUpdate"},
          {C::MonitorOnline, "Go O&nline", "mnuMonitorOnline"},
          {C::MonitorOffline, "Go O&ffline", "mnuMonitorOffline"},
          {C::MonitorDemo, "Go Offline &Demo Mode", "mnuMonitorDemo"},
          {C::MonitorRun, "&Run from BOOT MODE", "mnuMonitorRun"}}},
        {"&Adjustments",
         "mnuAdjustments",
         {{C::StrokeAdj, "&Stroke Adjustment", "mnuStrokeAdj"},
          {C::XySimulator, "&xy simulator", "mnuxysimulator"}}},
        {"&Info",
         "mnuInfo",
         {{C::InfoID, "ID", "mnuInfoID"},
          {C::InfoVersion, "&Version", "mnuInfoVersion"},
          {C::InfoConfiguration, "&Monitor Configuration", "mnuInfoConfiguration"},
          {C::InfoOperatingHours, "&Operating Hours", "mnuInfoOperatingHours"}}},
        {"&Diagnostics",
         "mnuDiagnostics",
         {{C::DiagnosticsCommLogging, "&Comm Logging", "mnuDiagnosticsCommLogging"},
          {C::DiagnosticsPeek, "&Peek and Poke", "mnuDiagnosticsPeek"}}},
        {"&Window",
         "mnuWindow",
         {{C::WindowCascade, "&Cascade", "mnuWindowCascade"},
          {C::WindowTileHorizontal, "Tile &Horizontally", "mnuWindowTileHorizontal"},
          {C::WindowTileVertical, "Tile &Verticlly", "mnuWindowTileVertical"},
          {C::WindowArrangeIcons, "Arrange &Icons", "mnuWindowArrangeIcons"}}},
        {"&Help",
         "mnuHelp",
         {{C::HelpTopics, "&Norvale Help Topics ...", "mnuHelpTopics"},
          {C::HelpAbout, "&About Zorvex", "mnuHelpAbout"}}},
    };
    return menus;
}

const MenuItemText& MenuItemOf(MenuCommand command) {
    for (const MenuText& menu : MainMenus()) {
        for (const MenuItemText& item : menu.items) {
            if (item.command == command) {
                return item;
            }
        }
    }
    return MainMenus().front().items.front();  // unreachable: every command has an item
}

}  // namespace zorvex
