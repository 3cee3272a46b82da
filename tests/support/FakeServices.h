#pragma once

#include <utility>
#include <vector>

#include "core/support/SystemServices.h"

namespace zorvex::testing {

class FakeBeeper : public Beeper {
public:
    void Beep(int frequencyHz, int durationMs) override {
        beeps.emplace_back(frequencyHz, durationMs);
    }
    std::vector<std::pair<int, int>> beeps;
};

class FakeWallClock : public WallClock {
public:
    LocalDateTime Now() const override { return now; }
    LocalDateTime now{2001, 6, 14, 9, 5, 7};
};

}  // namespace zorvex::testing
