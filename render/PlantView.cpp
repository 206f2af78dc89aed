#include "PlantView.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>

#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QResizeEvent>
#include <QWindow>
#include <QtMath>

#include "DrawFrame.h"
#include "morph/MorphHost.h"
#include "morph/RuleMorpher.h"

namespace {

// The calendar clock's low 32 bits, read as a signed number.
std::int32_t ClockSeed()
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(std::time(nullptr)));
}

// Skipping settled tiles and repainting only what changed can be switched off
// for comparison, once for the whole run.
BackBuffer::Tracking ChangeTracking()
{
    // First read on the user-interface thread, before the worker exists.
    static const BackBuffer::Tracking tracking =
        std::getenv("QUILLBROOK_UNOPTIMISED") != nullptr // NOLINT(concurrency-mt-unsafe)
            ? BackBuffer::Tracking::Off
            : BackBuffer::Tracking::On;
    return tracking;
}

// The buffer's pixels seen as an image, without a copy.
QImage WrapBuffer(const BackBuffer& buffer)
{
    return {reinterpret_cast<const uchar*>(buffer.Bits()), buffer.Width(), buffer.Height(),
            static_cast<qsizetype>(buffer.Stride()) * 4, QImage::Format_RGB32};
}

} // namespace

// The morph worker's link to the view: real time, and waits that end at once
// when the view asks the worker to stop.
class PlantView::WorkerHost final : public MorphHost {
public:
    WorkerHost(PlantView& view, std::stop_token stop) : m_view(view), m_stop(std::move(stop))
    {
        // Frame start times for measuring the frame period, only on request.
        // Nothing in the program changes its environment, so reading it here
        // races with nothing.
        if (const char* path = std::getenv("QUILLBROOK_FRAME_LOG")) { // NOLINT(concurrency-mt-unsafe)
            m_frameLog.reset(std::fopen(path, "w"));
        }
    }

    void StepRules(RuleMorpher& morpher) override
    {
        const std::scoped_lock lock(m_view.m_rulesLock);
        morpher.Advance(m_view.m_tracks, m_view.m_rules, m_view.m_ruleCount, [this] { return m_view.UniformRandom(); });
    }
    void RenderFrame() override
    {
        if (m_frameLog) {
            const auto sinceEpoch = FramePacer::Clock::now().time_since_epoch();
            std::fprintf(
                m_frameLog.get(), "%lld\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(sinceEpoch).count()));
        }
        m_view.RenderFrame(m_stop);
    }
    [[nodiscard]] FramePacer::Clock::time_point Now() override { return FramePacer::Clock::now(); }
    void WaitUntil(FramePacer::Clock::time_point deadline) override
    {
        std::unique_lock lock(m_sleepLock);
        m_sleep.wait_until(lock, m_stop, deadline, [] { return false; });
    }
    [[nodiscard]] bool StopRequested() const override { return m_stop.stop_requested(); }
    void WaitWhileIdle() override { m_view.WaitWhileIdle(m_stop); }

private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    PlantView& m_view;
    std::stop_token m_stop;
    std::unique_ptr<std::FILE, FileCloser> m_frameLog;
    std::mutex m_sleepLock;
    std::condition_variable_any m_sleep;
};

PlantView::PlantView(QWidget* parent)
    : QFrame(parent), m_seed(ClockSeed()), m_random(m_seed), m_uiThread(std::this_thread::get_id()),
      m_repaint([this](const std::vector<PixelRect>& area) { PaintNow(area); },
                std::chrono::duration_cast<std::chrono::milliseconds>(FramePacer::kPeriod))
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    // Every visible pixel inside the edge comes from the buffer.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

PlantView::~PlantView()
{
    StopMorphWorker();
}

void PlantView::SetFade(std::uint8_t fade)
{
    m_fade.store(fade, std::memory_order_relaxed);
}

double PlantView::UniformRandom()
{
    return m_random.Uniform();
}

void PlantView::SetPaused(bool paused)
{
    const std::scoped_lock lock(m_idleLock);
    m_paused = paused;
    m_idleChanged.notify_all();
}

bool PlantView::IsPaused() const
{
    const std::scoped_lock lock(m_idleLock);
    return m_paused;
}

void PlantView::SetSeen(bool seen)
{
    const std::scoped_lock lock(m_idleLock);
    m_seen = seen;
    m_idleChanged.notify_all();
}

void PlantView::WaitWhileIdle(const std::stop_token& stop)
{
    std::unique_lock lock(m_idleLock);
    m_idleChanged.wait(lock, stop, [this] { return m_seen && !m_paused; });
}

void PlantView::StartMorphWorker()
{
    if (!m_worker.joinable()) {
        m_worker = std::jthread([this](const std::stop_token& stop) { MorphWorker(stop); });
    }
}

void PlantView::StopMorphWorker()
{
    if (m_worker.joinable()) {
        m_worker.request_stop();
        m_worker.join();
    }
}

void PlantView::MorphWorker(const std::stop_token& stop)
{
    WorkerHost host(*this, stop);
    RunMorphWorker(host);
}

PlantStyle PlantView::Style() const
{
    return {m_trunk.start, m_trunk.end, m_levels, m_trunkColor, m_tipColor, m_backColor};
}

void PlantView::RenderFrame(const std::stop_token& stop)
{
    // The previous frame is on the screen before this one is drawn over it.
    // Waiting here rather than right after asking for the paint lets the
    // worker sleep once a frame instead of waking for the answer first.
    m_repaint.WaitUntilPainted(stop);
    std::vector<PixelRect> changed;
    {
        const std::scoped_lock frameLock(m_frameLock);
        const std::scoped_lock rulesLock(m_rulesLock);
        if (BackBuffer* buffer = m_buffer.Get()) {
            DrawFrame(*buffer, m_clientWidth, m_clientHeight, m_rules, Style(), m_fade.load(std::memory_order_relaxed),
                      m_segments);
            changed = buffer->TakeChangedArea();
        }
    }
    m_framesRendered.fetch_add(1, std::memory_order_relaxed);
    RequestRepaint(changed);
}

void PlantView::RequestRepaint(const std::vector<PixelRect>& area)
{
    if (std::this_thread::get_id() == m_uiThread) {
        PaintNow(area);
        return;
    }
    m_repaint.Request(area);
}

void PlantView::PaintNow(const std::vector<PixelRect>& area)
{
    // A view that cannot be seen paints nothing, answers at once, and lets
    // the worker idle until it can be seen again (the next paint says so).
    const QWindow* handle = window()->windowHandle();
    if (!isVisible() || window()->isMinimized() || handle == nullptr || !handle->isExposed()) {
        SetSeen(false);
        return;
    }
    if (area.empty()) {
        return;
    }
    // Device pixels to the widget's own, rounded outward, inside the edge.
    const qreal ratio = devicePixelRatioF();
    const QRect contents = contentsRect();
    const auto inWidget = [ratio, &contents](const PixelRect& r) {
        const QPoint topLeft(qFloor(r.left / ratio), qFloor(r.top / ratio));
        const QPoint bottomRight(qCeil(r.right / ratio) - 1, qCeil(r.bottom / ratio) - 1);
        return QRect(topLeft + contents.topLeft(), bottomRight + contents.topLeft()) & contents;
    };
    // A ragged region costs the painter more per pixel than a plain
    // rectangle: where the changes fill most of their bounds, paint those.
    // The bounds come straight from the rectangles, which is most frames,
    // without building a region first. Rectangles that overlap once rounded
    // count twice, which only tips the choice toward the bounds.
    QRect bounds;
    qint64 changed = 0;
    for (const PixelRect& r : area) {
        const QRect rect = inWidget(r);
        bounds |= rect;
        changed += qint64{rect.width()} * rect.height();
    }
    if (bounds.isEmpty()) {
        return;
    }
    if (2 * changed >= qint64{bounds.width()} * bounds.height()) {
        repaint(bounds);
        return;
    }
    QRegion region;
    for (const PixelRect& r : area) {
        region += inWidget(r);
    }
    repaint(region);
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
    OnSize(qCeil(size.width() * ratio), qCeil(size.height() * ratio));
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
    SetSeen(!window()->isMinimized());
}

void PlantView::hideEvent(QHideEvent* event)
{
    QFrame::hideEvent(event);
    SetSeen(false);
}

bool PlantView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_watchedWindow && event->type() == QEvent::WindowStateChange) {
        if (m_watchedWindow->isMinimized()) {
            SetSeen(false);
        } else if (isVisible()) {
            // Back from the taskbar: start afresh from the background, as
            // every resize does.
            SizeBufferToView();
            SetSeen(true);
        }
    }
    return QFrame::eventFilter(watched, event);
}

