#pragma once

#include <chrono>

// Each frame's start time, in steady-clock microseconds, one line a frame, to
// a file named on request, for measuring the frame period. Only a regular
// file will do: a pipe or a device could block the frames, or the program's
// end, for as long as nobody reads it. Anything else is refused with one line
// on standard error, and the program runs without the log.
class FrameLog {
public:
    // No log when `path` is null or empty.
    explicit FrameLog(const char* path);
    ~FrameLog();
    FrameLog(const FrameLog&) = delete;
    FrameLog& operator=(const FrameLog&) = delete;

    [[nodiscard]] bool IsOpen() const { return m_fd >= 0; }
    // From any one thread at a time.
    void Record(std::chrono::steady_clock::time_point start) const;

private:
    int m_fd = -1;
};
