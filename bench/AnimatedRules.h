#pragma once

#include <vector>

#include "geometry/BranchRule.h"
#include "morph/MinStdRandom.h"
#include "morph/RuleMorpher.h"
#include "morph/RuleTrack.h"

// Branch rules that glide from call to call as the window's do, from a fixed
// seed, so that every frame case draws the same moving plant.
class AnimatedRules {
public:
    const std::vector<BranchRule>& Next()
    {
        m_morpher.Advance(m_tracks, m_rules, 4, [this] { return m_random.Uniform(); });
        return m_rules;
    }

private:
    MinStdRandom m_random{1733668800};
    RuleMorpher m_morpher;
    std::vector<RuleTrack> m_tracks;
    std::vector<BranchRule> m_rules;
};
