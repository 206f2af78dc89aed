#pragma once

#include <chrono>

// Keeps frames on a fixed period by deadline: each frame's deadline is the
// previous one plus the period, so render time does not stretch the period.
// When a frame ends more than a whole period past its deadline, the schedule
// restarts from that moment instead of bursting through the missed frames.
class FramePacer {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr Clock::duration kPeriod = std::chrono::milliseconds(20);

    explicit FramePacer(Clock::time_point start) : m_deadline(start) {}

    // Called when a frame has been rendered at `now`: the moment at which the
    // next frame should start (in the past or `now` when it is due at once).
    Clock::time_point NextDeadline(Clock::time_point now);

private:
    Clock::time_point m_deadline;
};
