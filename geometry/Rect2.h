#pragma once

// A rectangle given by two opposite corners. The corners are not ordered:
// a map between two rectangles sends first corner to first corner, so a
// "reversed" rectangle flips its axis.
struct Rect2 {
    double x0 = 0.0;
    double y0 = 0.0;
    double x1 = 0.0;
    double y1 = 0.0;

    // Grows `world` to this rectangle's proportions, keeping its centre.
    // Only this rectangle's sizes count; the result is always normalised.
    [[nodiscard]] Rect2 FitAspect(const Rect2& world) const;

    friend constexpr bool operator==(const Rect2&, const Rect2&) = default;
};
