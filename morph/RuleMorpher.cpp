#include "RuleMorpher.h"

#include <cmath>
#include <cstddef>

namespace {

// Of each pair of draws the first gives the angle, the second the length.
Vec2 DrawPoint(const RuleMorpher::UniformSource& uniform)
{
    const double angle = uniform();
    const double length = uniform();
    return RuleMorpher::kMorphMap.Apply({length, angle});
}

RuleTrack TrackBetween(Vec2 start, Vec2 target)
{
    return {start, target, target.Subtract(start).Scale(RuleMorpher::kStepFactor)};
}

} // namespace

void RuleMorpher::BeginCycle(std::vector<RuleTrack>& tracks, int ruleCount, const UniformSource& uniform)
{
    if (tracks.empty()) {
        for (int i = 0; i < ruleCount; ++i) {
            const Vec2 start = DrawPoint(uniform);
            const Vec2 target = DrawPoint(uniform);
            tracks.push_back(TrackBetween(start, target));
        }
        return;
    }
    for (int i = 0; i < ruleCount; ++i) {
        RuleTrack& track = tracks.at(static_cast<std::size_t>(i));
        track = TrackBetween(track.target, DrawPoint(uniform));
    }
}

BranchRule RuleMorpher::RuleOf(Vec2 lengthAngle)
{
    const double theta = lengthAngle.y * kDegreeFactor;
    return {lengthAngle.x * std::cos(theta), lengthAngle.x * std::sin(theta)};
}

void RuleMorpher::RulesForFrame(const std::vector<RuleTrack>& tracks, int frame, std::vector<BranchRule>& rules)
{
    rules.clear();
    for (const RuleTrack& track : tracks) {
        rules.push_back(RuleOf(track.start.Add(track.step.Scale(static_cast<double>(frame)))));
    }
}

void RuleMorpher::Advance(std::vector<RuleTrack>& tracks, std::vector<BranchRule>& rules, int ruleCount,
                          const UniformSource& uniform)
{
    if (m_frame == 0) {
        BeginCycle(tracks, ruleCount, uniform);
    }
    RulesForFrame(tracks, m_frame, rules);
    m_frame = (m_frame + 1) % kFramesPerCycle;
}
