#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "render/FadeKernel.h"

namespace {

// The rule, written out once more for the test: a division per byte.
std::uint32_t Expected(std::uint32_t old, int target, int weight)
{
    std::uint32_t result = old & 0xFF000000U;
    for (const int shift : {0, 8, 16}) {
        const int o = static_cast<int>((old >> shift) & 0xFFU);
        result |= static_cast<std::uint32_t>(o + ((target - o) * weight) / 255) << shift;
    }
    return result;
}

} // namespace

// Every (old, target, weight) triple, through the vector path and its scalar
// tail: 259 pixels a call cover both.
TEST(FadeSpan, EqualsTheFormulaForEveryByteTargetAndWeight)
{
    constexpr std::size_t kCount = 259;
    std::vector<std::uint32_t> pixels(kCount);
    std::vector<std::uint32_t> literal(kCount);
    for (int weight = 0; weight < 256; ++weight) {
        for (int target = 0; target < 256; ++target) {
            for (std::size_t i = 0; i < kCount; ++i) {
                const auto b = static_cast<std::uint32_t>(i & 0xFFU);
                pixels[i] = (b ^ 0xA5U) << 24 | b << 16 | (255 - b) << 8 | b;
            }
            literal = pixels;
            const auto weighted =
                static_cast<std::uint32_t>(weight) << 24 | static_cast<std::uint32_t>(target) * 0x00010101U;
            FadeSpan(pixels.data(), kCount, weighted);
            FadeSpanLiteral(literal.data(), kCount, weighted);
            for (std::size_t i = 0; i < kCount; ++i) {
                const auto b = static_cast<std::uint32_t>(i & 0xFFU);
                const std::uint32_t old = (b ^ 0xA5U) << 24 | b << 16 | (255 - b) << 8 | b;
                const std::uint32_t expected = Expected(old, target, weight);
                if (pixels[i] != expected || literal[i] != expected) {
                    FAIL() << "old " << std::hex << old << " target " << target << " weight " << std::dec << weight
                           << ": fast " << std::hex << pixels[i] << ", literal " << literal[i] << ", expected "
                           << expected;
                }
            }
        }
    }
}
