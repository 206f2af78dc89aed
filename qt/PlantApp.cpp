#include "PlantApp.h"

#include "PlantDialog.h"

PlantApp::PlantApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Quillbrook"));
    setApplicationVersion(QStringLiteral(QUILLBROOK_VERSION));
    setDesktopFileName(QStringLiteral("quillbrook"));
}

int PlantApp::Run()
{
    PlantDialog dialog;
    dialog.exec();
    return 0;
}
