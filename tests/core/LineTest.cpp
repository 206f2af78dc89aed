#include <limits>
#include <random>
#include <set>
#include <utility>

#include <gtest/gtest.h>

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

TEST(DrawLine, StartPixelDrawnEndPixelLeftOut)
{
    EXPECT_EQ(Drawn(8, 8, 1, 2, 5, 2), (Pixels{{1, 2}, {2, 2}, {3, 2}, {4, 2}}));
    EXPECT_EQ(Drawn(8, 8, 5, 2, 1, 2), (Pixels{{5, 2}, {4, 2}, {3, 2}, {2, 2}}));
    EXPECT_EQ(Drawn(8, 8, 3, 6, 3, 3), (Pixels{{3, 6}, {3, 5}, {3, 4}}));
    EXPECT_EQ(Drawn(8, 8, 0, 0, 3, 3), (Pixels{{0, 0}, {1, 1}, {2, 2}}));
    EXPECT_EQ(Drawn(8, 8, 4, 4, 4, 4), Pixels{});
}

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

TEST(DrawLine, EndPointsAnywhereInTheIntRangeStayInside)
{
    constexpr int kMin = std::numeric_limits<int>::min();
    constexpr int kMax = std::numeric_limits<int>::max();
    // The full diagonal: pixel (i, i) for every i.
    Pixels diagonal;
    for (int i = 0; i < 10; ++i) {
        diagonal.insert({i, i});
    }
    EXPECT_EQ(Drawn(10, 10, kMin, kMin, kMax, kMax), diagonal);
    EXPECT_EQ(Drawn(10, 10, kMax, kMax, kMin, kMin), diagonal);
    EXPECT_EQ(Drawn(10, 10, kMin, 3, kMax, 3).size(), 10U);
    EXPECT_EQ(Drawn(10, 10, 3, kMax, 3, kMin).size(), 10U);
    EXPECT_TRUE(Drawn(10, 10, kMin, kMax, kMin, kMin).empty());
    EXPECT_TRUE(Drawn(10, 10, kMax, 0, kMax - 5, 9).empty());
    EXPECT_TRUE(Drawn(10, 10, -1, -1, -1, 100).empty());
    EXPECT_TRUE(Drawn(10, 10, 10, 0, 10, 10).empty());
}
