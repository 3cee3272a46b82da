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
struct EventLog {
    std::vector<std::string> events;
    void Add(std::string event) { events.push_back(std::move(event)); }
};

class RecordingMainWindow : public MainWindowView {
  public:
    explicit RecordingMainWindow(EventLog& log) : log_(log) {}
    void ShowCaption(const std::string& text) override {
        caption = text;
        log_.Add("caption:" + text);
    }
    void ShowMenuStates(const MenuStates& states) override { menus = states; }
    void ShowMessage(const std::string& text) override {
        messages.push_back(text);
        log_.Add("message:" + text);
    }
    std::string caption;
    MenuStates menus;
    std::vector<std::string> messages;

  private:
    EventLog& log_;
};

class RecordingIndicators : public LinkIndicators {
  public:
    void SetConnectIndicator(IndicatorColour colour) override { connect.push_back(colour); }
    void SetCommLogIndicator(IndicatorColour colour) override { commLog.push_back(colour); }
    void StopConnectReplyTimer() override { ++replyTimerStops; }
    std::vector<IndicatorColour> connect;
    std::vector<IndicatorColour> commLog;
    int replyTimerStops = 0;
};

class RecordingLabels : public InfoLabels {
  public:
    void SetInfoLabel(InfoLabel label, const std::string& text) override {
        writes.emplace_back(label, text);
    }
    std::vector<std::pair<InfoLabel, std::string>> writes;
};

// The shell over recording windows, as the shell and start-up tests build it.
struct ShellRig {
    EventLog log;
    ShellState state;
    MonitorData data;
    LinkState link;
    RecordingMainWindow view{log};
    RecordingIndicators indicators;
    RecordingLabels labels;
    Shell shell{state, data, link, view, indicators, labels};
};

}  // namespace zorvex::testing
