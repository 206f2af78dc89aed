#pragma once

#include <functional>
#include <vector>

#include "RuleTrack.h"
#include "geometry/BranchRule.h"
#include "geometry/LinearMap2.h"

// Moves the branch rules one frame at a time. Every 50 frames a cycle begins:
// the first creates the tracks from random starts and targets, every later
// one sets off from the targets just reached toward new random ones.
// Holds no rules or tracks of its own: the caller owns them and guards them.
class RuleMorpher {
public:
    using UniformSource = std::function<double()>;

    static constexpr int kFramesPerCycle = 50;
    static constexpr double kStepFactor = 0.02;
    // The double nearest 3.141592654 / 180, not the one nearest pi / 180.
    static constexpr double kDegreeFactor = 0.017453292522222223;

    // Unit square onto lengths 0.25..0.75 (x) and angles -120..120 degrees (y).
    static constexpr LinearMap2 kMorphMap{Rect2{0.0, 0.0, 1.0, 1.0}, Rect2{0.25, -120.0, 0.75, 120.0}};

    // Rebuilds `rules` for the next frame, beginning a cycle first when one is
    // due. `ruleCount` is how many tracks a creation cycle makes.
    void Advance(std::vector<RuleTrack>& tracks, std::vector<BranchRule>& rules, int ruleCount,
                 const UniformSource& uniform);

    // The frame index within the current cycle that the next Advance renders.
    [[nodiscard]] int FrameIndex() const { return m_frame; }

    static void BeginCycle(std::vector<RuleTrack>& tracks, int ruleCount, const UniformSource& uniform);
    static void RulesForFrame(const std::vector<RuleTrack>& tracks, int frame, std::vector<BranchRule>& rules);
    [[nodiscard]] static BranchRule RuleOf(Vec2 lengthAngle);

private:
    int m_frame = 0;
};
