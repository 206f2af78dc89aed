#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "BranchRule.h"
#include "PlantBuilder.h"
#include "PlantStyle.h"
#include "SvgWriter.h"
#include "ViewMapping.h"

namespace {

const std::vector<BranchRule> kRules{{0.6, 0.3}, {0.55, -0.35}, {0.3, 0.1}};

} // namespace

TEST(SvgWriter, APictureOfTheClientSizeOnTheBackground)
{
    const std::string svg = SvgWriter::Picture(kRules, 300, 200, PlantStyle{}, "quillbrook-render --seed 5");
    EXPECT_TRUE(svg.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"300\" "
                                "height=\"200\" viewBox=\"0 0 300 200\">\n"
                                "<desc>quillbrook-render --seed 5</desc>\n"
                                "<rect x=\"0\" y=\"0\" width=\"300\" height=\"200\" fill=\"#000080\"/>\n"
                                "<g fill=\"none\" stroke-width=\"1\">\n"))
        << svg.substr(0, 400);
    EXPECT_TRUE(svg.ends_with("</g>\n</svg>\n"));
}

TEST(SvgWriter, TheDescriptionNeverBreaksTheMarkup)
{
    const std::string svg = SvgWriter::Picture(kRules, 10, 10, PlantStyle{}, "a<b & c>d");
    EXPECT_NE(svg.find("<desc>a&lt;b &amp; c&gt;d</desc>\n"), std::string::npos);
}

// Line i is segment i of the plant the frame draws, at the very coordinates
// the frame maps it to, before they are cut down to whole pixels.
TEST(SvgWriter, OneLineASegmentInDrawingOrderAtTheMappedCoordinates)
{
    const PlantStyle style;
    const std::string svg = SvgWriter::Picture(kRules, 300, 200, style, "");
    SegmentList segments;
    BuildBranch(segments, style.trunkStart, style.trunkEnd, 0, style.levels, kRules, style.trunkColor, style.tipColor);
    const LinearMap2 map = ViewMapping(0, 0, 300, 200);

    static const std::regex line(
        R"re(<line x1="([^"]+)" y1="([^"]+)" x2="([^"]+)" y2="([^"]+)" stroke="#([0-9a-f]{6})"/>)re");
    std::size_t i = 0;
    for (std::sregex_iterator it(svg.begin(), svg.end(), line), end; it != end; ++it, ++i) {
        ASSERT_LT(i, segments.size());
        const std::smatch& m = *it;
        const Vec2 start = map.Apply(segments[i].start);
        const Vec2 finish = map.Apply(segments[i].end);
        EXPECT_EQ(std::strtod(m[1].str().c_str(), nullptr), start.x) << i;
        EXPECT_EQ(std::strtod(m[2].str().c_str(), nullptr), start.y) << i;
        EXPECT_EQ(std::strtod(m[3].str().c_str(), nullptr), finish.x) << i;
        EXPECT_EQ(std::strtod(m[4].str().c_str(), nullptr), finish.y) << i;
        EXPECT_EQ(std::strtoul(m[5].str().c_str(), nullptr, 16), segments[i].color.value & 0xFFFFFFU) << i;
    }
    EXPECT_EQ(i, segments.size());
    EXPECT_GT(i, 1U);
}
