#include <optional>
#include <string_view>

#include <gtest/gtest.h>

#include "RowName.h"

#include "NumberOption.h"

namespace {

struct NumberCase {
    const char* name;
    std::string_view text;
    NumberRange range;
    std::optional<std::int64_t> value;
};

class NumberTexts : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberTexts, WholeNumbersWithinTheRangeOnly)
{
    EXPECT_EQ(WholeNumberIn(GetParam().text, GetParam().range), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, NumberTexts,
                         testing::Values(NumberCase{"SeedLowest", "-2147483648", kSeedRange, -2147483648LL},
                                         NumberCase{"SeedHighest", "2147483647", kSeedRange, 2147483647},
                                         NumberCase{"SeedBelow", "-2147483649", kSeedRange, std::nullopt},
                                         NumberCase{"SeedAbove", "2147483648", kSeedRange, std::nullopt},
                                         NumberCase{"PlusSign", "+5", kSliderRange, 5},
                                         NumberCase{"PlusMinus", "+-5", kSliderRange, std::nullopt},
                                         NumberCase{"Empty", "", kSliderRange, std::nullopt},
                                         NumberCase{"Fraction", "1.5", kSliderRange, std::nullopt},
                                         NumberCase{"Exponent", "1e2", kSliderRange, std::nullopt},
                                         NumberCase{"TrailingText", "12abc", kSliderRange, std::nullopt},
                                         NumberCase{"LeadingSpace", " 12", kSliderRange, std::nullopt},
                                         NumberCase{"BeyondEveryInteger", "99999999999999999999", kSeedRange,
                                                    std::nullopt},
                                         NumberCase{"SliderLowest", "0", kSliderRange, 0},
                                         NumberCase{"SliderHighest", "200", kSliderRange, 200},
                                         NumberCase{"SliderBelow", "-1", kSliderRange, std::nullopt},
                                         NumberCase{"SliderAbove", "201", kSliderRange, std::nullopt}),
                         RowName());

TEST(NumberOption, RefusalNamesTheOptionTheRangeAndTheText)
{
    EXPECT_EQ(RangeRefusal("--slider", kSliderRange, "x"), "--slider: expects a whole number from 0 to 200, got 'x'");
}

} // namespace
