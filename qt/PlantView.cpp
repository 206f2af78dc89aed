#include "PlantView.h"

#include <algorithm>

#include <QPaintEvent>
#include <QPainter>
#include <QWindow>
#include <QtMath>

#include "FramePacer.h"
#include "MeasuringSwitches.h"
#include "WidgetArea.h"

namespace {

constexpr auto kPeriod = std::chrono::duration_cast<std::chrono::milliseconds>(FramePacer::kPeriod);

// The buffer's pixels seen as an image, without a copy.
QImage WrapBuffer(const BackBuffer& buffer)
{
    return {reinterpret_cast<const uchar*>(buffer.Bits()), buffer.Width(), buffer.Height(),
            static_cast<qsizetype>(buffer.Stride()) * 4, QImage::Format_RGB32};
}

// The direct way to the screen, where it is chosen and can be had.
std::unique_ptr<DirectPresenter> OpenPresenter()
{
    const auto choice = MeasuringSwitches::PresentationChoice();
    if (choice == MeasuringSwitches::Presentation::Qt) {
        return nullptr;
    }
    return DirectPresenter::Open(choice == MeasuringSwitches::Presentation::Direct);
}

} // namespace

PlantView::PlantView(std::int32_t seed, QWidget* parent)
    : QFrame(parent), m_frameLog(MeasuringSwitches::FrameLogPath()), m_wake([this] { PaintPending(); }),
      m_presenter(OpenPresenter()), m_animator(*this, seed, MeasuringSwitches::ChangeTracking(),
                                               m_presenter ? m_presenter->Allocator() : PixelAllocator(HeapPixels))
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    // Every visible pixel inside the edge comes from the picture.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_paintClock.setTimerType(Qt::PreciseTimer);
    m_paintClock.setSingleShot(true);
    connect(&m_paintClock, &QTimer::timeout, this, &PlantView::PaintPending);
    if (!m_wake.IsWorking()) {
        m_paintClock.start(kPeriod);
    }
    if (m_presenter) {
        m_presenter->Start(*this, m_animator, [this](const QRegion& area) {
            m_animator.SetSeen(true); // exposed again, if it was not
            m_presenter->ShowExposed(PictureArea(area, devicePixelRatioF(), m_deviceSize));
        });
    }
}

PlantView::~PlantView()
{
    m_animator.StopMorphWorker();
}

void PlantView::PaintPending()
{
    const auto requested = m_animator.TakePaint(m_paintArea);
    if (!requested) {
        // The worker is idle or late: its next frame wakes this thread, or,
        // where it cannot, the clock looks again a period later.
        if (!m_wake.IsWorking()) {
            m_paintClock.start(kPeriod);
        }
        return;
    }
    // A view that cannot be seen paints nothing and lets the worker idle
    // until it can be seen again (the next paint event says so).
    if (IsOnScreen()) {
        if (!m_presenter || !m_presenter->ShowHandedOver(m_paintArea)) {
            repaint(WidgetArea(m_paintArea, devicePixelRatioF(), contentsRect()));
        }
    } else {
        m_animator.SetSeen(false);
    }
    m_animator.Painted();
    // The next frame is due a period after this one was asked for; collect
    // it half a period later, when it is long done and the one after it is
    // not yet begun.
    const auto wait = *requested + kPeriod * 3 / 2 - PlantAnimator::Clock::now();
    m_paintClock.start(std::max(std::chrono::duration_cast<std::chrono::milliseconds>(wait), {}));
}

bool PlantView::IsOnScreen() const
{
    const QWindow* handle = window()->windowHandle();
    return isVisible() && !window()->isMinimized() && handle != nullptr && handle->isExposed();
}

void PlantView::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    SizeBufferToView();
}

void PlantView::SizeBufferToView()
{
    const qreal ratio = devicePixelRatioF();
    const QSize size = contentsRect().size();
    m_deviceSize = QSize(qCeil(size.width() * ratio), qCeil(size.height() * ratio));
    if (m_presenter) {
        m_presenter->Resize(contentsRect(), m_deviceSize);
    }
    m_animator.OnSize(m_deviceSize.width(), m_deviceSize.height());
}

void PlantView::showEvent(QShowEvent* event)
{
    QFrame::showEvent(event);
    // Minimising and restoring are watched on the top-level window.
    if (m_watchedWindow != window()) {
        if (m_watchedWindow != nullptr) {
            m_watchedWindow->removeEventFilter(this);
        }
        m_watchedWindow = window();
        m_watchedWindow->installEventFilter(this);
    }
    m_animator.SetSeen(!window()->isMinimized());
}

void PlantView::hideEvent(QHideEvent* event)
{
    QFrame::hideEvent(event);
    m_animator.SetSeen(false);
    // A hidden window may be destroyed next, by Qt on its own connection:
    // the worker must not put there, nor have a put on its way.
    if (m_presenter) {
        m_presenter->StopWorkerShows();
    }
}

bool PlantView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_watchedWindow && event->type() == QEvent::WindowStateChange) {
        if (m_watchedWindow->isMinimized()) {
            m_animator.SetSeen(false);
        } else if (isVisible()) {
            // Back from the taskbar: start afresh from the background, as
            // every resize does.
            SizeBufferToView();
            m_animator.SetSeen(true);
        }
    }
    return QFrame::eventFilter(watched, event);
}

void PlantView::paintEvent(QPaintEvent* event)
{
    m_animator.SetSeen(true); // exposed again, if it was not
    PaintEdge(event->region());
    if (PaintsThroughQt()) {
        PaintPicture(event->region() & contentsRect());
    }
}

void PlantView::PaintEdge(const QRegion& area)
{
    // The sunken edge is drawn partly translucent; with nothing painted below
    // it (the view paints opaquely) it would show through on surfaces with
    // an alpha channel, so the window's colour goes under it first.
    const QRegion edge = QRegion(rect()) - contentsRect();
    if (!area.intersects(edge)) {
        return;
    }
    QPainter painter(this);
    painter.setClipRegion(edge);
    painter.fillRect(rect(), palette().window());
    drawFrame(&painter);
}

void PlantView::PaintPicture(const QRegion& area)
{
    if (area.isEmpty()) {
        return;
    }
    QPainter painter(this);
    const qreal ratio = devicePixelRatioF();
    const QPoint origin = contentsRect().topLeft();
    m_animator.ReadPicture([&](const BackBuffer* buffer) {
        // Until the animator has made the picture of the view's new size,
        // the view shows what that picture starts as: the background.
        if (!PlantAnimator::IsPictureOf(buffer, m_deviceSize.width(), m_deviceSize.height())) {
            for (const QRect& rect : area) {
                painter.fillRect(rect, QColor::fromRgb(PlantAnimator::kStyle.backColor.value));
            }
            return;
        }
        QImage image = WrapBuffer(*buffer);
        image.setDevicePixelRatio(ratio);
        // Rectangle by rectangle: each is a plain copy, where one draw
        // clipped to a ragged region would take the painter's slower path.
        for (const QRect& rect : area) {
            const QRectF target(rect);
            const QRectF source(target.translated(-origin).topLeft() * ratio, target.size() * ratio);
            painter.drawImage(target, image, source);
        }
    });
}

QImage PlantView::Snapshot() const
{
    QImage copy;
    m_animator.ReadPicture([&copy](const BackBuffer* buffer) {
        if (buffer != nullptr && buffer->HasPixels()) {
            copy = WrapBuffer(*buffer).copy();
        }
    });
    return copy;
}
