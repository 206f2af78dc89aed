#pragma once

#include <string>

// What reading a window program's command line gives: run with the options,
// show the help or the version, or refuse with one line.
enum class CommandAction { Run, Help, Version, Refuse };

template <class Options> struct ParsedCommandLine {
    CommandAction action = CommandAction::Run;
    Options options;
    std::string message; // the help text, or the one line of a refusal
};
