#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "FakeSerialPort.h"
#include "FakeServices.h"
#include "NullServices.h"
#include "VirtualClock.h"
#include "core/app/StatusOperations.h"
#include "core/data/MonitorData.h"
#include "core/link/ConnectionController.h"
#include "core/link/LinkState.h"
#include "core/link/ReceivePath.h"
#include "core/link/TrafficLog.h"
#include "core/link/TransmitQueue.h"
#include "core/protocol/LinkReplyHandlers.h"
#include "core/protocol/ResponseDispatcher.h"

namespace zorvex::testing {

// The status operations as the shell applies them to the link: caption and MonitorOnline.
struct RecordingStatus : StatusOperations {
    explicit RecordingStatus(MonitorData& data) : data(data) {}
    void SetMonitorOnline() override { Set("online", true); }
    void SetBootModeStatus() override { Set("boot", true); }
    void SetMonitorOffline() override { Set("No monitor", false); }
    void SetOfflineDemoMode() override { SetMonitorOffline(); }
    void SetGoOfflineEnabled(bool) override {}
    void Set(const char* text, bool online) {
        status = text;
        data.MonitorOnline = online;
    }
    MonitorData& data;
    std::string status = "none";
};

struct RecordingTrafficLog : TrafficLog {
    void LogReceivedChar(char c) override { text += c; }
    void LogReceivedLineEnd() override { text += "<CR>"; }
    void LogNote(const std::string&) override {}
    std::string text;
};

// A window that records whether it is shown.
template <class View>
struct Shown : View {
    void ShowWindow() override { shown = true; }
    void HideWindow() override { shown = false; }
    bool shown = false;
};

struct FakeConnectView : Shown<ConnectWindowView> {
    void SetStatusText(const std::string& text) override { status = text; }
    void SetIndicatorOnline(bool online) override { green = online; }
    void SetSelectedPort(int) override {}
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool green = true;  // so the first red is seen
    std::string status;
    std::vector<std::string> messages;
};

struct FakeTryingView : Shown<TryingWindowView> {
    void SetLimitText(const std::string& text) override { limit = text; }
    void SetToGoText(const std::string& text) override { toGo.push_back(text); }
    std::string limit = "?";
    std::vector<std::string> toGo{"?"};  // every text shown, the last one showing now
};

struct FakeChangeTriesView : Shown<ChangeTriesView> {
    void SetLimitText(const std::string& value) override { text = value; }
    std::string text;
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
        const auto note = [this](const std::string& text) { notes.push_back(text); };
        queue.SetNoteHandler(note);
        ctl.SetLogNote(note);
    }

    // The monitor's answer to a command: its echo, the answer lines and the prompt.
    void Answer(const std::string& echo, const std::string& prompt = "#",
                const std::string& lines = "") {
        port.Receive(echo + "\r\n" + lines + prompt + "\r\n");
    }
    int Count(const std::string& text) const {
        const auto w = port.WrittenTexts();
        return static_cast<int>(std::count(w.begin(), w.end(), text));
    }
    const std::string& ToGo() const { return tryingView.toGo.back(); }
    // What was written and when, as "p@100 df@2100": a line end "\r\n" is left out.
    std::string Wire() const {
        std::string wire;
        for (const auto& w : port.writes) {
            const bool crlf = w.bytes.ends_with("\r\n");
            wire += (wire.empty() ? "" : " ") + w.bytes.substr(0, w.bytes.size() - (crlf ? 2 : 0)) +
                    "@" + std::to_string(w.atMs);
        }
        return wire;
    }

    VirtualClock clock;
    FakeSerialPort port{&clock};
    FakeBeeper beeper;
    MonitorData data;
    LinkState link;
    RecordingStatus status{data};
    NullLabels labels;
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
    Shown<TimedOutView> timedOutView;
    ConnectionController::Views views{connectView, tryingView, changeView, timedOutView};
    ConnectionController ctl{port, queue, clock, status, data, link, views};
    bool logGreen = true;
    std::vector<std::string> blocks;
    std::vector<std::string> notes;  // lines for the communication log
};

}  // namespace zorvex::testing
