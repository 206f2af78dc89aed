#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <stop_token>
#include <vector>

#include <QFrame>
#include <QImage>
#include <QRegion>
#include <QTimer>

#include "AnimatorWindow.h"
#include "FrameLog.h"
#include "PlantAnimator.h"
#include "ShmPresenter.h"
#include "ThreadWake.h"

class DirectSurface;

// The plant view: shows the animator's picture inside a sunken client edge.
// It tells the animator its size in device pixels and whether it can be
// seen, and paints the areas the animator hands over. While frames flow it
// collects them on a clock of its own, so that the animator's worker never
// has to wake this thread for each one.
//
// On X11 the picture goes to the screen straight from memory shared with the
// X server, through a native child window that covers the view inside its
// edge. Once this thread has put a first area there, the animator's worker
// puts every frame itself, and draws the next once the server has read it:
// this thread is not woken for frames at all. Elsewhere, or when the server
// cannot share memory, Qt paints the picture from its backing store.
// The choice is made once, at start (see MeasuringSwitches), and the view
// turns to Qt's way for good should the server refuse anything later.
class PlantView : public QFrame, public AnimatorWindow {
    Q_OBJECT

public:
    explicit PlantView(std::int32_t seed, QWidget* parent = nullptr);
    // Stops the worker before anything it uses goes.
    ~PlantView() override;
    PlantView(const PlantView&) = delete;
    PlantView& operator=(const PlantView&) = delete;

    [[nodiscard]] PlantAnimator& Animator() { return m_animator; }
    [[nodiscard]] const PlantAnimator& Animator() const { return m_animator; }

    // The picture's size in device pixels, as the view last asked for it.
    [[nodiscard]] QSize PictureSize() const { return m_deviceSize; }
    // A copy of the picture as it stands, in device pixels; null when there
    // is none.
    [[nodiscard]] QImage Snapshot() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PaintRequested() override;
    bool ShowFromWorker(const BackBuffer& picture, std::span<const PixelRect> area) noexcept override;
    void AwaitShown(const std::stop_token& stop) noexcept override;
    void FrameStarting(PlantAnimator::Clock::time_point start) override;

    // Paints what the animator has handed over, then sets the clock for the
    // next frame; with nothing handed over the clock stops.
    void PaintPending();
    void SizeBufferToView();
    [[nodiscard]] bool IsOnScreen() const;
    void PaintEdge(const QRegion& area);
    void PaintPicture(const QRegion& area);
    // The shared-memory way, for what the worker handed over: put, after
    // which the worker puts its frames itself; nothing to show, for an area
    // of an outgrown picture; or paint it through Qt.
    enum class PutOutcome { Put, NothingToShow, PaintThroughQt };
    [[nodiscard]] PutOutcome PutPending();
    void PutExposed(const QRegion& area);
    void StopPuttingDirectly();
    // From here on the worker hands its frames over; returns once the
    // server has read whatever the worker put.
    void StopWorkerPuts();

    FrameLog m_frameLog;
    ThreadWake m_wake;
    // The picture's size as last given to the animator.
    QSize m_deviceSize;
    std::vector<PixelRect> m_paintArea;
    QTimer m_paintClock;
    QWidget* m_watchedWindow = nullptr;
    // Null when Qt paints the picture.
    std::unique_ptr<ShmPresenter> m_presenter;
    DirectSurface* m_surface = nullptr;
    // Where the worker puts its frames: the surface's window (0 while it
    // must hand them over) and the picture size the view shows now.
    struct WorkerTarget {
        xcb_window_t window = 0;
        QSize size;
    };
    std::mutex m_targetLock;
    WorkerTarget m_target; // under m_targetLock
    // Its pictures may live in the presenter's memory: it goes first.
    PlantAnimator m_animator;
};
