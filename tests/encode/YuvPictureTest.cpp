#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "FailingAllocation.h"
#include "RowName.h"

#include "BackBuffer.h"
#include "Bt709.h"
#include "YuvPicture.h"

namespace {

// BT.709 limited range in floating point, straight from the definitions:
// E'Y = Kr R + Kg G + Kb B, E'Cb = (B - E'Y) / (2 (1 - Kb)),
// E'Cr = (R - E'Y) / (2 (1 - Kr)); Y = 16 + 219 E'Y, C = 128 + 224 E'C.
struct Exact {
    double y;
    double cb;
    double cr;
};

Exact ExactBt709(std::uint32_t rgb)
{
    constexpr double kKr = 0.2126;
    constexpr double kKb = 0.0722;
    constexpr double kKg = 1.0 - kKr - kKb;
    const double r = (rgb >> 16 & 0xFF) / 255.0;
    const double g = (rgb >> 8 & 0xFF) / 255.0;
    const double b = (rgb & 0xFF) / 255.0;
    const double luma = kKr * r + kKg * g + kKb * b;
    return {16 + 219 * luma, 128 + 224 * (b - luma) / (2 * (1 - kKb)), 128 + 224 * (r - luma) / (2 * (1 - kKr))};
}

// Rounding in 16-bit fixed point may stray this far past a half step.
constexpr double kSlack = 0.5 + 0.01;

struct ColourCase {
    const char* name;
    std::uint32_t rgb;
};

class KnownColour : public testing::TestWithParam<ColourCase> {};

} // namespace

TEST_P(KnownColour, IsTheNearestBt709LimitedRangeValue)
{
    const Exact exact = ExactBt709(GetParam().rgb);
    const Bt709::Bytes bytes = Bt709::From(PixelColor{GetParam().rgb});
    EXPECT_EQ(bytes.y, std::lround(exact.y));
    EXPECT_EQ(bytes.cb, std::lround(exact.cb));
    EXPECT_EQ(bytes.cr, std::lround(exact.cr));
}

INSTANTIATE_TEST_SUITE_P(Colours, KnownColour,
                         testing::Values(ColourCase{"Black", 0x000000}, ColourCase{"White", 0xFFFFFF},
                                         ColourCase{"Background", 0x000080}, ColourCase{"Trunk", 0xFF8000},
                                         ColourCase{"Red", 0xFF0000}, ColourCase{"Green", 0x00FF00},
                                         ColourCase{"Blue", 0x0000FF}),
                         RowName());

TEST(Bt709, BlackAndWhiteAreTheEndsOfTheLimitedRange)
{
    const Bt709::Bytes black = Bt709::From(PixelColor{0x000000});
    const Bt709::Bytes white = Bt709::From(PixelColor{0xFFFFFF});
    EXPECT_EQ(black.y, 16);
    EXPECT_EQ(white.y, 235);
}

TEST(Bt709, GreyHasNoColourAtAll)
{
    for (std::uint32_t level = 0; level < 256; ++level) {
        const Bt709::Bytes grey = Bt709::From(PixelColor{level * 0x010101U});
        ASSERT_EQ(grey.cb, 128) << level;
        ASSERT_EQ(grey.cr, 128) << level;
        ASSERT_EQ(grey.y, std::lround(ExactBt709(level * 0x010101U).y)) << level;
    }
}

TEST(Bt709, EveryColourIsWithinHalfAStepOfTheExactValueAndInRange)
{
    for (std::uint32_t r = 0; r < 256; r += 3) {
        for (std::uint32_t g = 0; g < 256; g += 3) {
            for (std::uint32_t b = 0; b < 256; b += 3) {
                const std::uint32_t rgb = r << 16 | g << 8 | b;
                const Exact exact = ExactBt709(rgb);
                const Bt709::Bytes bytes = Bt709::From(PixelColor{rgb});
                ASSERT_LE(std::abs(bytes.y - exact.y), kSlack) << std::hex << rgb;
                ASSERT_LE(std::abs(bytes.cb - exact.cb), kSlack) << std::hex << rgb;
                ASSERT_LE(std::abs(bytes.cr - exact.cr), kSlack) << std::hex << rgb;
                ASSERT_TRUE(bytes.y >= 16 && bytes.y <= 235 && bytes.cb >= 16 && bytes.cb <= 240 && bytes.cr >= 16 &&
                            bytes.cr <= 240)
                    << std::hex << rgb;
            }
        }
    }
}

namespace {

std::uint32_t& PixelAt(BackBuffer& buffer, int x, int y)
{
    return buffer
        .Bits()[static_cast<std::size_t>(y) * static_cast<std::size_t>(buffer.Stride()) + static_cast<std::size_t>(x)];
}

// A picture whose every pixel differs from its neighbours.
void Paint(BackBuffer& picture)
{
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            PixelAt(picture, x, y) = static_cast<std::uint32_t>(x * 0x3B1F07 + y * 0x0C41A3) & 0xFFFFFFU;
        }
    }
}

