#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DataTestSupport.h"
#include "VirtualClock.h"
#include "core/data/UpdateAllDataCycle.h"

namespace zorvex {
namespace {

using Sent = std::vector<std::string>;

// Progress as one line of events: each step sent by number, "done" for a completed pass.
struct ProgressLog : UpdateAllDataProgress {
    void StepSent(int step) override { events += std::to_string(step) + " "; }
    void PassCompleted() override { events += "done "; }
    std::string events;
};

struct CycleRig {
    MonitorData data;
    ProgressLog progress;
    testing::RecordingSink sink;
    testing::VirtualClock clock;
    int16_t sendCount = 0;
    UpdateAllDataCycle cycle{data, sink, clock, sendCount};

    CycleRig() {
        data.MonitorOnline = true;
        cycle.SetProgress(&progress);
    }
    // The requests queued during the next n seconds, one entry per tick ("" for none).
    Sent Ticks(int n) {
        Sent sent;
        for (int i = 0; i < n; ++i) {
            sink.Take();
            clock.Advance(1000);
            auto queued = sink.Take();
            EXPECT_LE(queued.size(), 1u);
            sent.push_back(queued.empty() ? "" : queued.front());
        }
        return sent;
    }
};

TEST(UpdateAllDataCycle, UpdateAllDataSendsDaAtOnceAndTheFirstTickSendsDaAgain) {
    CycleRig rig;
    rig.cycle.Restart();
    EXPECT_EQ(rig.sink.Take(), Sent{"da\r\n"});
    rig.clock.Advance(999);
    EXPECT_TRUE(rig.sink.commands.empty());
    EXPECT_EQ(rig.Ticks(1), Sent{"da\r\n"});
    EXPECT_EQ(rig.sendCount, 1);
}

TEST(UpdateAllDataCycle, PassesSendEveryStepInOrderAndLaterPassesStartAtDc) {
    CycleRig rig;
    rig.cycle.Restart();
    const auto first = rig.Ticks(46);
    // Tick 0 repeats step 0, ticks 1..44 send steps 1..44, the tick after "ddfs" is idle.
    const char* order[] = {"da",   "db",   "dc",   "",     "ddv",  "ddfv", "ddpv", "ddh",
                           "ddph", "ddfh", "ddl",  "ddpl", "ddfl", "ddb",  "ddpb", "ddfb",
                           "de",   "df",   "dh",   "dms",  "dps",  "dss",  "dt",   "dw",
                           "dda",  "ddpa", "ddfa", "ddd",  "ddpd", "ddfd", "dde",  "ddpe",
                           "ddfe", "ddg",  "ddpg", "ddfg", "ddi",  "ddpi", "ddfi", "ddk",
                           "ddpk", "ddfk", "dds",  "ddps", "ddfs", ""};
    for (std::size_t tick = 0; tick < first.size(); ++tick) {
        const std::string request = order[tick];
        EXPECT_EQ(first[tick], request.empty() ? "" : request + "\r\n") << tick;
    }
    const auto second = rig.Ticks(45);
    EXPECT_EQ(second.front(), "dc\r\n");
    EXPECT_EQ(second[42], "ddfs\r\n");
    EXPECT_EQ(second[43], "");
    EXPECT_EQ(second[44], "dc\r\n");
}

TEST(UpdateAllDataCycle, ProgressNamesEachStepAndThePassEndOnlyWhileOnline) {
    CycleRig rig;
    rig.cycle.Restart();
    rig.Ticks(47);
    std::string expected = "0 ";  // the restart's own step 0, then the ticks' pass
    for (int step = 0; step < UpdateAllDataSteps; ++step) {
        expected += std::to_string(step) + " ";
    }
    EXPECT_EQ(rig.progress.events, expected + "done 2 ");
    rig.data.MonitorOnline = false;
    rig.progress.events.clear();
    rig.Ticks(3);
    EXPECT_EQ(rig.progress.events, "");
}

TEST(UpdateAllDataCycle, OfflineTicksSendNothingAndTheCounterStaysBounded) {
    CycleRig rig;
    rig.data.MonitorOnline = false;
    rig.cycle.Restart();  // with no monitor online: nothing sent, no timer started
    EXPECT_TRUE(rig.sink.commands.empty());
    EXPECT_FALSE(rig.clock.FireNext());
    rig.data.MonitorOnline = true;
    rig.cycle.Restart();
    rig.Ticks(5);  // steps 0..4 sent; the counter now names step 5
    rig.data.MonitorOnline = false;
    EXPECT_EQ(rig.Ticks(3), (Sent{"", "", ""}));  // steps 5..7 pass idle
    rig.data.MonitorOnline = true;
    EXPECT_EQ(rig.Ticks(2), (Sent{"ddph\r\n", "ddfh\r\n"}));
    rig.data.MonitorOnline = false;
    // Ten hours offline: a 16-bit counter growing once a second would have overflowed.
    for (int hour = 0; hour < 10; ++hour) {
        rig.clock.Advance(3600 * 1000);
        EXPECT_TRUE(rig.sink.commands.empty());
        EXPECT_GE(rig.sendCount, 0);
        EXPECT_LE(rig.sendCount, UpdateAllDataSteps);
    }
    // Back online after a long spell: one idle tick, then the pass restarts at step 2.
    rig.data.MonitorOnline = true;
    EXPECT_EQ(rig.Ticks(3), (Sent{"", "dc\r\n", ""}));
}

TEST(UpdateAllDataCycle, ARestartInTheMiddleOfAPassGoesBackToStepZero) {
    CycleRig rig;
    rig.cycle.Restart();
    rig.Ticks(20);
    rig.clock.Advance(400);
    rig.cycle.Restart();  // as a save does
    EXPECT_EQ(rig.sink.Take(), Sent{"da\r\n"});
    rig.clock.Advance(999);  // the one-second count starts again from the restart
    EXPECT_TRUE(rig.sink.commands.empty());
    EXPECT_EQ(rig.Ticks(3), (Sent{"da\r\n", "db\r\n", "dc\r\n"}));
}

TEST(UpdateAllDataCycle, StepsOutsideTheTableSetTheCounterToOneAndTheLastLeavesTheTimer) {
    for (int16_t step : {int16_t{45}, int16_t{-1}, int16_t{32767}}) {
        CycleRig rig;
        rig.sendCount = 30;
        rig.cycle.UpdateAllDataStep(step);
        EXPECT_TRUE(rig.sink.commands.empty()) << step;
        EXPECT_EQ(rig.sendCount, 1) << step;
    }
    CycleRig rig;
    rig.cycle.Restart();
    rig.sink.Take();
    rig.clock.Advance(300);
    rig.cycle.UpdateAllDataStep(44);  // sends "ddfs" without restarting the count
    EXPECT_EQ(rig.sink.Take(), Sent{"ddfs\r\n"});
    rig.clock.Advance(700);
    EXPECT_EQ(rig.sink.Take(), Sent{"da\r\n"});
}

}  // namespace
}  // namespace zorvex
