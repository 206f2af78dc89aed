#pragma once

#include <span>
#include <string>
#include <string_view>

#include "RenderOptions.h"

// Reads the command line into RenderOptions. Every option takes its value as
// the next argument or after '='. Nothing is printed here: a refusal comes
// back as one line naming the option and what it accepts.
class OptionParser {
public:
    enum class Action { Render, Help, Version, Refuse };

    struct Result {
        Action action = Action::Render;
        RenderOptions options;
        std::string error; // for Refuse only
    };

    // `args` excludes the program name.
    [[nodiscard]] static Result Parse(std::span<const std::string_view> args);
    [[nodiscard]] static std::string Usage();
};
