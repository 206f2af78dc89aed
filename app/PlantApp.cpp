#include "PlantApp.h"

#include "PlantDialog.h"
#include "res/Version.h"

PlantApp::PlantApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Quillbrook"));
    setApplicationVersion(QStringLiteral(QUILLBROOK_VERSION));
    setDesktopFileName(QStringLiteral("quillbrook"));
}

int PlantApp::InitInstance()
{
    PlantDialog dialog;
    dialog.exec();
    return 0;
}
