#pragma once

#include <string>

#include "core/data/MonitorData.h"
#include "core/support/CommandSink.h"

namespace zorvex {

// Heights of frmID in twips, with and without the part-number row, and the distance of
// its Done button's top from the window's bottom edge.
inline constexpr int IdHeightWithPart = 9330;
inline constexpr int IdHeightWithoutPart = 2250;
inline constexpr int IdDoneFromBottom = 955;

struct IdLayout {
    bool partRowVisible = false;
    int heightTwips = IdHeightWithoutPart;
    int doneTopTwips = IdHeightWithoutPart - IdDoneFromBottom;
};

// Where frmID's Done button sits for a window height (on activation and on every resize).
constexpr int IdDoneTop(int windowHeightTwips) {
    return windowHeightTwips - IdDoneFromBottom;
}

// frmID becoming active: asks for the identity the monitor family can answer and says how
// the window is laid out. A firmware version not known yet asks for nothing.
IdLayout ActivateIdWindow(const MonitorData& data, CommandSink& sink);

// frmVersion on activation and "ReRead": the ROM version, then the firmware version.
void RequestVersions(CommandSink& sink);

// The tool's own version as frmVersion shows it: "V " + major.minor.revision.
std::string ToolVersionText(int major, int minor, int revision);
std::string ToolVersionText();  // of this build

// frmOperatingTime asks for "dt" when it is loaded, when it becomes active and on
// "ReRead". The first activation right after loading does not ask again: loading has
// just asked, and the answer is on its way. Once an answer has been shown, the next
// activation asks afresh (a window a reply created hidden is opened much later).
class OperatingTimeRequests {
  public:
    explicit OperatingTimeRequests(CommandSink& sink) : sink_(sink) {}
    void OnLoad();
    void OnActivate();
    void OnReRead();
    void OnAnswer() { loadRequestPending_ = false; }

  private:
    CommandSink& sink_;
    bool loadRequestPending_ = false;
};

}  // namespace zorvex
