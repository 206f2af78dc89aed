#include "QuitOnSignals.h"

#include <csignal>

#include <QCoreApplication>

namespace {

const ThreadWake* g_wake = nullptr;

extern "C" void OnQuitSignal(int /*signal*/)
{
    // A write to an eventfd: safe in a signal handler.
    g_wake->Wake();
}

} // namespace

QuitOnSignals::QuitOnSignals() : m_wake([] { QCoreApplication::exit(0); })
{
    if (!m_wake.IsWorking()) {
        return; // the signals keep ending the program at once
    }
    g_wake = &m_wake;
    struct sigaction action {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        sigaction(signal, &action, nullptr);
    }
}

QuitOnSignals::~QuitOnSignals()
{
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        std::signal(signal, SIG_DFL);
    }
    g_wake = nullptr;
}