std::uint8_t At(const YuvPicture& yuv, int plane, int x, int y)
{
    const int width = plane == 0 ? yuv.Width() : yuv.ChromaWidth();
    return yuv.Plane(
        plane)[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
}

} // namespace

TEST(YuvPicture, FullChromaKeepsEveryPixelsOwnColourInPlaneOrder)
{
    BackBuffer picture(7, 5);
    Paint(picture);
    YuvPicture yuv(7, 5, YuvPicture::Chroma::Full);
    yuv.Convert(picture);
    ASSERT_EQ(yuv.Bytes().size(), 7U * 5U * 3U);
    EXPECT_FALSE(yuv.Padded());
    // The planes follow one another in the one block.
    EXPECT_EQ(yuv.Plane(1).data(), yuv.Bytes().data() + 35);
    EXPECT_EQ(yuv.Plane(2).data(), yuv.Bytes().data() + 70);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
            const Exact exact = ExactBt709(PixelAt(picture, x, y));
            EXPECT_LE(std::abs(At(yuv, 0, x, y) - exact.y), kSlack) << x << "," << y;
            EXPECT_LE(std::abs(At(yuv, 1, x, y) - exact.cb), kSlack) << x << "," << y;
            EXPECT_LE(std::abs(At(yuv, 2, x, y) - exact.cr), kSlack) << x << "," << y;
        }
    }
}

namespace {

struct HalfCase {
    const char* name;
    int width;
    int height;
};

class HalfChroma : public testing::TestWithParam<HalfCase> {};

} // namespace

// Each chroma value is the mean of its 2x2 block, rounded once; an odd side
// is padded by repeating the last column or row, in luma and chroma alike.
TEST_P(HalfChroma, IsTheMeanOfEachBlockWithOddSidesPaddedByTheirLastPixels)
{
    const HalfCase& c = GetParam();
    BackBuffer picture(c.width, c.height);
    Paint(picture);
    YuvPicture yuv(c.width, c.height, YuvPicture::Chroma::Half);
    yuv.Convert(picture);
    const int width = c.width + c.width % 2;
    const int height = c.height + c.height % 2;
    ASSERT_EQ(yuv.Width(), width);
    ASSERT_EQ(yuv.Height(), height);
    EXPECT_EQ(yuv.Padded(), width != c.width || height != c.height);
    ASSERT_EQ(yuv.Bytes().size(), static_cast<std::size_t>(width * height + 2 * (width / 2) * (height / 2)));

    const auto source = [&](int x, int y) {
        return PixelAt(picture, std::min(x, c.width - 1), std::min(y, c.height - 1));
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            ASSERT_LE(std::abs(At(yuv, 0, x, y) - ExactBt709(source(x, y)).y), kSlack) << x << "," << y;
        }
    }
    for (int j = 0; j < height / 2; ++j) {
        for (int i = 0; i < width / 2; ++i) {
            double cb = 0;
            double cr = 0;
            for (const auto& [dx, dy] : {std::pair{0, 0}, {1, 0}, {0, 1}, {1, 1}}) {
                const Exact exact = ExactBt709(source(2 * i + dx, 2 * j + dy));
                cb += exact.cb / 4;
                cr += exact.cr / 4;
            }
            ASSERT_LE(std::abs(At(yuv, 1, i, j) - cb), kSlack) << i << "," << j;
            ASSERT_LE(std::abs(At(yuv, 2, i, j) - cr), kSlack) << i << "," << j;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, HalfChroma,
                         testing::Values(HalfCase{"EvenSides", 6, 4}, HalfCase{"OddWidth", 7, 4},
                                         HalfCase{"OddHeight", 6, 5}, HalfCase{"BothOdd", 469, 339},
                                         HalfCase{"OnePixel", 1, 1}),
                         RowName());

TEST(YuvPicture, MeanIsRoundedOnceNotFromRoundedValues)
{
    // A little red among three black pixels: its own Cr rounds up a whole
    // step, and the mean of the rounded values would then round up too,
    // where the exact mean rounds down.
    BackBuffer picture(2, 2);
    picture.FillRect(PixelColor{0x000000}, 0, 0, 2, 2);
    PixelAt(picture, 0, 0) = 0x040000;
    const double red = ExactBt709(0x040000).cr;
    const double mean = (red + 3 * 128) / 4;
    ASSERT_NE(std::lround(mean), (std::lround(red) + 3L * 128 + 2) / 4) << "the case no longer tells the two apart";
    YuvPicture yuv(2, 2, YuvPicture::Chroma::Half);
    yuv.Convert(picture);
    EXPECT_EQ(At(yuv, 2, 0, 0), std::lround(mean));
}

TEST(YuvPicture, WithoutMemoryItHasNoPlanesAndConvertsNothing)
{
    BackBuffer picture(4, 4);
    Paint(picture);
    const FailingAllocation failure(1);
    YuvPicture yuv(4, 4, YuvPicture::Chroma::Half);
    ASSERT_TRUE(failure.Happened());
    EXPECT_FALSE(yuv.HasPlanes());
    EXPECT_TRUE(yuv.Bytes().empty());
    EXPECT_TRUE(yuv.Plane(2).empty());
    yuv.Convert(picture);
}
