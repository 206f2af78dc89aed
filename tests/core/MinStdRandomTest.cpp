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
    // Uniform: the same first state, 48271, times the scale.
    EXPECT_EQ(MinStdRandom(1).Uniform(), 2.2477936010098986e-05);
}

// The scale, and the extremes of Uniform, strictly inside (0, 1).
static_assert(MinStdRandom::kScale == 4.656612875245797e-10);
static_assert(2147483646.0 * MinStdRandom::kScale == 0.9999999995343387);

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
