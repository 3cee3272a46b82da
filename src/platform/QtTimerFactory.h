#pragma once

#include "core/support/Timer.h"

namespace zorvex {

// Core timers on QTimer, ticking on the user-interface thread.
class QtTimerFactory : public TimerFactory {
  public:
    std::unique_ptr<Timer> CreateTimer(std::function<void()> onTick) override;
};

}  // namespace zorvex
