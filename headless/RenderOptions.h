#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What one run of the command-line renderer does. The defaults are the
// window's own: its default view, its slider's starting value, its clock seed.
struct RenderOptions {
    static constexpr int kMaxFrames = 10'000'000;
    static constexpr int kMaxSide = 16384;

    std::optional<std::int32_t> seed; // none: the calendar clock, as the window seeds
    int frames = 100;
    int width = 469;
    int height = 340;
    int slider = 150;

    // Empty: not written. A dump path of "-" is standard output.
    std::string png;
    std::string pngSequence;
    std::string svg;
    std::string dump;
    // Whether --png-sequence may replace frames already in its folder.
    bool overwrite = false;

    [[nodiscard]] bool WritesSomething() const
    {
        return !png.empty() || !pngSequence.empty() || !svg.empty() || !dump.empty();
    }
};
