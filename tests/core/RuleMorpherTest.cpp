#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "MorphTestHost.h"

namespace {

// The generator, the ranges and the rule, written out independently.
class Expectation {
public:
    explicit Expectation(std::uint32_t seed) : m_engine(seed) {}

    double Draw() { return static_cast<double>(m_engine()) * 4.656612875245797e-10; }
    Vec2 Point()
    {
        const double angle = Draw();
        const double length = Draw();
        return {0.5 * length + 0.25, 240.0 * angle - 120.0};
    }

private:
    std::minstd_rand m_engine;
};

RuleTrack Track(Vec2 start, Vec2 target)
{
    return {start, target, {(target.x - start.x) * 0.02, (target.y - start.y) * 0.02}};
}

BranchRule Rule(const RuleTrack& track, int frame)
{
    const double length = track.start.x + track.step.x * frame;
    const double angle = track.start.y + track.step.y * frame;
    const double theta = angle * 0.017453292522222223;
    return {length * std::cos(theta), length * std::sin(theta)};
}

} // namespace

TEST(RuleMorpher, ThreeCyclesFollowTheDrawsAndTheGlide)
{
    constexpr std::int32_t kSeed = 1733668800;
    MorphTestHost host(kSeed, 4, 150);
    RunMorphWorker(host);
    ASSERT_EQ(host.rulesByFrame.size(), 150U);
    ASSERT_EQ(host.tracksByCycle.size(), 3U);

    // Creation draws start angle, start length, target angle, target length
    // track by track; each retargeting draws target angle then length, and
    // starts from the old target itself.
    Expectation expect(kSeed);
    std::vector<RuleTrack> tracks;
    for (int i = 0; i < 4; ++i) {
        const Vec2 start = expect.Point();
        tracks.push_back(Track(start, expect.Point()));
    }
    for (std::size_t cycle = 0; cycle < 3; ++cycle) {
        if (cycle > 0) {
            for (RuleTrack& track : tracks) {
                track = Track(track.target, expect.Point());
            }
        }
        ASSERT_EQ(host.tracksByCycle[cycle], tracks) << "cycle " << cycle;
        for (int frame = 0; frame < 50; ++frame) {
            const auto& rules = host.rulesByFrame[cycle * 50 + static_cast<std::size_t>(frame)];
            ASSERT_EQ(rules.size(), 4U);
            for (std::size_t i = 0; i < 4; ++i) {
                ASSERT_EQ(rules[i], Rule(tracks[i], frame)) << "cycle " << cycle << " frame " << frame << " rule " << i;
            }
        }
    }
}

TEST(RuleMorpher, CycleBoundariesShowTheOldTargetsExactly)
{
    MorphTestHost host(42, 4, 100);
    RunMorphWorker(host);
    const auto& first = host.tracksByCycle[0];
    const auto& second = host.tracksByCycle[1];
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(second[i].start, first[i].target);
        EXPECT_EQ(host.rulesByFrame[50][i], RuleMorpher::RuleOf(first[i].target));
        EXPECT_EQ(host.rulesByFrame[49][i], RuleMorpher::RuleOf(first[i].start.Add(first[i].step.Scale(49.0))));
    }
}

TEST(RuleMorpher, EveryDrawnPointLiesInsideTheRanges)
{
    MorphTestHost host(-7, 4, 50 * 40);
    RunMorphWorker(host);
    for (const auto& tracks : host.tracksByCycle) {
        for (const RuleTrack& track : tracks) {
            for (const Vec2 point : {track.start, track.target}) {
                EXPECT_GT(point.x, 0.25);
                EXPECT_LT(point.x, 0.75);
                EXPECT_GT(point.y, -120.0);
                EXPECT_LT(point.y, 120.0);
            }
        }
    }
}

TEST(RuleMorpher, DegreeFactorIsTheRoundedPiOverOneEighty)
{
    EXPECT_EQ(RuleMorpher::kDegreeFactor, 3.141592654 / 180.0);
    EXPECT_NE(RuleMorpher::kDegreeFactor, 0.017453292519943295);
    const BranchRule straight = RuleMorpher::RuleOf({0.5, 0.0});
    EXPECT_EQ(straight, (BranchRule{0.5, 0.0}));
}

TEST(RuleMorpher, RetargetingMoreTracksThanExistRaisesOutOfRange)
{
    std::vector<RuleTrack> tracks(2);
    EXPECT_THROW(RuleMorpher::BeginCycle(tracks, 3, [] { return 0.5; }), std::out_of_range);
}
