#pragma once

#include <windows.h>

// The screensaver's three forms; each returns the process's exit status.
namespace ScreenSaver {

// A plant of its own on every monitor, above everything, until a key, a
// button or a move of the pointer by more than a few pixels.
int RunFullScreen(int slider);

// The plant inside `preview`, a window of the system's settings, following
// its size, until that window goes.
int RunPreview(HWND preview, int slider);

// The slider in a small dialog owned by `owner` (may be none); OK stores it.
int RunSettings(HWND owner);

// Whether the pointer has moved far enough from `start` to end the saver:
// a nudge of the desk must not.
[[nodiscard]] bool MovedFarEnough(POINT start, POINT now);

} // namespace ScreenSaver
