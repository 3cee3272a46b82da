#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings/SettingsStore.h"

namespace zorvex {

// Window states as they are stored: 0 normal, 1 minimised, 2 maximised.
enum class WindowState { Normal = 0, Minimised = 1, Maximised = 2 };

// A width and height in twips (1/1440 inch).
struct TwipsSize {
    double width = 0;
    double height = 0;
};

// A window's place in twips, as the settings hold it. Windows convert to pixels themselves.
struct WindowPlacement {
    double top = 0;
    double left = 0;
    double width = 0;
    double height = 0;
    WindowState state = WindowState::Normal;
};

// A stored state other than 1 or 2 restores the window as a normal one.
WindowState WindowStateFromNumber(long long number);

inline constexpr std::string_view LocationsSection = "Locations";
inline constexpr std::string_view ConfigsSection = "Configs";

// The shared placement of section "Locations": keys are the window's name followed by
// "Top", "Left", "Width", "Height" and "Windowstate". An empty store gives the top left
// corner, half the screen wide and half the screen high.
// A window may name the size it needs instead (firstRunSize): a child window opens at
// the size that shows its controls rather than half the screen.
WindowPlacement LoadWindowPlacement(const SettingsStore& store, std::string_view windowName,
                                    TwipsSize screen,
                                    std::optional<TwipsSize> firstRunSize = std::nullopt);
void SaveWindowPlacement(SettingsStore& store, std::string_view windowName,
                         const WindowPlacement& placement);

// The windows that keep their place under keys of their own in section "Configs".
enum class OwnKeyWindow { ID, Version, OpTime, PeekPoke, Tries, TimedOut };

enum class PlacementField { State, Top, Left, Width, Height };

// A key's default: a number of twips, or centred in the main window.
struct OwnKeyDefault {
    double twips = 0;
    bool centred = false;
};

struct OwnKey {
    PlacementField field;
    std::string key;
    OwnKeyDefault fallback;
};

// The keys of one window, in reading order (the state always first).
const std::vector<OwnKey>& OwnKeysOf(OwnKeyWindow window);

// What an own-key window restores: the state, and position and size only when the stored
// state is normal. A window without size keys (the retry-limit window) never gets a size.
struct OwnKeyPlacement {
    WindowState state = WindowState::Normal;
    std::optional<double> top;
    std::optional<double> left;
    std::optional<double> width;
    std::optional<double> height;
};

// mainWindow and currentSize are taken at the moment of reading; they feed the centred
// defaults: half of (main window's height minus the window's height) for the top edge,
// the same with the widths for the left edge.
OwnKeyPlacement LoadOwnKeyPlacement(const SettingsStore& store, OwnKeyWindow window,
                                    TwipsSize mainWindow, TwipsSize currentSize);
// Stores every key of the window: the state as a whole number, the rest as singles.
void SaveOwnKeyPlacement(SettingsStore& store, OwnKeyWindow window,
                         const WindowPlacement& placement);

}  // namespace zorvex
