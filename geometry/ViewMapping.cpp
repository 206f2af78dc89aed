#include "ViewMapping.h"

LinearMap2 ViewMapping(int left, int top, int right, int bottom)
{
    // Bottom edge in y0, top edge in y1: that is what turns y over.
    const Rect2 screen{static_cast<double>(left), static_cast<double>(bottom), static_cast<double>(right),
                       static_cast<double>(top)};
    const Rect2 window = screen.FitAspect(kWorldRect);
    return {window, screen};
}
