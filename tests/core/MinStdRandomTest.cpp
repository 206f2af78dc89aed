#include <cstdint>
#include <limits>
#include <random>

#include <gtest/gtest.h>

#include "RowName.h"

#include "MinStdRandom.h"

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

TEST(MinStdRandom, UniformIsTheNextStateTimesTheScale)
{
    EXPECT_EQ(MinStdRandom::kScale, 4.656612875245797e-10);
    MinStdRandom random(1);
    EXPECT_EQ(random.Uniform(), 2.2477936010098986e-05);
    // The extremes stay strictly inside (0, 1).
    EXPECT_EQ(1.0 * MinStdRandom::kScale, 4.656612875245797e-10);
    EXPECT_EQ(2147483646.0 * MinStdRandom::kScale, 0.9999999995343387);
}

namespace {

struct SeedCase {
    const char* name;
    std::int32_t seed;
    std::uint32_t state; // what the generator starts from
};

class SeedMapping : public testing::TestWithParam<SeedCase> {};

} // namespace

// Every seed lands in 1..2147483646, where the generator never reaches 0.
TEST_P(SeedMapping, GivesAStateInTheGeneratorsRange)
{
    const SeedCase& c = GetParam();
    MinStdRandom random(c.seed);
    std::minstd_rand expected(c.state);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(static_cast<std::uint32_t>(random.Next()), expected());
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, SeedMapping,
                         testing::Values(SeedCase{"Zero", 0, 1}, SeedCase{"Positive", 12345, 12345},
                                         SeedCase{"Negative", -5, 2147483642},
                                         SeedCase{"LargestState", 2147483646, 2147483646},
                                         SeedCase{"Modulus", std::numeric_limits<std::int32_t>::max(), 1},
                                         SeedCase{"NegativeModulus", -2147483647, 1},
                                         SeedCase{"Lowest", std::numeric_limits<std::int32_t>::min(), 2147483646}),
                         RowName());
