#pragma once

#include "core/support/SystemServices.h"

namespace zorvex {

class QtWallClock : public WallClock {
  public:
    LocalDateTime Now() const override;
};

// Linux has no beep of a chosen pitch; the system bell is the nearest honest sound.
class QtBeeper : public Beeper {
  public:
    void Beep(int frequencyHz, int durationMs) override;
};

}  // namespace zorvex
