#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DataTestSupport.h"
#include "VirtualClock.h"
#include "core/data/UpdateAllDataCycle.h"

namespace zorvex {
namespace {

using testing::RecordingSink;
using testing::VirtualClock;

struct CycleRig {
    MonitorData data;
    RecordingSink sink;
    VirtualClock clock;
    int16_t sendCount = 0;
    UpdateAllDataCycle cycle{data, sink, clock, sendCount};

    CycleRig() { data.MonitorOnline = true; }
    // The requests queued during the next n seconds, one entry per tick ("" for none).
    std::vector<std::string> Ticks(int n) {
        std::vector<std::string> sent;
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
    EXPECT_FALSE(rig.cycle.Running());
    rig.cycle.Restart();
    EXPECT_EQ(rig.sink.Take(), std::vector<std::string>{"da\r\n"});
    EXPECT_TRUE(rig.cycle.Running());
    rig.clock.Advance(999);
    EXPECT_TRUE(rig.sink.commands.empty());
    EXPECT_EQ(rig.Ticks(1), std::vector<std::string>{"da\r\n"});
    EXPECT_EQ(rig.sendCount, 1);
}

TEST(UpdateAllDataCycle, AFullPassSendsEveryStepInOrderThenStartsAgainAtDc) {
    CycleRig rig;
    rig.cycle.Restart();
    const auto sent = rig.Ticks(1 + 45 + 2);
    // Tick 0 repeats step 0, ticks 1..44 send steps 1..44.
    std::vector<std::string> expected = {"da\r\n"};
    for (int step = 1; step < UpdateAllDataSteps; ++step) {
        const std::string request(UpdateAllDataRequests[step]);
        expected.push_back(request.empty() ? "" : request + "\r\n");
    }
    expected.push_back("");        // the tick after "ddfs" sends nothing
    expected.push_back("dc\r\n");  // and the next one starts the pass at step 2
    expected.push_back("");        // step 3 has no request
    EXPECT_EQ(sent, expected);
    EXPECT_EQ(sent[44], "ddfs\r\n");
    EXPECT_EQ(sent[3], "");
    EXPECT_EQ(sent[17], "df\r\n");
}

TEST(UpdateAllDataCycle, LaterPassesTakeFortyFourSecondsFromDcToTheIdleTick) {
    CycleRig rig;
    rig.cycle.Restart();
    rig.Ticks(46);  // first pass and its idle tick
    const auto second = rig.Ticks(44);
    EXPECT_EQ(second.front(), "dc\r\n");
    EXPECT_EQ(second[42], "ddfs\r\n");
    EXPECT_EQ(second[43], "");
    EXPECT_EQ(rig.Ticks(1), std::vector<std::string>{"dc\r\n"});
}

TEST(UpdateAllDataCycle, WithNoMonitorOnlineUpdateAllDataSendsNothingAndStartsNoTimer) {
    CycleRig rig;
    rig.data.MonitorOnline = false;
    rig.cycle.Restart();
    EXPECT_TRUE(rig.sink.commands.empty());
    EXPECT_FALSE(rig.cycle.Running());
    EXPECT_FALSE(rig.clock.FireNext());
}

TEST(UpdateAllDataCycle, OfflineTicksSendNothingAndTheCounterStaysBounded) {
    CycleRig rig;
    rig.cycle.Restart();
    rig.Ticks(10);
    rig.data.MonitorOnline = false;
    // Ten hours offline: a 16-bit counter growing once a second would have overflowed.
    for (int hour = 0; hour < 10; ++hour) {
        rig.clock.Advance(3600 * 1000);
        EXPECT_TRUE(rig.sink.commands.empty());
        EXPECT_GE(rig.sendCount, 0);
        EXPECT_LE(rig.sendCount, UpdateAllDataSteps);
    }
    EXPECT_TRUE(rig.cycle.Running());
    // Back online after a long spell: one idle tick, then the pass restarts at step 2.
    rig.data.MonitorOnline = true;
    EXPECT_EQ(rig.Ticks(3), (std::vector<std::string>{"", "dc\r\n", ""}));
}

TEST(UpdateAllDataCycle, AShortOfflineSpellContinuesAtTheStepTheCounterReached) {
    CycleRig rig;
    rig.cycle.Restart();
    rig.Ticks(5);  // steps 0, 1, 2, 3, 4 sent; the counter now names step 5
    rig.data.MonitorOnline = false;
    EXPECT_EQ(rig.Ticks(3), (std::vector<std::string>{"", "", ""}));  // steps 5..7 pass idle
    rig.data.MonitorOnline = true;
    EXPECT_EQ(rig.Ticks(2), (std::vector<std::string>{"ddph\r\n", "ddfh\r\n"}));
}

TEST(UpdateAllDataCycle, ARestartInTheMiddleOfAPassGoesBackToStepZero) {
    CycleRig rig;
    rig.cycle.Restart();
    rig.Ticks(20);
    rig.clock.Advance(400);
    rig.cycle.Restart();  // as a save does
    EXPECT_EQ(rig.sink.Take(), std::vector<std::string>{"da\r\n"});
    // The one-second count starts again from the restart.
    rig.clock.Advance(999);
    EXPECT_TRUE(rig.sink.commands.empty());
    EXPECT_EQ(rig.Ticks(3), (std::vector<std::string>{"da\r\n", "db\r\n", "dc\r\n"}));
}

TEST(UpdateAllDataCycle, StepsOutsideTheTableSetTheCounterToOne) {
    for (int16_t step : {int16_t{45}, int16_t{100}, int16_t{-1}, int16_t{32767}}) {
        CycleRig rig;
        rig.sendCount = 30;
        rig.cycle.UpdateAllDataStep(step);
        EXPECT_TRUE(rig.sink.commands.empty()) << step;
        EXPECT_EQ(rig.sendCount, 1) << step;
    }
}

TEST(UpdateAllDataCycle, TheLastStepLeavesTheTimerCountAlone) {
    CycleRig rig;
    rig.cycle.Restart();
    rig.sink.Take();
    rig.clock.Advance(300);
    rig.cycle.UpdateAllDataStep(44);  // sends "ddfs" without restarting the count
    EXPECT_EQ(rig.sink.Take(), std::vector<std::string>{"ddfs\r\n"});
    rig.clock.Advance(700);  // the tick still falls one second after the restart
    EXPECT_EQ(rig.sink.Take(), std::vector<std::string>{"da\r\n"});
}

}  // namespace
}  // namespace zorvex
