#pragma once

#include <cstdint>

#include "PixelColor.h"

namespace Bt709Detail {

// numerator / denominator in 16-bit fixed point, rounded to nearest.
constexpr std::int32_t Fixed(std::int64_t numerator, std::int64_t denominator)
{
    const std::int64_t scaled = numerator * (std::int64_t{1} << 16) * 2;
    const std::int64_t rounded =
        scaled >= 0 ? (scaled + denominator) / (2 * denominator) : -((-scaled + denominator) / (2 * denominator));
    return static_cast<std::int32_t>(rounded);
}

} // namespace Bt709Detail

// RGB to Y'CbCr with the BT.709 matrix (Kr 0.2126, Kb 0.0722) in limited
// range: Y 16-235, Cb and Cr 16-240. Integer arithmetic in 16-bit fixed
// point, so that every machine gives the same bytes. Each coefficient is the
// exact value rounded to the nearest 1/65536, green's taken up so that each
// row sums exactly (grey stays grey, white is 235); a result is rounded half
// up. The values before rounding add up, so an average of several pixels is
// rounded once, from their sum.
struct Bt709 {
    static constexpr int kShift = 16;

    // Unrounded fixed-point values, without the 16 or 128 added to them.
    struct Sums {
        std::int32_t y;
        std::int32_t cb;
        std::int32_t cr;
    };

    // Channels may be sums of several pixels' channels (at most 4 here).
    [[nodiscard]] static constexpr Sums Unrounded(std::int32_t red, std::int32_t green, std::int32_t blue)
    {
        return {kYr * red + kYg * green + kYb * blue, kCbR * red + kCbG * green + kCbB * blue,
                kCrR * red + kCrG * green + kCrB * blue};
    }

    // The byte for the mean of 2^`log2Count` pixels' unrounded values.
    [[nodiscard]] static constexpr std::uint8_t Luma(std::int32_t sum, int log2Count = 0)
    {
        return Rounded(sum, 16, log2Count);
    }
    [[nodiscard]] static constexpr std::uint8_t Chroma(std::int32_t sum, int log2Count = 0)
    {
        return Rounded(sum, 128, log2Count);
    }

    struct Bytes {
        std::uint8_t y;
        std::uint8_t cb;
        std::uint8_t cr;
    };
    [[nodiscard]] static constexpr Bytes From(PixelColor color)
    {
        const Sums s = Unrounded(color.Red(), color.Green(), color.Blue());
        return {Luma(s.y), Chroma(s.cb), Chroma(s.cr)};
    }

private:
    // Kr and Kb in ten-thousandths (Kg is what they leave of one); 219 and
    // 224 are the spans of Y and of Cb and Cr.
    static constexpr std::int64_t kKr = 2126;
    static constexpr std::int64_t kKb = 722;
    static constexpr std::int64_t kWhole = 10000;                // 1 in ten-thousandths
    static constexpr std::int64_t kCbScale = 2 * (kWhole - kKb); // 2 (1 - Kb)
    static constexpr std::int64_t kCrScale = 2 * (kWhole - kKr); // 2 (1 - Kr)

    static constexpr std::int32_t kYr = Bt709Detail::Fixed(219 * kKr, 255 * kWhole);
    static constexpr std::int32_t kYb = Bt709Detail::Fixed(219 * kKb, 255 * kWhole);
    static constexpr std::int32_t kYg = Bt709Detail::Fixed(219, 255) - kYr - kYb;
    static constexpr std::int32_t kCbR = Bt709Detail::Fixed(-224 * kKr, 255 * kCbScale);
    static constexpr std::int32_t kCbB = Bt709Detail::Fixed(112, 255);
    static constexpr std::int32_t kCbG = -kCbR - kCbB;
    static constexpr std::int32_t kCrR = Bt709Detail::Fixed(112, 255);
    static constexpr std::int32_t kCrB = Bt709Detail::Fixed(-224 * kKb, 255 * kCrScale);
    static constexpr std::int32_t kCrG = -kCrR - kCrB;

    static constexpr std::uint8_t Rounded(std::int32_t sum, int offset, int log2Count)
    {
        const int shift = kShift + log2Count;
        // C++20 shifts negative numbers arithmetically: this is floor.
        return static_cast<std::uint8_t>(offset + ((sum + (std::int32_t{1} << (shift - 1))) >> shift));
    }
};
