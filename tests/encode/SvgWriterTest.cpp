#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "BranchRule.h"
#include "PlantStyle.h"
#include "SvgWriter.h"

// Where the picture's lines go is held to the rendered picture by the
// renderer's own test; here, what only the writer decides.
TEST(SvgWriter, TheDescriptionNeverBreaksTheMarkup)
{
    const std::vector<BranchRule> rules{{0.6, 0.3}, {0.55, -0.35}};
    const std::string svg = SvgWriter::Picture(rules, 10, 10, PlantStyle{}, "a<b & c>d");
    EXPECT_NE(svg.find("<desc>a&lt;b &amp; c&gt;d</desc>\n"), std::string::npos);
}
