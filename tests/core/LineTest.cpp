#include <limits>
#include <random>
#include <set>
#include <utility>

#include <gtest/gtest.h>

#include "RowName.h"

#include "BufferTestSupport.h"

namespace {

constexpr std::uint32_t kBlank = 0x11111111;
constexpr PixelColor kInk{0x00FFFFFF};
using Pixels = std::set<std::pair<int, int>>;

Pixels Drawn(int width, int height, int x0, int y0, int x1, int y1)
{
    BackBuffer buffer(width, height);
    FillAllWords(buffer, kBlank);
    buffer.DrawLine(x0, y0, x1, y1, kInk);
    Pixels pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < buffer.Stride(); ++x) {
            if (PixelAt(buffer, x, y) != kBlank) {
                EXPECT_LT(x, width) << "wrote into the row padding";
                pixels.insert({x, y});
            }
        }
    }
    return pixels;
}

} // namespace

namespace {

struct LineCase {
    const char* name;
    int width;
    int height;
    int x0;
    int y0;
    int x1;
    int y1;
    Pixels pixels;
};

class DrawLineCases : public testing::TestWithParam<LineCase> {};

constexpr int kMin = std::numeric_limits<int>::min();
constexpr int kMax = std::numeric_limits<int>::max();

Pixels Diagonal(int count)
{
    Pixels pixels;
    for (int i = 0; i < count; ++i) {
        pixels.insert({i, i});
    }
    return pixels;
}

Pixels Row(int y, int from, int to)
{
    Pixels pixels;
    for (int x = from; x < to; ++x) {
        pixels.insert({x, y});
    }
    return pixels;
}

Pixels Column(int x, int from, int to)
{
    Pixels pixels;
    for (int y = from; y < to; ++y) {
        pixels.insert({x, y});
    }
    return pixels;
}

} // namespace

// The start pixel is drawn and the end pixel left out; whatever lies outside
// the buffer is cut away without moving a pixel inside it, for end points
// anywhere in the int range.
TEST_P(DrawLineCases, DrawsExactlyTheseInsidePixels)
{
    const LineCase& c = GetParam();
    EXPECT_EQ(Drawn(c.width, c.height, c.x0, c.y0, c.x1, c.y1), c.pixels);
}

INSTANTIATE_TEST_SUITE_P(Lines, DrawLineCases,
                         testing::Values(LineCase{"Rightward", 8, 8, 1, 2, 5, 2, {{1, 2}, {2, 2}, {3, 2}, {4, 2}}},
                                         LineCase{"Leftward", 8, 8, 5, 2, 1, 2, {{5, 2}, {4, 2}, {3, 2}, {2, 2}}},
                                         LineCase{"Upward", 8, 8, 3, 6, 3, 3, {{3, 6}, {3, 5}, {3, 4}}},
                                         LineCase{"Diagonal", 8, 8, 0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}}},
                                         LineCase{"SinglePoint", 8, 8, 4, 4, 4, 4, {}},
                                         // Steep lines whose end pixel lies just outside: the
                                         // pixels before it all stay inside, none in the padding.
                                         LineCase{"EndOnePastTheRightEdge", 6, 12, 5, 0, 6, 10, Column(5, 0, 5)},
                                         LineCase{"EndOnePastTheBottomEdge", 12, 6, 0, 5, 10, 6, Row(5, 0, 5)},
                                         LineCase{"WholeRangeDiagonal", 10, 10, kMin, kMin, kMax, kMax, Diagonal(10)},
                                         LineCase{"WholeRangeDiagonalBackward", 10, 10, kMax, kMax, kMin, kMin,
                                                  Diagonal(10)},
                                         LineCase{"WholeRangeRow", 10, 10, kMin, 3, kMax, 3, Row(3, 0, 10)},
                                         LineCase{"WholeRangeColumn", 10, 10, 3, kMax, 3, kMin, Column(3, 0, 10)},
                                         LineCase{"FarLeftColumn", 10, 10, kMin, kMax, kMin, kMin, {}},
                                         LineCase{"FarRight", 10, 10, kMax, 0, kMax - 5, 9, {}},
                                         LineCase{"JustLeft", 10, 10, -1, -1, -1, 100, {}},
                                         LineCase{"JustRight", 10, 10, 10, 0, 10, 10, {}}),
                         RowName());

TEST(DrawLine, IsConnectedAndOnePixelWide)
{
    // A shallow line steps one pixel along x each time and never more than
    // one row at once; a steep one the other way round.
    const Pixels shallow = Drawn(40, 40, 2, 30, 37, 19);
    ASSERT_EQ(shallow.size(), 35U);
    int previousY = 30;
    for (const auto& [x, y] : shallow) {
        EXPECT_LE(std::abs(y - previousY), 1) << x;
        previousY = y;
    }
    EXPECT_EQ(Drawn(40, 40, 5, 1, 11, 38).size(), 37U);
}

TEST(DrawLine, ClippedLinesKeepExactlyTheirInsidePixels)
{
    // Draw every line once whole into a large buffer, once shifted so that
    // it crosses the edges of a small one: the small buffer must show exactly
    // the large one's window.
    constexpr int kBig = 300;
    constexpr int kLeft = 120;
    constexpr int kTop = 130;
    constexpr int kWidth = 37;
    constexpr int kHeight = 23;
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(0, kBig - 1);
    for (int line = 0; line < 2000; ++line) {
        const int x0 = coordinate(random);
        const int y0 = coordinate(random);
        const int x1 = coordinate(random);
        const int y1 = coordinate(random);
        Pixels window;
        for (const auto& [x, y] : Drawn(kBig, kBig, x0, y0, x1, y1)) {
            if (x >= kLeft && x < kLeft + kWidth && y >= kTop && y < kTop + kHeight) {
                window.insert({x - kLeft, y - kTop});
            }
        }
        ASSERT_EQ(Drawn(kWidth, kHeight, x0 - kLeft, y0 - kTop, x1 - kLeft, y1 - kTop), window)
            << x0 << "," << y0 << " -> " << x1 << "," << y1;
    }
}
