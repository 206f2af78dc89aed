#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "RoundedTrig.h"
#include "RowName.h"

#include "PlantMotion.h"
#include "SinCos.h"

namespace {

std::uint64_t Bits(double value)
{
    return std::bit_cast<std::uint64_t>(value);
}

// The angles where SinCos differs in any bit, -0 against +0 included, from
// the correctly rounded sine and cosine: how many, and the first few.
std::string Mismatches(const std::vector<double>& angles)
{
    int count = 0;
    std::ostringstream firstFew;
    firstFew << std::hexfloat;
    for (const double angle : angles) {
        const SineCosine got = SinCos(angle);
        const double sine = RoundedSin(angle);
        const double cosine = RoundedCos(angle);
        if ((Bits(got.sin) != Bits(sine) || Bits(got.cos) != Bits(cosine)) && ++count <= 5) {
            firstFew << "\n  " << angle << ": " << got.sin << ", " << got.cos << " instead of " << sine << ", "
                     << cosine;
        }
    }
    return count == 0
               ? std::string()
               : std::to_string(count) + " of " + std::to_string(angles.size()) + " angles differ:" + firstFew.str();
}

// A uniform double in [0, 1) from the generator's bits alone: the standard
// distributions differ between standard libraries.
double Unit(std::mt19937_64& bits)
{
    return static_cast<double>(bits() >> 11) * 0x1p-53;
}

std::vector<double> EvenlySpread(std::uint64_t seed, int count, double limit)
{
    std::mt19937_64 bits(seed);
    std::vector<double> angles;
    for (int i = 0; i < count; ++i) {
        angles.push_back((2.0 * Unit(bits) - 1.0) * limit);
    }
    return angles;
}

// As many angles in every binade from 2^-30 up to 4, of either sign: the
// small ones, where the series does little and the sine rounding to the angle
// itself begins.
std::vector<double> SmallMagnitudes()
{
    std::mt19937_64 bits(3);
    std::vector<double> angles;
    for (int i = 0; i < 200000; ++i) {
        const int exponent = -30 + static_cast<int>(bits() % 32);
        const double magnitude = std::ldexp(1.0 + Unit(bits), exponent);
        angles.push_back(bits() % 2 == 0 ? magnitude : -magnitude);
    }
    return angles;
}

// Every quadrant boundary and every zero of the sine or cosine up to the
// limit, and the doubles either side: where the reduction to [-pi/4, pi/4]
// has the most to lose.
std::vector<double> QuarterPiMultiples()
{
    std::vector<double> angles;
    for (int m = 1; QuarterPis(m) < kSinCosLimit; ++m) {
        for (const double centre : {QuarterPis(m), QuarterPis(-m)}) {
            angles.insert(angles.end(), {std::nextafter(centre, 0.0), centre, std::nextafter(centre, 2.0 * centre)});
        }
    }
    return angles;
}

struct SampleCase {
    const char* name;
    std::vector<double> (*angles)();
};

class SinCosSamples : public testing::TestWithParam<SampleCase> {};

struct EdgeCase {
    const char* name;
    double angle;
};

class SinCosEdges : public testing::TestWithParam<EdgeCase> {};

const double kPlantTurn = 120.0 * PlantMotion::kDegreeFactor;
constexpr double kInfinity = std::numeric_limits<double>::infinity();

} // namespace

TEST_P(SinCosSamples, AllCorrectlyRounded)
{
    const std::string mismatches = Mismatches(GetParam().angles());
    EXPECT_TRUE(mismatches.empty()) << mismatches;
}

INSTANTIATE_TEST_SUITE_P(Samples, SinCosSamples,
                         testing::Values(SampleCase{"PlantRange", [] { return EvenlySpread(1, 1000000, 2.2); }},
                                         SampleCase{"WholeDomain",
                                                    [] { return EvenlySpread(2, 200000, kSinCosLimit); }},
                                         SampleCase{"SmallMagnitudes", SmallMagnitudes},
                                         SampleCase{"QuarterPiMultiples", QuarterPiMultiples}),
                         RowName());

