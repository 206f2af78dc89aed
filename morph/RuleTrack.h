#pragma once

#include "Vec2.h"

// One branch rule's glide: in each Vec2, x is a length and y an angle in
// degrees. The position at frame j of a cycle is start + step * j.
struct RuleTrack {
    Vec2 start;
    Vec2 target;
    Vec2 step;

    friend constexpr bool operator==(const RuleTrack&, const RuleTrack&) = default;
};
