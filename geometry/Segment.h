#pragma once

#include <vector>

#include "PixelColor.h"
#include "Vec2.h"

// One coloured line of the plant, in world coordinates.
struct Segment {
    Vec2 start;
    Vec2 end;
    PixelColor color;

    friend constexpr bool operator==(const Segment&, const Segment&) = default;
};

// The plant in drawing order: depth-first pre-order, the trunk first.
using SegmentList = std::vector<Segment>;
