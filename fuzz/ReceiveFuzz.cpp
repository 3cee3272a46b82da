// Arbitrary received bytes through the receive framing into Dispatch, with every reply
// handler registered and the transmit queue running on virtual time: nothing may crash, grow
// without bound, or hand the dispatcher a block that is not framed, and whatever arrives the
// queue keeps its pace: one command outstanding, writes at least 100 ms apart. Half the
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

#include "FuzzCheck.h"
#include "NullServices.h"
#include "VirtualClock.h"
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

using zorvex::fuzzing::Require;

// The port as the monitor sees it: every write with its virtual time, checked against the
// queue's pacing as it happens.
class PacedPort : public NullPort {
  public:
    explicit PacedPort(const VirtualClock& clock) : clock_(clock) {}
    bool Write(std::string_view bytes) override {
        const int64_t now = clock_.NowMs();
        const std::string text(bytes);
        Require(text.find('\n') == text.size() - 1, "a write holds exactly one command");
        if (writes_ > 0) {
            Require(now - lastAt_ >= TransmitQueue::WriteDelayMs,
                    "pacing: writes at " + std::to_string(lastAt_) + " ms and " +
                        std::to_string(now) + " ms, less than 100 ms apart");
            // A resend repeats the last command; anything else waits for an answer or a rejection.
            Require(text == last_ || answeredSinceWrite,
                    "one command outstanding: \"" + text.substr(0, text.size() - 2) +
                        "\" written before \"" + last_.substr(0, last_.size() - 2) +
                        "\" was answered or rejected");
        }
        ++writes_;
        lastAt_ = now;
        last_ = text;
        answeredSinceWrite = false;
        return NullPort::Write(bytes);
    }
    bool answeredSinceWrite = false;

  private:
    const VirtualClock& clock_;
    int writes_ = 0;
    int64_t lastAt_ = 0;
    std::string last_;
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
    Require(!block.empty() && block.size() <= ReceivePath::ReceiveBufferLimit,
            "a block is within the bound");
    Require(block.back() == '#' || block.back() == '$', "a block ends with its prompt");
    for (std::size_t i = 0; i + 1 < block.size(); ++i) {
        const char c = block[i];
        Require(c != '#' && c != '$' && c != '!', "no prompt inside a block");
        if (c == '\r') {
            Require(block[i + 1] == '\n', "every line end in a block is CR LF");
        }
        if (c == '\n') {
            Require(i > 0 && block[i - 1] == '\r', "every line end in a block is CR LF");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    VirtualClock clock;
    PacedPort port(clock);
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
    // split in other places; a few events queue a command (each unlike the one before, so a
    // second write of a command is told from a resend) or let time pass.
    static constexpr const char* Commands[] = {"df\r\n", "de\r\n", "p\r\n", "dz\r\n"};
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
        Require(echo.Feed(TelnetComPort::Escape(chunk)).data == chunk,
                "the telnet codec reads back whole what it escapes");
        std::string arrived(chunk);
        if (telnet) {
            const TelnetComPort::Received received = telnet->Feed(chunk);
            Require(received.reply.empty() || static_cast<uint8_t>(received.reply[0]) == 255,
                    "a telnet reply is a command");
            arrived = received.data;
        }
        rx.Feed(arrived);
        port.answeredSinceWrite =
            port.answeredSinceWrite || arrived.find_first_of("#$!") != arrived.npos;
        Require(rx.ReceiveBuffer().size() < ReceivePath::ReceiveBufferLimit,
                "the receive buffer stays within its bound");
        if (step % 3 == 0) {
            queue.QueueCommand(Commands[step / 3 % 4]);
        }
        if (step % 5 == 0) {
            clock.Advance(150);
        }
        ++step;
    }
    clock.Advance(5000);
    return 0;
}
