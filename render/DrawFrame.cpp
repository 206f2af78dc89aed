#include "DrawFrame.h"

#include <algorithm>
#include <limits>

#include "PlantBuilder.h"
#include "ViewMapping.h"

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

void DrawFrame(BackBuffer& buffer, std::span<const BranchRule> rules, const PlantStyle& style, std::uint8_t fade,
               SegmentList& segments)
{
    // Without pixels (a zero side, or no memory) there is nothing to see.
    if (!buffer.HasPixels()) {
        return;
    }
    const int width = buffer.Width();
    const int height = buffer.Height();
    buffer.Fade(WeightedColor(fade, style.backColor), 0, 0, width, height);

    segments.clear();
    BuildBranch(segments, style.trunkStart, style.trunkEnd, 0, style.levels, rules, style.trunkColor, style.tipColor);

    const LinearMap2 map = ViewMapping(0, 0, width, height);
    for (const Segment& segment : segments) {
        const Vec2 start = map.Apply(segment.start);
        const Vec2 end = map.Apply(segment.end);
        buffer.DrawLine(TruncateToPixel(start.x), TruncateToPixel(start.y), TruncateToPixel(end.x),
                        TruncateToPixel(end.y), segment.color);
    }
}
