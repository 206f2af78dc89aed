#pragma once

#include <cstdint>

// The fade byte for a slider value 0..200: a higher value means a lighter
// fade and longer trails (0 -> 255, 150 -> 64, 200 -> 0).
[[nodiscard]] constexpr std::uint8_t FadeFromSlider(std::int32_t value)
{
    return static_cast<std::uint8_t>(255 - value * 255 / 200);
}
