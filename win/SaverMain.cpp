// quillbrook.scr: the plant as the system's screensaver.
#include <windows.h>

#include "ConsoleText.h"
#include "SaverCommand.h"
#include "SaverSettings.h"
#include "ScreenSaver.h"

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int /*show*/)
{
    const std::vector<std::string> arguments = ConsoleText::Arguments();
    const SaverCommand command = SaverCommand::Parse(arguments);
    const auto window = reinterpret_cast<HWND>(command.window);
    switch (command.mode) {
    case SaverCommand::Mode::FullScreen:
        return ScreenSaver::RunFullScreen(SaverSettings::LoadSlider());
    case SaverCommand::Mode::Preview:
        return ScreenSaver::RunPreview(window, SaverSettings::LoadSlider());
    case SaverCommand::Mode::Settings:
        return ScreenSaver::RunSettings(window);
    case SaverCommand::Mode::Refuse:
        break;
    }
    ConsoleText::Tell(STD_ERROR_HANDLE, "quillbrook.scr: " + command.message);
    return 2;
}
