#include "PlantApp.h"

int main(int argc, char** argv)
{
    PlantApp app(argc, argv);
    return app.Run();
}
