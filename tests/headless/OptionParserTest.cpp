#include <string>
#include <vector>

#include <gtest/gtest.h>

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
                                        "--png", "a.png", "--png-sequence", "seq", "--svg", "b.svg", "--dump", "-"},
          std::vector<std::string_view>{"--seed=-7", "--frames=250", "--size=200x300", "--slider=0", "--png=a.png",
                                        "--png-sequence=seq", "--svg=b.svg", "--dump=-"}}) {
        const auto result = Parse(args);
        ASSERT_EQ(result.action, OptionParser::Action::Render) << result.error;
        const RenderOptions& o = result.options;
        EXPECT_EQ(o.seed, -7);
        EXPECT_EQ(o.frames, 250);
        EXPECT_EQ(o.width * 1000 + o.height, 200'300);
        EXPECT_EQ(o.slider, 0);
        EXPECT_EQ(o.png + o.pngSequence + o.svg + o.dump, "a.pngseqb.svg-");
    }
    EXPECT_FALSE(Parse({"--png", "p"}).options.seed.has_value()) << "no --seed: the clock decides";
}

TEST(OptionParser, AcceptsTheEndsOfEachRangeAndRefusesWhatLiesBeyond)
{
    struct Case {
        std::string_view option;
        std::vector<std::string_view> accepted;
        std::vector<std::string_view> refused;
    };
    const std::vector<Case> cases{
        {"--seed", {"-2147483648", "2147483647", "+5"}, {"-2147483649", "2147483648", "1.5", "", "+-5"}},
        {"--frames", {"1", "10000000"}, {"0", "10000001", "12abc", "1e3", "ten"}},
        {"--slider", {"0", "200"}, {"-1", "201"}},
        {"--size", {"1x1", "16384x16384"}, {"0x5", "5x16385", "469", "5x5x5", "-5x5", "x"}},
    };
    for (const Case& c : cases) {
        for (const auto value : c.accepted) {
            const auto result = Parse({"--png", "p", c.option, value});
            EXPECT_EQ(result.action, OptionParser::Action::Render) << result.error;
        }
        for (const auto value : c.refused) {
            const auto result = Parse({"--png", "p", c.option, value});
            EXPECT_EQ(result.action, OptionParser::Action::Refuse) << c.option << " " << value;
            EXPECT_TRUE(result.error.starts_with(std::string(c.option) + ": expects")) << result.error;
        }
    }
}

TEST(OptionParser, RefusesMissingValuesStraysAndRunsWithoutOutput)
{
    const std::vector<std::pair<std::vector<std::string_view>, std::string>> cases{
        {{"--png", "--svg", "s"}, "--png: missing"},
        {{"--svg", "s", "--frames"}, "--frames: missing"},
        {{"--png", "-"}, "--png: missing"},
        {{"--png", "p", "-v"}, "-v: unknown"},
        {{"--png", "p", "stray"}, "'stray': unexpected"},
        {{"--png", "p", "--version=2"}, "--version: takes no value"},
        {{"--frames", "5"}, "no output"},
    };
    for (const auto& [args, start] : cases) {
        const auto result = Parse(args);
        EXPECT_EQ(result.action, OptionParser::Action::Refuse) << start;
        EXPECT_TRUE(result.error.starts_with(start)) << result.error;
    }
    EXPECT_EQ(Parse({"--frames", "5", "--version", "--bogus"}).action, OptionParser::Action::Version);
}
