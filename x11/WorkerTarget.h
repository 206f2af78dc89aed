#pragma once

#include <mutex>
#include <span>
#include <stop_token>

#include <QSize>

#include "BackBuffer.h"
#include "PixelRect.h"
#include "ShmPresenter.h"

// Where the animator's worker puts its frames: a window (none while the
// worker must hand its frames over) and the picture size the view shows now,
// under a lock of their own. The view's thread aims and stops it; the worker
// puts through it.
class WorkerTarget {
public:
    explicit WorkerTarget(ShmPresenter& presenter) : m_presenter(presenter) {}

    void Aim(xcb_window_t window, QSize size);
    void SetSize(QSize size);
    // From here on the worker hands its frames over; returns once the server
    // has read whatever the worker put.
    void Stop();

    // From the worker: false hands the area over.
    [[nodiscard]] bool Show(const BackBuffer& picture, std::span<const PixelRect> area) noexcept;
    void AwaitShown(const std::stop_token& stop) noexcept { m_presenter.AwaitShown(stop); }

private:
    ShmPresenter& m_presenter;
    std::mutex m_lock;
    xcb_window_t m_window = 0; // under m_lock
    QSize m_size;              // under m_lock
};
