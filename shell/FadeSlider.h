#pragma once

#include <cstdint>
#include <string>

// The slider that sets how long the plant's trails last: its scale, the
// label above it and the fade byte each value gives. Every window and saver
// shows the same slider, so its facts stand here once.
struct FadeSlider {
    static constexpr int kMinimum = 0;
    static constexpr int kMaximum = 200;
    static constexpr int kStart = 150;
    static constexpr int kLineStep = 5;
    static constexpr int kPageStep = 25;
    static constexpr int kTickInterval = 25;

    // A higher value means a lighter fade and longer trails
    // (0 -> 255, 150 -> 64, 200 -> 0).
    [[nodiscard]] static constexpr std::uint8_t FadeFor(std::int32_t value)
    {
        return static_cast<std::uint8_t>(255 - value * 255 / kMaximum);
    }

    // "µg (0 - 200): 150 µg" in UTF-8, with the micro sign, not the Greek mu.
    [[nodiscard]] static std::string LabelFor(std::int32_t value);
};
