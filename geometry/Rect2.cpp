#include "Rect2.h"

#include <cmath>

Rect2 Rect2::FitAspect(const Rect2& world) const
{
    const double a = std::fabs(x1 - x0) / std::fabs(y1 - y0);
    const double b = 1.0 / a;
    const double dx = world.x1 - world.x0;
    const double dy = world.y1 - world.y0;
    double w = std::fabs(dx);
    double h = std::fabs(dy);

    // A screen with a zero side gives a = 0, infinity or NaN. NaN fails both
    // comparisons below by itself; 0 and infinity would stretch the window to
    // infinity, so only a finite, positive ratio may grow it. Every other
    // screen falls through to the world rectangle itself, normalised, and no
    // value that is not finite ever leaves this function.
    if (std::isfinite(a) && a > 0.0) {
        if (w * b > h) {
            h = w * b;
        } else if (h * a > w) {
            w = h * a;
        }
    }

    const double cx = world.x0 + dx * 0.5;
    const double cy = world.y0 + dy * 0.5;
    const double left = cx - w * 0.5;
    const double bottom = cy - h * 0.5;
    return {left, bottom, left + w, bottom + h};
}
