// Arbitrary received bytes through the receive framing into Dispatch, with every reply
// handler registered and the transmit queue and connection timers running: nothing may
// crash, grow without bound, or hand the dispatcher a block that is not framed. Half the
// inputs arrive over an RFC 2217 link, through the telnet codec first.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "NullServices.h"
#include "core/app/StatusOperations.h"
#include "core/data/MonitorData.h"
#include "core/link/LinkState.h"
#include "core/link/ReceivePath.h"
#include "core/link/TelnetComPort.h"
#include "core/link/TransmitQueue.h"
#include "core/panels/diagnostics/PeekPoke.h"
#include "core/panels/info/InfoLabels.h"
#include "core/panels/stroke/ApplyStrokeParameters.h"
#include "core/protocol/DacTableHandlers.h"
#include "core/protocol/IdentificationReplies.h"
#include "core/protocol/LinkReplyHandlers.h"
#include "core/protocol/ResponseDispatcher.h"
#include "core/support/SerialPort.h"
#include "core/support/SystemServices.h"
#include "core/support/Timer.h"

namespace {

using namespace zorvex;
using namespace zorvex::testing;

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Timers that fire when the harness moves its own clock on.
class ManualClock : public TimerFactory {
  public:
    struct Entry {
        std::function<void()> tick;
        bool active = false;
        int interval = 0;
        int64_t due = 0;
    };
    class ManualTimer : public Timer {
      public:
        ManualTimer(ManualClock& clock, Entry& entry) : clock_(clock), entry_(entry) {}
        void Start(int ms) override {
            entry_.active = true;
            entry_.interval = ms < 1 ? 1 : ms;
            entry_.due = clock_.now + entry_.interval;
        }
        void Stop() override { entry_.active = false; }
        bool IsActive() const override { return entry_.active; }
        int Interval() const override { return entry_.interval; }

      private:
        ManualClock& clock_;
        Entry& entry_;
    };

    std::unique_ptr<Timer> CreateTimer(std::function<void()> onTick) override {
        entries.push_back(std::make_unique<Entry>());
        entries.back()->tick = std::move(onTick);
        return std::make_unique<ManualTimer>(*this, *entries.back());
    }
    void Advance(int64_t ms) {
        now += ms;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            Entry& e = *entries[i];
            if (e.active && e.due <= now) {
                e.due = now + e.interval;
                e.tick();
            }
        }
    }

    int64_t now = 0;
    std::vector<std::unique_ptr<Entry>> entries;
};

class NullStrokeTarget : public StrokeParameterTarget {
  public:
    void SetBar(StrokeBar, int) override {}
    void SetBarLabel(StrokeBar, const std::string&) override {}
    void SetText(StrokeText, const std::string&) override {}
    void SelectOption(StrokeOptionGroup, int) override {}
    void SelectRawBlank() override {}
    void SetTurn(StrokeTurn, bool) override {}
};

// A block as the framing builds it: ends with its prompt, no other prompt inside, every
// line end "\r\n", within the bound.
void CheckBlock(std::string_view block) {
    Require(!block.empty() && block.size() <= ReceivePath::ReceiveBufferLimit);
    Require(block.back() == '#' || block.back() == '$');
    for (std::size_t i = 0; i + 1 < block.size(); ++i) {
        const char c = block[i];
        Require(c != '#' && c != '$' && c != '!');
        if (c == '\r') {
            Require(block[i + 1] == '\n');
        }
        if (c == '\n') {
            Require(i > 0 && block[i - 1] == '\r');
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ManualClock clock;
    NullPort port;
    NullBeeper beeper;
    NullLabels labels;
    NullBoxes boxes;
    NullStrokeTarget stroke;
    MonitorData model;
    LinkState link;
    ResponseDispatcher dispatcher;
    RegisterLinkReplyHandlers(dispatcher, model, labels);
    IdentificationReplies identification(model, labels);
    identification.Register(dispatcher);
    RegisterDacTableHandlers(dispatcher, model);
    PeekPokeReplies peekPoke(boxes);
    peekPoke.Register(dispatcher);
    dispatcher.Register(ReplyHandlerId::StrokeParameters,
                        [&stroke](std::string_view text) { ApplyStrokeParameters(text, stroke); });

    TransmitQueue queue(port, clock, beeper);
    ReceivePath rx(
        queue,
        [&](std::string_view block) {
            CheckBlock(block);
            dispatcher.Dispatch(block);
        },
        link);

    // The first byte picks the sizes of the receive events, so the same text is also tried
    // split in other places; a few events queue a command or let time pass.
    if (size == 0) {
        return 0;
    }
    const unsigned chunking = data[0];
    std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    link.CommLogEnabled = (chunking & 0x80) != 0;
    std::optional<TelnetComPort> telnet;
    if ((chunking & 0x40) != 0) {
        telnet.emplace().Start();
    }
    TelnetComPort echo;  // what it escapes it reads back whole
    std::size_t step = 0;
    while (!bytes.empty()) {
        const std::size_t n = 1 + (chunking * 31 + step * 7) % 64;
        const std::string_view chunk = bytes.substr(0, n);
        bytes.remove_prefix(chunk.size());
        Require(echo.Feed(TelnetComPort::Escape(chunk)).data == chunk);
        if (telnet) {
            const TelnetComPort::Received received = telnet->Feed(chunk);
            Require(received.reply.empty() || static_cast<uint8_t>(received.reply[0]) == 255);
            rx.Feed(received.data);
        } else {
            rx.Feed(chunk);
        }
        Require(rx.ReceiveBuffer().size() < ReceivePath::ReceiveBufferLimit);
        if (step % 3 == 0) {
            queue.QueueCommand("df\r\n");
        }
        if (step % 5 == 0) {
            clock.Advance(150);
        }
        ++step;
    }
    clock.Advance(5000);
    return 0;
}
