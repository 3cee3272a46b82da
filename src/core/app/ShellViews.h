#pragma once

#include <string>

#include "core/app/MainMenu.h"

namespace zorvex {

// The main window as the shell drives it.
class MainWindowView {
  public:
    virtual ~MainWindowView() = default;
    virtual void ShowCaption(const std::string& caption) = 0;
    virtual void ShowMenuStates(const MenuStates& states) = 0;
    // A message box with an OK button and the application title.
    virtual void ShowMessage(const std::string& text) = 0;
};

struct IndicatorColour {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const IndicatorColour&) const = default;
};
inline constexpr IndicatorColour IndicatorRed{255, 0, 0};
inline constexpr IndicatorColour IndicatorGreen{0, 255, 0};

// What the status operations change in the link windows: the indicators btnInd of the
// connection window and of the communication log window, and the connection window's
// reply timer tmrConnect. The link windows implement it; a window that does not exist
// yet simply has nothing to change.
class LinkIndicators {
  public:
    virtual ~LinkIndicators() = default;
    virtual void SetConnectIndicator(IndicatorColour colour) = 0;
    virtual void SetCommLogIndicator(IndicatorColour colour) = 0;
    virtual void StopConnectReplyTimer() = 0;
};

}  // namespace zorvex
