#include <algorithm>
#include <chrono>
#include <new>
#include <string>

#include <gtest/gtest.h>

#include "BufferTestSupport.h"
#include "MorphTestHost.h"
#include "render/DrawFrame.h"

using namespace std::chrono_literals;

namespace {

std::vector<MorphTestHost::Clock::duration> Gaps(const MorphTestHost& host)
{
    std::vector<MorphTestHost::Clock::duration> gaps;
    for (std::size_t i = 1; i < host.frameStarts.size(); ++i) {
        gaps.push_back(host.frameStarts[i] - host.frameStarts[i - 1]);
    }
    return gaps;
}

} // namespace

TEST(MorphWorker, FastFramesStartEveryPeriod)
{
    MorphTestHost host(1, 4, 200);
    host.renderTime = [](int) { return 5ms; };
    RunMorphWorker(host);
    for (const auto gap : Gaps(host)) {
        ASSERT_EQ(gap, 20ms);
    }
}

TEST(MorphWorker, SlowFramesNeverSleepAndLeaveNoBacklog)
{
    MorphTestHost slow(1, 4, 100);
    slow.renderTime = [](int) { return 30ms; };
    RunMorphWorker(slow);
    EXPECT_EQ(slow.waits, 0);
    for (const auto gap : Gaps(slow)) {
        ASSERT_EQ(gap, 30ms);
    }

    // 100 slow frames, then fast ones: at most one short catch-up frame
    // before the period is back.
    MorphTestHost host(1, 4, 300);
    host.renderTime = [](int frame) { return frame < 100 ? 30ms : 5ms; };
    RunMorphWorker(host);
    const auto gaps = Gaps(host);
    EXPECT_LE(std::count_if(gaps.begin() + 100, gaps.end(), [](auto g) { return g < 20ms; }), 1);
    for (std::size_t i = 102; i < gaps.size(); ++i) {
        ASSERT_EQ(gaps[i], 20ms) << i;
    }
}

TEST(MorphWorker, NoRulesRendersTheBareTrunkEveryFrame)
{
    MorphTestHost host(1, 0, 120);
    BackBuffer buffer(60, 90);
    FillAllWords(buffer, 0x00000080);
    SegmentList segments;
    host.onRender = [&buffer, &segments](const std::vector<BranchRule>& rules) {
        DrawFrame(buffer, 60, 90, rules, PlantStyle{}, 64, segments);
    };
    RunMorphWorker(host);
    EXPECT_TRUE(host.tracks.empty());
    for (const auto& rules : host.rulesByFrame) {
        ASSERT_TRUE(rules.empty());
    }
    EXPECT_EQ(CountPixels(buffer, 0xFFFF8000), 29); // 60 x 90: the trunk spans rows 89 up to 61
}

TEST(MorphWorker, FailingFramesAreReportedOnceAndTheAnimationGoesOn)
{
    MorphTestHost host(1, 4, 20);
    host.onRender = [&host](const std::vector<BranchRule>&) {
        const std::size_t frame = host.rulesByFrame.size();
        if (frame >= 3 && frame < 6) {
            throw std::bad_alloc();
        }
    };
    testing::internal::CaptureStderr();
    RunMorphWorker(host);
    const std::string reported = testing::internal::GetCapturedStderr();
    EXPECT_EQ(host.rulesByFrame.size(), 20U);
    EXPECT_EQ(std::count(reported.begin(), reported.end(), '\n'), 1) << reported;
    EXPECT_NE(reported.find("bad_alloc"), std::string::npos) << reported;
}
