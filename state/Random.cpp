#include "Random.h"

#include "Clock.h"

namespace {

std::uint32_t seedFromClock() { return static_cast<std::uint32_t>(CurrentClock().performanceCounter()); }

std::uint32_t (*seedSource)() = seedFromClock;

}  // namespace

Random& ProcessRandom() {
    static Random generator;
    return generator;
}

void Reseed() { ProcessRandom().setSeed(seedSource()); }

void setSeedSource(std::uint32_t (*source)()) { seedSource = source ? source : seedFromClock; }
