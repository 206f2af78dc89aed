#pragma once

#include "LinearMap2.h"
#include "Rect2.h"

// The part of the world the plant view always shows whole.
inline constexpr Rect2 kWorldRect{-5.0, 0.0, 5.0, 15.0};

// The world-to-pixel map for a client rectangle: the world rectangle grown to
// the client's proportions, mapped onto it with the y axis turned over (world
// y grows upward, pixel rows downward). Always finite, even for a client
// rectangle with a zero side.
[[nodiscard]] LinearMap2 ViewMapping(int left, int top, int right, int bottom);
