#include "RepaintHandshake.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <QSocketNotifier>

RepaintHandshake::RepaintHandshake(Painter paint, QObject* parent)
    : QObject(parent), m_paint(std::move(paint)), m_eventFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)),
      m_notifier(new QSocketNotifier(m_eventFd, QSocketNotifier::Read, this))
{
    connect(m_notifier, &QSocketNotifier::activated, this, &RepaintHandshake::OnWake);
}

RepaintHandshake::~RepaintHandshake()
{
    delete m_notifier;
    close(m_eventFd);
}

void RepaintHandshake::Request(const std::vector<PixelRect>& area)
{
    {
        const std::scoped_lock lock(m_lock);
        ++m_requested;
        m_pending.insert(m_pending.end(), area.begin(), area.end());
    }
    // Woken after the lock is let go, so that the user-interface thread does
    // not wake only to wait for it.
    const std::uint64_t one = 1;
    // Fails only when the counter is saturated: a wake-up is pending anyway.
    [[maybe_unused]] const auto written = write(m_eventFd, &one, sizeof one);
}

void RepaintHandshake::WaitUntilPainted(const std::stop_token& stop)
{
    std::unique_lock lock(m_lock);
    m_answered.wait(lock, stop, [this] { return m_answeredUpTo >= m_requested; });
}

void RepaintHandshake::OnWake()
{
    std::uint64_t count = 0;
    if (read(m_eventFd, &count, sizeof count) != sizeof count) {
        return; // spurious: nothing was pending
    }
    std::uint64_t upTo = 0;
    std::vector<PixelRect> area;
    {
        const std::scoped_lock lock(m_lock);
        upTo = m_requested;
        area.swap(m_pending);
    }
    m_paint(area);
    const std::scoped_lock lock(m_lock);
    m_answeredUpTo = upTo;
    m_answered.notify_all();
}
