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

void BuildBranch(SegmentList& list, Vec2 start, Vec2 end, int depth, int levels, std::span<const BranchRule> rules,
                 PixelColor trunkColor, PixelColor tipColor)
{
    list.push_back({start, end, DepthColor(depth, levels, trunkColor, tipColor)});
    if (depth + 1 > levels || rules.empty()) {
        return;
    }
    const double dx = end.x - start.x;
    const double dy = end.y - start.y;
    for (const BranchRule& rule : rules) {
        const Vec2 childEnd{end.x + (rule.re * dx - rule.im * dy), end.y + (rule.im * dx + rule.re * dy)};
        BuildBranch(list, end, childEnd, depth + 1, levels, rules, trunkColor, tipColor);
    }
}
