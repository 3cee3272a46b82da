#pragma once

#include <string>
#include <utility>
#include <vector>

#include "FakeSerialPort.h"
#include "FakeServices.h"
#include "VirtualClock.h"
#include "core/app/StatusOperations.h"
#include "core/data/MonitorData.h"
#include "core/link/ConnectionController.h"
#include "core/link/LinkState.h"
#include "core/link/ReceivePath.h"
#include "core/link/TrafficLog.h"
#include "core/link/TransmitQueue.h"
#include "core/panels/info/InfoLabels.h"
#include "core/protocol/LinkReplyHandlers.h"
#include "core/protocol/ResponseDispatcher.h"

namespace zorvex::testing {

// The status operations as the shell applies them to the link: caption and MonitorOnline.
class RecordingStatus : public StatusOperations {
  public:
    explicit RecordingStatus(MonitorData& data) : data_(data) {}
    void SetMonitorOnline() override {
        status = "online";
        data_.MonitorOnline = true;
    }
    void SetBootModeStatus() override {
        status = "boot";
        data_.MonitorOnline = true;
    }
    void SetMonitorOffline() override {
        status = "No monitor";
        data_.MonitorOnline = false;
        ++offlineCount;
    }
    void SetOfflineDemoMode() override { SetMonitorOffline(); }
    void SetGoOfflineEnabled(bool enabled) override { goOfflineEnabled = enabled; }

    std::string status = "none";
    int offlineCount = 0;
    bool goOfflineEnabled = false;

  private:
    MonitorData& data_;
};

class RecordingTrafficLog : public TrafficLog {
  public:
    void LogReceivedChar(char c) override { text += c; }
    void LogReceivedLineEnd() override { text += "<CR>"; }
    void LogNote(const std::string& note) override { notes.push_back(note); }
    std::string text;
    std::vector<std::string> notes;
};

class RecordingLabels : public InfoLabels {
  public:
    void SetInfoLabel(InfoLabel label, const std::string& text) override {
        labels.emplace_back(label, text);
    }
    std::vector<std::pair<InfoLabel, std::string>> labels;
};

struct FakeConnectView : ConnectWindowView {
    void ShowWindow() override { shown = true; }
    void HideWindow() override { shown = false; }
    void SetStatusText(const std::string& text) override { status = text; }
    void SetIndicatorOnline(bool online) override { green = online; }
    void SetSelectedPort(int portNumber) override { selected = portNumber; }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool shown = false;
    bool green = true;  // so the first red is seen
    int selected = 0;
    std::string status;
    std::vector<std::string> messages;
};

struct FakeTryingView : TryingWindowView {
    void ShowWindow() override {
        shown = true;
        ++showCount;
    }
    void HideWindow() override { shown = false; }
    void SetLimitText(const std::string& text) override { limit = text; }
    void SetToGoText(const std::string& text) override {
        toGo = text;
        toGoHistory.push_back(text);
    }
    bool shown = false;
    int showCount = 0;
    std::string limit = "?";
    std::string toGo = "?";
    std::vector<std::string> toGoHistory;
};

struct FakeChangeTriesView : ChangeTriesView {
    void ShowWindow() override { shown = true; }
    void HideWindow() override { shown = false; }
    void SetLimitText(const std::string& value) override { text = value; }
    bool shown = false;
    std::string text;
};

struct FakeTimedOutView : TimedOutView {
    void ShowWindow() override {
        shown = true;
        ++showCount;
    }
    void HideWindow() override { shown = false; }
    bool shown = false;
    int showCount = 0;
};

// The whole link in virtual time: port, queue, receive path, dispatcher with the link
// handlers, and the connection logic with recording windows.
struct LinkRig {
    LinkRig() {
        port.SetReceiveHandler([this](std::string_view bytes) { rx.Feed(bytes); });
        port.SetFailureHandler([this](const std::string& reason) { ctl.OnPortFailure(reason); });
        queue.SetWriteFailureHandler([this] { ctl.OnWriteFailure(); });
        rx.SetPromptListener(&ctl);
        RegisterLinkReplyHandlers(dispatcher, data, labels);
        ctl.SetLogIndicator([this](bool online) { logGreen = online; });
    }

    // The monitor's answer to a command: its echo, the answer lines and the prompt.
    void Answer(const std::string& echo, const std::string& prompt = "#",
                const std::string& lines = "") {
        port.Receive(echo + "\r\n" + lines + prompt + "\r\n");
    }

    std::vector<std::string> Writes() const { return port.WrittenTexts(); }
    int Count(const std::string& text) const {
        int n = 0;
        for (const auto& w : port.writes) {
            n += w.bytes == text ? 1 : 0;
        }
        return n;
    }

    VirtualClock clock;
    FakeSerialPort port{&clock};
    FakeBeeper beeper;
    MonitorData data;
    LinkState link;
    RecordingStatus status{data};
    RecordingLabels labels;
    ResponseDispatcher dispatcher;
    TransmitQueue queue{port, clock, beeper};
    ReceivePath rx{queue,
                   [this](std::string_view block) {
                       blocks.emplace_back(block);
                       dispatcher.Dispatch(block);
                   },
                   link};
    FakeConnectView connectView;
    FakeTryingView tryingView;
    FakeChangeTriesView changeView;
    FakeTimedOutView timedOutView;
    ConnectionController ctl{port,
                             queue,
                             clock,
                             status,
                             data,
                             link,
                             {connectView, tryingView, changeView, timedOutView}};
    bool logGreen = true;
    std::vector<std::string> blocks;
};

}  // namespace zorvex::testing
