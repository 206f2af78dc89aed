#include <memory>

#include <gtest/gtest.h>

#include "BufferTestSupport.h"
#include "render/BackBufferRef.h"

namespace {

constexpr std::uint32_t kSentinel = 0x5A5A5A5A;
constexpr std::uint32_t kBack = 0x00000080;

std::uint32_t FadedOnce(std::uint32_t pixel, std::uint32_t weightedColor)
{
    BackBuffer buffer(1, 1);
    PixelAt(buffer, 0, 0) = pixel;
    buffer.Fade(weightedColor, 0, 0, 1, 1);
    return PixelAt(buffer, 0, 0);
}

} // namespace

TEST(BackBuffer, StrideRoundsUpToFourPixels)
{
    BackBuffer buffer(5, 3);
    EXPECT_EQ(buffer.Width(), 5);
    EXPECT_EQ(buffer.Height(), 3);
    EXPECT_EQ(buffer.Stride(), 8);
    EXPECT_EQ(&PixelAt(buffer, 4, 2), buffer.Bits() + 20);
    EXPECT_EQ(BackBuffer(8, 1).Stride(), 8);
    EXPECT_EQ(BackBuffer(1, 1).Stride(), 4);
}

TEST(BackBuffer, FadeWorkedValues)
{
    const std::uint32_t toBack64 = 64U << 24 | kBack;
    EXPECT_EQ(FadedOnce(0x00FFFFFF, toBack64), 0x00BFBFE0U);
    EXPECT_EQ(FadedOnce(0x12FF8000, toBack64), 0x12BF6020U); // bits 24-31 kept
    EXPECT_EQ(FadedOnce(0x00040484, toBack64), 0x00030383U);
    EXPECT_EQ(FadedOnce(0x00030383, toBack64), 0x00030383U);
    EXPECT_EQ(FadedOnce(0x7F123456, 0U << 24 | kBack), 0x7F123456U);
    EXPECT_EQ(FadedOnce(0x7F123456, 255U << 24 | kBack), 0x7F000080U);
}

TEST(BackBuffer, WhiteSettlesOnTheResidueAfterSeventeenFades)
{
    BackBuffer buffer(9, 1); // wide enough for the vector path and its tail
    FillAllWords(buffer, 0x00FFFFFF);
    for (int i = 0; i < 17; ++i) {
        buffer.Fade(64U << 24 | kBack, 0, 0, 9, 1);
    }
    EXPECT_EQ(CountPixels(buffer, 0x00030383), 9);
    buffer.Fade(64U << 24 | kBack, 0, 0, 9, 1);
    EXPECT_EQ(CountPixels(buffer, 0x00030383), 9);
}

TEST(BackBuffer, FadeTouchesOnlyItsRectangleClippedToThePicture)
{
    BackBuffer buffer(13, 7); // stride 16: three padding words a row
    FillAllWords(buffer, kSentinel);
    buffer.Fade(255U << 24 | kBack, 10, 5, 100, 100);
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 16; ++x) {
            const bool inside = x >= 10 && x < 13 && y >= 5;
            EXPECT_EQ(PixelAt(buffer, x, y), inside ? (kSentinel & 0xFF000000U) | kBack : kSentinel) << x << "," << y;
        }
    }
    // Empty, negative and wholly outside rectangles change nothing.
    FillAllWords(buffer, kSentinel);
    buffer.Fade(255U << 24 | kBack, 0, 0, 0, 7);
    buffer.Fade(255U << 24 | kBack, 0, 0, 13, -1);
    buffer.Fade(255U << 24 | kBack, -50, -50, 40, 40);
    buffer.Fade(255U << 24 | kBack, 2147483000, 0, 2147483000, 7);
    EXPECT_EQ(CountPixels(buffer, kSentinel), 13 * 7);
}

TEST(BackBuffer, FillRectIsClipped)
{
    BackBuffer buffer(6, 4);
    FillAllWords(buffer, kSentinel);
    buffer.FillRect(PixelColor{kBack}, -3, 2, 5, 10);
    EXPECT_EQ(CountPixels(buffer, BackBuffer::kOpaque | kBack), 2 * 2);
    EXPECT_EQ(PixelAt(buffer, 1, 3), BackBuffer::kOpaque | kBack);
    EXPECT_EQ(PixelAt(buffer, 2, 3), kSentinel);
    EXPECT_EQ(PixelAt(buffer, 6, 3), kSentinel); // padding
}

TEST(BackBuffer, WithoutMemoryEveryOperationDoesNothing)
{
    for (const auto& [w, h] : {std::pair{100000, 100000}, {0, 10}, {10, 0}, {0, 0}, {-4, 5}}) {
        BackBuffer buffer(w, h);
        EXPECT_FALSE(buffer.HasPixels()) << w << " x " << h;
        EXPECT_EQ(buffer.Bits(), nullptr);
        buffer.Fade(255U << 24 | kBack, 0, 0, w, h);
        buffer.FillRect(PixelColor{kBack}, 0, 0, w, h);
        buffer.DrawLine(0, 0, 50, 50, PixelColor{kBack});
    }
}

TEST(BackBufferRef, ResetReplacesAndReleases)
{
    BackBufferRef holder;
    EXPECT_FALSE(holder);
    holder.Reset(std::make_unique<BackBuffer>(2, 2));
    holder.Reset(std::make_unique<BackBuffer>(3, 1));
    ASSERT_TRUE(holder);
    EXPECT_EQ(holder.Get()->Width(), 3);
    holder.Reset(nullptr);
    EXPECT_FALSE(holder);
    EXPECT_EQ(holder.Get(), nullptr);
}
