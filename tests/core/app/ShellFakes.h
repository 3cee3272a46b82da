#pragma once

#include <string>
#include <vector>

#include "core/app/Shell.h"
#include "core/app/ShellViews.h"
#include "core/data/MonitorData.h"
#include "core/link/LinkState.h"
#include "core/panels/info/InfoLabels.h"

namespace zorvex::testing {

// The shell over recording windows, as the shell and start-up tests build it: the main
// window's captions and messages go to one log in order; lamps and labels as one line per
// change ("connect green", "log red", "stop", "label 3=").
struct ShellRig : MainWindowView, LinkIndicators, InfoLabels {
    ShellRig() {
        state.MainTitle = "Zorvex4 CRT Adjustment Tool V5.0.13";
        link.CommPort = 4;
    }
    void ShowCaption(const std::string& text) override {
        caption = text;
        log.push_back("caption:" + text);
    }
    void ShowMenuStates(const MenuStates& states) override { menus = states; }
    void ShowMessage(const std::string& text) override { log.push_back("message:" + text); }
    static std::string Name(IndicatorColour c) {
        return c == IndicatorGreen ? "green" : c == IndicatorRed ? "red" : "other";
    }
    void SetConnectIndicator(IndicatorColour c) override { lamps.push_back("connect " + Name(c)); }
    void SetCommLogIndicator(IndicatorColour c) override { lamps.push_back("log " + Name(c)); }
    void StopConnectReplyTimer() override { lamps.push_back("stop"); }
    void SetInfoLabel(InfoLabel label, const std::string& text) override {
        lamps.push_back("label " + std::to_string(static_cast<int>(label)) + "=" + text);
    }

    std::vector<std::string> log, lamps;
    std::string caption;
    MenuStates menus;
    ShellState state;
    MonitorData data;
    LinkState link;
    Shell shell{state, data, link, *this, *this, *this};
};

}  // namespace zorvex::testing
