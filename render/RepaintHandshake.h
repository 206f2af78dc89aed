#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <stop_token>
#include <vector>

#include <QObject>

#include "PixelRect.h"

class QSocketNotifier;

// Lets a worker thread have the user-interface thread paint, and wait until it
// has. The wake-up travels through an eventfd watched by the UI thread's event
// loop, and the answer through a plain mutex and condition variable: the
// worker never touches a Qt object, and every hand-over between the threads is
// one that thread checkers can see.
class RepaintHandshake : public QObject {
    Q_OBJECT

public:
    using Painter = std::function<void(const std::vector<PixelRect>& area)>;

    // `paint` runs on the thread that owns this object, once per wake-up,
    // with every area requested since the previous paint.
    explicit RepaintHandshake(Painter paint, QObject* parent = nullptr);
    ~RepaintHandshake() override;
    RepaintHandshake(const RepaintHandshake&) = delete;
    RepaintHandshake& operator=(const RepaintHandshake&) = delete;

    // From the worker: asks for `area` to be painted, without waiting.
    void Request(const std::vector<PixelRect>& area);
    // From the worker: returns once every requested paint has been made, or
    // at once when `stop` is requested.
    void WaitUntilPainted(const std::stop_token& stop);

private:
    void OnWake();

    Painter m_paint;
    int m_eventFd;
    QSocketNotifier* m_notifier;
    std::mutex m_lock;
    std::condition_variable_any m_answered;
    std::uint64_t m_requested = 0;
    std::uint64_t m_answeredUpTo = 0;
    std::vector<PixelRect> m_pending;
};
