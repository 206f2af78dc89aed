#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "RowName.h"

#include "OptionParser.h"
#include "VideoFile.h"

namespace {

OptionParser::Result Parse(std::vector<std::string_view> args)
{
    return OptionParser::Parse(args);
}

} // namespace

TEST(OptionParser, ReadsEveryOptionWithItsValueNextOrAfterEquals)
{
    for (const auto& args :
         {std::vector<std::string_view>{"--seed",         "-7",       "--frames",    "250",   "--size",
                                        "200x300",        "--slider", "0",           "--png", "a.png",
                                        "--png-sequence", "seq",      "--overwrite", "--svg", "b.svg",
                                        "--dump",         "-",        "--y4m",       "c.y4m", "--y4m-420"},
          std::vector<std::string_view>{"--seed=-7", "--frames=250", "--size=200x300", "--slider=0", "--png=a.png",
                                        "--png-sequence=seq", "--overwrite", "--svg=b.svg", "--dump=-", "--y4m=c.y4m",
                                        "--y4m-420"}}) {
        const auto result = Parse(args);
        ASSERT_EQ(result.action, OptionParser::Action::Render) << result.error;
        const RenderOptions& o = result.options;
        EXPECT_EQ(o.seed, -7);
        EXPECT_EQ(o.frames, 250);
        EXPECT_EQ(o.width * 1000 + o.height, 200'300);
        EXPECT_EQ(o.slider, 0);
        EXPECT_EQ(o.png + o.pngSequence + o.svg + o.dump + o.y4m, "a.pngseqb.svg-c.y4m");
        EXPECT_TRUE(o.overwrite);
        EXPECT_TRUE(o.y4m420);
    }
    const RenderOptions defaults = Parse({"--png", "p"}).options;
    EXPECT_FALSE(defaults.seed.has_value()) << "no --seed: the clock decides";
    EXPECT_FALSE(defaults.overwrite);
    EXPECT_FALSE(defaults.y4m420) << "4:4:4 unless asked";
    EXPECT_EQ(Parse({"--y4m", "-"}).options.y4m, "-");
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
        ValueCase{"SeedAbove", "--seed", "2147483648", false}, ValueCase{"SliderAbove", "--slider", "201", false},
        ValueCase{"FramesLowest", "--frames", "1", true}, ValueCase{"FramesHighest", "--frames", "10000000", true},
        ValueCase{"FramesNone", "--frames", "0", false}, ValueCase{"FramesAbove", "--frames", "10000001", false},
        ValueCase{"SizeSmallest", "--size", "1x1", true}, ValueCase{"SizeLargest", "--size", "16384x16384", true},
        ValueCase{"SizeNoWidth", "--size", "0x5", false}, ValueCase{"SizeTooHigh", "--size", "5x16385", false},
        ValueCase{"SizeOneNumber", "--size", "469", false}, ValueCase{"SizeThreeNumbers", "--size", "5x5x5", false},
        ValueCase{"SizeNegative", "--size", "-5x5", false}, ValueCase{"SizeBareX", "--size", "x", false},
        ValueCase{"DurationShortest", "--duration", "0.001", true},
        ValueCase{"DurationLongest", "--duration", "55:33:20", true},
        ValueCase{"DurationNone", "--duration", "0", false},
        ValueCase{"DurationNoneInMinutes", "--duration", "0:00.0", false},
        ValueCase{"DurationAbove", "--duration", "200000.01", false},
        ValueCase{"DurationNegative", "--duration", "-1", false},
        ValueCase{"DurationSixtySeconds", "--duration", "1:60", false},
        ValueCase{"DurationSixtyMinutes", "--duration", "1:60:00", false},
        ValueCase{"DurationFourParts", "--duration", "1:00:00:00", false},
        ValueCase{"DurationFractionOfMinutes", "--duration", "1.5:00", false},
        ValueCase{"DurationBarePoint", "--duration", "5.", false},
        ValueCase{"DurationNoWholePart", "--duration", ".5", false},
        ValueCase{"DurationEmptyPart", "--duration", "1::00", false},
        ValueCase{"DurationUnit", "--duration", "30s", false}, ValueCase{"DurationEmpty", "--duration", "", false}),
    RowName());

