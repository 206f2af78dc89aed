#include <cstdint>
#include <limits>
#include <random>

#include <gtest/gtest.h>

#include "morph/MinStdRandom.h"

TEST(MinStdRandom, SequenceFromSeedOne)
{
    MinStdRandom random(1);
    for (const std::int32_t expected : {48271, 182605794, 1291394886, 1914720637, 2078669041}) {
        EXPECT_EQ(random.Next(), expected);
    }
    for (int i = 6; i < 10000; ++i) {
        random.Next();
    }
    EXPECT_EQ(random.Next(), 399268537);
}

TEST(MinStdRandom, MatchesTheStandardLibrarysEngine)
{
    for (const std::int32_t seed : {1, 2, 1733668800, 2147483646}) {
        MinStdRandom random(seed);
        std::minstd_rand reference(static_cast<std::minstd_rand::result_type>(seed));
        for (int i = 0; i < 1000; ++i) {
            ASSERT_EQ(static_cast<std::uint32_t>(random.Next()), reference()) << seed << " step " << i;
        }
    }
}

TEST(MinStdRandom, UniformIsTheStateTimesTheScale)
{
    EXPECT_EQ(MinStdRandom::kScale, 4.656612875245797e-10);
    MinStdRandom random(1);
    EXPECT_EQ(random.Uniform(), 2.2477936010098986e-05);
    // The extremes stay strictly inside (0, 1).
    EXPECT_EQ(1.0 * MinStdRandom::kScale, 4.656612875245797e-10);
    EXPECT_EQ(2147483646.0 * MinStdRandom::kScale, 0.9999999995343387);
}

TEST(MinStdRandom, SeedsMapIntoTheGeneratorsRange)
{
    EXPECT_EQ(MinStdRandom(0).State(), 1);
    EXPECT_EQ(MinStdRandom(-5).State(), 2147483642);
    EXPECT_EQ(MinStdRandom(12345).State(), 12345);
    EXPECT_EQ(MinStdRandom(2147483646).State(), 2147483646);
    // Would otherwise be stuck at 0, or start negative.
    EXPECT_EQ(MinStdRandom(std::numeric_limits<std::int32_t>::max()).State(), 1);
    EXPECT_EQ(MinStdRandom(std::numeric_limits<std::int32_t>::min()).State(), 2147483646);
    EXPECT_EQ(MinStdRandom(-2147483647).State(), 1);
}

TEST(MinStdRandom, NegativeIntermediateIsBroughtBack)
{
    MinStdRandom random(2147483646);
    EXPECT_EQ(random.Next(), 2147435376);
}

TEST(MinStdRandom, EverySeedKeepsTheStateInRange)
{
    for (const std::int32_t seed : {std::numeric_limits<std::int32_t>::min(), -2147483647, -1, 0, 1, 2147483646,
                                    std::numeric_limits<std::int32_t>::max()}) {
        MinStdRandom random(seed);
        for (int i = 0; i < 100; ++i) {
            const std::int32_t state = random.Next();
            ASSERT_GE(state, 1) << seed;
            ASSERT_LE(state, 2147483646) << seed;
        }
    }
}
