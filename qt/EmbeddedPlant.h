#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include <QWindow>

#include "PlantView.h"
#include "X11WindowWatch.h"

// The plant filling a window of another program, as a screensaver hack
// draws: no edge, no panel, no key acted upon. It follows that window's size
// and ends the program when that window goes.
class EmbeddedPlant {
public:
    EmbeddedPlant(std::int32_t seed, int slider);

    // Shows the plant in `window` (the root window when none is given).
    // False with `error` set when there is no such window to fill.
    [[nodiscard]] bool Show(std::optional<quint32> window, X11WindowWatch& watch, std::string& error);

private:
    // The other program's window, then ours inside it, which goes first.
    std::unique_ptr<QWindow> m_host;
    PlantView m_view;
};
