#pragma once

#include <functional>
#include <memory>

class QSocketNotifier;

// Wakes the thread that made it from any other thread: Wake() has `woken` run
// on that thread soon after. An eventfd carries the wake-up, so no object
// crosses between the threads and thread checkers see every hand-over. When
// the system gives no eventfd (no descriptors left), that is said once on
// standard error and IsWorking() is false: the owner must look for work on a
// clock of its own instead.
class ThreadWake {
public:
    explicit ThreadWake(std::function<void()> woken);
    ~ThreadWake();
    ThreadWake(const ThreadWake&) = delete;
    ThreadWake& operator=(const ThreadWake&) = delete;

    [[nodiscard]] bool IsWorking() const { return m_fd >= 0; }
    // From any thread; wake-ups that come before the first is handled fold
    // into one.
    void Wake() const;

private:
    void OnReadable() const;

    std::function<void()> m_woken;
    int m_fd;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
