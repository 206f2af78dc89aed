#include "DirectSurface.h"

#include <utility>

#include <QPaintEvent>

DirectSurface::DirectSurface(std::function<void(const QRegion&)> exposed, QWidget* parent)
    : QWidget(parent), m_exposed(std::move(exposed))
{
    setAttribute(Qt::WA_NativeWindow);
    setAttribute(Qt::WA_PaintOnScreen);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DirectSurface::paintEvent(QPaintEvent* event)
{
    m_exposed(event->region());
}
