#include "CommandLine.h"

#include <limits>

#include <QCommandLineParser>

#include "NumberOption.h"

namespace {

struct Refusal {
    std::string message;
};

std::string Quoted(const QString& text)
{
    return "'" + text.toStdString() + "'";
}

// A whole number within `range`, or the line that refuses it.
std::int64_t Number(const QString& option, const QString& text, NumberRange range)
{
    const std::string bytes = text.toStdString();
    const auto value = WholeNumberIn(bytes, range);
    if (!value) {
        throw Refusal{RangeRefusal(option.toStdString(), range, bytes)};
    }
    return *value;
}

} // namespace

std::string CommandLine::Usage()
{
    return R"(Usage: quillbrook [OPTION]...
Shows an endlessly changing fractal plant in a window, full screen, on every
monitor, or as a screensaver inside another program's window.

  --seed N          seed of the plant's motion, a whole number from
                    -2147483648 to 2147483647, as quillbrook-render takes it
                    (default: the clock)
  --slider V        the slider's starting value, 0 to 200: how long the
                    trails stay (default 150)
  --fullscreen      start full screen (F11 or Escape leaves it)
  --screen N|NAME   the monitor to open on, by number from 0 or by name
  --all-screens     a plant of its own full screen on every monitor
  --help            show this help and exit
  --version         show the version and exit

As an xscreensaver hack (each option with one dash or two):
  -root             fill the screen, or the window XSCREENSAVER_WINDOW names
  -window-id ID     fill the X11 window ID (0x... or decimal)
  -window, -fps, -no-fps, -mono, -install, -noinstall, -visual V
                    accepted and ignored
The plant then fills that window alone and follows its size; SIGTERM ends
the program at once with status 0. XSCREENSAVER_WINDOW, when set, wins over
-root and -window-id.

Keys in the window: Left/Up and Right/Down move the slider by 5, Page Up and
Page Down by 25, Home and End to 0 and 200; Space pauses; F11 or a
double-click switches full screen; F1 shows help and this run's seed; Ctrl+S
saves the picture; Escape or Enter closes the window.

Exit status: 0 when closed or ended by SIGTERM, 1 when no window or thread
could be had, 2 on bad input.
)";
}

std::optional<quint32> CommandLine::ParseWindowId(const QString& text)
{
    bool ok = false;
    const qulonglong value = text.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive)
                                 ? text.mid(2).toULongLong(&ok, 16)
                                 : text.toULongLong(&ok, 10);
    if (!ok || value == 0 || value > std::numeric_limits<quint32>::max() || text.trimmed() != text) {
        return std::nullopt;
    }
    return static_cast<quint32>(value);
}

CommandLine::Result CommandLine::Parse(const QStringList& arguments, const char* screensaverWindow)
{
    QCommandLineParser parser;
    // -root and --root alike, as xscreensaver passes them either way.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // The help text is Usage(): the options need no descriptions here.
    const QCommandLineOption help(QStringList{"help", "h"});
    const QCommandLineOption version(QStringLiteral("version"));
    const QCommandLineOption seed(QStringLiteral("seed"), QString(), QStringLiteral("N"));
    const QCommandLineOption slider(QStringLiteral("slider"), QString(), QStringLiteral("V"));
    const QCommandLineOption fullScreen(QStringLiteral("fullscreen"));
    const QCommandLineOption screen(QStringLiteral("screen"), QString(), QStringLiteral("N|NAME"));
    const QCommandLineOption allScreens(QStringLiteral("all-screens"));
    const QCommandLineOption root(QStringLiteral("root"));
    const QCommandLineOption windowId(QStringLiteral("window-id"), QString(), QStringLiteral("ID"));
    const QCommandLineOption visual(QStringLiteral("visual"), QString(), QStringLiteral("V"));
    // What other hacks take and this one needs not: accepted, and ignored.
    const QCommandLineOption ignored(QStringList{"window", "fps", "no-fps", "mono", "install", "noinstall"});
    for (const QCommandLineOption& option :
         {help, version, seed, slider, fullScreen, screen, allScreens, root, windowId, visual, ignored}) {
        parser.addOption(option);
    }

    Result result;
    try {
        if (!parser.parse(arguments)) {
            const QStringList unknown = parser.unknownOptionNames();
            if (!unknown.isEmpty()) {
                throw Refusal{"--" + unknown.constFirst().toStdString() + ": unknown option (see --help)"};
            }
            // "Missing value after '--seed'.": the one other way parsing fails.
            const QString option = parser.errorText().section('\'', 1, 1);
            throw Refusal{option.toStdString() + ": missing value (see --help)"};
        }
        if (parser.isSet(help)) {
            result.action = Action::Help;
            result.message = Usage();
            return result;
        }
        if (parser.isSet(version)) {
            result.action = Action::Version;
            return result;
        }
        if (!parser.positionalArguments().isEmpty()) {
            throw Refusal{Quoted(parser.positionalArguments().constFirst()) +
                          ": unexpected argument; options begin with - or -- (see --help)"};
        }
        WindowOptions& o = result.options;
        if (parser.isSet(seed)) {
            o.seed = static_cast<std::int32_t>(Number(QStringLiteral("--seed"), parser.value(seed), kSeedRange));
        }
        if (parser.isSet(slider)) {
            o.slider = static_cast<int>(Number(QStringLiteral("--slider"), parser.value(slider), kSliderRange));
        }
        o.fullScreen = parser.isSet(fullScreen);
        o.screen = parser.value(screen);
        if (parser.isSet(screen) && o.screen.isEmpty()) {
            throw Refusal{"--screen: expects a screen number or name, got ''"};
        }
        o.allScreens = parser.isSet(allScreens);
        o.root = parser.isSet(root);
        if (parser.isSet(windowId)) {
            o.window = ParseWindowId(parser.value(windowId));
            if (!o.window) {
                throw Refusal{"--window-id: expects an X11 window id, 0x... or decimal, got " +
                              Quoted(parser.value(windowId))};
            }
        }
        if (screensaverWindow != nullptr) {
            o.window = ParseWindowId(QString::fromLocal8Bit(screensaverWindow));
            if (!o.window) {
                throw Refusal{"XSCREENSAVER_WINDOW: expects an X11 window id, 0x... or decimal, got " +
                              Quoted(QString::fromLocal8Bit(screensaverWindow))};
            }
        }
    } catch (const Refusal& refusal) {
        result.action = Action::Refuse;
        result.message = refusal.message;
    }
    return result;
}
