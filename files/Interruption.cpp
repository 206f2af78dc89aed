#include "Interruption.h"

#include <atomic>
#include <csignal>
#include <cstdlib>

namespace {

std::atomic<int> g_signal{0};

extern "C" void OnSignal(int signal)
{
    g_signal.store(signal, std::memory_order_relaxed);
}

} // namespace

void Interruption::Catch()
{
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no SA_RESTART: a blocked open or write returns
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        sigaction(signal, &action, nullptr);
    }
    std::signal(SIGPIPE, SIG_IGN);
}

int Interruption::Pending()
{
    return g_signal.load(std::memory_order_relaxed);
}

void Interruption::DieOfPending()
{
    const int signal = Pending();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    std::_Exit(128 + signal);
}
