#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <span>
#include <vector>

#include <gtest/gtest.h>

#include "RoundedTrig.h"
#include "RowName.h"

#include "FailingAllocation.h"
#include "PlantMotion.h"

namespace {

// The draws, the ranges, the glide and the rule, written out apart from the
// program's own, with the correctly rounded sine and cosine: what the plant's
// frames must show, bit for bit, on every platform.
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
                rules.push_back({length * RoundedCos(theta), length * RoundedSin(theta)});
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

// FNV-1a over the bit patterns of every rule's re and im, low byte first.
void HashRules(std::uint64_t& hash, std::span<const BranchRule> rules)
{
    for (const BranchRule& rule : rules) {
        for (const double part : {rule.re, rule.im}) {
            const auto bits = std::bit_cast<std::uint64_t>(part);
            for (int shift = 0; shift < 64; shift += 8) {
                hash = (hash ^ ((bits >> shift) & 0xFFU)) * 0x100000001B3U;
            }
        }
    }
}

constexpr std::uint64_t kFnvOffset = 0xCBF29CE484222325U;
constexpr int kPinnedFrames = 3000;

struct PinnedCase {
    const char* name;
    std::int32_t seed;
    std::uint32_t state;
    std::uint64_t hash;
};

class PlantMotionPinned : public testing::TestWithParam<PinnedCase> {};

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

// Sixty cycles of each seed, pinned by a hash of their rules' bits. The
// hashes are ReferenceMotion's (checked first), whose sine and cosine come
// from libquadmath, not from SinCos; correctly rounded, they are the same on
// every platform, so these constants hold on Linux and on Windows alike.
TEST_P(PlantMotionPinned, SixtyCyclesGiveThePinnedRules)
{
    std::uint64_t reference = kFnvOffset;
    for (const std::vector<BranchRule>& rules : ReferenceMotion(GetParam().state).Frames(kPinnedFrames)) {
        HashRules(reference, rules);
    }
    EXPECT_EQ(reference, GetParam().hash) << std::hex << reference;

    PlantMotion motion(GetParam().seed);
    std::uint64_t hash = kFnvOffset;
    for (int frame = 0; frame < kPinnedFrames; ++frame) {
        HashRules(hash, motion.NextFrame());
    }
    EXPECT_EQ(hash, GetParam().hash) << std::hex << hash;
}

// 2^31 - 1 reduces to 0, hence to 1: the same plant as seed 1.
INSTANTIATE_TEST_SUITE_P(Seeds, PlantMotionPinned,
                         testing::Values(PinnedCase{"One", 1, 1U, 0x5E15188D068273CAU},
                                         PinnedCase{"FortyTwo", 42, 42U, 0xF6A6C7388BF88C29U},
                                         PinnedCase{"MinusSeven", -7, 2147483640U, 0x0FFB08A79FA28CA9U},
                                         PinnedCase{"Modulus", 2147483647, 1U, 0x5E15188D068273CAU},
                                         PinnedCase{"Clock", 1733668800, 1733668800U, 0x7B5E4429D6EE1134U},
                                         PinnedCase{"Lowest", -2147483647 - 1, 2147483646U, 0xBD723F5DFB58E524U}),
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
