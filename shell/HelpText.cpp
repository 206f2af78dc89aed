#include "HelpText.h"

#include "FadeSlider.h"

namespace {

std::string Number(int value)
{
    return std::to_string(value);
}

} // namespace

std::string RenderCommand(const RenderCall& call)
{
    return "quillbrook-render --seed " + std::to_string(call.seed) + " --frames " + std::to_string(call.frames) +
           " --size " + Number(call.width) + "x" + Number(call.height) + " --slider " + Number(call.slider);
}

HelpText WindowHelp(std::string_view version, const RenderCall& onScreen, bool savesPictures)
{
    const std::string low = Number(FadeSlider::kMinimum);
    const std::string high = Number(FadeSlider::kMaximum);
    const std::string line = Number(FadeSlider::kLineStep);
    const std::string page = Number(FadeSlider::kPageStep);
    const std::string minus = "\xE2\x88\x92"; // U+2212 MINUS SIGN
    std::string keys = "Space pauses and resumes the plant.\n"
                       "F11 or a double-click on the plant: full screen on or off.\n";
    if (savesPictures) {
        keys += "Ctrl+S saves the picture in your pictures folder.\n";
    }
    keys += "Escape leaves full screen, else it closes the window, as Enter does.";
    return HelpText{
        {
            "Quillbrook " + std::string(version),
            "An endlessly changing fractal plant.",
            "The slider sets how long the plant's trails last: at " + low + " every frame starts afresh, at " + high +
                " nothing fades.",
            std::string("Slider keys:\nLeft or Up ") + minus + line + ", Right or Down +" + line + "\nPage Up " +
                minus + page + ", Page Down +" + page + "\nHome " + low + ", End " + high,
            keys,
            "This run's plant grows from seed " + std::to_string(onScreen.seed) +
                ". The picture on the screen, rendered without a window:",
        },
        RenderCommand(onScreen) + " --png plant.png",
    };
}
