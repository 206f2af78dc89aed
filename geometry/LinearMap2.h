#pragma once

#include "Rect2.h"
#include "Vec2.h"

// (x, y) -> (x*sx + ox, y*sy + oy): each axis scaled and shifted on its own.
struct LinearMap2 {
    double sx = 1.0;
    double sy = 1.0;
    double ox = 0.0;
    double oy = 0.0;

    constexpr LinearMap2() = default;
    constexpr LinearMap2(double scaleX, double scaleY, double offsetX, double offsetY)
        : sx(scaleX), sy(scaleY), ox(offsetX), oy(offsetY)
    {
    }

    // The map sending source's first corner to destination's first corner and
    // source's second corner to destination's second corner.
    constexpr LinearMap2(const Rect2& source, const Rect2& destination)
        : sx((destination.x1 - destination.x0) / (source.x1 - source.x0)),
          sy((destination.y1 - destination.y0) / (source.y1 - source.y0)), ox(destination.x0 - source.x0 * sx),
          oy(destination.y0 - source.y0 * sy)
    {
    }

    [[nodiscard]] constexpr Vec2 Apply(Vec2 p) const { return {p.x * sx + ox, p.y * sy + oy}; }
};
