#pragma once

#include <functional>
#include <memory>
#include <span>
#include <stop_token>
#include <vector>

#include <QRect>
#include <QRegion>
#include <QSize>

#include "BackBuffer.h"
#include "PixelMemory.h"
#include "PixelRect.h"

class PlantAnimator;
class QWidget;

// A way to the screen that bypasses Qt's backing store: the animator's
// pictures go to a native window of the presenter's own, which covers the
// view inside its edge. Once the view's thread has shown a first area there,
// the animator's worker shows every frame itself (ShowFromWorker, then
// AwaitShown before it draws again), and the view's thread is not woken for
// frames at all. Should the display refuse anything later, the presenter
// removes its window and the view paints the picture through Qt for good.
class DirectPresenter {
public:
    // X11 shared memory, where the display can share memory with us; null
    // otherwise, and then, when `sayWhyNot`, the reason goes to standard
    // error.
    [[nodiscard]] static std::unique_ptr<DirectPresenter> Open(bool sayWhyNot);

    DirectPresenter() = default;
    virtual ~DirectPresenter() = default;
    DirectPresenter(const DirectPresenter&) = delete;
    DirectPresenter& operator=(const DirectPresenter&) = delete;

    // Memory for the animator's pictures, which must be freed before this.
    [[nodiscard]] virtual PixelAllocator Allocator() = 0;
    // Makes the window inside `view`, whose pictures `animator` draws; the
    // window's exposed areas, in its own coordinates, go to `exposed`.
    virtual void Start(QWidget& view, const PlantAnimator& animator, std::function<void(const QRegion&)> exposed) = 0;
    // False once the view paints the picture itself.
    [[nodiscard]] virtual bool IsShowing() const = 0;
    // The view's area inside its edge and the picture's new size in device
    // pixels, before the animator hears of it: no frame of the old size is
    // shown once the view has the new one.
    virtual void Resize(const QRect& contents, QSize pictureSize) = 0;

    // The view's thread. Shows what the worker handed over, after which the
    // worker shows its frames itself; false when the view must paint it.
    [[nodiscard]] virtual bool ShowHandedOver(std::vector<PixelRect>& area) = 0;
    // Shows an exposed area of the picture, or the background while the
    // picture of the view's size is not yet made.
    virtual void ShowExposed(std::span<const PixelRect> area) = 0;
    // From here on the worker hands its frames over; returns once the
    // display has read whatever the worker showed.
    virtual void StopWorkerShows() = 0;

    // The worker, as AnimatorWindow has it: false hands the area over.
    [[nodiscard]] virtual bool ShowFromWorker(const BackBuffer& picture, std::span<const PixelRect> area) noexcept = 0;
    virtual void AwaitShown(const std::stop_token& stop) noexcept = 0;
};
