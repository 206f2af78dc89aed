#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "FramePacer.h"

using namespace std::chrono_literals;

namespace {

using Clock = FramePacer::Clock;

// The gaps between frame starts when a frame takes renderTime(frame): each
// frame starts at its deadline or, when late, at once.
std::vector<Clock::duration> FrameGaps(int frames, const std::function<Clock::duration(int)>& renderTime)
{
    Clock::time_point now{1000s};
    FramePacer pacer(now);
    std::vector<Clock::duration> gaps;
    Clock::time_point previous = now;
    for (int frame = 0; frame < frames; ++frame) {
        if (frame > 0) {
            gaps.push_back(now - previous);
        }
        previous = now;
        now += renderTime(frame);
        now = std::max(now, pacer.NextDeadline(now));
    }
    return gaps;
}

} // namespace

TEST(FramePacer, FastFramesStartEveryPeriod)
{
    for (const auto gap : FrameGaps(200, [](int) { return 5ms; })) {
        ASSERT_EQ(gap, 20ms);
    }
}

TEST(FramePacer, SlowFramesFollowEachOtherAndLeaveNoBacklog)
{
    for (const auto gap : FrameGaps(100, [](int) { return 30ms; })) {
        ASSERT_EQ(gap, 30ms);
    }
    // 100 slow frames, then fast ones: at most one short catch-up frame
    // before the period is back.
    const auto gaps = FrameGaps(300, [](int frame) { return frame < 100 ? 30ms : 5ms; });
    EXPECT_LE(std::count_if(gaps.begin() + 100, gaps.end(), [](auto g) { return g < 20ms; }), 1);
    for (std::size_t i = 102; i < gaps.size(); ++i) {
        ASSERT_EQ(gaps[i], 20ms) << i;
    }
}
