#pragma once

#include <QApplication>

#include "CommandLine.h"

// The application object: names the program and runs it in the form the
// command line asks for: the main window (on a chosen monitor, full screen,
// or one on every monitor), or the plant alone inside a screensaver's window.
class PlantApp : public QApplication {
    Q_OBJECT

public:
    PlantApp(int& argc, char** argv);

    // Runs until the windows close or a signal asks the program to end; the
    // program's exit status. A value that names no monitor is refused (2);
    // a window or thread that cannot be had ends it with a message (1).
    int Run(const WindowOptions& options);
};
