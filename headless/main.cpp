#include <atomic>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <string_view>
#include <vector>

#include <unistd.h>

#include "OptionParser.h"
#include "RenderJob.h"

namespace {

std::atomic<int> g_interrupt{0};

extern "C" void OnInterrupt(int signal)
{
    g_interrupt.store(signal, std::memory_order_relaxed);
}

// Ctrl+C or a termination request ends the run at the next frame, so the
// files being written are discarded rather than left half-written. A closed
// pipe on standard output becomes a write error instead of killing the
// process in the middle of a file.
void CatchSignals()
{
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

// Dies of the signal that interrupted the run, as a shell expects.
[[noreturn]] void RaiseAgain(int signal)
{
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    std::_Exit(128 + signal);
}

} // namespace

int main(int argc, char* argv[])
{
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const OptionParser::Result parsed = OptionParser::Parse(args);
    switch (parsed.action) {
    case OptionParser::Action::Help:
        std::cout << OptionParser::Usage();
        return EXIT_SUCCESS;
    case OptionParser::Action::Version:
        std::cout << "quillbrook-render " QUILLBROOK_VERSION "\n";
        return EXIT_SUCCESS;
    case OptionParser::Action::Refuse:
        std::cerr << "quillbrook-render: " << parsed.error << '\n';
        return 2;
    case OptionParser::Action::Render:
        break;
    }

    CatchSignals();
    RenderJob job(parsed.options, std::cerr);
    job.SetInterruptFlag(&g_interrupt);
    // A bar between dump lines on the same terminal would garble both.
    const bool dumpOnTerminal = parsed.options.dump == "-" && isatty(STDOUT_FILENO) == 1;
    job.SetProgressShown(isatty(STDERR_FILENO) == 1 && !dumpOnTerminal);
    switch (job.Run()) {
    case RenderJob::Outcome::Success:
        return EXIT_SUCCESS;
    case RenderJob::Outcome::BadInput:
        return 2;
    case RenderJob::Outcome::Interrupted:
        RaiseAgain(g_interrupt.load());
    case RenderJob::Outcome::Failure:
        break;
    }
    return EXIT_FAILURE;
}
