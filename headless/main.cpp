#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <string_view>
#include <vector>

#include <QtGlobal>

#include "Destination.h"
#include "Interruption.h"
#include "OptionParser.h"
#include "RenderJob.h"

namespace {

// The tool says what went wrong itself, in one line with the system's
// reason; the image writer's own warnings would only repeat it less clearly.
void QuietQtMessages(QtMsgType type, const QMessageLogContext& /*context*/, const QString& message)
{
    if (type == QtFatalMsg) {
        std::cerr << "quillbrook-render: " << message.toLocal8Bit().constData() << '\n';
        std::abort();
    }
}

// Runs the job; every file it has not put in place is gone when this returns.
RenderJob::Outcome Render(const RenderOptions& options)
{
    RenderJob job(options, std::cerr);
    // A bar between dump lines on the same terminal would garble both.
    const bool dumpOnTerminal = options.dump == "-" && isatty(STDOUT_FILENO) == 1;
    job.SetProgressShown(isatty(STDERR_FILENO) == 1 && !dumpOnTerminal);
    return job.Run();
}

} // namespace

int main(int argc, char* argv[])
{
    StandardDescriptors::Secure();
    qInstallMessageHandler(QuietQtMessages);
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

    Interruption::Catch();
    switch (Render(parsed.options)) {
    case RenderJob::Outcome::Success:
        return EXIT_SUCCESS;
    case RenderJob::Outcome::BadInput:
        return 2;
    case RenderJob::Outcome::Interrupted:
        Interruption::DieOfPending();
    case RenderJob::Outcome::Failure:
        break;
    }
    return EXIT_FAILURE;
}
