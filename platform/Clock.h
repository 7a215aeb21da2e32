#pragma once
// Every reading of time goes through here, so tests can run a clock of their own.
#include <cstdint>

class Clock {
public:
    virtual ~Clock() = default;
    virtual double timeOfDay() const = 0;           // local time of day as a day fraction
    virtual double today() const = 0;               // local date as a whole day count
    virtual std::uint32_t tickCount() const = 0;     // milliseconds since start, wrapping at 2^32
    virtual std::int64_t monotonicMs() const = 0;    // never goes back, not even at midnight
    virtual std::uint64_t performanceCounter() const = 0;  // high-resolution counter for seeding
};

const Clock& CurrentClock();
void setClock(const Clock* replacement);  // nullptr puts the system clock back
