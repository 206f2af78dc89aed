#include "ScreenSaver.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <commctrl.h>

#include "ConsoleText.h"
#include "ControlPanel.h"
#include "FadeSlider.h"
#include "MonitorSeed.h"
#include "PlantMotion.h"
#include "PlantView.h"
#include "ResourceIds.h"
#include "SaverSettings.h"

namespace {

constexpr int kPointerSlack = 4;      // pixels the pointer may move unnoticed
constexpr UINT kPreviewCheckMs = 200; // how often the preview looks at its window
constexpr wchar_t kScreenClass[] = L"QuillbrookSaverScreen";

void InitControls()
{
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);
}

// Starts `view`'s plant inside its window, filling `parent`'s client area.
void StartPlant(PlantView& view, HWND parent, int slider)
{
    RECT client{};
    GetClientRect(parent, &client);
    MoveWindow(view.Window(), 0, 0, client.right, client.bottom, TRUE);
    PlantAnimator& animator = view.Animator();
    animator.SetFade(FadeSlider::FadeFor(slider));
    animator.SetSeen(true);
    animator.StartMorphWorker();
}

// One monitor's window: a borderless popup above everything with the plant
// filling it.
class SaverScreen {
public:
    SaverScreen(const RECT& monitor, std::int32_t seed, int slider)
        : m_window(CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kScreenClass, L"Quillbrook", WS_POPUP | WS_VISIBLE,
                                   monitor.left, monitor.top, monitor.right - monitor.left,
                                   monitor.bottom - monitor.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)),
          m_view(seed)
    {
        if (m_window != nullptr && m_view.Create(m_window, 0)) {
            StartPlant(m_view, m_window, slider);
        }
    }
    ~SaverScreen()
    {
        m_view.Animator().StopMorphWorker();
        if (m_window != nullptr) {
            DestroyWindow(m_window);
        }
    }
    SaverScreen(const SaverScreen&) = delete;
    SaverScreen& operator=(const SaverScreen&) = delete;

    [[nodiscard]] bool IsShowing() const { return m_view.Window() != nullptr; }
    [[nodiscard]] HWND Window() const { return m_window; }

    static void RegisterClass()
    {
        WNDCLASSEXW screenClass{};
        screenClass.cbSize = sizeof screenClass;
        screenClass.lpfnWndProc = DefWindowProcW;
        screenClass.hInstance = GetModuleHandleW(nullptr);
        screenClass.lpszClassName = kScreenClass; // no cursor: it stays hidden
        RegisterClassExW(&screenClass);
    }

private:
    HWND m_window = nullptr;
    PlantView m_view;
};

BOOL CALLBACK AddMonitor(HMONITOR /*monitor*/, HDC /*dc*/, LPRECT area, LPARAM monitors)
{
    reinterpret_cast<std::vector<RECT>*>(monitors)->push_back(*area);
    return TRUE;
}

bool EndsSaver(const MSG& message, POINT start)
{
    switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_MOUSEWHEEL:
        return true;
    case WM_MOUSEMOVE: {
        POINT now{};
        return GetCursorPos(&now) != FALSE && ScreenSaver::MovedFarEnough(start, now);
    }
    default:
        return false;
    }
}

// The settings: the control panel above OK and Cancel.
// Never deleted through its PanelListener, whose destructor is protected.
// NOLINTNEXTLINE(cppcoreguidelines-virtual-class-destructor)
class SettingsDialog final : public PanelListener {
public:
    int Run(HWND owner)
    {
        return static_cast<int>(DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SETTINGS), owner,
                                                &SettingsDialog::DialogProc, reinterpret_cast<LPARAM>(this)));
    }

    void OnSliderValue(int value) override { m_value = value; }

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrW(window, DWLP_USER, lParam);
        }
        auto* dialog = reinterpret_cast<SettingsDialog*>(GetWindowLongPtrW(window, DWLP_USER));
        return dialog != nullptr ? dialog->Handle(window, message, wParam) : FALSE;
    }

    INT_PTR Handle(HWND window, UINT message, WPARAM wParam)
    {
        if (message == WM_INITDIALOG) {
            m_panel.Create(window, *this, SaverSettings::LoadSlider());
            SetFocus(m_panel.Slider());
            return FALSE;
        }
        if (message != WM_COMMAND) {
            return FALSE;
        }
        if (LOWORD(wParam) == IDOK) {
            std::string error;
            if (!SaverSettings::SaveSlider(m_value, error)) {
                const std::wstring text = L"The setting could not be stored: " + ConsoleText::Wide(error);
                MessageBoxW(window, text.c_str(), L"Quillbrook", MB_OK | MB_ICONWARNING);
                return TRUE; // the dialog stays, nothing is lost
            }
            EndDialog(window, IDOK);
        } else if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(window, IDCANCEL);
        }
        return TRUE;
    }

    ControlPanel m_panel;
    int m_value = FadeSlider::kStart;
};

} // namespace

namespace ScreenSaver {

bool MovedFarEnough(POINT start, POINT now)
{
    return std::abs(now.x - start.x) > kPointerSlack || std::abs(now.y - start.y) > kPointerSlack;
}

int RunFullScreen(int slider)
{
    InitControls();
    SaverScreen::RegisterClass();
    std::vector<RECT> monitors;
    EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    // One plant a monitor, each with a seed of its own.
    const std::int32_t seed = PlantMotion::ClockSeed();
    std::vector<std::unique_ptr<SaverScreen>> screens;
    for (const RECT& monitor : monitors) {
        screens.push_back(std::make_unique<SaverScreen>(monitor, MonitorSeed(seed, screens.size()), slider));
        if (!screens.back()->IsShowing()) {
            ConsoleText::Tell(STD_ERROR_HANDLE, "quillbrook: the screensaver's window could not be made");
            return 1;
        }
    }
    // The keys come to the first screen, wherever the saver was started.
    if (!screens.empty()) {
        SetForegroundWindow(screens.front()->Window());
    }
    ShowCursor(FALSE);
    POINT start{};
    GetCursorPos(&start);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (EndsSaver(message, start)) {
            break;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    ShowCursor(TRUE);
    return 0;
}

int RunPreview(HWND preview, int slider)
{
    if (IsWindow(preview) == FALSE) {
        ConsoleText::Tell(STD_ERROR_HANDLE, "quillbrook: /p: there is no window " +
                                                std::to_string(reinterpret_cast<std::uintptr_t>(preview)));
        return 2;
    }
    PlantView view(PlantMotion::ClockSeed());
    if (!view.Create(preview, 0)) {
        ConsoleText::Tell(STD_ERROR_HANDLE, "quillbrook: the preview could not be made");
        return 1;
    }
    StartPlant(view, preview, slider);
    // The window is the system's: no message tells of its size or its end,
    // so both are looked at on a clock.
    const UINT_PTR clock = SetTimer(nullptr, 0, kPreviewCheckMs, nullptr);
    RECT shown{};
    GetClientRect(preview, &shown);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == nullptr) {
            RECT now{};
            if (IsWindow(preview) == FALSE || view.Window() == nullptr || GetClientRect(preview, &now) == FALSE) {
                break;
            }
            if (now.right != shown.right || now.bottom != shown.bottom) {
                shown = now;
                MoveWindow(view.Window(), 0, 0, now.right, now.bottom, TRUE);
            }
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    KillTimer(nullptr, clock);
    return 0;
}

int RunSettings(HWND owner)
{
    InitControls();
    SettingsDialog dialog;
    return dialog.Run(owner) == -1 ? 1 : 0;
}

} // namespace ScreenSaver
