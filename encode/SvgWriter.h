#pragma once

#include <span>
#include <string>
#include <string_view>

#include "BranchRule.h"
#include "PlantStyle.h"

// The plant of one frame as an SVG picture of the client size: the
// background, then one line a segment in drawing order, at the mapped
// coordinates before they are cut down to whole pixels.
class SvgWriter {
public:
    [[nodiscard]] static std::string Picture(std::span<const BranchRule> rules, int width, int height,
                                             const PlantStyle& style, std::string_view description);
};
