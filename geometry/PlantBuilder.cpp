#include "PlantBuilder.h"

#include <cstdint>

namespace {

std::uint8_t Blend(std::uint8_t trunk, std::uint8_t tip, double t)
{
    const int difference = static_cast<int>(tip) - static_cast<int>(trunk);
    const double v = static_cast<double>(difference) * t + static_cast<double>(trunk);
    return static_cast<std::uint8_t>(static_cast<int>(v) & 0xFF);
}

} // namespace

PixelColor DepthColor(int depth, int levels, PixelColor trunkColor, PixelColor tipColor)
{
    const double t = static_cast<double>(depth) / static_cast<double>(levels);
    return PixelColor::FromBytes(Blend(trunkColor.Red(), tipColor.Red(), t),
                                 Blend(trunkColor.Green(), tipColor.Green(), t),
                                 Blend(trunkColor.Blue(), tipColor.Blue(), t));
}

namespace {

// What stays the same throughout one plant, passed down by reference.
struct Growth {
    SegmentList& list;
    std::span<const BranchRule> rules;
    int levels;
    PixelColor trunkColor;
    PixelColor tipColor;
};

// The points by reference: passed by value, each arrives as two halves that
// are stored and read back whole, which stalls on every call.
void Grow(const Growth& growth, const Vec2& start, const Vec2& end, int depth, PixelColor color)
{
    growth.list.push_back({start, end, color});
    if (depth + 1 > growth.levels || growth.rules.empty()) {
        return;
    }
    // All children share a depth, hence a colour.
    const PixelColor childColor = DepthColor(depth + 1, growth.levels, growth.trunkColor, growth.tipColor);
    const double dx = end.x - start.x;
    const double dy = end.y - start.y;
    for (const BranchRule& rule : growth.rules) {
        const Vec2 childEnd{end.x + (rule.re * dx - rule.im * dy), end.y + (rule.im * dx + rule.re * dy)};
        Grow(growth, end, childEnd, depth + 1, childColor);
    }
}

} // namespace

void BuildBranch(SegmentList& list, Vec2 start, Vec2 end, int depth, int levels, std::span<const BranchRule> rules,
                 PixelColor trunkColor, PixelColor tipColor)
{
    const Growth growth{list, rules, levels, trunkColor, tipColor};
    Grow(growth, start, end, depth, DepthColor(depth, levels, trunkColor, tipColor));
}
