#pragma once

#include <chrono>
#include <span>
#include <stop_token>

#include "BackBuffer.h"
#include "PixelRect.h"

// What the animator needs of the window it draws for. Every call comes from
// the animator's worker thread, with none of the animator's locks held.
class AnimatorWindow {
public:
    // Frames wait to be painted and the window is not collecting them on a
    // clock of its own: have the window's own thread call
    // PlantAnimator::TakePaint soon. Returns at once; never waits for that
    // thread. Should it throw, the frame counts as failed and the area waits
    // for the next request.
    virtual void PaintRequested() = 0;

    // A window that can put a frame on the screen from the worker's thread
    // does so here with `area` of `picture`, just drawn, and returns true: the
    // area then needs no hand-over. True as well when there is nothing to
    // show (a picture the window has outgrown). False, the default, hands the
    // area over as above. The picture stays as it is until AwaitShown returns.
    virtual bool ShowFromWorker(const BackBuffer& /*picture*/, std::span<const PixelRect> /*area*/) noexcept
    {
        return false;
    }

    // Returns once what ShowFromWorker sent has been read off the picture, or
    // soon after `stop` is requested. The worker calls it before it changes
    // the picture again.
    virtual void AwaitShown(const std::stop_token& /*stop*/) noexcept {}

    // A frame is about to be drawn, at `start`, its inputs already read. For
    // measuring; nothing by default.
    virtual void FrameStarting(std::chrono::steady_clock::time_point /*start*/) {}

protected:
    AnimatorWindow() = default;
    ~AnimatorWindow() = default;
    AnimatorWindow(const AnimatorWindow&) = default;
    AnimatorWindow& operator=(const AnimatorWindow&) = default;
    AnimatorWindow(AnimatorWindow&&) = default;
    AnimatorWindow& operator=(AnimatorWindow&&) = default;
};
