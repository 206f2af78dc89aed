#pragma once

#include <span>

#include "BranchRule.h"
#include "PixelColor.h"
#include "Segment.h"
#include "Vec2.h"

// Appends the segment start..end and everything that grows from it: one child
// per rule at its end, each child's vector the parent's times the rule's
// factor, down to depth `levels` (at least 1). Colours run from `trunkColor`
// at depth 0 to `tipColor` at depth `levels`.
void BuildBranch(SegmentList& list, Vec2 start, Vec2 end, int depth, int levels, std::span<const BranchRule> rules,
                 PixelColor trunkColor, PixelColor tipColor);

// The colour of a segment at `depth`, each channel truncated (never rounded up).
[[nodiscard]] PixelColor DepthColor(int depth, int levels, PixelColor trunkColor, PixelColor tipColor);
