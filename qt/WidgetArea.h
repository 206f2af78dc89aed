#pragma once

#include <span>
#include <vector>

#include <QRect>
#include <QRegion>

#include "PixelRect.h"

// Rectangles of the picture in device pixels, as the region of the widget to
// repaint: each rounded outward to the widget's own pixels at `ratio` device
// pixels to one, placed at `contents` and cut to it.
[[nodiscard]] QRegion WidgetArea(std::span<const PixelRect> area, qreal ratio, const QRect& contents);

// The inverse: a widget's region as rectangles of its picture in device
// pixels, each rounded outward and cut to the picture's `size`.
[[nodiscard]] std::vector<PixelRect> PictureArea(const QRegion& region, qreal ratio, const QSize& size);
