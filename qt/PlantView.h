#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <stop_token>
#include <vector>

#include <QFrame>
#include <QImage>
#include <QRegion>
#include <QTimer>

#include "AnimatorWindow.h"
#include "DirectPresenter.h"
#include "FrameLog.h"
#include "PlantAnimator.h"
#include "ThreadWake.h"

// The plant view: shows the animator's picture inside a sunken client edge.
// It tells the animator its size in device pixels and whether it can be
// seen, and paints the areas the animator hands over. While frames flow it
// collects them on a clock of its own, so that the animator's worker never
// has to wake this thread for each one.
//
// Where a DirectPresenter can be had (see MeasuringSwitches; the choice is
// made once, at start), the picture goes to the screen past Qt and the
// worker shows its frames itself; elsewhere, or once that presenter has given
// up, Qt paints the picture from its backing store.
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
    void PaintRequested() override { m_wake.Wake(); }
    bool ShowFromWorker(const BackBuffer& picture, std::span<const PixelRect> area) noexcept override
    {
        return m_presenter && m_presenter->ShowFromWorker(picture, area);
    }
    // Only after ShowFromWorker has shown something.
    void AwaitShown(const std::stop_token& stop) noexcept override { m_presenter->AwaitShown(stop); }
    void FrameStarting(PlantAnimator::Clock::time_point start) override { m_frameLog.Record(start); }

    // Paints what the animator has handed over, then sets the clock for the
    // next frame; with nothing handed over the clock stops.
    void PaintPending();
    void SizeBufferToView();
    [[nodiscard]] bool IsOnScreen() const;
    void PaintEdge(const QRegion& area);
    void PaintPicture(const QRegion& area);
    [[nodiscard]] bool PaintsThroughQt() const { return !m_presenter || !m_presenter->IsShowing(); }

    FrameLog m_frameLog;
    ThreadWake m_wake;
    // The picture's size as last given to the animator.
    QSize m_deviceSize;
    std::vector<PixelRect> m_paintArea;
    QTimer m_paintClock;
    QWidget* m_watchedWindow = nullptr;
    // Null when Qt paints the picture.
    std::unique_ptr<DirectPresenter> m_presenter;
    // Its pictures may live in the presenter's memory: it goes first.
    PlantAnimator m_animator;
};
