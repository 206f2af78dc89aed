#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "FadeSlider.h"
#include "NumberOption.h"
#include "ParsedCommandLine.h"

// How the window program was asked to run.
struct WindowOptions {
    std::optional<std::int32_t> seed; // none: the calendar clock
    int slider = FadeSlider::kStart;
    bool fullScreen = false;
    // Print the layout and every label text to standard output, for tests.
    bool report = false;
};

// Reads the Windows window program's command line (UTF-8, without the
// program's name). Nothing is printed here.
class CommandLine {
public:
    using Action = CommandAction;
    using Result = ParsedCommandLine<WindowOptions>;

    [[nodiscard]] static Result Parse(std::span<const std::string> arguments);
    [[nodiscard]] static std::string Usage();
};
