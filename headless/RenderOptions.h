#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "FadeSlider.h"
#include "FramePacer.h"

// What one run of the command-line renderer does. The defaults are the
// window's own: its default view, its slider's starting value, its clock seed.
struct RenderOptions {
    static constexpr int kMaxFrames = 10'000'000;
    static constexpr int kMaxSide = 16384;
    // The window's pace, which every video and stream keeps.
    static constexpr int kFramesPerSecond = static_cast<int>(std::chrono::seconds(1) / FramePacer::kPeriod);

    std::optional<std::int32_t> seed; // none: the calendar clock, as the window seeds
    int frames = 100;
    int width = 469;
    int height = 340;
    int slider = FadeSlider::kStart;

    // Empty: not written. A dump path of "-" is standard output.
    std::string png;
    std::string pngSequence;
    std::string svg;
    std::string dump;
    std::string y4m;
    std::string video;
    // Whether --png-sequence may replace frames already in its folder.
    bool overwrite = false;
    // 4:2:0 rather than 4:4:4 for --y4m.
    bool y4m420 = false;
    // None: the video codec's own default.
    std::optional<int> crf;

    [[nodiscard]] bool WritesSomething() const
    {
        return !png.empty() || !pngSequence.empty() || !svg.empty() || !dump.empty() || !y4m.empty() || !video.empty();
    }
};
