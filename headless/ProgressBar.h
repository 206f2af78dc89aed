#pragma once

#include <chrono>
#include <ostream>

// A one-line bar for long runs: silent during the first second, so quick
// runs never flicker, then redrawn in place at most ten times a second.
// The caller decides whether the stream is a terminal at all.
class ProgressBar {
public:
    using Clock = std::chrono::steady_clock;

    ProgressBar(std::ostream& out, long long total, Clock::time_point start);
    // Wipes the bar, however the run ends.
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void Update(long long done, Clock::time_point now);
    // Wipes the bar, if one was drawn, so that what follows starts on a
    // clean line.
    void Finish();

private:
    static constexpr int kWidth = 40;
    static constexpr Clock::duration kQuiet = std::chrono::seconds(1);
    static constexpr Clock::duration kInterval = std::chrono::milliseconds(100);

    std::ostream& m_out;
    long long m_total;
    Clock::time_point m_start;
    Clock::time_point m_lastDrawn;
    bool m_drawn = false;
    std::size_t m_lineLength = 0;
};
