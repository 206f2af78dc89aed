#include "PlantMotion.h"

#include <cstddef>
#include <ctime>

#include "SinCos.h"

namespace {

RuleTrack TrackBetween(Vec2 start, Vec2 target)
{
    return {start, target, target.Subtract(start).Scale(PlantMotion::kStepFactor)};
}

} // namespace

PlantMotion::PlantMotion(std::int32_t seed, int ruleCount) : m_seed(seed), m_random(seed), m_ruleCount(ruleCount) {}

std::int32_t PlantMotion::ClockSeed()
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(std::time(nullptr)));
}

Vec2 PlantMotion::DrawPoint()
{
    const double angle = m_random.Uniform();
    const double length = m_random.Uniform();
    return kMorphMap.Apply({length, angle});
}

void PlantMotion::BeginCycle()
{
    if (m_tracks.empty()) {
        // Built aside and swapped in whole: a failure leaves no partial
        // array behind. The memory comes first, so it also draws nothing.
        std::vector<RuleTrack> tracks;
        tracks.reserve(static_cast<std::size_t>(m_ruleCount));
        for (int i = 0; i < m_ruleCount; ++i) {
            const Vec2 start = DrawPoint();
            tracks.push_back(TrackBetween(start, DrawPoint()));
        }
        m_tracks.swap(tracks);
        return;
    }
    for (int i = 0; i < m_ruleCount; ++i) {
        RuleTrack& track = m_tracks.at(static_cast<std::size_t>(i));
        track = TrackBetween(track.target, DrawPoint());
    }
}

BranchRule PlantMotion::RuleOf(Vec2 lengthAngle)
{
    // SinCos, not std::sin and std::cos: the C libraries round differently,
    // and the same seed must make the same plant on every platform.
    const SineCosine turn = SinCos(lengthAngle.y * kDegreeFactor);
    return {lengthAngle.x * turn.cos, lengthAngle.x * turn.sin};
}

std::span<const BranchRule> PlantMotion::NextFrame()
{
    if (m_frame == 0) {
        // Room for the rules before the cycle begins: past this point
        // nothing can fail, so a cycle never begins twice.
        m_rules.reserve(static_cast<std::size_t>(m_ruleCount));
        BeginCycle();
    }
    m_rules.clear();
    for (const RuleTrack& track : m_tracks) {
        m_rules.push_back(RuleOf(track.start.Add(track.step.Scale(static_cast<double>(m_frame)))));
    }
    m_frame = (m_frame + 1) % kFramesPerCycle;
    return m_rules;
}
