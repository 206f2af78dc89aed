#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What quillbrook-render is asked to draw a picture the window showed.
struct RenderCall {
    std::int32_t seed = 0;
    std::uint64_t frames = 1;
    int width = 0;
    int height = 0;
    int slider = 0;
};

// The command line that draws that picture, without an output.
[[nodiscard]] std::string RenderCommand(const RenderCall& call);

// The help box of a window: its paragraphs in UTF-8, lines within a
// paragraph split by '\n', and the command that draws what is on the
// screen, shown apart so that it can be copied as it stands.
struct HelpText {
    std::vector<std::string> paragraphs;
    std::string command;
};

// `savesPictures`: whether the window saves its picture on Ctrl+S.
[[nodiscard]] HelpText WindowHelp(std::string_view version, const RenderCall& onScreen, bool savesPictures);
