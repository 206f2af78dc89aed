// Plays the system's screensaver settings for quillbrook.scr /p: makes a
// window, starts the screensaver inside it, resizes it, then destroys it and
// waits for the screensaver to end. Says what it saw on standard output.
//
//   preview-host SCR MILLISECONDS
#include <cstdio>
#include <cstdlib>
#include <string>

#include <windows.h>

namespace {

void Pump(DWORD milliseconds)
{
    const DWORD end = GetTickCount() + milliseconds;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
    }
}

void Say(const char* what, HWND host)
{
    const HWND view = FindWindowExW(host, nullptr, L"QuillbrookPlantView", nullptr);
    RECT host_client{};
    RECT view_client{};
    GetClientRect(host, &host_client);
    if (view != nullptr) {
        GetClientRect(view, &view_client);
    }
    std::printf("%s host %ldx%ld view %s %ldx%ld\n", what, host_client.right, host_client.bottom,
                view != nullptr ? "found" : "missing", view_client.right, view_client.bottom);
    std::fflush(stdout);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3) {
        std::fputs("usage: preview-host SCR MILLISECONDS\n", stderr);
        return 2;
    }
    const DWORD wait = static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10));
    WNDCLASSW hostClass{};
    hostClass.lpfnWndProc = DefWindowProcW;
    hostClass.hInstance = GetModuleHandleW(nullptr);
    hostClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    hostClass.lpszClassName = L"PreviewHost";
    RegisterClassW(&hostClass);
    const HWND host = CreateWindowExW(0, L"PreviewHost", L"Preview host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 50,
                                      50, 320, 240, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    std::wstring command =
        L"\"" + std::wstring(argv[1]) + L"\" /p " + std::to_wstring(reinterpret_cast<std::uintptr_t>(host));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::printf("cannot start the screensaver (error %lu)\n", GetLastError());
        return 1;
    }
    Pump(wait);
    Say("shown", host);
    SetWindowPos(host, nullptr, 0, 0, 200, 150, SWP_NOMOVE | SWP_NOZORDER);
    Pump(wait);
    Say("resized", host);
    DestroyWindow(host);
    DWORD status = STILL_ACTIVE;
    if (WaitForSingleObject(process.hProcess, 5000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &status);
        std::printf("ended %lu\n", status);
    } else {
        TerminateProcess(process.hProcess, 1);
        std::printf("still running 5 s after its window went\n");
    }
    return 0;
}
