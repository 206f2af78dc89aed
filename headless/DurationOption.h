#pragma once

#include <optional>
#include <string_view>

// A length of time on the command line as a number of frames: seconds
// ("12.5"), minutes and seconds ("0:30") or hours, minutes and seconds
// ("1:02:03.5"), only the seconds with a fraction. The frames are the
// nearest whole number at `framesPerSecond` (a half rounds up), and at least
// one. Nothing for a text that is not such a time, for no time at all, and
// for more than `maxFrames`.
[[nodiscard]] std::optional<long long> FramesOfDuration(std::string_view text, int framesPerSecond,
                                                        long long maxFrames);