// Each angle and the four doubles either side of it.
TEST_P(SinCosEdges, NeighboursCorrectlyRounded)
{
    std::vector<double> angles{GetParam().angle};
    double below = GetParam().angle;
    double above = GetParam().angle;
    for (int step = 0; step < 4; ++step) {
        below = std::nextafter(below, -kInfinity);
        above = std::nextafter(above, kInfinity);
        angles.insert(angles.end(), {below, above});
    }
    const std::string mismatches = Mismatches(angles);
    EXPECT_TRUE(mismatches.empty()) << mismatches;
}

INSTANTIATE_TEST_SUITE_P(
    Edges, SinCosEdges,
    testing::Values(EdgeCase{"Zero", 0.0}, EdgeCase{"MinusZero", -0.0},
                    EdgeCase{"SmallestNormal", std::numeric_limits<double>::min()},
                    // Where SinCos stops giving the angle itself as the sine.
                    EdgeCase{"TinyLimit", 0x1p-27}, EdgeCase{"MinusTinyLimit", -0x1p-27},
                    // Where the quadrant changes.
                    EdgeCase{"QuarterPi", QuarterPis(1)}, EdgeCase{"MinusQuarterPi", QuarterPis(-1)},
                    EdgeCase{"ThreeQuartersPi", QuarterPis(3)}, EdgeCase{"MinusThreeQuartersPi", QuarterPis(-3)},
                    // Where the sine or cosine comes near 0.
                    EdgeCase{"HalfPi", QuarterPis(2)}, EdgeCase{"MinusHalfPi", QuarterPis(-2)},
                    EdgeCase{"Pi", QuarterPis(4)}, EdgeCase{"MinusPi", QuarterPis(-4)},
                    // The ends of the plant's turns.
                    EdgeCase{"PlantTurn", kPlantTurn}, EdgeCase{"MinusPlantTurn", -kPlantTurn},
                    // Of all doubles up to the limit, the one nearest a multiple of pi/2
                    // (29 pi/2, 2^-60.5 away).
                    EdgeCase{"NearestToAMultiple", 0x1.6c6cbc45dc8dep+5},
                    // The hardest to round of 2^28 random angles in the plant's range: the
                    // cosine or sine lies within 2^-N ulp (N in the name) of the midpoint
                    // between two doubles, so an error of 2^-83 of the value already
                    // rounds it the wrong way.
                    EdgeCase{"HardCosine30", -0x1.580b041ca1df4p+0}, EdgeCase{"HardCosine30b", 0x1.1938d0cc8f98cp-2},
                    EdgeCase{"HardCosine29", 0x1.03b124c86491p+0}, EdgeCase{"HardSine27", -0x1.dbecdb79f3798p+0},
                    EdgeCase{"HardSine26", -0x1.f1aed9a04bde1p+0}, EdgeCase{"HardSine26b", -0x1.16d38dd9eebd4p+1}),
    RowName());

TEST(SinCos, SineIsOddAndCosineEven)
{
    std::vector<double> angles = EvenlySpread(4, 100000, kSinCosLimit);
    const std::vector<double> small = SmallMagnitudes();
    angles.insert(angles.end(), small.begin(), small.end());
    for (int m = 1; m <= 8; ++m) {
        angles.push_back(QuarterPis(m));
    }
    for (const double angle : angles) {
        const SineCosine positive = SinCos(angle);
        const SineCosine negative = SinCos(-angle);
        ASSERT_EQ(Bits(negative.sin), Bits(-positive.sin)) << std::hexfloat << angle;
        ASSERT_EQ(Bits(negative.cos), Bits(positive.cos)) << std::hexfloat << angle;
    }
}

TEST(SinCos, NonFiniteAnglesGiveNaN)
{
    for (const double angle : {kInfinity, -kInfinity, std::numeric_limits<double>::quiet_NaN()}) {
        const SineCosine result = SinCos(angle);
        EXPECT_TRUE(std::isnan(result.sin)) << angle;
        EXPECT_TRUE(std::isnan(result.cos)) << angle;
    }
}
