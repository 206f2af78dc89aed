#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include <QString>
#include <QStringList>

#include "CommandLine.h"
#include "PlantApp.h"

namespace {

QtMessageHandler g_qtOutput = nullptr;

// Qt's messages while the application starts, held back: should it fail,
// the first says best why, and the rest would only bury it.
struct HeldMessage {
    QtMsgType type;
    std::string category;
    QString text;
};
std::vector<HeldMessage> g_held;
bool g_starting = true;

// Qt gives up on a display it cannot open, and on a thread it cannot start,
// with an abort or not at all; the program says why in one line and ends
// with status 1 instead.
void EndClearlyOnFailure(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg) {
        const QString reason = g_held.empty() ? message : g_held.front().text;
        std::cerr << "quillbrook: cannot open a window: " << reason.section('\n', 0, 0).toStdString()
                  << "\nquillbrook: quillbrook-render draws the plant without a display\n";
        std::_Exit(1);
    }
    if (message.startsWith(QStringLiteral("QThread::start: Thread creation error"))) {
        std::cerr << "quillbrook: cannot start a thread: " << message.section('(', 1).chopped(1).toStdString() << '\n';
        std::_Exit(1);
    }
    if (g_starting) {
        g_held.push_back({type, context.category != nullptr ? context.category : "", message});
        return;
    }
    g_qtOutput(type, context, message);
}

// Qt can wait forever for a window system that broke down while it
// started; ten seconds are far more than a start takes.
constexpr unsigned kStartSeconds = 10;

extern "C" void OnStartTooLong(int /*signal*/)
{
    static constexpr char kMessage[] = "quillbrook: cannot open a window: the window system did not answer\n"
                                       "quillbrook: quillbrook-render draws the plant without a display\n";
    [[maybe_unused]] const auto written = write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
    _exit(1);
}

// The application has started: what was held back is said after all.
void StartedWell()
{
    g_starting = false;
    for (const HeldMessage& held : g_held) {
        g_qtOutput(held.type, QMessageLogContext(nullptr, 0, nullptr, held.category.c_str()), held.text);
    }
    g_held.clear();
}

bool IsSet(const char* name)
{
    const char* value = std::getenv(name); // NOLINT(concurrency-mt-unsafe): no thread exists yet
    return value != nullptr && *value != '\0';
}

} // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const CommandLine::Result parsed =
        CommandLine::Parse(arguments, std::getenv("XSCREENSAVER_WINDOW")); // NOLINT(concurrency-mt-unsafe)
    switch (parsed.action) {
    case CommandLine::Action::Help:
        std::cout << parsed.message;
        return EXIT_SUCCESS;
    case CommandLine::Action::Version:
        std::cout << "quillbrook " QUILLBROOK_VERSION "\n";
        return EXIT_SUCCESS;
    case CommandLine::Action::Refuse:
        std::cerr << "quillbrook: " << parsed.message << '\n';
        return 2;
    case CommandLine::Action::Run:
        break;
    }
    if (!IsSet("QT_QPA_PLATFORM") && !IsSet("DISPLAY") && !IsSet("WAYLAND_DISPLAY")) {
        std::cerr << "quillbrook: no display: neither DISPLAY nor WAYLAND_DISPLAY is set\n"
                     "quillbrook: quillbrook-render draws the plant without a display\n";
        return EXIT_FAILURE;
    }
    g_qtOutput = qInstallMessageHandler(EndClearlyOnFailure);
    std::signal(SIGALRM, OnStartTooLong);
    alarm(kStartSeconds);
    PlantApp app(argc, argv);
    alarm(0);
    std::signal(SIGALRM, SIG_DFL);
    StartedWell();
    return app.Run(parsed.options);
}
