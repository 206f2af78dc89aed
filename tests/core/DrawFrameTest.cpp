#include <span>
#include <vector>

#include <gtest/gtest.h>

#include "RowName.h"

#include "BufferTestSupport.h"
#include "DrawFrame.h"

namespace {

constexpr PlantStyle kStyle{};
constexpr std::uint32_t kBack = 0x00000080;
constexpr std::uint32_t kTrunk = 0xFFFF8000; // lines set bits 24-31

void Draw(BackBuffer& buffer, std::span<const BranchRule> rules, std::uint8_t fade, const PlantStyle& style = kStyle)
{
    SegmentList segments;
    DrawFrame(buffer, rules, style, fade, segments);
}

struct TrunkCase {
    const char* name;
    int width;
    int height;
    int column; // where the trunk stands
    int base;   // its first row, the one nearest the bottom
    int top;    // the row its end pixel would be, left out
};

class DrawFrameTrunk : public testing::TestWithParam<TrunkCase> {};

} // namespace

// No rules: only the trunk, from world (0, 0) up to (0, 5), mapped into the
// picture's proportions. A row of the bottom edge itself is outside.
TEST_P(DrawFrameTrunk, StandsWhereTheMapSendsIt)
{
    const TrunkCase& c = GetParam();
    BackBuffer buffer(c.width, c.height);
    FillAllWords(buffer, kBack);
    Draw(buffer, {}, 64);
    for (int y = c.top + 1; y <= c.base; ++y) {
        EXPECT_EQ(PixelAt(buffer, c.column, y), kTrunk) << y;
    }
    EXPECT_EQ(PixelAt(buffer, c.column, c.top), kBack);
    EXPECT_EQ(CountPixels(buffer, kTrunk), c.base - c.top);
}

INSTANTIATE_TEST_SUITE_P(ClientAreas, DrawFrameTrunk,
                         testing::Values(TrunkCase{"Wide", 400, 300, 200, 299, 200},
                                         TrunkCase{"Square", 300, 300, 150, 299, 200},
                                         TrunkCase{"TallClearOfTheBottom", 100, 400, 50, 275, 225}),
                         RowName());

namespace {

struct TruncationCase {
    const char* name;
    Vec2 trunkStart;
    Vec2 trunkEnd;
    // The trunk's end points once mapped into 400 x 300 and truncated.
    int x0;
    int y0;
    int x1;
    int y1;
};

class DrawFrameTruncation : public testing::TestWithParam<TruncationCase> {};

} // namespace

// Mapped coordinates become pixels by truncation toward zero: a hair below a
// whole number stays below it, and a hair below zero becomes zero, not -1.
TEST_P(DrawFrameTruncation, MappedEndPointsAreTruncatedTowardZero)
{
    const TruncationCase& c = GetParam();
    PlantStyle style;
    style.trunkStart = c.trunkStart;
    style.trunkEnd = c.trunkEnd;
    BackBuffer drawn(400, 300);
    FillAllWords(drawn, kBack);
    Draw(drawn, {}, 64, style);
    BackBuffer expected(400, 300);
    FillAllWords(expected, kBack);
    expected.DrawLine(c.x0, c.y0, c.x1, c.y1, style.trunkColor);
    for (int y = 0; y < 300; ++y) {
        for (int x = 0; x < 400; ++x) {
            ASSERT_EQ(PixelAt(drawn, x, y), PixelAt(expected, x, y)) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Coordinates, DrawFrameTruncation,
                         testing::Values(
                             // x maps to 199.9: column 199, not 200.
                             TruncationCase{"JustBelowAWholeNumber", {-0.005, 0.0}, {-0.005, 5.0}, 199, 300, 199, 200},
                             // x maps to -0.5 at the bottom: the slope starts from
                             // column 0, which moves the pixels of the rows above.
                             TruncationCase{"JustBelowZero", {-10.025, 0.0}, {-5.025, 5.0}, 0, 300, 99, 200}),
                         RowName());

namespace {

struct FadeCase {
    const char* name;
    std::uint8_t fade;
    bool earlierFrameKept;
};

class DrawFrameFade : public testing::TestWithParam<FadeCase> {};

} // namespace

TEST_P(DrawFrameFade, WeightDecidesWhatRemainsOfTheEarlierFrame)
{
    // The trunk's one child turns left in the first frame, right in the
    // second: (200, 200) to (150, 200), then to (250, 200). One segment list
    // serves both frames, as in the window: the first frame's segments must
    // not be drawn again.
    const std::vector<BranchRule> left{{0.0, 0.5}};
    const std::vector<BranchRule> right{{0.0, -0.5}};
    BackBuffer buffer(400, 300);
    FillAllWords(buffer, kBack);
    SegmentList segments;
    DrawFrame(buffer, left, kStyle, GetParam().fade, segments);
    DrawFrame(buffer, right, kStyle, GetParam().fade, segments);
    EXPECT_EQ((PixelAt(buffer, 170, 200) & 0x00FFFFFFU) != kBack, GetParam().earlierFrameKept);
    EXPECT_NE(PixelAt(buffer, 230, 200) & 0x00FFFFFFU, kBack);
}

INSTANTIATE_TEST_SUITE_P(Weights, DrawFrameFade,
                         testing::Values(FadeCase{"FullErasesIt", 255, false}, FadeCase{"NoneKeepsIt", 0, true}),
                         RowName());

TEST(DrawFrame, APictureWithoutPixelsIsLeftAlone)
{
    const std::vector<BranchRule> rules{{0.6, 0.3}, {0.6, -0.3}, {-0.4, 0.5}, {0.7, 0.0}};
    BackBuffer none(0, 30);
    Draw(none, rules, 255);
    EXPECT_TRUE(none.TakeChangedArea().empty());
}
