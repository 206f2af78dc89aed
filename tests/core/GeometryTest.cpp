#include <cmath>

#include <gtest/gtest.h>

#include "RowName.h"

#include "LinearMap2.h"
#include "ViewMapping.h"

namespace {

Rect2 Screen(int width, int height)
{
    return {0.0, static_cast<double>(height), static_cast<double>(width), 0.0};
}

struct FitCase {
    const char* name;
    int width;
    int height;
    Rect2 world;
    Rect2 fitted;
};

class FitAspect : public testing::TestWithParam<FitCase> {};

struct MapCase {
    const char* name;
    int width;
    int height;
    LinearMap2 map;
};

class ViewMappingWorked : public testing::TestWithParam<MapCase> {};

struct SizeCase {
    const char* name;
    int width;
    int height;
};

class ViewMappingDegenerate : public testing::TestWithParam<SizeCase> {};

} // namespace

TEST(Vec2, OperationsReturnNewValuesInOperandOrder)
{
    const Vec2 a{3.0, 4.0};
    EXPECT_EQ(a.Subtract({1.0, 1.0}), (Vec2{2.0, 3.0}));
    EXPECT_EQ(a.Add({1.0, -6.0}), (Vec2{4.0, -2.0}));
    EXPECT_EQ(a.Scale(0.5), (Vec2{1.5, 2.0}));
    EXPECT_EQ(a, (Vec2{3.0, 4.0}));
}

// The world grows in one direction to the screen's proportions, about its
// centre; a screen with a zero side leaves it as it is, normalised.
TEST_P(FitAspect, GrowsTheWorldToTheScreensProportions)
{
    const FitCase& c = GetParam();
    EXPECT_EQ(Screen(c.width, c.height).FitAspect(c.world), c.fitted);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, FitAspect,
    testing::Values(FitCase{"Wide", 400, 300, kWorldRect, {-10.0, 0.0, 10.0, 15.0}},
                    FitCase{"Tall", 200, 600, kWorldRect, {-5.0, -7.5, 5.0, 22.5}},
                    FitCase{"Exact", 200, 300, kWorldRect, kWorldRect},
                    FitCase{"SwappedCorners", 400, 300, {5.0, 15.0, -5.0, 0.0}, {-10.0, 0.0, 10.0, 15.0}},
                    FitCase{"Empty", 0, 0, {5.0, 15.0, -5.0, 0.0}, kWorldRect},
                    FitCase{"NoWidth", 0, 300, kWorldRect, kWorldRect},
                    FitCase{"NoHeight", 400, 0, kWorldRect, kWorldRect}),
    RowName());

TEST(LinearMap2, SendsCornerToCorner)
{
    const LinearMap2 morph(Rect2{0.0, 0.0, 1.0, 1.0}, Rect2{0.25, -120.0, 0.75, 120.0});
    EXPECT_EQ(morph.sx, 0.5);
    EXPECT_EQ(morph.sy, 240.0);
    EXPECT_EQ(morph.ox, 0.25);
    EXPECT_EQ(morph.oy, -120.0);
    EXPECT_EQ(morph.Apply({0.5, 0.5}), (Vec2{0.5, 0.0}));
}

TEST_P(ViewMappingWorked, MapsTheWorldOntoTheClientArea)
{
    const MapCase& c = GetParam();
    const LinearMap2 map = ViewMapping(0, 0, c.width, c.height);
    EXPECT_EQ(map.sx, c.map.sx);
    EXPECT_EQ(map.sy, c.map.sy);
    EXPECT_EQ(map.ox, c.map.ox);
    EXPECT_EQ(map.oy, c.map.oy);
}

INSTANTIATE_TEST_SUITE_P(ClientAreas, ViewMappingWorked,
                         testing::Values(MapCase{"Wide", 400, 300, {20.0, -20.0, 200.0, 300.0}},
                                         MapCase{"Tall", 200, 600, {20.0, -20.0, 100.0, 450.0}},
                                         MapCase{"Exact", 200, 300, {20.0, -20.0, 100.0, 300.0}},
                                         MapCase{"TallAndNarrow", 100, 400, {10.0, -10.0, 50.0, 275.0}},
                                         MapCase{"Empty", 0, 0, {0.0, 0.0, 0.0, 0.0}}),
                         RowName());

TEST_P(ViewMappingDegenerate, StaysFinite)
{
    const LinearMap2 map = ViewMapping(0, 0, GetParam().width, GetParam().height);
    EXPECT_TRUE(std::isfinite(map.sx) && std::isfinite(map.sy) && std::isfinite(map.ox) && std::isfinite(map.oy));
}

INSTANTIATE_TEST_SUITE_P(ClientAreas, ViewMappingDegenerate,
                         testing::Values(SizeCase{"Empty", 0, 0}, SizeCase{"NoWidthOneHigh", 0, 1},
                                         SizeCase{"OneWideNoHeight", 1, 0}, SizeCase{"NoWidthTall", 0, 3000},
                                         SizeCase{"WideNoHeight", 3000, 0}, SizeCase{"OneWideTall", 1, 3000},
                                         SizeCase{"WideOneHigh", 3000, 1}),
                         RowName());
