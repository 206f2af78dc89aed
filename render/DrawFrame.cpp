#include "DrawFrame.h"

#include <algorithm>
#include <limits>

#include "geometry/PlantBuilder.h"
#include "geometry/ViewMapping.h"

namespace {

// Truncation toward zero. Values beyond the int range cannot be converted at
// all; they only arise from rules far outside the morph ranges and are pinned
// to the range's ends, far outside any buffer.
int TruncateToPixel(double v)
{
    constexpr double kLow = std::numeric_limits<int>::min();
    constexpr double kHigh = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(v, kLow, kHigh));
}

} // namespace

void DrawFrame(BackBuffer& buffer, int clientWidth, int clientHeight, std::span<const BranchRule> rules,
               const PlantStyle& style, std::uint8_t fade, SegmentList& segments)
{
    // The client size can run ahead of the buffer during a resize; Fade clips
    // to the buffer. With a zero side there is nothing to see, so the frame
    // skips its drawing.
    if (!buffer.HasPixels() || clientWidth <= 0 || clientHeight <= 0) {
        return;
    }
    buffer.Fade(WeightedColor(fade, style.backColor), 0, 0, clientWidth, clientHeight);

    segments.clear();
    BuildBranch(segments, style.trunkStart, style.trunkEnd, 0, style.levels, rules, style.trunkColor, style.tipColor);

    const LinearMap2 map = ViewMapping(0, 0, clientWidth, clientHeight);
    for (const Segment& segment : segments) {
        const Vec2 start = map.Apply(segment.start);
        const Vec2 end = map.Apply(segment.end);
        buffer.DrawLine(TruncateToPixel(start.x), TruncateToPixel(start.y), TruncateToPixel(end.x),
                        TruncateToPixel(end.y), segment.color);
    }
}
