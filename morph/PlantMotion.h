#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "BranchRule.h"
#include "LinearMap2.h"
#include "MinStdRandom.h"
#include "RuleTrack.h"

// The one owner of a plant's motion: the generator, the rule tracks and the
// glide along them. Every 50 frames a cycle begins: the first creates the
// tracks from random starts and targets, every later one sets off from the
// targets just reached toward new random ones. Within a cycle each rule sits
// at start + step * frame, computed afresh so that rounding never builds up.
// The same seed always gives the same frames.
class PlantMotion {
public:
    static constexpr int kRuleCount = 4; // with 5 levels, 1365 segments
    static constexpr int kFramesPerCycle = 50;
    static constexpr double kStepFactor = 0.02;
    // The double nearest 3.141592654 / 180, not the one nearest pi / 180.
    static constexpr double kDegreeFactor = 0.017453292522222223;
    static_assert(kDegreeFactor == 3.141592654 / 180.0 && kDegreeFactor != 0.017453292519943295);
    // Unit square onto lengths 0.25..0.75 (x) and angles -120..120 degrees (y).
    static constexpr LinearMap2 kMorphMap{Rect2{0.0, 0.0, 1.0, 1.0}, Rect2{0.25, -120.0, 0.75, 120.0}};

    explicit PlantMotion(std::int32_t seed, int ruleCount = kRuleCount);

    // The calendar clock's low 32 bits read as a signed number: a new plant
    // every second.
    [[nodiscard]] static std::int32_t ClockSeed();

    // Moves on one frame, beginning a cycle first when one is due, and gives
    // that frame's rules, one per track, valid until the next call. A failure
    // (out of memory) changes nothing: calling again gives the same frame.
    std::span<const BranchRule> NextFrame();

    [[nodiscard]] std::int32_t Seed() const { return m_seed; }

    // The branch rule of a (length, angle in degrees) pair.
    [[nodiscard]] static BranchRule RuleOf(Vec2 lengthAngle);

private:
    void BeginCycle();
    // A point of the morph ranges from two draws: the angle's, then the length's.
    Vec2 DrawPoint();

    std::int32_t m_seed;
    MinStdRandom m_random;
    int m_ruleCount;
    int m_frame = 0; // within the cycle: the frame NextFrame gives next
    std::vector<RuleTrack> m_tracks;
    std::vector<BranchRule> m_rules;
};
