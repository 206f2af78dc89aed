#include <cstdint>

#include <gtest/gtest.h>

#include "RowName.h"

#include "FadeSlider.h"

namespace {

struct SliderCase {
    const char* name;
    int value;
    int fade;
};

class SliderFade : public testing::TestWithParam<SliderCase> {};

} // namespace

// A higher slider value means a lighter fade and longer trails; every value
// of the range gives its own byte.
TEST_P(SliderFade, ValueGivesTheFadeByte)
{
    EXPECT_EQ(FadeSlider::FadeFor(GetParam().value), GetParam().fade);
}

INSTANTIATE_TEST_SUITE_P(Table, SliderFade,
                         testing::Values(SliderCase{"Zero", 0, 255}, SliderCase{"One", 1, 254},
                                         SliderCase{"Five", 5, 249}, SliderCase{"TwentyFive", 25, 224},
                                         SliderCase{"Fifty", 50, 192}, SliderCase{"Hundred", 100, 128},
                                         SliderCase{"Start", 150, 64}, SliderCase{"OneBelowTop", 199, 2},
                                         SliderCase{"Top", 200, 0}),
                         RowName());
