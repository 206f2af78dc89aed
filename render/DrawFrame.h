#pragma once

#include <cstdint>
#include <span>

#include "BackBuffer.h"
#include "BranchRule.h"
#include "PlantStyle.h"
#include "Segment.h"

// One frame of the plant into `buffer`: fade the old picture toward the
// background with weight `fade`, build the plant from the trunk and `rules`,
// fit the world into the picture, map every segment and draw it as a
// one-pixel line, its end points truncated toward zero. Every window and
// every headless tool draws through this one function. `segments` is scratch
// space, emptied and refilled: a caller that keeps it from frame to frame lets
// its frames run without allocating.
void DrawFrame(BackBuffer& buffer, std::span<const BranchRule> rules, const PlantStyle& style, std::uint8_t fade,
               SegmentList& segments);

// Weight in bits 24-31, colour below: the form BackBuffer::Fade takes.
[[nodiscard]] constexpr std::uint32_t WeightedColor(std::uint8_t weight, PixelColor color)
{
    return static_cast<std::uint32_t>(weight) << 24 | (color.value & 0x00FFFFFFU);
}
