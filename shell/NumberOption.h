#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "FadeSlider.h"

// A whole-number value of a command-line option, and the one line that
// refuses a bad one. Every program that takes a seed or a slider value reads
// it here, so they all take and refuse the same texts.
struct NumberRange {
    std::int64_t low;
    std::int64_t high;
};

inline constexpr NumberRange kSeedRange{std::numeric_limits<std::int32_t>::min(),
                                        std::numeric_limits<std::int32_t>::max()};
inline constexpr NumberRange kSliderRange{FadeSlider::kMinimum, FadeSlider::kMaximum};

// A decimal number within `range`, optionally signed, with nothing before or
// after it; nothing otherwise.
[[nodiscard]] std::optional<std::int64_t> WholeNumberIn(std::string_view text, NumberRange range);

// "--seed: expects a whole number from -2147483648 to 2147483647, got 'x'"
[[nodiscard]] std::string RangeRefusal(std::string_view option, NumberRange range, std::string_view got);
