#pragma once

#include <cstdint>

// A colour laid out 0x00RRGGBB, the layout of the back buffer's pixels.
struct PixelColor {
    std::uint32_t value = 0;

    [[nodiscard]] static constexpr PixelColor FromBytes(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
    {
        return PixelColor{static_cast<std::uint32_t>(red) * 65536U + static_cast<std::uint32_t>(green) * 256U + blue};
    }

    [[nodiscard]] constexpr std::uint8_t Red() const { return static_cast<std::uint8_t>(value >> 16); }
    [[nodiscard]] constexpr std::uint8_t Green() const { return static_cast<std::uint8_t>(value >> 8); }
    [[nodiscard]] constexpr std::uint8_t Blue() const { return static_cast<std::uint8_t>(value); }

    friend constexpr bool operator==(PixelColor, PixelColor) = default;
};
