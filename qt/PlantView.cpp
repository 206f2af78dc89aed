#include "PlantView.h"

#include <algorithm>

#include <QPaintEvent>
#include <QPainter>
#include <QWindow>
#include <QtMath>

#include <iostream>
#include <string>

#include <QGuiApplication>

#include "DirectSurface.h"
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

// The shared-memory way to the screen, where it is chosen and can be had.
std::unique_ptr<ShmPresenter> OpenPresenter()
{
    const auto choice = MeasuringSwitches::PresentationChoice();
    if (choice == MeasuringSwitches::Presentation::Qt) {
        return nullptr;
    }
    std::string reason;
    std::unique_ptr<ShmPresenter> presenter;
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        reason = "the display is not X11";
    } else {
        presenter = ShmPresenter::Open(nullptr, reason);
    }
    if (!presenter && choice == MeasuringSwitches::Presentation::Direct) {
        std::cerr << "quillbrook: cannot share the picture's memory with the display (" << reason
                  << "); showing it through Qt\n";
    }
    return presenter;
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
        m_surface = new DirectSurface([this](const QRegion& area) { PutExposed(area); }, this);
    }
}

PlantView::~PlantView()
{
    m_animator.StopMorphWorker();
}

void PlantView::PaintRequested()
{
    m_wake.Wake();
}

bool PlantView::ShowFromWorker(const BackBuffer& picture, std::span<const PixelRect> area) noexcept
{
    const std::scoped_lock lock(m_targetLock);
    if (m_target.window == 0) {
        return false;
    }
    if (QSize(picture.Width(), picture.Height()) != m_target.size) {
        return true; // outgrown: the picture of the new size, on its way, covers everything
    }
    // False once the path has stopped working: the area is handed over.
    return m_presenter->Show(m_target.window, picture, area);
}

void PlantView::AwaitShown(const std::stop_token& stop) noexcept
{
    m_presenter->AwaitShown(stop);
}

void PlantView::FrameStarting(PlantAnimator::Clock::time_point start)
{
    m_frameLog.Record(start);
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
        if (PutPending() == PutOutcome::PaintThroughQt) {
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

PlantView::PutOutcome PlantView::PutPending()
{
    if (m_surface == nullptr) {
        return PutOutcome::PaintThroughQt;
    }
    bool put = false;
    bool stale = false;
    const xcb_window_t window = m_surface->winId();
    m_animator.ReadPicture([&](const BackBuffer* buffer) {
        // An area of a picture the view has outgrown: the picture of its
        // new size, on its way, covers everything.
        stale = buffer == nullptr || QSize(buffer->Width(), buffer->Height()) != m_deviceSize;
        if (stale) {
            return;
        }
        // Areas drawn before a resize may reach beyond the picture now.
        const PixelRect bounds{0, 0, buffer->Width(), buffer->Height()};
        for (PixelRect& r : m_paintArea) {
            r = r.CutTo(bounds);
        }
        std::erase_if(m_paintArea, [](const PixelRect& r) { return r.IsEmpty(); });
        stale = m_paintArea.empty();
        put = !stale && m_presenter->PutNow(window, *buffer, m_paintArea);
    });
    if (stale) {
        return PutOutcome::NothingToShow;
    }
    if (!put) {
        StopPuttingDirectly();
        return PutOutcome::PaintThroughQt;
    }
    // The surface takes puts: from now on the worker puts its frames itself.
    const std::scoped_lock lock(m_targetLock);
    m_target = {window, m_deviceSize};
    return PutOutcome::Put;
}

void PlantView::PutExposed(const QRegion& area)
{
    m_animator.SetSeen(true); // exposed again, if it was not
    const std::vector<PixelRect> exposed = PictureArea(area, devicePixelRatioF(), m_deviceSize);
    bool shown = true;
    m_animator.ReadPicture([&](const BackBuffer* buffer) {
        const auto window = m_surface->winId();
        if (buffer == nullptr || !buffer->HasPixels() || QSize(buffer->Width(), buffer->Height()) != m_deviceSize) {
            // Under the picture's lock, like the put: no frame of the new
            // size can reach the window before this background does.
            shown = m_presenter->Fill(window, PlantAnimator::kStyle.backColor.value, exposed);
            return;
        }
        shown = m_presenter->PutNow(window, *buffer, exposed);
    });
    if (!shown) {
        StopPuttingDirectly();
    }
}

void PlantView::StopWorkerPuts()
{
    {
        const std::scoped_lock lock(m_targetLock);
        m_target.window = 0;
    }
    if (m_presenter) {
        m_presenter->AwaitShown({}); // a put already sent has been read once this returns
    }
}

void PlantView::StopPuttingDirectly()
{
    StopWorkerPuts();
    // From inside the surface's own paint event, too: it goes later.
    m_surface->hide();
    m_surface->deleteLater();
    m_surface = nullptr;
    update();
}

void PlantView::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    if (m_surface != nullptr) {
        m_surface->setGeometry(contentsRect());
    }
    SizeBufferToView();
}

void PlantView::SizeBufferToView()
{
    const qreal ratio = devicePixelRatioF();
    const QSize size = contentsRect().size();
    m_deviceSize = QSize(qCeil(size.width() * ratio), qCeil(size.height() * ratio));
    {
        // Before the animator hears of it: no frame of the old size is put
        // once the view has the new one.
        const std::scoped_lock lock(m_targetLock);
        m_target.size = m_deviceSize;
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
    StopWorkerPuts();
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
    if (m_surface == nullptr) {
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
        if (buffer == nullptr || !buffer->HasPixels() || QSize(buffer->Width(), buffer->Height()) != m_deviceSize) {
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
