#pragma once

#include <string>

// The screensaver's one stored setting, the slider, under
// HKEY_CURRENT_USER\Software\Quillbrook.
namespace SaverSettings {

// The stored value, or the slider's start when none (or a bad one) is
// stored.
[[nodiscard]] int LoadSlider();
// Stores `value`; on failure false, with the system's reason in `error`.
bool SaveSlider(int value, std::string& error);

} // namespace SaverSettings
