#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "RowName.h"

#include "OptionParser.h"

namespace {

OptionParser::Result Parse(std::vector<std::string_view> args)
{
    return OptionParser::Parse(args);
}

} // namespace

TEST(OptionParser, ReadsEveryOptionWithItsValueNextOrAfterEquals)
{
    for (const auto& args :
         {std::vector<std::string_view>{"--seed", "-7", "--frames", "250", "--size", "200x300", "--slider", "0",
                                        "--png", "a.png", "--png-sequence", "seq", "--overwrite", "--svg", "b.svg",
                                        "--dump", "-"},
          std::vector<std::string_view>{"--seed=-7", "--frames=250", "--size=200x300", "--slider=0", "--png=a.png",
                                        "--png-sequence=seq", "--overwrite", "--svg=b.svg", "--dump=-"}}) {
        const auto result = Parse(args);
        ASSERT_EQ(result.action, OptionParser::Action::Render) << result.error;
        const RenderOptions& o = result.options;
        EXPECT_EQ(o.seed, -7);
        EXPECT_EQ(o.frames, 250);
        EXPECT_EQ(o.width * 1000 + o.height, 200'300);
        EXPECT_EQ(o.slider, 0);
        EXPECT_EQ(o.png + o.pngSequence + o.svg + o.dump, "a.pngseqb.svg-");
        EXPECT_TRUE(o.overwrite);
    }
    EXPECT_FALSE(Parse({"--png", "p"}).options.seed.has_value()) << "no --seed: the clock decides";
    EXPECT_FALSE(Parse({"--png", "p"}).options.overwrite);
}

namespace {

struct ValueCase {
    const char* name;
    std::string_view option;
    std::string_view value;
    bool accepted;
};

class OptionValues : public testing::TestWithParam<ValueCase> {};

struct RefusalCase {
    const char* name;
    std::vector<std::string_view> args;
    std::string_view start; // of the one-line message
};

class OptionRefusals : public testing::TestWithParam<RefusalCase> {};

} // namespace

// The ends of each range are accepted; what lies beyond is refused with a
// line that names the option and what it expects.
TEST_P(OptionValues, EndsOfTheRangeAreAcceptedAndWhatLiesBeyondRefused)
{
    const ValueCase& c = GetParam();
    const auto result = Parse({"--png", "p", c.option, c.value});
    if (c.accepted) {
        EXPECT_EQ(result.action, OptionParser::Action::Render) << result.error;
    } else {
        EXPECT_EQ(result.action, OptionParser::Action::Refuse);
        EXPECT_TRUE(result.error.starts_with(std::string(c.option) + ": expects")) << result.error;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, OptionValues,
    testing::Values(
        ValueCase{"SeedLowest", "--seed", "-2147483648", true}, ValueCase{"SeedHighest", "--seed", "2147483647", true},
        ValueCase{"SeedWithPlus", "--seed", "+5", true}, ValueCase{"SeedBelow", "--seed", "-2147483649", false},
        ValueCase{"SeedAbove", "--seed", "2147483648", false}, ValueCase{"SeedFraction", "--seed", "1.5", false},
        ValueCase{"SeedEmpty", "--seed", "", false}, ValueCase{"SeedPlusMinus", "--seed", "+-5", false},
        ValueCase{"FramesLowest", "--frames", "1", true}, ValueCase{"FramesHighest", "--frames", "10000000", true},
        ValueCase{"FramesNone", "--frames", "0", false}, ValueCase{"FramesAbove", "--frames", "10000001", false},
        ValueCase{"FramesTrailingText", "--frames", "12abc", false},
        ValueCase{"FramesExponent", "--frames", "1e3", false}, ValueCase{"FramesInWords", "--frames", "ten", false},
        ValueCase{"SliderLowest", "--slider", "0", true}, ValueCase{"SliderHighest", "--slider", "200", true},
        ValueCase{"SliderBelow", "--slider", "-1", false}, ValueCase{"SliderAbove", "--slider", "201", false},
        ValueCase{"SizeSmallest", "--size", "1x1", true}, ValueCase{"SizeLargest", "--size", "16384x16384", true},
        ValueCase{"SizeNoWidth", "--size", "0x5", false}, ValueCase{"SizeTooHigh", "--size", "5x16385", false},
        ValueCase{"SizeOneNumber", "--size", "469", false}, ValueCase{"SizeThreeNumbers", "--size", "5x5x5", false},
        ValueCase{"SizeNegative", "--size", "-5x5", false}, ValueCase{"SizeBareX", "--size", "x", false}),
    RowName());

TEST_P(OptionRefusals, RefusesWithOneLineNamingTheProblem)
{
    const auto result = Parse(GetParam().args);
    EXPECT_EQ(result.action, OptionParser::Action::Refuse);
    EXPECT_TRUE(result.error.starts_with(GetParam().start)) << result.error;
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, OptionRefusals,
    testing::Values(RefusalCase{"MissingFileBeforeAnOption", {"--png", "--svg", "s"}, "--png: missing"},
                    RefusalCase{"MissingNumberAtTheEnd", {"--svg", "s", "--frames"}, "--frames: missing"},
                    RefusalCase{"DashAsPng", {"--png", "-"}, "--png: missing"},
                    RefusalCase{"DashAsPngAfterEquals", {"--png=-"}, "--png: missing"},
                    RefusalCase{
                        "OverwriteWithAValue", {"--png", "p", "--overwrite=yes"}, "--overwrite: takes no value"},
                    RefusalCase{"UnknownOption", {"--png", "p", "-v"}, "-v: unknown"},
                    RefusalCase{"StrayArgument", {"--png", "p", "stray"}, "'stray': unexpected"},
                    RefusalCase{"VersionWithAValue", {"--png", "p", "--version=2"}, "--version: takes no value"},
                    RefusalCase{"NoOutput", {"--frames", "5"}, "no output"}),
    RowName());

TEST(OptionParser, VersionWinsOverWhatFollows)
{
    EXPECT_EQ(Parse({"--frames", "5", "--version", "--bogus"}).action, OptionParser::Action::Version);
}
