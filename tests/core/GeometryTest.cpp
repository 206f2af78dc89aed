#include <cmath>

#include <gtest/gtest.h>

#include "geometry/LinearMap2.h"
#include "geometry/ViewMapping.h"

namespace {

void ExpectMap(const LinearMap2& map, double sx, double sy, double ox, double oy)
{
    EXPECT_EQ(map.sx, sx);
    EXPECT_EQ(map.sy, sy);
    EXPECT_EQ(map.ox, ox);
    EXPECT_EQ(map.oy, oy);
}

Rect2 Screen(int width, int height)
{
    return {0.0, static_cast<double>(height), static_cast<double>(width), 0.0};
}

bool Finite(const LinearMap2& map)
{
    return std::isfinite(map.sx) && std::isfinite(map.sy) && std::isfinite(map.ox) && std::isfinite(map.oy);
}

} // namespace

TEST(Vec2, OperationsReturnNewValuesInOperandOrder)
{
    const Vec2 a{3.0, 4.0};
    EXPECT_EQ(a.Subtract({1.0, 1.0}), (Vec2{2.0, 3.0}));
    EXPECT_EQ(a.Add({1.0, -6.0}), (Vec2{4.0, -2.0}));
    EXPECT_EQ(a.Scale(0.5), (Vec2{1.5, 2.0}));
    EXPECT_EQ(a, (Vec2{3.0, 4.0}));
}

TEST(FitAspect, GrowsOneSideToTheScreensProportions)
{
    EXPECT_EQ(Screen(400, 300).FitAspect(kWorldRect), (Rect2{-10.0, 0.0, 10.0, 15.0}));             // wide
    EXPECT_EQ(Screen(200, 600).FitAspect(kWorldRect), (Rect2{-5.0, -7.5, 5.0, 22.5}));              // tall
    EXPECT_EQ(Screen(200, 300).FitAspect(kWorldRect), kWorldRect);                                  // exact
    EXPECT_EQ(Screen(400, 300).FitAspect({5.0, 15.0, -5.0, 0.0}), (Rect2{-10.0, 0.0, 10.0, 15.0})); // swapped
    EXPECT_EQ(Screen(0, 0).FitAspect({5.0, 15.0, -5.0, 0.0}), kWorldRect);                          // empty
}

TEST(FitAspect, AScreenWithOneZeroSideGivesTheWorldRectangle)
{
    EXPECT_EQ(Screen(0, 300).FitAspect(kWorldRect), kWorldRect);
    EXPECT_EQ(Screen(400, 0).FitAspect(kWorldRect), kWorldRect);
}

TEST(LinearMap2, SendsCornerToCorner)
{
    const LinearMap2 morph(Rect2{0.0, 0.0, 1.0, 1.0}, Rect2{0.25, -120.0, 0.75, 120.0});
    ExpectMap(morph, 0.5, 240.0, 0.25, -120.0);
    EXPECT_EQ(morph.Apply({0.5, 0.5}), (Vec2{0.5, 0.0}));
}

TEST(ViewMapping, WorkedClientAreas)
{
    const LinearMap2 wide = ViewMapping(0, 0, 400, 300);
    ExpectMap(wide, 20.0, -20.0, 200.0, 300.0);
    EXPECT_EQ(wide.Apply({0.0, 0.0}), (Vec2{200.0, 300.0}));
    EXPECT_EQ(wide.Apply({0.0, 5.0}), (Vec2{200.0, 200.0}));
    ExpectMap(ViewMapping(0, 0, 200, 600), 20.0, -20.0, 100.0, 450.0);
    ExpectMap(ViewMapping(0, 0, 200, 300), 20.0, -20.0, 100.0, 300.0);
    ExpectMap(ViewMapping(0, 0, 100, 400), 10.0, -10.0, 50.0, 275.0);
    ExpectMap(ViewMapping(0, 0, 0, 0), 0.0, 0.0, 0.0, 0.0);
}

TEST(ViewMapping, StaysFiniteForEveryDegenerateClientArea)
{
    for (const auto& [w, h] : {std::pair{0, 0}, {0, 1}, {1, 0}, {0, 3000}, {3000, 0}, {1, 3000}, {3000, 1}}) {
        SCOPED_TRACE(testing::Message() << w << " x " << h);
        EXPECT_TRUE(Finite(ViewMapping(0, 0, w, h)));
    }
}
