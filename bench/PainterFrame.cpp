#include "PainterFrame.h"

#include <QImage>
#include <QPainter>
#include <QPen>

#include "PlantBuilder.h"
#include "PlantMotion.h"
#include "PlantStyle.h"
#include "ViewMapping.h"

void PainterFrame(benchmark::State& state)
{
    const auto width = static_cast<int>(state.range(0));
    const auto height = static_cast<int>(state.range(1));
    const PlantStyle style;
    const QColor back = QColor::fromRgb(style.backColor.value);
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(back);
    QColor fade = back;
    fade.setAlpha(64);
    PlantMotion motion(1733668800);
    SegmentList segments;
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(image.rect(), fade);
        segments.clear();
        BuildBranch(segments, style.trunkStart, style.trunkEnd, 0, style.levels, motion.NextFrame(), style.trunkColor,
                    style.tipColor);
        const LinearMap2 map = ViewMapping(0, 0, width, height);
        for (const Segment& segment : segments) {
            QPen pen(QColor::fromRgb(segment.color.value));
            pen.setWidth(0);
            painter.setPen(pen);
            const Vec2 start = map.Apply(segment.start);
            const Vec2 end = map.Apply(segment.end);
            painter.drawLine(QPointF(start.x, start.y), QPointF(end.x, end.y));
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(image.sizeInBytes()));
}
