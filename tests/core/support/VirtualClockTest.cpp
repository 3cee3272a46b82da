#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "VirtualClock.h"

namespace zorvex::testing {
namespace {

TEST(VirtualClock, RepeatsEveryIntervalRestartsTheCountWhenStartedAgainAndStopsWhenStopped) {
    VirtualClock clock;
    std::vector<int64_t> ticks;
    auto timer = clock.CreateTimer([&] { ticks.push_back(clock.NowMs()); });
    timer->Start(2000);
    clock.Advance(6999);
    timer->Start(2000);
    clock.Advance(2000);
    timer->Stop();
    clock.Advance(10000);
    EXPECT_EQ(ticks, (std::vector<int64_t>{2000, 4000, 6000, 8999}));
}

TEST(VirtualClock, FiresDueTicksInTimeOrderWhichMayStartOrDestroyTimers) {
    VirtualClock clock;
    std::vector<std::string> order;
    std::unique_ptr<Timer> early, late;
    early = clock.CreateTimer([&] {
        order.push_back("early@" + std::to_string(clock.NowMs()));
        early->Stop();
        late->Start(50);
    });
    late = clock.CreateTimer([&] {
        order.push_back("late@" + std::to_string(clock.NowMs()));
        late.reset();
    });
    early->Start(100);
    clock.Advance(1000);
    EXPECT_EQ(order, (std::vector<std::string>{"early@100", "late@150"}));
}

}  // namespace
}  // namespace zorvex::testing
