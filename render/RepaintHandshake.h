#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <stop_token>
#include <vector>

#include <QObject>
#include <QTimer>

#include "PixelRect.h"

class QSocketNotifier;

// Lets a worker thread have the user-interface thread paint, and wait until it
// has. The worker never touches a Qt object, and every hand-over between the
// threads goes through a plain mutex and condition variable that thread
// checkers can see.
//
// The first request of a run wakes the user-interface thread through an
// eventfd. From then on, while requests keep coming once a frame period, the
// user-interface thread collects them on a timer of its own, half a period
// out of step with the worker, so that each thread wakes only on its own
// timer: on a virtual machine, one thread waking another on the other
// processor can cost more than the whole frame's work. A tick that finds
// nothing (the worker is paused, hidden or late) lets the timer lapse, and
// the next request wakes the user-interface thread again.
class RepaintHandshake : public QObject {
    Q_OBJECT

public:
    using Painter = std::function<void(const std::vector<PixelRect>& area)>;

    // `paint` runs on the thread that owns this object, with every area
    // requested since the previous paint.
    RepaintHandshake(Painter paint, std::chrono::milliseconds period, QObject* parent = nullptr);
    ~RepaintHandshake() override;
    RepaintHandshake(const RepaintHandshake&) = delete;
    RepaintHandshake& operator=(const RepaintHandshake&) = delete;

    // From the worker: asks for `area` to be painted, without waiting.
    void Request(const std::vector<PixelRect>& area);
    // From the worker: returns once every requested paint has been made, or
    // at once when `stop` is requested.
    void WaitUntilPainted(const std::stop_token& stop);

    // Whether requests are being collected on the clock rather than woken for.
    [[nodiscard]] bool IsCollecting() const;

private:
    using Clock = std::chrono::steady_clock;

    void OnWake();
    void OnTick();
    // Paints what is pending and answers the worker; the time of the latest
    // request painted, or nothing if none was pending.
    std::optional<Clock::time_point> PaintPending();
    // The next tick: half a period after the request that follows the one
    // made at `requested`, when that one is long done and the one after it
    // not yet begun.
    void CollectNextAfter(Clock::time_point requested);

    Painter m_paint;
    std::chrono::milliseconds m_period;
    int m_eventFd;
    QSocketNotifier* m_notifier;
    QTimer m_tick;
    mutable std::mutex m_lock;
    std::condition_variable_any m_answered;
    std::uint64_t m_requested = 0;
    std::uint64_t m_answeredUpTo = 0;
    std::vector<PixelRect> m_pending;
    Clock::time_point m_lastRequest;
    bool m_collecting = false;
};
