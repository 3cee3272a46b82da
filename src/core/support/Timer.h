#pragma once

#include <functional>
#include <memory>

namespace zorvex {

// A timer of the user-interface thread. Starting it sets the interval and restarts the
// count; it then ticks every interval until stopped. The core never reads a clock itself:
// the tool gives it Qt timers, the tests a virtual clock.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void Start(int intervalMs) = 0;
    virtual void Stop() = 0;
    virtual bool IsActive() const = 0;
    virtual int Interval() const = 0;
};

class TimerFactory {
public:
    virtual ~TimerFactory() = default;
    // The tick runs on the user-interface thread, never inside Start or Stop.
    virtual std::unique_ptr<Timer> CreateTimer(std::function<void()> onTick) = 0;
};

}  // namespace zorvex
