#pragma once

#include <chrono>

// What the animator needs of the window it draws for. Both calls come from
// the animator's worker thread, with none of the animator's locks held.
class AnimatorWindow {
public:
    // Frames wait to be painted and the window is not collecting them on a
    // clock of its own: have the window's own thread call
    // PlantAnimator::TakePaint soon. Returns at once; never waits for that
    // thread. Should it throw, the frame counts as failed and the area waits
    // for the next request.
    virtual void PaintRequested() = 0;

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
