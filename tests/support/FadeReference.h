#pragma once

#include <cstddef>
#include <cstdint>

// The fade rule written out plainly, one byte and one division at a time:
// the reference the fast kernels are held to in the tests and timed against
// in the benchmarks. `weightedColor` holds the weight a in bits 24-31 and
// the target 0x00RRGGBB below; each colour byte becomes
// old + ((target - old) * a) / 255, the division truncating toward zero, and
// bits 24-31 are kept.
[[nodiscard]] constexpr std::uint32_t FadedPixel(std::uint32_t old, std::uint32_t weightedColor)
{
    const auto weight = static_cast<int>(weightedColor >> 24);
    std::uint32_t result = old & 0xFF000000U;
    for (const int shift : {0, 8, 16}) {
        const auto from = static_cast<int>((old >> shift) & 0xFFU);
        const auto target = static_cast<int>((weightedColor >> shift) & 0xFFU);
        result |= static_cast<std::uint32_t>(from + ((target - from) * weight) / 255) << shift;
    }
    return result;
}

// Fades `count` pixels by FadedPixel; returns whether any changed.
inline bool FadeSpanReference(std::uint32_t* pixels, std::size_t count, std::uint32_t weightedColor)
{
    bool changed = false;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t faded = FadedPixel(pixels[i], weightedColor);
        changed = changed || faded != pixels[i];
        pixels[i] = faded;
    }
    return changed;
}
