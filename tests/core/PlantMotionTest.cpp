#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "RowName.h"

#include "FailingAllocation.h"
#include "PlantMotion.h"

namespace {

// The draws, the ranges, the glide and the rule, written out apart from the
// program's own: what the plant's first cycles must show.
class ReferenceMotion {
public:
    explicit ReferenceMotion(std::uint32_t state) : m_engine(state) {}

    // The rules of frames 0..count-1.
    std::vector<std::vector<BranchRule>> Frames(int count)
    {
        std::vector<Track> tracks(4);
        std::vector<std::vector<BranchRule>> frames;
        for (int k = 0; k < count; ++k) {
            const int j = k % 50;
            if (j == 0) {
                // Creation: start angle, start length, target angle, target
                // length, track by track. Retargeting: target angle, target
                // length, from the old target itself.
                for (Track& track : tracks) {
                    track.start = k == 0 ? Point() : track.target;
                    track.target = Point();
                }
            }
            std::vector<BranchRule>& rules = frames.emplace_back();
            for (const Track& track : tracks) {
                const double length = track.start.length + (track.target.length - track.start.length) * 0.02 * j;
                const double angle = track.start.angle + (track.target.angle - track.start.angle) * 0.02 * j;
                const double theta = angle * (3.141592654 / 180.0);
                rules.push_back({length * std::cos(theta), length * std::sin(theta)});
            }
        }
        return frames;
    }

private:
    struct LengthAngle {
        double length;
        double angle;
    };
    struct Track {
        LengthAngle start;
        LengthAngle target;
    };

    double Draw() { return static_cast<double>(m_engine()) * 4.656612875245797e-10; }
    LengthAngle Point()
    {
        const double angle = Draw();
        const double length = Draw();
        return {0.5 * length + 0.25, 240.0 * angle - 120.0};
    }

    std::minstd_rand m_engine;
};

std::vector<BranchRule> Next(PlantMotion& motion)
{
    const auto rules = motion.NextFrame();
    return {rules.begin(), rules.end()};
}

struct SeedCase {
    const char* name;
    std::int32_t seed;
    std::uint32_t state;
};

class PlantMotionSeeds : public testing::TestWithParam<SeedCase> {};

} // namespace

// Three cycles: the first from random starts, each later one from the
// targets just reached (so frame 50 shows the first targets exactly), every
// frame at start + step * j.
TEST_P(PlantMotionSeeds, ThreeCyclesFollowTheDrawsAndTheGlide)
{
    PlantMotion motion(GetParam().seed);
    EXPECT_EQ(motion.Seed(), GetParam().seed);
    const auto expected = ReferenceMotion(GetParam().state).Frames(150);
    for (std::size_t k = 0; k < expected.size(); ++k) {
        const std::vector<BranchRule> rules = Next(motion);
        ASSERT_EQ(rules.size(), 4U);
        for (std::size_t i = 0; i < 4; ++i) {
            ASSERT_EQ(rules[i], expected[k][i]) << "frame " << k << " rule " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, PlantMotionSeeds,
                         testing::Values(SeedCase{"Clock", 1733668800, 1733668800U},
                                         SeedCase{"Negative", -123456789, 2024026858U},
                                         SeedCase{"Modulus", 2147483647, 1U}),
                         RowName());

TEST(PlantMotion, EveryRuleStaysInsideTheRanges)
{
    PlantMotion motion(-7);
    for (int frame = 0; frame < 50 * 40; ++frame) {
        for (const BranchRule& rule : motion.NextFrame()) {
            const double length = std::hypot(rule.re, rule.im);
            const double angle = std::atan2(rule.im, rule.re) / PlantMotion::kDegreeFactor;
            ASSERT_GT(length, 0.25) << frame;
            ASSERT_LT(length, 0.75) << frame;
            ASSERT_GT(angle, -120.0) << frame;
            ASSERT_LT(angle, 120.0) << frame;
        }
    }
}

TEST(PlantMotion, DegreeFactorIsTheRoundedPiOverOneEighty)
{
    EXPECT_EQ(PlantMotion::kDegreeFactor, 3.141592654 / 180.0);
    EXPECT_NE(PlantMotion::kDegreeFactor, 0.017453292519943295);
    EXPECT_EQ(PlantMotion::RuleOf({0.5, 0.0}), (BranchRule{0.5, 0.0}));
}

TEST(PlantMotion, WithoutRulesEveryFrameIsEmpty)
{
    PlantMotion motion(1, 0);
    for (int frame = 0; frame < 120; ++frame) {
        ASSERT_TRUE(motion.NextFrame().empty()) << frame;
    }
}

namespace {

class PlantMotionOutOfMemory : public testing::TestWithParam<int> {};

} // namespace

// With no memory for the tracks or the rules, the first frame fails and
// changes nothing: no half-made tracks, no draws taken. Calling again gives
// the frames a motion that never failed gives.
TEST_P(PlantMotionOutOfMemory, FailedFrameChangesNothing)
{
    PlantMotion failing(1733668800);
    {
        const FailingAllocation failure(GetParam());
        EXPECT_THROW(failing.NextFrame(), std::bad_alloc);
        ASSERT_TRUE(failure.Happened());
    }
    PlantMotion sound(1733668800);
    for (int frame = 0; frame < 120; ++frame) {
        ASSERT_EQ(Next(failing), Next(sound)) << frame;
    }
}

INSTANTIATE_TEST_SUITE_P(Allocations, PlantMotionOutOfMemory, testing::Values(1, 2),
                         [](const testing::TestParamInfo<int>& info) {
                             return info.param == 1 ? "RulesMemory" : "TracksMemory";
                         });
