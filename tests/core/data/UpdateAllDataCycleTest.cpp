#include <gtest/gtest.h>

#include <string>

#include "DataTestSupport.h"
#include "VirtualClock.h"
#include "core/data/UpdateAllDataCycle.h"

namespace zorvex {
namespace {

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
    // The requests queued, blank separated, without their "\r\n" ("?" marks one without it,
    // "-" a tick that sent nothing).
    std::string Sent() {
        std::string sent;
        for (const std::string& c : sink.Take()) {
            sent += sent.empty() ? "" : "+";
            sent += c.ends_with("\r\n") ? c.substr(0, c.size() - 2) : c + "?";
        }
        return sent.empty() ? "-" : sent;
    }
    // What each of the next n seconds sends.
    std::string Ticks(int n) {
        std::string sent;
        for (int i = 0; i < n; ++i) {
            sink.Take();
            clock.Advance(1000);
            sent += (i == 0 ? "" : " ") + Sent();
        }
        return sent;
    }
};

// Steps 2 to 44 and the idle tick after them; step 3 asks nothing.
const std::string PassFromDc =
    "dc - ddv ddfv ddpv ddh ddph ddfh ddl ddpl ddfl ddb ddpb ddfb de df dh dms dps dss dt dw "
    "dda ddpa ddfa ddd ddpd ddfd dde ddpe ddfe ddg ddpg ddfg ddi ddpi ddfi ddk ddpk ddfk dds "
    "ddps ddfs -";

TEST(UpdateAllDataCycle, APassSendsEveryStepInOrderOncePerSecondLaterPassesStartAtDcARestartAtDa) {
    CycleRig rig;
    rig.cycle.Restart();
    EXPECT_EQ(rig.Sent(), "da");  // at once; the first tick sends step 0 again
    EXPECT_EQ(rig.Ticks(46), "da db " + PassFromDc);
    // The progress: the restart's own step 0, then the pass.
    EXPECT_EQ(rig.progress.events,
              "0 0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22"
              " 23 24 25 26 27 28 29 30 31 32 33 34 35 36 37 38 39 40 41 42 43 44 done ");
    EXPECT_EQ(rig.Ticks(45), PassFromDc + " dc");
    // A restart in the middle of a pass (as a save does) goes back to step 0, and the
    // one-second count starts again from it.
    rig.clock.Advance(400);
    rig.cycle.Restart();
    EXPECT_EQ(rig.Sent(), "da");
    rig.clock.Advance(999);
    EXPECT_EQ(rig.Sent(), "-");
    EXPECT_EQ(rig.Ticks(3), "da db dc");
}

TEST(UpdateAllDataCycle, OfflineTicksSendNothingAndTheCounterStaysBounded) {
    CycleRig rig;
    rig.data.MonitorOnline = false;
    rig.cycle.Restart();  // with no monitor online: nothing sent, no timer started
    EXPECT_EQ(rig.Sent() + std::to_string(rig.clock.FireNext()), "-0");
    rig.data.MonitorOnline = true;
    rig.cycle.Restart();
    rig.Ticks(5);  // steps 0..4 sent; the counter now names step 5
    rig.data.MonitorOnline = false;
    EXPECT_EQ(rig.Ticks(3), "- - -");  // steps 5..7 pass idle
    rig.data.MonitorOnline = true;
    EXPECT_EQ(rig.Ticks(2), "ddph ddfh");
    rig.data.MonitorOnline = false;
    // Ten hours offline: a 16-bit counter growing once a second would have overflowed.
    for (int hour = 0; hour < 10; ++hour) {
        rig.clock.Advance(3600 * 1000);
        EXPECT_EQ(rig.Sent(), "-");
        EXPECT_TRUE(rig.sendCount >= 0 && rig.sendCount <= UpdateAllDataSteps) << rig.sendCount;
    }
    // Back online after a long spell: one idle tick, then the pass restarts at step 2.
    rig.data.MonitorOnline = true;
    EXPECT_EQ(rig.Ticks(3), "- dc -");
}

TEST(UpdateAllDataCycle, StepsOutsideTheTableSetTheCounterToOneAndTheLastLeavesTheTimer) {
    for (int16_t step : {int16_t{45}, int16_t{-1}, int16_t{32767}}) {
        CycleRig rig;
        rig.sendCount = 30;
        rig.cycle.UpdateAllDataStep(step);
        EXPECT_EQ(rig.Sent() + " " + std::to_string(rig.sendCount), "- 1") << step;
    }
    CycleRig rig;
    rig.cycle.Restart();
    rig.sink.Take();
    rig.clock.Advance(300);
    rig.cycle.UpdateAllDataStep(44);  // sends "ddfs" without restarting the count
    EXPECT_EQ(rig.Sent(), "ddfs");
    rig.clock.Advance(700);
    EXPECT_EQ(rig.Sent(), "da");
}

}  // namespace
}  // namespace zorvex
