#pragma once

#include "BackBuffer.h"

// The switches for measuring the program, read from the environment:
// QUILLBROOK_UNOPTIMISED turns off the skipping of settled tiles and the
// repainting of only what changed; QUILLBROOK_FRAME_LOG names a file for
// each frame's start time (see FrameLog); QUILLBROOK_PRESENT chooses how the
// picture reaches the screen.
namespace MeasuringSwitches {

// "qt": through Qt's backing store always; "direct": from memory shared with
// the X server, saying why when it cannot be; unset or "auto": shared memory
// where it can be, quietly.
enum class Presentation { Automatic, Qt, Direct };

// Whether a variable's value switches something on: set, and neither empty
// nor "0", "false", "no" or "off" in any case.
[[nodiscard]] bool IsSwitchedOn(const char* value);

[[nodiscard]] BackBuffer::Tracking ChangeTracking();
// Null when unset.
[[nodiscard]] const char* FrameLogPath();
// QUILLBROOK_PRESENT's value read (null when unset); an unknown one is said
// on standard error and taken as "auto".
[[nodiscard]] Presentation PresentationFrom(const char* value);
[[nodiscard]] Presentation PresentationChoice();

} // namespace MeasuringSwitches
