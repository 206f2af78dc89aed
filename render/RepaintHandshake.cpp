#include "RepaintHandshake.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>

#include <QSocketNotifier>

RepaintHandshake::RepaintHandshake(Painter paint, std::chrono::milliseconds period, QObject* parent)
    : QObject(parent), m_paint(std::move(paint)), m_period(period), m_eventFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)),
      m_notifier(new QSocketNotifier(m_eventFd, QSocketNotifier::Read, this))
{
    connect(m_notifier, &QSocketNotifier::activated, this, &RepaintHandshake::OnWake);
    m_tick.setTimerType(Qt::PreciseTimer);
    m_tick.setSingleShot(true);
    connect(&m_tick, &QTimer::timeout, this, &RepaintHandshake::OnTick);
}

RepaintHandshake::~RepaintHandshake()
{
    delete m_notifier;
    close(m_eventFd);
}

void RepaintHandshake::Request(const std::vector<PixelRect>& area)
{
    bool wake = false;
    {
        const std::scoped_lock lock(m_lock);
        ++m_requested;
        m_pending.insert(m_pending.end(), area.begin(), area.end());
        m_lastRequest = Clock::now();
        wake = !m_collecting;
    }
    if (wake) {
        // Woken after the lock is let go, so that the user-interface thread
        // does not wake only to wait for it.
        const std::uint64_t one = 1;
        // Fails only when the counter is saturated: a wake-up is pending anyway.
        [[maybe_unused]] const auto written = write(m_eventFd, &one, sizeof one);
    }
}

void RepaintHandshake::WaitUntilPainted(const std::stop_token& stop)
{
    std::unique_lock lock(m_lock);
    m_answered.wait(lock, stop, [this] { return m_answeredUpTo >= m_requested; });
}

bool RepaintHandshake::IsCollecting() const
{
    const std::scoped_lock lock(m_lock);
    return m_collecting;
}

void RepaintHandshake::OnWake()
{
    std::uint64_t count = 0;
    if (read(m_eventFd, &count, sizeof count) != sizeof count) {
        return; // spurious: nothing was pending
    }
    if (const auto requested = PaintPending()) {
        {
            const std::scoped_lock lock(m_lock);
            m_collecting = true;
        }
        CollectNextAfter(*requested);
    }
}

void RepaintHandshake::OnTick()
{
    if (const auto requested = PaintPending()) {
        CollectNextAfter(*requested);
        return;
    }
    // Nothing came this period. Decided under the lock, so that a request
    // either sees that we stopped collecting and wakes us, or came first and
    // is painted on the next pass of the event loop.
    {
        const std::scoped_lock lock(m_lock);
        if (m_answeredUpTo >= m_requested) {
            m_collecting = false;
            return;
        }
    }
    m_tick.start(0);
}

void RepaintHandshake::CollectNextAfter(Clock::time_point requested)
{
    using std::chrono::milliseconds;
    const auto due = requested + m_period + m_period / 2;
    m_tick.start(std::max(std::chrono::duration_cast<milliseconds>(due - Clock::now()), milliseconds(0)));
}

std::optional<RepaintHandshake::Clock::time_point> RepaintHandshake::PaintPending()
{
    std::uint64_t upTo = 0;
    Clock::time_point requested;
    std::vector<PixelRect> area;
    {
        const std::scoped_lock lock(m_lock);
        if (m_answeredUpTo >= m_requested) {
            return std::nullopt;
        }
        upTo = m_requested;
        requested = m_lastRequest;
        area.swap(m_pending);
    }
    m_paint(area);
    const std::scoped_lock lock(m_lock);
    m_answeredUpTo = upTo;
    m_answered.notify_all();
    return requested;
}
