#include <span>
#include <vector>

#include <gtest/gtest.h>

#include "BufferTestSupport.h"
#include "render/DrawFrame.h"

namespace {

constexpr PlantStyle kStyle{};
constexpr std::uint32_t kBack = 0x00000080;
constexpr std::uint32_t kTrunk = 0xFFFF8000; // lines set bits 24-31

void Draw(BackBuffer& buffer, int width, int height, std::span<const BranchRule> rules, std::uint8_t fade)
{
    SegmentList segments;
    DrawFrame(buffer, width, height, rules, kStyle, fade, segments);
}

} // namespace

TEST(DrawFrame, TrunkLandsWhereTheMapSendsIt)
{
    // No rules: only the trunk. 400 x 300 puts it from (200, 300) up to
    // (200, 200); row 300 is outside and row 200 is its end pixel.
    BackBuffer wide(400, 300);
    FillAllWords(wide, kBack);
    Draw(wide, 400, 300, {}, 64);
    for (int y = 201; y < 300; ++y) {
        EXPECT_EQ(PixelAt(wide, 200, y), kTrunk) << y;
    }
    EXPECT_EQ(PixelAt(wide, 200, 200), kBack);
    EXPECT_EQ(CountPixels(wide, kTrunk), 99);

    BackBuffer square(300, 300);
    FillAllWords(square, kBack);
    Draw(square, 300, 300, {}, 64);
    EXPECT_EQ(PixelAt(square, 150, 299), kTrunk);
    EXPECT_EQ(CountPixels(square, kTrunk), 99);

    BackBuffer tall(100, 400);
    FillAllWords(tall, kBack);
    Draw(tall, 100, 400, {}, 64);
    EXPECT_EQ(PixelAt(tall, 50, 275), kTrunk);
    EXPECT_EQ(PixelAt(tall, 50, 226), kTrunk);
    EXPECT_EQ(PixelAt(tall, 50, 225), kBack);
    EXPECT_EQ(CountPixels(tall, kTrunk), 50);
}

TEST(DrawFrame, FadeWeightDecidesWhatRemainsOfEarlierFrames)
{
    const std::vector<BranchRule> left{{0.0, 0.5}};
    const std::vector<BranchRule> right{{0.0, -0.5}};
    // The left child runs from (200, 200) to (150, 200). One segment list
    // serves both frames, as in the window: the first frame's segments must
    // not be drawn again.
    for (const auto& [fade, kept] : {std::pair{std::uint8_t{255}, false}, {std::uint8_t{0}, true}}) {
        BackBuffer buffer(400, 300);
        FillAllWords(buffer, kBack);
        SegmentList segments;
        DrawFrame(buffer, 400, 300, left, kStyle, fade, segments);
        DrawFrame(buffer, 400, 300, right, kStyle, fade, segments);
        EXPECT_EQ((PixelAt(buffer, 170, 200) & 0x00FFFFFFU) != kBack, kept) << int{fade};
        EXPECT_NE(PixelAt(buffer, 230, 200) & 0x00FFFFFFU, kBack) << int{fade};
    }
}

TEST(DrawFrame, DegenerateClientAreasDrawNothingAndStayInside)
{
    const std::vector<BranchRule> rules{{0.6, 0.3}, {0.6, -0.3}, {-0.4, 0.5}, {0.7, 0.0}};
    BackBuffer buffer(40, 30);
    FillAllWords(buffer, kBack);
    for (const auto& [w, h] : {std::pair{0, 0}, {0, 30}, {40, 0}}) {
        Draw(buffer, w, h, rules, 255);
        EXPECT_EQ(CountPixels(buffer, kBack), 40 * 30);
    }
    // A client area larger than the buffer (a resize under way) is clipped.
    Draw(buffer, 3000, 2000, rules, 255);
    BackBuffer none(0, 0);
    Draw(none, 10, 10, rules, 255);
}
