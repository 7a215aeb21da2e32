#pragma once
// The process-wide 32-bit linear congruential generator behind every draw.
#include <cstdint>

class Random {
public:
    void setSeed(std::uint32_t value) { seed_ = value; }
    std::uint32_t seed() const { return seed_; }
    // A draw in 0 .. range - 1: advance the seed, then take the upper half of seed * range.
    std::uint32_t draw(std::uint32_t range) {
        seed_ = seed_ * 134775813u + 1u;
        return static_cast<std::uint32_t>((std::uint64_t(seed_) * range) >> 32);
    }

private:
    std::uint32_t seed_ = 0;
};

Random& ProcessRandom();
void Reseed();  // from the low 32 bits of the high-resolution counter

// Tests fix the seed every Reseed takes; nullptr goes back to the clock.
void setSeedSource(std::uint32_t (*source)());