void PlantView::OnSize(int cx, int cy)
{
    auto buffer = std::make_unique<BackBuffer>(cx, cy, ChangeTracking());
    buffer->FillRect(m_backColor, 0, 0, cx, cy);
    const std::scoped_lock lock(m_frameLock);
    m_buffer.Reset(std::move(buffer));
    m_clientWidth = cx;
    m_clientHeight = cy;
}

void PlantView::paintEvent(QPaintEvent* event)
{
    SetSeen(true); // exposed again, if it was not
    PaintEdge(event->region());
    OnPaint(event->region() & contentsRect());
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

void PlantView::OnPaint(const QRegion& paintArea)
{
    if (paintArea.isEmpty()) {
        return;
    }
    QPainter painter(this);
    const qreal ratio = devicePixelRatioF();
    const QPoint origin = contentsRect().topLeft();
    const std::scoped_lock lock(m_frameLock);
    const BackBuffer* buffer = m_buffer.Get();
    if (buffer == nullptr || !buffer->HasPixels()) {
        // Nothing drawn yet, or no memory for a picture: show the background.
        for (const QRect& rect : paintArea) {
            painter.fillRect(rect, QColor::fromRgb(m_backColor.value));
        }
        return;
    }
    QImage image = WrapBuffer(*buffer);
    image.setDevicePixelRatio(ratio);
    // Rectangle by rectangle: each is a plain copy, where one draw clipped to
    // a ragged region would take the painter's slower general path.
    for (const QRect& rect : paintArea) {
        const QRectF target(rect);
        const QRectF source(target.translated(-origin).topLeft() * ratio, target.size() * ratio);
        painter.drawImage(target, image, source);
    }
}

QImage PlantView::Snapshot() const
{
    const std::scoped_lock lock(m_frameLock);
    const BackBuffer* buffer = m_buffer.Get();
    if (buffer == nullptr || !buffer->HasPixels()) {
        return {};
    }
    return WrapBuffer(*buffer).copy();
}
