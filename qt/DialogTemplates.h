#pragma once

// The layout of the program's two windows, in dialog units: a quarter of the
// dialog font's average character width across, an eighth of its height down.
// Kept in these units so the windows grow with the font, as dialogs do.
struct DialogRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

namespace DialogTemplates {

// The dialog font; the system substitutes a font it has for it.
inline constexpr const char* kFontFamily = "MS Sans Serif";
inline constexpr int kFontPoints = 8;

// The main window's client area.
inline constexpr DialogRect kMainDialog{0, 0, 268, 257};

// The control panel strip and its two controls.
inline constexpr DialogRect kControlPanel{0, 0, 186, 48};
inline constexpr DialogRect kFadeLabel{7, 7, 171, 8};
inline constexpr DialogRect kFadeSlider{7, 22, 171, 19};

} // namespace DialogTemplates
