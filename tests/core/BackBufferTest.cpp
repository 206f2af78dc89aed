#include <gtest/gtest.h>

#include "RowName.h"

#include "BufferTestSupport.h"

namespace {

constexpr std::uint32_t kSentinel = 0x5A5A5A5A;
constexpr std::uint32_t kBack = 0x00000080;

struct FadeCase {
    const char* name;
    std::uint32_t pixel;
    std::uint32_t weightedColor;
    std::uint32_t faded;
};

class BackBufferFade : public testing::TestWithParam<FadeCase> {};

struct SizeCase {
    const char* name;
    int width;
    int height;
};

class BackBufferWithoutMemory : public testing::TestWithParam<SizeCase> {};

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

TEST_P(BackBufferFade, OnePixelOnce)
{
    BackBuffer buffer(1, 1);
    PixelAt(buffer, 0, 0) = GetParam().pixel;
    buffer.Fade(GetParam().weightedColor, 0, 0, 1, 1);
    EXPECT_EQ(PixelAt(buffer, 0, 0), GetParam().faded);
}

INSTANTIATE_TEST_SUITE_P(WorkedValues, BackBufferFade,
                         testing::Values(FadeCase{"WhiteAtDefaultWeight", 0x00FFFFFF, 64U << 24 | kBack, 0x00BFBFE0},
                                         FadeCase{"TopBitsKept", 0x12FF8000, 64U << 24 | kBack, 0x12BF6020},
                                         FadeCase{"NearTheResidue", 0x00040484, 64U << 24 | kBack, 0x00030383},
                                         FadeCase{"ResidueStays", 0x00030383, 64U << 24 | kBack, 0x00030383},
                                         FadeCase{"WeightZeroKeepsAll", 0x7F123456, 0U << 24 | kBack, 0x7F123456},
                                         FadeCase{"WeightFullGivesTheTarget", 0x7F123456, 255U << 24 | kBack,
                                                  0x7F000080}),
                         RowName());

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

TEST_P(BackBufferWithoutMemory, EveryOperationDoesNothing)
{
    const auto [name, w, h] = GetParam();
    BackBuffer buffer(w, h);
    EXPECT_FALSE(buffer.HasPixels());
    EXPECT_EQ(buffer.Bits(), nullptr);
    buffer.Fade(255U << 24 | kBack, 0, 0, w, h);
    buffer.FillRect(PixelColor{kBack}, 0, 0, w, h);
    buffer.DrawLine(0, 0, 50, 50, PixelColor{kBack});
    EXPECT_TRUE(buffer.TakeChangedArea().empty());
}

INSTANTIATE_TEST_SUITE_P(Sizes, BackBufferWithoutMemory,
                         testing::Values(SizeCase{"MoreThanCanBeHad", 100000, 100000}, SizeCase{"NoWidth", 0, 10},
                                         SizeCase{"NoHeight", 10, 0}, SizeCase{"Nothing", 0, 0},
                                         SizeCase{"NegativeWidth", -4, 5}),
                         RowName());
