#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "core/support/Timer.h"

namespace zorvex::testing {

// Virtual time for the core's timers: nothing runs until the test advances the clock, and
// then due ticks fire in time order (ties in the order the timers were started).
class VirtualClock : public TimerFactory {
public:
    std::unique_ptr<Timer> CreateTimer(std::function<void()> onTick) override;

    int64_t NowMs() const { return now_; }
    // Advances by ms, firing every tick that falls due on the way.
    void Advance(int64_t ms);
    // Advances to the next due tick and fires it; false when no timer is running.
    bool FireNext();

private:
    struct Entry;
    class VirtualTimer;
    friend class VirtualTimer;

    int64_t now_ = 0;
    uint64_t sequence_ = 0;
    std::vector<std::shared_ptr<Entry>> entries_;

    std::shared_ptr<Entry> NextDue(int64_t limit) const;
};

}  // namespace zorvex::testing
