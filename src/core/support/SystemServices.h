#pragma once

namespace zorvex {

struct LocalDateTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The wall clock, for file names and file headers only; timing goes through Timer.
class WallClock {
public:
    virtual ~WallClock() = default;
    virtual LocalDateTime Now() const = 0;
};

// A beep of a pitch and length; where the system has no such beep, its bell.
class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void Beep(int frequencyHz, int durationMs) = 0;
};

}  // namespace zorvex
