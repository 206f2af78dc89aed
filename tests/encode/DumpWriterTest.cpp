#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "BranchRule.h"
#include "DumpWriter.h"

// The fewest digits that read back as exactly the same double.
TEST(DumpWriter, EachNumberReadsBackAsExactlyItself)
{
    for (const double value : {0.1, 1.0 / 3.0, -2.0 / 7.0, 5e-324, 1.7976931348623157e308, 0.30000000000000004}) {
        std::string line;
        const std::vector<BranchRule> rules{{value, -value}};
        DumpWriter::AppendLine(line, 1, rules);
        const std::string prefix = "{\"frame\": 1, \"rules\": [[";
        ASSERT_TRUE(line.starts_with(prefix)) << line;
        char* end = nullptr;
        EXPECT_EQ(std::strtod(line.c_str() + prefix.size(), &end), value) << line;
        ASSERT_EQ(std::string_view(end, 2), ", ") << line;
        EXPECT_EQ(std::strtod(end + 2, nullptr), -value) << line;
    }
    std::string line;
    const std::vector<BranchRule> rules{{0.1, 0.0}};
    DumpWriter::AppendLine(line, 1, rules);
    EXPECT_EQ(line, "{\"frame\": 1, \"rules\": [[0.1, 0]]}\n");
}

TEST(DumpWriter, ReportsASinkThatRefusesTheBytes)
{
    DumpWriter writer([](std::string_view /*bytes*/) { return false; });
    const std::vector<BranchRule> rules{{0.5, 0.5}};
    ASSERT_TRUE(writer.Write(0, rules)) << "nothing is written before a block is full";
    EXPECT_FALSE(writer.Flush());
    bool refused = false;
    for (long long frame = 1; frame < 100000 && !refused; ++frame) {
        refused = !writer.Write(frame, rules);
    }
    EXPECT_TRUE(refused);
}
