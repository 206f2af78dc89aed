#include "PlantApp.h"

#include <iostream>
#include <memory>
#include <system_error>
#include <vector>

#include <QScreen>

#include "EmbeddedPlant.h"
#include "MonitorSeed.h"
#include "PlantDialog.h"
#include "QuitOnSignals.h"
#include "X11WindowWatch.h"

namespace {

// The monitor a --screen value names: a number counts from 0; anything else
// is a name. Null when there is no such monitor.
QScreen* ScreenNamed(const QString& value)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    bool isNumber = false;
    const int number = value.toInt(&isNumber);
    if (isNumber) {
        return number >= 0 && number < screens.size() ? screens.at(number) : nullptr;
    }
    for (QScreen* screen : screens) {
        if (screen->name() == value) {
            return screen;
        }
    }
    return nullptr;
}

std::string ScreenChoices()
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    QStringList names;
    for (const QScreen* screen : screens) {
        if (!names.contains(screen->name())) {
            names << screen->name();
        }
    }
    return "a number from 0 to " + std::to_string(screens.size() - 1) + " or a name (" +
           names.join(QStringLiteral(", ")).toStdString() + ")";
}

void Place(PlantDialog& dialog, QScreen* screen, bool fullScreen)
{
    if (screen != nullptr) {
        // The monitor may belong to another X screen, with a root of its own.
        dialog.setScreen(screen);
        dialog.move(screen->availableGeometry().center() - dialog.rect().center());
    }
    if (fullScreen) {
        if (screen != nullptr) {
            dialog.setGeometry(screen->geometry());
        }
        dialog.setWindowState(Qt::WindowFullScreen);
    }
    dialog.show();
}

} // namespace

PlantApp::PlantApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Quillbrook"));
    setApplicationVersion(QStringLiteral(QUILLBROOK_VERSION));
    setDesktopFileName(QStringLiteral("org.quillbrook.Quillbrook"));
    // The plant view's surface of its own (see PlantView) makes its parents
    // native windows; its neighbours need not be.
    setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
}

int PlantApp::Run(const WindowOptions& options)
{
    const std::int32_t seed = options.seed.value_or(PlantMotion::ClockSeed());
    QScreen* screen = nullptr;
    if (!options.screen.isEmpty() && (screen = ScreenNamed(options.screen)) == nullptr) {
        std::cerr << "quillbrook: --screen: expects " << ScreenChoices() << ", got '" << options.screen.toStdString()
                  << "'\n";
        return 2;
    }
    const QuitOnSignals quitOnSignals;
    X11WindowWatch watch;
    try {
        if (options.window || options.root) {
            EmbeddedPlant plant(seed, options.slider);
            if (std::string error; !plant.Show(options.window, watch, error)) {
                std::cerr << "quillbrook: " << error << '\n';
                return 1;
            }
            return exec();
        }
        // One plant a monitor, each with a seed of its own; else one.
        const QList<QScreen*> screens = options.allScreens ? QGuiApplication::screens() : QList<QScreen*>{screen};
        std::vector<std::unique_ptr<PlantDialog>> dialogs;
        for (QScreen* on : screens) {
            auto& dialog =
                dialogs.emplace_back(std::make_unique<PlantDialog>(MonitorSeed(seed, dialogs.size()), options.slider));
            // Closing any window ends the program, as does destroying it from outside.
            connect(dialog.get(), &QDialog::finished, this, [] { QCoreApplication::exit(0); });
            Place(*dialog, on, options.fullScreen || options.allScreens);
            watch.Watch(static_cast<quint32>(dialog->winId()), {{}, [] { QCoreApplication::exit(0); }});
        }
        return exec();
    } catch (const std::system_error& failure) {
        std::cerr << "quillbrook: cannot start the plant: " << failure.code().message() << '\n';
        return 1;
    }
}
