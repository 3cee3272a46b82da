// Keys typed into the communication log, with the bypass switched on and off, the monitor
// echoing and answering, time passing and the log window cleared, all in arbitrary order.
// Each Enter queues exactly the keys typed since the last one and the monitor receives the
// queued commands whole and in order; bypassed keys reach the port at once (a line feed
// after each carriage return); the window's copy of the log always equals the log.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "NullServices.h"
#include "VirtualClock.h"
#include "core/link/CommLog.h"
#include "core/link/ReceivePath.h"
#include "core/link/TransmitQueue.h"
#include "core/protocol/ResponseDispatcher.h"

namespace {

using namespace zorvex;
using namespace zorvex::testing;
using zorvex::fuzzing::Require;

// Writes made while a key is being typed are the bypass's; the queue writes only on its
// timers.
class SplitPort : public NullPort {
  public:
    bool Write(std::string_view bytes) override {
        (typing ? bypassed : queued) += bytes;
        if (!typing) {
            lastQueued = std::string(bytes);
        }
        return NullPort::Write(bytes);
    }
    bool typing = false;
    std::string bypassed;
    std::string queued;
    std::string lastQueued;
};

class MirrorView : public CommLogView {
  public:
    void ShowControls(const CommLogControls&) override {}
    void LogTextPending() override { pending = true; }
    void ShowFileLogFailure(const std::string&) override {}
    bool pending = false;
    std::string shown;
};

class NoFiles : public LogFileCreator {
  public:
    LogFileCreation Create(const std::string&) override { return {nullptr, "none"}; }
};

class FixedClock : public WallClock {
  public:
    LocalDateTime Now() const override { return {2026, 12, 6, 12, 0, 0}; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    VirtualClock timers;
    SplitPort port;
    NullBeeper beeper;
    NullSettings settings;
    NullStatus status;
    FixedClock wallClock;
    NoFiles files;
    LinkState link;
    TransmitQueue queue(port, timers, beeper);
    CommLog log({link, queue, port, settings, status, wallClock, files, {}});
    MirrorView view;
    log.SetView(&view);
    ResponseDispatcher dispatcher;
    ReceivePath rx(
        queue, [&](std::string_view block) { dispatcher.Dispatch(block); }, link);
    rx.SetTrafficLog(&log);
    log.Create();
    log.SetXmitQueueBypass(false);
    log.SetWindowLogEnabled(true);

    std::string typedLine;   // what Enter must queue
    std::string queuedText;  // everything queued, in order
    std::string bypassText;  // everything bypassed, in order

    // The monitor echoes the command it was given (prompt characters cannot be echoed
    // inside an answer) and ends its answer with a prompt.
    auto answer = [&] {
        if (!queue.AwaitingReply() || queue.WriteScheduled()) {
            return;
        }
        std::string echo;
        for (char c : port.lastQueued) {
            if (c != '#' && c != '$' && c != '!') {
                echo += c;
            }
        }
        rx.Feed(echo + "#");
    };
    auto catchUp = [&] {
        if (view.pending) {
            view.pending = false;
            const LogTextUpdate update = log.TakeTextUpdate();
            if (update.cleared) {
                view.shown.clear();
            }
            view.shown += update.appended;
        }
        Require(view.shown == log.LogText(), "the window shows the log text");
        Require(log.LogText().size() <= CommLog::kWindowTextLimit + 2,
                "the log window's text stays within its limit");
        Require(log.TypedLine() == typedLine, "the typed line holds the keys since Enter");
    };

    for (std::size_t i = 0; i < size; ++i) {
        const char key = static_cast<char>(data[i]);
        switch (data[i]) {
            case 0x01:
                log.SetXmitQueueBypass(!link.XmitQueueOverride);
                break;
            case 0x02:
                answer();
                break;
            case 0x03:
                timers.Advance(150);
                break;
            case 0x04:
                log.ClearLogWindow();
                break;
            default:
                if (link.XmitQueueOverride) {
                    bypassText += key;
                    if (key == '\r') {
                        bypassText += '\n';
                    }
                } else if (key == '\r') {
                    queuedText += typedLine + "\r\n";
                    typedLine.clear();
                } else {
                    typedLine += key;
                }
                port.typing = true;
                log.TypeKey(key);
                port.typing = false;
                break;
        }
        catchUp();
        Require(port.bypassed == bypassText, "bypassed keys reach the port as typed");
        Require(queuedText.compare(0, port.queued.size(), port.queued) == 0,
                "the port receives the queued commands whole and in order");
    }
    // The monitor answers until nothing is left: every command typed has been sent.
    for (std::size_t turn = 0; turn < 2 * queuedText.size() + 2; ++turn) {
        timers.Advance(150);
        answer();
    }
    timers.Advance(150);
    catchUp();
    Require(port.queued == queuedText, "every queued command reaches the port");
    return 0;
}
