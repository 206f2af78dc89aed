#pragma once

#include <atomic>
#include <cstdint>
#include <ostream>
#include <string>

#include "RenderOptions.h"

class BackBuffer;

// One run of the command-line renderer: opens every output first (so a path
// that cannot be written is refused before any work), renders the frames,
// then puts the finished files in place. Problems go to `errors` as one
// line each, prefixed with the program's name and naming the option.
class RenderJob {
public:
    enum class Outcome { Success, Failure, BadInput, Interrupted };

    RenderJob(RenderOptions options, std::ostream& errors);

    // Polled once a frame: a non-zero value stops the run and discards every
    // file not yet in place.
    void SetInterruptFlag(const std::atomic<int>* flag) { m_interrupt = flag; }
    // Shows a progress bar on `errors` for runs longer than a second.
    void SetProgressShown(bool shown) { m_progressShown = shown; }

    [[nodiscard]] Outcome Run();

    // DIR/frame-000000.png onward, with more digits once six do not suffice
    // for the last frame, so the names still sort in frame order.
    [[nodiscard]] static std::string SequenceFileName(const std::string& directory, long long frame,
                                                      long long frameCount);

private:
    // One frame of --png-sequence; false with `error` set when it failed.
    bool WriteSequenceFrame(const BackBuffer& picture, std::int32_t seed, long long frame, std::string& error);
    void Report(const std::string& option, const std::string& message);

    RenderOptions m_options;
    std::ostream& m_errors;
    const std::atomic<int>* m_interrupt = nullptr;
    bool m_progressShown = false;
};
