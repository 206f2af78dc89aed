#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <QString>
#include <QStringList>

#include "FadeSlider.h"
#include "ParsedCommandLine.h"

// How the window program was asked to run.
struct WindowOptions {
    std::optional<std::int32_t> seed; // none: the calendar clock
    int slider = FadeSlider::kStart;
    bool fullScreen = false;
    QString screen; // a number or a name; empty: where the system puts it
    bool allScreens = false;
    // The screensaver forms: the plant fills a window of another program
    // (XSCREENSAVER_WINDOW, -window-id) or the whole screen (-root).
    std::optional<quint32> window;
    bool root = false;
};

// Reads the window program's command line: its own options, and those of an
// xscreensaver hack, with one dash or two. Nothing is printed here, and no
// display is needed.
class CommandLine {
public:
    using Action = CommandAction;
    using Result = ParsedCommandLine<WindowOptions>;

    // `arguments` includes the program's name; `screensaverWindow` is the
    // value of XSCREENSAVER_WINDOW, if set, which wins over -root and
    // -window-id.
    [[nodiscard]] static Result Parse(const QStringList& arguments, const char* screensaverWindow);

    [[nodiscard]] static std::string Usage();
    // A window id in hexadecimal (0x...) or decimal.
    [[nodiscard]] static std::optional<quint32> ParseWindowId(const QString& text);
};
