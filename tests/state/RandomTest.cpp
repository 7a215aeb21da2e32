#include "Random.h"

#include <gtest/gtest.h>
#include <vector>

TEST(Random, DrawsFollowTheGeneratorFormula) {
    struct Case {
        std::uint32_t seed, range;
        std::vector<std::uint32_t> draws;
        std::uint32_t finalSeed;
    };
    const Case cases[] = {
        {0, 10, {0, 0, 8, 2}, 0x33dc589c},
        {1, 5, {0, 4, 1}, 0x33dc589c},
        {0xFFFFFFFF, 100, {96, 20, 51}, 0x84feffa2},
        {123456789, 1000, {543, 395, 390}, 0x6410eb60},
    };
    for (const Case& c : cases) {
        Random random;
        random.setSeed(c.seed);
        for (std::uint32_t expected : c.draws) EXPECT_EQ(random.draw(c.range), expected) << c.seed;
        EXPECT_EQ(random.seed(), c.finalSeed);
    }
}

TEST(Random, DrawStaysInRange) {
    Random random;
    random.setSeed(99);
    for (int i = 0; i < 10000; ++i) EXPECT_LT(random.draw(7), 7u);
}
