#include <benchmark/benchmark.h>

#include <string>

#include "NullServices.h"
#include "core/app/StatusOperations.h"
#include "core/link/CommLog.h"
#include "core/link/StdioLogFile.h"
#include "core/settings/SettingsStore.h"
#include "core/support/CommandSink.h"
#include "core/support/SerialPort.h"
#include "core/support/SystemServices.h"

namespace zorvex {
namespace {

using namespace zorvex::testing;

class FixedClock : public WallClock {
  public:
    LocalDateTime Now() const override { return {}; }
};
// Catches up the way the window does: one fetch per batch.
class BatchingView : public CommLogView {
  public:
    void ShowControls(const CommLogControls&) override {}
    void LogTextPending() override { ++batches; }
    void ShowFileLogFailure(const std::string&) override {}
    long batches = 0;
};

// A megabyte of what a monitor sends during a memory dump: echoes, answers, prompts.
std::string MonitorOutput(std::size_t bytes) {
    const std::string transcript = "rb\r\nAddr = 0x1A2C := 0x3F '?'\r\n#";
    std::string out;
    out.reserve(bytes);
    while (out.size() < bytes) {
        out.append(transcript, 0, std::min(transcript.size(), bytes - out.size()));
    }
    return out;
}

void TakeIn(benchmark::State& state, bool fileLogging) {
    constexpr std::size_t kBytes = 1'000'000;
    constexpr std::size_t kPortRead = 4096;    // one receive event's worth
    constexpr std::size_t kBatch = 64 * 1024;  // what arrives between two repaints
    const std::string output = MonitorOutput(kBytes);

    LinkState link;
    link.CommLogEnabled = true;
    NullCommands commands;
    NullPort port;
    NullSettings settings;
    NullStatus status;
    FixedClock clock;
    StdioLogFileCreator files;
    BatchingView view;
    CommLog log(CommLogServices{link, commands, port, settings, status, clock, files, {}});
    log.SetView(&view);
    log.Create();
    if (fileLogging) {
        log.OpenLogFile("/dev/null");
        log.SetFileLogEnabled(true);
    }

    std::size_t shown = 0;
    for (auto _ : state) {
        std::size_t sinceRepaint = 0;
        for (std::size_t at = 0; at < output.size(); at += kPortRead) {
            const std::string_view read = std::string_view(output).substr(at, kPortRead);
            // As the receive path hands it on: CR is a line end, LF is dropped.
            for (char c : read) {
                if (c == '\r') {
                    log.LogReceivedLineEnd();
                } else if (c != '\n') {
                    log.LogReceivedChar(c);
                }
            }
            sinceRepaint += read.size();
            if (sinceRepaint >= kBatch) {
                shown += log.TakeTextUpdate().appended.size();
                sinceRepaint = 0;
            }
        }
        shown += log.TakeTextUpdate().appended.size();
    }
    benchmark::DoNotOptimize(shown);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBytes));
    state.counters["batches"] = static_cast<double>(view.batches);
}

void BM_CommLogTakesInOneMegabyteWithWindowLogging(benchmark::State& state) {
    TakeIn(state, false);
}
void BM_CommLogTakesInOneMegabyteWithWindowAndFileLogging(benchmark::State& state) {
    TakeIn(state, true);
}

BENCHMARK(BM_CommLogTakesInOneMegabyteWithWindowLogging)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CommLogTakesInOneMegabyteWithWindowAndFileLogging)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zorvex
