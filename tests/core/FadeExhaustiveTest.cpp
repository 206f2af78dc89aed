#include <algorithm>
#include <cstdint>
#include <numeric>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FadeKernel.h"
#include "FadeReference.h"
#include "FadeVariants.h"

namespace {

// A fade toward a grey: the weight in bits 24-31, the grey in every channel.
std::uint32_t TowardGrey(int weight, int grey)
{
    return static_cast<std::uint32_t>(weight) << 24 | static_cast<std::uint32_t>(grey) * 0x00010101U;
}

// 259 pixels: every byte value in every colour channel, with varied bits
// 24-31, and a length that leaves a few pixels over for every register width.
std::vector<std::uint32_t> EveryByte()
{
    std::vector<std::uint32_t> pixels(259);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const auto b = static_cast<std::uint32_t>(i & 0xFFU);
        pixels[i] = (b ^ 0xA5U) << 24 | b << 16 | (255 - b) << 8 | b;
    }
    return pixels;
}

// Each fade variant this processor runs.
class FadeVariantTest : public testing::TestWithParam<FadeVariant> {};

} // namespace

// Fades `original` in one row under each of `targets` (greys) with every
// weight, chunk by chunk, and holds the pixels and each chunk's states to the
// formula: whether the fade moved a pixel, and whether the next fade under the
// same colour would.
void ExpectTheFormulaForEveryWeight(const FadeVariant& variant, const std::vector<std::uint32_t>& original,
                                    std::size_t chunk, const std::vector<int>& targets)
{
    const std::size_t chunks = (original.size() + chunk - 1) / chunk;
    std::vector<std::uint32_t> expected(original.size());
    std::vector<std::uint8_t> expectedStates(chunks);
    std::vector<std::uint32_t> pixels;
    std::vector<std::uint8_t> states(chunks);
    for (int weight = 0; weight < 256; ++weight) {
        for (const int target : targets) {
            const std::uint32_t weighted = TowardGrey(weight, target);
            std::fill(expectedStates.begin(), expectedStates.end(), 0);
            for (std::size_t i = 0; i < original.size(); ++i) {
                expected[i] = FadedPixel(original[i], weighted);
                std::uint8_t& state = expectedStates[i / chunk];
                state |= expected[i] != original[i] ? kFadeMoved : 0;
                state |= FadedPixel(expected[i], weighted) != expected[i] ? kFadeUnsettled : 0;
            }
            pixels = original;
            std::fill(states.begin(), states.end(), 0);
            variant.fade({pixels.data(), pixels.size(), pixels.size(), 1}, weighted, chunk, states.data());
            if (pixels != expected || states != expectedStates) {
                for (std::size_t i = 0; i < pixels.size(); ++i) {
                    ASSERT_EQ(pixels[i], expected[i]) << "old " << std::hex << original[i] << " target " << target
                                                      << " weight " << std::dec << weight;
                }
                FAIL() << "states differ for target " << target << " weight " << weight;
            }
        }
    }
}

// Every (old, target, weight) triple. Chunks of 24 pixels end inside
// registers and leave a short chunk at the end.
TEST_P(FadeVariantTest, EqualsTheFormulaForEveryByteTargetAndWeight)
{
    std::vector<int> everyTarget(256);
    std::iota(everyTarget.begin(), everyTarget.end(), 0);
    ExpectTheFormulaForEveryWeight(GetParam(), EveryByte(), 24, everyTarget);
}

// Whole registers of one grey each, one chunk per grey: every distance up
// and down meets every weight in registers where no other pixel has a
// say, so a register is left alone exactly when the fade moves none of it.
TEST_P(FadeVariantTest, EqualsTheFormulaForRegistersOfOneGrey)
{
    constexpr std::size_t kPerGrey = 16; // the widest register
    std::vector<std::uint32_t> greys;
    for (std::uint32_t grey = 0; grey < 256; ++grey) {
        greys.insert(greys.end(), kPerGrey, (grey ^ 0x3CU) << 24 | grey * 0x00010101U);
    }
    ExpectTheFormulaForEveryWeight(GetParam(), greys, kPerGrey, {0, 0x80, 0xFF});
}

// FadeSpan, the entry the rest of the program calls, over one row.
TEST(FadeKernel, SpanFadesByTheRuleAndSaysWhetherAPixelMoved)
{
    for (const int weight : {0, 1, 64, 200, 254, 255}) {
        for (const int target : {0, 0x80, 0xFF}) {
            std::vector<std::uint32_t> span = EveryByte();
            std::vector<std::uint32_t> expected = span;
            const bool expectedMoved = FadeSpanReference(expected.data(), expected.size(), TowardGrey(weight, target));
            EXPECT_EQ(FadeSpan(span.data(), span.size(), TowardGrey(weight, target)), expectedMoved)
                << weight << " " << target;
            EXPECT_EQ(span, expected) << weight << " " << target;
        }
    }
}

// Rows of 17 pixels leave one over after whole registers of 4, 8 or 16: the
// last pixel of every row is faded like the others, and the padding beyond
// the row is left alone.
TEST_P(FadeVariantTest, FadesTheLastPixelOfEveryRowAndNothingBeyond)
{
    constexpr std::size_t kWidth = 17;
    constexpr std::size_t kStride = 20;
    constexpr std::size_t kRows = 3;
    constexpr std::uint32_t kPadding = 0x5A5A5A5A;
    constexpr std::uint32_t kWeighted = 64U << 24 | 0x00000080;
    std::vector<std::uint32_t> pixels(kStride * kRows, kPadding);
    std::vector<std::uint32_t> expected = pixels;
    for (std::size_t row = 0; row < kRows; ++row) {
        for (std::size_t x = 0; x < kWidth; ++x) {
            pixels[row * kStride + x] = 0x00FFFFFFU - static_cast<std::uint32_t>(row * kWidth + x);
        }
        std::copy_n(pixels.begin() + static_cast<std::ptrdiff_t>(row * kStride), kWidth,
                    expected.begin() + static_cast<std::ptrdiff_t>(row * kStride));
        FadeSpanReference(expected.data() + row * kStride, kWidth, kWeighted);
    }
    std::uint8_t state = 0;
    GetParam().fade({pixels.data(), kStride, kWidth, kRows}, kWeighted, kWidth, &state);
    EXPECT_EQ(pixels, expected);
    EXPECT_EQ(state, kFadeMoved | kFadeUnsettled);
}

INSTANTIATE_TEST_SUITE_P(Variants, FadeVariantTest, testing::ValuesIn(RunnableFadeVariants()),
                         [](const testing::TestParamInfo<FadeVariant>& info) {
                             std::string name = info.param.name;
                             name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
                             return name;
                         });
