#include "ThreadWake.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <iostream>
#include <system_error>

#include <QSocketNotifier>

ThreadWake::ThreadWake(std::function<void()> woken)
    : m_woken(std::move(woken)), m_fd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
    if (m_fd < 0) {
        std::cerr << "quillbrook: the window's thread cannot be woken (" << std::generic_category().message(errno)
                  << "); it looks for frames every period instead\n";
        return;
    }
    m_notifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { OnReadable(); });
}

ThreadWake::~ThreadWake()
{
    m_notifier.reset();
    if (m_fd >= 0) {
        close(m_fd);
    }
}

void ThreadWake::Wake() const
{
    if (m_fd < 0) {
        return;
    }
    const std::uint64_t one = 1;
    // Fails only when the counter is full, and then a wake-up is pending anyway.
    [[maybe_unused]] const auto written = write(m_fd, &one, sizeof one);
}

void ThreadWake::OnReadable() const
{
    std::uint64_t count = 0;
    if (read(m_fd, &count, sizeof count) == sizeof count) {
        m_woken();
    }
}
