#pragma once

#include <QApplication>

// The application object: names the program and runs the main window.
class PlantApp : public QApplication {
    Q_OBJECT

public:
    PlantApp(int& argc, char** argv);

    // Runs the main window until it closes; the program's exit status.
    int Run();
};
