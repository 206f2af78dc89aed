#include "PlantApp.h"

#include <windows.h>

#include <commctrl.h>

#include "ConsoleText.h"
#include "PlantDialog.h"
#include "PlantMotion.h"
#include "ResourceIds.h"

namespace {

// Space, F11 and Escape act once per press: a held F11 must not make the
// window flicker, nor a held Escape leave full screen and then close it.
bool IsRepeatOfOncePerPressKey(const MSG& message)
{
    const bool repeat = message.message == WM_KEYDOWN && (message.lParam & (1L << 30)) != 0;
    return repeat && (message.wParam == VK_SPACE || message.wParam == VK_F11 || message.wParam == VK_ESCAPE);
}

} // namespace

namespace PlantApp {

int Run(const WindowOptions& options)
{
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);

    PlantDialog::Reporter reporter;
    if (options.report) {
        reporter = [](const std::string& line) { ConsoleText::WriteLine(STD_OUTPUT_HANDLE, line); };
    }
    PlantDialog dialog(options.seed.value_or(PlantMotion::ClockSeed()), options.slider, reporter);
    if (!dialog.Create()) {
        ConsoleText::Tell(STD_ERROR_HANDLE,
                          "quillbrook: the window could not be made (error " + std::to_string(GetLastError()) + ")");
        return 1;
    }
    if (options.fullScreen) {
        dialog.ToggleFullScreen();
    }
    const HACCEL keys = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_KEYS));
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsRepeatOfOncePerPressKey(message)) {
            continue;
        }
        const HWND window = dialog.Window();
        if (window != nullptr &&
            (TranslateAcceleratorW(window, keys, &message) != 0 || IsDialogMessageW(window, &message) != FALSE)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

} // namespace PlantApp
