#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "VirtualClock.h"

namespace zorvex::testing {
namespace {

TEST(VirtualClock, RepeatsEveryIntervalUntilStopped) {
    VirtualClock clock;
    std::vector<int64_t> ticks;
    auto timer = clock.CreateTimer([&] { ticks.push_back(clock.NowMs()); });
    timer->Start(2000);
    clock.Advance(6999);
    EXPECT_EQ(ticks, (std::vector<int64_t>{2000, 4000, 6000}));
    timer->Stop();
    clock.Advance(10000);
    EXPECT_EQ(ticks.size(), 3u);
}

TEST(VirtualClock, StartingAgainRestartsTheCount) {
    VirtualClock clock;
    std::vector<int64_t> ticks;
    auto timer = clock.CreateTimer([&] { ticks.push_back(clock.NowMs()); });
    timer->Start(5000);
    clock.Advance(4000);
    timer->Start(5000);
    clock.Advance(5000);
    EXPECT_EQ(ticks, (std::vector<int64_t>{9000}));
}

TEST(VirtualClock, DueTicksFireInTimeOrderAndMayStartOthers) {
    VirtualClock clock;
    std::vector<std::string> order;
    std::unique_ptr<Timer> late;
    auto early = clock.CreateTimer([&] {
        order.push_back("early@" + std::to_string(clock.NowMs()));
        late->Start(50);
    });
    late = clock.CreateTimer([&] {
        order.push_back("late@" + std::to_string(clock.NowMs()));
        late->Stop();
    });
    early->Start(100);
    clock.Advance(160);
    EXPECT_EQ(order, (std::vector<std::string>{"early@100", "late@150"}));
}

TEST(VirtualClock, ATimerDestroyedInsideATickNeverFiresAgain) {
    VirtualClock clock;
    int fired = 0;
    std::unique_ptr<Timer> timer;
    timer = clock.CreateTimer([&] {
        ++fired;
        timer.reset();
    });
    timer->Start(10);
    clock.Advance(100);
    EXPECT_EQ(fired, 1);
}

}  // namespace
}  // namespace zorvex::testing
