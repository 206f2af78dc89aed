#include <array>
#include <vector>

#include <gtest/gtest.h>

#include "PlantBuilder.h"

namespace {

constexpr PixelColor kTrunk{0x00FF8000};
constexpr PixelColor kTip{0x00FFFFFF};
constexpr Vec2 kBase{0.0, 0.0};
constexpr Vec2 kTop{0.0, 5.0};

SegmentList Build(const std::vector<BranchRule>& rules, int levels)
{
    SegmentList list;
    BuildBranch(list, kBase, kTop, 0, levels, rules, kTrunk, kTip);
    return list;
}

const std::vector<BranchRule> kFourRules{{0.5, 0.25}, {0.3, -0.4}, {-0.2, 0.6}, {0.55, 0.1}};

} // namespace

TEST(BuildBranch, WithoutRulesOnlyTheTrunk)
{
    const SegmentList list = Build({}, 5);
    ASSERT_EQ(list.size(), 1U);
    EXPECT_EQ(list[0], (Segment{kBase, kTop, kTrunk}));
}

TEST(BuildBranch, OneLevelGivesOneTipChildPerRuleInRuleOrder)
{
    // The trunk (0, 5) times each rule, from the trunk's end.
    const std::array<Vec2, 4> ends{{{-1.25, 7.5}, {2.0, 6.5}, {-3.0, 4.0}, {-0.5, 7.75}}};
    const SegmentList list = Build(kFourRules, 1);
    ASSERT_EQ(list.size(), 5U);
    for (std::size_t i = 1; i < list.size(); ++i) {
        EXPECT_EQ(list[i], (Segment{kTop, ends[i - 1], kTip})) << i;
    }
}

TEST(BuildBranch, DefaultPlantIsDepthFirstPreOrder)
{
    const SegmentList list = Build(kFourRules, 5);
    ASSERT_EQ(list.size(), 1365U);
    EXPECT_EQ(list[0].start, kBase);
    // Each rule's child of the trunk starts at the trunk's end, and the
    // subtrees of 341 segments follow each other in rule order.
    for (const std::size_t child : {1U, 342U, 683U, 1024U}) {
        EXPECT_EQ(list[child].start, kTop) << child;
        EXPECT_EQ(list[child].color, DepthColor(1, 5, kTrunk, kTip)) << child;
    }
    // Elements 1..5: the chain grown by rule 0 alone, each from its parent's end.
    for (std::size_t i = 1; i <= 5; ++i) {
        EXPECT_EQ(list[i].start, list[i - 1].end) << i;
        EXPECT_EQ(list[i].color, DepthColor(static_cast<int>(i), 5, kTrunk, kTip)) << i;
    }
    EXPECT_NE(list[6].start, list[5].end); // depth 5 has no children
}

TEST(BuildBranch, ColoursByDepthTruncate)
{
    const std::array<std::uint32_t, 6> expected{0xFF8000, 0xFF9933, 0xFFB266, 0xFFCC99, 0xFFE5CC, 0xFFFFFF};
    for (int depth = 0; depth <= 5; ++depth) {
        EXPECT_EQ(DepthColor(depth, 5, kTrunk, kTip).value, expected[static_cast<std::size_t>(depth)]) << depth;
    }
    // A falling channel: 200 -> 0 over 3 levels gives 133.33.. and 66.66..,
    // truncated to 133 and 66, never rounded up.
    const PixelColor from{0x00C8C8C8};
    const PixelColor to{0x00000000};
    EXPECT_EQ(DepthColor(1, 3, from, to).value, 0x00858585U);
    EXPECT_EQ(DepthColor(2, 3, from, to).value, 0x00424242U);
}

TEST(BuildBranch, ExampleRulesGrowTheirChildren)
{
    EXPECT_EQ(Build({{0.5, 0.0}}, 1)[1].end, (Vec2{0.0, 7.5}));
    EXPECT_EQ(Build({{0.0, 0.5}}, 1)[1].end, (Vec2{-2.5, 5.0}));
    EXPECT_EQ(Build({{1.0, 0.0}}, 1)[1].end, (Vec2{0.0, 10.0}));
    // Two turns of 45 degrees: the grandchild runs level, half the trunk long.
    EXPECT_EQ(Build({{0.5, 0.5}}, 2)[2].end, (Vec2{-5.0, 7.5}));
}

TEST(BuildBranch, ZeroLengthSegmentsStillGrowEveryChild)
{
    SegmentList list;
    BuildBranch(list, kTop, kTop, 0, 2, kFourRules, kTrunk, kTip);
    ASSERT_EQ(list.size(), 21U);
    for (const Segment& segment : list) {
        EXPECT_EQ(segment.start, kTop);
        EXPECT_EQ(segment.end, kTop);
    }
}

constexpr PixelColor kBytes = PixelColor::FromBytes(0x12, 0x34, 0x56);
static_assert(kBytes.value == 0x00123456U && kBytes.Red() == 0x12 && kBytes.Green() == 0x34 && kBytes.Blue() == 0x56);