TEST_P(OptionRefusals, RefusesWithOneLineNamingTheProblem)
{
    const auto result = Parse(GetParam().args);
    EXPECT_EQ(result.action, OptionParser::Action::Refuse);
    EXPECT_TRUE(result.error.starts_with(GetParam().start)) << result.error;
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, OptionRefusals,
    testing::Values(
        RefusalCase{"MissingFileBeforeAnOption", {"--png", "--svg", "s"}, "--png: missing"},
        RefusalCase{"MissingNumberAtTheEnd", {"--svg", "s", "--frames"}, "--frames: missing"},
        RefusalCase{"DashAsPng", {"--png", "-"}, "--png: missing"},
        RefusalCase{"DashAsPngAfterEquals", {"--png=-"}, "--png: missing"},
        RefusalCase{"OverwriteWithAValue", {"--png", "p", "--overwrite=yes"}, "--overwrite: takes no value"},
        RefusalCase{"UnknownOption", {"--png", "p", "-v"}, "-v: unknown"},
        RefusalCase{"StrayArgument", {"--png", "p", "stray"}, "'stray': unexpected"},
        RefusalCase{"VersionWithAValue", {"--png", "p", "--version=2"}, "--version: takes no value"},
        RefusalCase{"NoOutput", {"--frames", "5"}, "no output"},
        RefusalCase{"FramesAndDuration", {"--png", "p", "--frames", "5", "--duration", "1"}, "--duration:"},
        RefusalCase{"DurationAndFrames", {"--png", "p", "--duration", "1", "--frames=5"}, "--frames:"},
        RefusalCase{"DashAsVideo", {"--video", "-"}, "--video: missing"},
        RefusalCase{"Y4m420WithAValue", {"--y4m", "-", "--y4m-420=yes"}, "--y4m-420: takes no value"},
        RefusalCase{"Y4m420WithoutY4m", {"--png", "p", "--y4m-420"}, "--y4m-420: only with --y4m"},
        RefusalCase{"CrfWithoutVideo", {"--y4m", "-", "--crf", "20"}, "--crf: only with --video"},
        RefusalCase{"UnknownVideoExtension", {"--video", "plant.avi"}, "--video: expects a file name"},
        RefusalCase{"VideoExtensionAlone", {"--video", "dir/.mp4"}, "--video: expects a file name"},
        RefusalCase{"CrfAboveH264", {"--video", "v.mkv", "--crf", "52"}, "--crf: expects a whole number from 0 to 51"},
        RefusalCase{"CrfAboveVp9", {"--video", "v.webm", "--crf", "64"}, "--crf: expects a whole number from 0 to 63"},
        RefusalCase{"CrfNegative", {"--video", "v.mp4", "--crf", "-1"}, "--crf: expects"},
        RefusalCase{"CrfFraction", {"--video", "v.mp4", "--crf", "18.5"}, "--crf: expects"},
        RefusalCase{
            "WiderThanH264Holds", {"--video", "v.mp4", "--size", "8208x4352"}, "--video: 8208x4352 is more than H.264"},
        RefusalCase{"OddSideCountedPadded",
                    {"--video", "v.webm", "--size", "8191x4353"},
                    "--video: 8192x4354 is more than VP9"}),
    RowName());

namespace {

struct DurationCase {
    const char* name;
    std::string_view text;
    int frames;
};

class DurationFrames : public testing::TestWithParam<DurationCase> {};

} // namespace

// Fifty frames a second, to the nearest whole frame (a half rounds up), and
// never none.
TEST_P(DurationFrames, AreTheNearestWholeNumberOfFramesAtFiftyASecond)
{
    const auto result = Parse({"--png", "p", "--duration", GetParam().text});
    ASSERT_EQ(result.action, OptionParser::Action::Render) << result.error;
    EXPECT_EQ(result.options.frames, GetParam().frames);
}

INSTANTIATE_TEST_SUITE_P(Times, DurationFrames,
                         testing::Values(DurationCase{"WholeSeconds", "12", 600},
                                         DurationCase{"FractionOfASecond", "12.5", 625},
                                         DurationCase{"MinutesAndSeconds", "0:30", 1500},
                                         DurationCase{"HoursMinutesSeconds", "1:02:03", 186150},
                                         DurationCase{"MinutesPastSixty", "90:00", 270000},
                                         DurationCase{"SecondsWithFractionAfterMinutes", "1:00.5", 3025},
                                         DurationCase{"HalfAFrameRoundsUp", "0.03", 2},
                                         DurationCase{"JustUnderHalfRoundsDown", "0.029", 1},
                                         DurationCase{"ManyDecimals", "0.123456789", 6},
                                         DurationCase{"TooShortForAFrameStillOne", "0.001", 1},
                                         DurationCase{"OneFrameShortOfTheEnd", "199999.98", 9999999}),
                         RowName());

TEST(OptionParser, VideoAndItsQualityOrTheRefusalOfABuildWithoutVideo)
{
    for (const auto& args : {std::vector<std::string_view>{"--video", "d.webm", "--crf", "63"},
                             std::vector<std::string_view>{"--video=d.webm", "--crf=63"}}) {
        const auto result = Parse(args);
        if (!VideoFile::Available()) {
            EXPECT_EQ(result.action, OptionParser::Action::Refuse);
            EXPECT_TRUE(result.error.starts_with("--video: this quillbrook-render was built without video"))
                << result.error;
            continue;
        }
        ASSERT_EQ(result.action, OptionParser::Action::Render) << result.error;
        EXPECT_EQ(result.options.video, "d.webm");
        EXPECT_EQ(result.options.crf, 63);
    }
    if (VideoFile::Available()) {
        EXPECT_FALSE(Parse({"--video", "v.mp4"}).options.crf.has_value()) << "no --crf: the codec's default";
    }
}

TEST(OptionParser, WhatTheVideoCodecCanHoldIsAccepted)
{
    for (const char* name : {"v.mp4", "V.MKV", "v.webm"}) {
        const auto result = Parse({"--video", name, "--size", "8192x4352", "--crf", "0"});
        if (!VideoFile::Available()) {
            EXPECT_EQ(result.action, OptionParser::Action::Refuse) << name;
            EXPECT_TRUE(result.error.find("without video support") != std::string::npos) << result.error;
            continue;
        }
        EXPECT_EQ(result.action, OptionParser::Action::Render) << name << ": " << result.error;
    }
    // Tall and narrow: H.264 counts macroblocks, VP9 pixels, both within.
    EXPECT_EQ(Parse({"--video", "v.mp4", "--size", "2176x16384"}).action,
              VideoFile::Available() ? OptionParser::Action::Render : OptionParser::Action::Refuse);
}

TEST(OptionParser, VersionWinsOverWhatFollows)
{
    EXPECT_EQ(Parse({"--frames", "5", "--version", "--bogus"}).action, OptionParser::Action::Version);
}
