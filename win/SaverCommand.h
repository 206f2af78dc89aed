#pragma once

#include <cstdint>
#include <span>
#include <string>

// How the system started the screensaver: /s full screen, /p HWND the
// preview inside a window of the system's, /c [HWND] the settings (also
// with no argument at all, as Explorer's "Configure" does). Dashes serve as
// slashes, and "/p:HWND" as "/p HWND".
struct SaverCommand {
    enum class Mode { FullScreen, Preview, Settings, Refuse };

    Mode mode = Mode::Settings;
    std::uintptr_t window = 0; // the preview's window, or the settings' owner (0: none)
    std::string message;       // why it was refused

    [[nodiscard]] static SaverCommand Parse(std::span<const std::string> arguments);
};
