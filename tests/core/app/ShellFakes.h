#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/app/Shell.h"
#include "core/app/ShellViews.h"
#include "core/app/StartupSequence.h"
#include "core/data/MonitorData.h"
#include "core/link/LinkState.h"
#include "core/panels/info/InfoLabels.h"

namespace zorvex::testing {

// One log of everything the shell and the start-up sequence do to the windows, in order.
using EventLog = std::vector<std::string>;

class RecordingMainWindow : public MainWindowView {
  public:
    explicit RecordingMainWindow(EventLog& log) : log_(log) {}
    void ShowCaption(const std::string& text) override {
        caption = text;
        log_.push_back("caption:" + text);
    }
    void ShowMenuStates(const MenuStates& states) override { menus = states; }
    void ShowMessage(const std::string& text) override { log_.push_back("message:" + text); }
    std::string caption;
    MenuStates menus;

  private:
    EventLog& log_;
};

// Lamps and labels as one line per change: "connect green", "log red", "stop", "label 3=".
class RecordingIndicators : public LinkIndicators, public InfoLabels {
  public:
    static std::string Name(IndicatorColour c) {
        return c == IndicatorGreen ? "green" : c == IndicatorRed ? "red" : "other";
    }
    void SetConnectIndicator(IndicatorColour c) override { Add("connect " + Name(c)); }
    void SetCommLogIndicator(IndicatorColour c) override { Add("log " + Name(c)); }
    void StopConnectReplyTimer() override { Add("stop"); }
    void SetInfoLabel(InfoLabel label, const std::string& text) override {
        Add("label " + std::to_string(static_cast<int>(label)) + "=" + text);
    }
    void Add(std::string line) { lines.push_back(std::move(line)); }
    std::vector<std::string> lines;
};

// The shell over recording windows, as the shell and start-up tests build it.
struct ShellRig {
    ShellRig() {
        state.MainTitle = "Zorvex4 CRT Adjustment Tool V5.0.13";
        link.CommPort = 4;
    }
    EventLog log;
    ShellState state;
    MonitorData data;
    LinkState link;
    RecordingMainWindow view{log};
    RecordingIndicators indicators;
    Shell shell{state, data, link, view, indicators, indicators};
};

}  // namespace zorvex::testing
