#pragma once

#include "BackBuffer.h"

// The two switches for measuring the program, read from the environment:
// QUILLBROOK_UNOPTIMISED turns off the skipping of settled tiles and the
// repainting of only what changed; QUILLBROOK_FRAME_LOG names a file for
// each frame's start time (see FrameLog).
namespace MeasuringSwitches {

// Whether a variable's value switches something on: set, and neither empty
// nor "0", "false", "no" or "off" in any case.
[[nodiscard]] bool IsSwitchedOn(const char* value);

[[nodiscard]] BackBuffer::Tracking ChangeTracking();
// Null when unset.
[[nodiscard]] const char* FrameLogPath();

} // namespace MeasuringSwitches
