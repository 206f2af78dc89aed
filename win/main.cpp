// quillbrook.exe: the plant in its window.
#include <windows.h>

#include "CommandLine.h"
#include "ConsoleText.h"
#include "PlantApp.h"

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int /*show*/)
{
    const std::vector<std::string> arguments = ConsoleText::Arguments();
    const CommandLine::Result parsed = CommandLine::Parse(arguments);
    switch (parsed.action) {
    case CommandLine::Action::Help:
        ConsoleText::Tell(STD_OUTPUT_HANDLE, parsed.message);
        return 0;
    case CommandLine::Action::Version:
        ConsoleText::Tell(STD_OUTPUT_HANDLE, "quillbrook " QUILLBROOK_VERSION);
        return 0;
    case CommandLine::Action::Refuse:
        ConsoleText::Tell(STD_ERROR_HANDLE, "quillbrook: " + parsed.message);
        return 2;
    case CommandLine::Action::Run:
        break;
    }
    return PlantApp::Run(parsed.options);
}
