#include "WidgetArea.h"

#include <algorithm>

#include <QtMath>

QRegion WidgetArea(std::span<const PixelRect> area, qreal ratio, const QRect& contents)
{
    const auto inWidget = [ratio, &contents](const PixelRect& r) {
        const QPoint topLeft(qFloor(r.left / ratio), qFloor(r.top / ratio));
        const QPoint bottomRight(qCeil(r.right / ratio) - 1, qCeil(r.bottom / ratio) - 1);
        return QRect(topLeft + contents.topLeft(), bottomRight + contents.topLeft()) & contents;
    };
    // A ragged region costs the painter more per pixel than a plain
    // rectangle: where the changes fill most of their bounds, paint those.
    // Rectangles that overlap once rounded count twice, which only tips the
    // choice toward the bounds.
    QRect bounds;
    qint64 changed = 0;
    for (const PixelRect& r : area) {
        const QRect rect = inWidget(r);
        bounds |= rect;
        changed += qint64{rect.width()} * rect.height();
    }
    if (2 * changed >= qint64{bounds.width()} * bounds.height()) {
        return bounds;
    }
    QRegion region;
    for (const PixelRect& r : area) {
        region += inWidget(r);
    }
    return region;
}

std::vector<PixelRect> PictureArea(const QRegion& region, qreal ratio, const QSize& size)
{
    std::vector<PixelRect> area;
    for (const QRect& rect : region) {
        const PixelRect r{std::max(qFloor(rect.left() * ratio), 0), std::max(qFloor(rect.top() * ratio), 0),
                          std::min(qCeil((rect.right() + 1) * ratio), size.width()),
                          std::min(qCeil((rect.bottom() + 1) * ratio), size.height())};
        if (!r.IsEmpty()) {
            area.push_back(r);
        }
    }
    return area;
}
