// Receive framing plus dispatch over a long monitor session: the replies the tool asks for
// at start-up, in the update-all cycle and in the panels, with their echoes, line ends and
// prompts, as the port delivers them in small reads.
#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "NullServices.h"
#include "core/data/MonitorData.h"
#include "core/link/LinkState.h"
#include "core/link/ReceivePath.h"
#include "core/link/TransmitQueue.h"
#include "core/panels/diagnostics/PeekPoke.h"
#include "core/panels/info/InfoLabels.h"
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

class IdleTimer : public Timer {
  public:
    void Start(int ms) override {
        active_ = true;
        interval_ = ms;
    }
    void Stop() override { active_ = false; }
    bool IsActive() const override { return active_; }
    int Interval() const override { return interval_; }

  private:
    bool active_ = false;
    int interval_ = 0;
};

class IdleTimers : public TimerFactory {
  public:
    std::unique_ptr<Timer> CreateTimer(std::function<void()>) override {
        return std::make_unique<IdleTimer>();
    }
};

// One round of a session as it comes off the wire: echo, "\r\n", answer lines, prompt.
std::string SessionRound() {
    static const char* const answers[] = {
        "p\r\n#\r\n",
        "df\r\nV 2.05\r\n#\r\n",
        "de\r\nV 1.10\r\n#\r\n",
        "dms\r\nModel Number = 1234-5\r\n#\r\n",
        "dss\r\nSerial Number = 000731\r\n#\r\n",
        "dmu\r\nModel Number = 8812-001\r\n#\r\n",
        "dx\r\nCapability = 0x2D\r\n#\r\n",
        "dt\r\n1234,5,7,9\r\n0,3,50,59\r\n4711\r\n#\r\n",
        "dh\r\nCurrent Limit = 200\r\nUpper Limit = 28\r\nLower Limit = 12\r\n"
        "HV Control Value = 1023, 512\r\nFocus Control Value = 77, 78\r\n#\r\n",
        "da\r\n+5V = 5.02\r\n+12V = 12.1\r\n-12V = -11.9\r\n#\r\n",
        "ddfb\r\n100,101,102,103,104,105,106\r\n200,201,202,203,204,205,206\r\n"
        "300,301,302,303,304,305,306\r\n#\r\n",
        "ddph\r\n10,11,12,13,14,15,16\r\n20,21,22,23,24,25,26\r\n#\r\n",
        "ddpn\r\nSet 1,Set 2,Set 3,Set 4,Set 5,Set 6\r\n#\r\n",
        "a1000\r\nAddr = 0x1000\r\n#\r\n",
        "rb\r\n:= 0x12\r\n#\r\n",
        "dt\r\n!\r\n",
        "TYW2ba1\r\n#\r\n",
    };
    std::string round;
    for (const char* answer : answers) {
        round += answer;
    }
    return round;
}

std::string Session(std::size_t bytes) {
    const std::string round = SessionRound();
    std::string session;
    session.reserve(bytes + round.size());
    while (session.size() < bytes) {
        session += round;
    }
    return session;
}

void ReceiveAndDispatch(benchmark::State& state) {
    const std::size_t readSize = static_cast<std::size_t>(state.range(0));
    const std::string session = Session(8 * 1024 * 1024);
    MonitorData data;
    LinkState link;
    NullLabels labels;
    NullBoxes boxes;
    IdleTimers timers;
    NullPort port;
    NullBeeper beeper;
    ResponseDispatcher dispatcher;
    RegisterLinkReplyHandlers(dispatcher, data, labels);
    IdentificationReplies identification(data, labels);
    identification.Register(dispatcher);
    RegisterDacTableHandlers(dispatcher, data);
    PeekPokeReplies peekPoke(boxes);
    peekPoke.Register(dispatcher);
    TransmitQueue queue(port, timers, beeper);
    std::size_t blocks = 0;
    ReceivePath rx(
        queue,
        [&](std::string_view block) {
            ++blocks;
            dispatcher.Dispatch(block);
        },
        link);

    for (auto _ : state) {
        const std::string_view all(session);
        for (std::size_t at = 0; at < all.size(); at += readSize) {
            rx.Feed(all.substr(at, readSize));
        }
    }
    benchmark::DoNotOptimize(blocks);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(session.size()));
    state.counters["blocks"] =
        benchmark::Counter(static_cast<double>(blocks), benchmark::Counter::kIsRate);
}
// Reads of 1 byte (one event per character at worst), 16 (a FIFO's worth) and 4 KiB.
BENCHMARK(ReceiveAndDispatch)->Arg(1)->Arg(16)->Arg(4096)->Unit(benchmark::kMillisecond);

}  // namespace
