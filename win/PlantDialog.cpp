#include "PlantDialog.h"

#include <algorithm>

#include "ConsoleText.h"
#include "FadeSlider.h"
#include "HelpText.h"
#include "ResourceIds.h"

namespace {

// The framing a window loses while it fills the screen.
constexpr LONG_PTR kFrameStyles = WS_CAPTION | WS_THICKFRAME;

HICON LoadProgramIcon(int metricX, int metricY)
{
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                         GetSystemMetrics(metricX), GetSystemMetrics(metricY), 0));
}

std::string SizeText(const RECT& rect)
{
    return std::to_string(rect.right - rect.left) + "x" + std::to_string(rect.bottom - rect.top);
}

} // namespace

PlantDialog::PlantDialog(std::int32_t seed, int slider, Reporter reporter)
    : m_view(seed), m_reporter(std::move(reporter)), m_startSlider(slider)
{
}

PlantDialog::~PlantDialog()
{
    m_view.Animator().StopMorphWorker();
    if (m_window != nullptr) {
        DestroyWindow(m_window);
    }
    DestroyIcon(m_icon);
    DestroyIcon(m_smallIcon);
}

bool PlantDialog::Create()
{
    const HWND window = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN_DIALOG), nullptr,
                                           &PlantDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    return window != nullptr && m_view.Window() != nullptr;
}

INT_PTR CALLBACK PlantDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<PlantDialog*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        dialog->m_window = window;
    }
    auto* dialog = reinterpret_cast<PlantDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    return dialog != nullptr ? dialog->Handle(message, wParam, lParam) : FALSE;
}

INT_PTR PlantDialog::Handle(UINT message, WPARAM wParam, LPARAM /*lParam*/)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog() ? FALSE : TRUE; // FALSE: the focus is set
    case WM_SIZE:
        // Minimised, the plant rests; back, it starts afresh.
        m_view.Animator().SetSeen(wParam != SIZE_MINIMIZED);
        LayoutChildren();
        return TRUE;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        DestroyWindow(m_window);
        return TRUE;
    case WM_DESTROY:
        m_view.Animator().StopMorphWorker();
        PostQuitMessage(0);
        return TRUE;
    case WM_NCDESTROY:
        SetWindowLongPtrW(m_window, DWLP_USER, 0);
        m_window = nullptr;
        return TRUE;
    default:
        return FALSE;
    }
}

bool PlantDialog::OnInitDialog()
{
    m_icon = LoadProgramIcon(SM_CXICON, SM_CYICON);
    m_smallIcon = LoadProgramIcon(SM_CXSMICON, SM_CYSMICON);
    SendMessageW(m_window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
    SendMessageW(m_window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon));

    // The panel reports its first value while it is made, so the fade is
    // set before the plant's first frame.
    if (!m_panel.Create(m_window, *this, m_startSlider) || !m_view.Create(m_window)) {
        return false;
    }
    LayoutChildren();
    PlaceInWorkArea();
    SetFocus(m_panel.Slider());
    m_view.Animator().SetSeen(true);
    m_view.Animator().StartMorphWorker();
    return true;
}

void PlantDialog::OnSliderValue(int value)
{
    m_sliderValue = value;
    m_view.Animator().SetFade(FadeSlider::FadeFor(value));
    if (m_reporter) {
        m_reporter("label " + ConsoleText::Utf8(m_panel.LabelText()));
    }
}

void PlantDialog::OnCommand(int command)
{
    switch (command) {
    case IDOK: // Enter: no buttons, so it ends the window as OK would
        DestroyWindow(m_window);
        break;
    case IDCANCEL: // Escape leaves full screen first
        if (m_fullScreen) {
            ToggleFullScreen();
        } else {
            DestroyWindow(m_window);
        }
        break;
    case IDM_HELP:
        ShowHelp();
        break;
    case IDM_PAUSE:
        TogglePause();
        break;
    case IDM_FULL_SCREEN:
        ToggleFullScreen();
        break;
    default:
        break;
    }
}

void PlantDialog::LayoutChildren()
{
    if (m_view.Window() == nullptr || m_panel.Window() == nullptr) {
        return; // not made yet
    }
    // The panel keeps its own height and is moved first; the view takes
    // whatever is left above it, nothing when the window is lower than it.
    RECT client{};
    GetClientRect(m_window, &client);
    RECT panel{};
    GetWindowRect(m_panel.Window(), &panel);
    const int panelHeight = panel.bottom - panel.top;
    MoveWindow(m_panel.Window(), 0, client.bottom - panelHeight, client.right, panelHeight, TRUE);
    MoveWindow(m_view.Window(), 0, 0, client.right, std::max(0L, client.bottom - panelHeight), TRUE);
    ReportLayout();
}

void PlantDialog::ReportLayout()
{
    if (!m_reporter) {
        return;
    }
    // The client area beside what the system's own dialog-unit mapping makes
    // of the template, and where the children went.
    RECT client{};
    GetClientRect(m_window, &client);
    RECT mapped{0, 0, 268, 257};
    MapDialogRect(m_window, &mapped);
    RECT panelMapped{0, 0, 186, 48};
    MapDialogRect(m_panel.Window(), &panelMapped);
    RECT panel{};
    GetWindowRect(m_panel.Window(), &panel);
    RECT view{};
    GetWindowRect(m_view.Window(), &view);
    RECT picture{};
    GetClientRect(m_view.Window(), &picture);
    m_reporter("layout client " + SizeText(client) + " template " + SizeText(mapped) + " panel " + SizeText(panel) +
               " panel-template " + SizeText(panelMapped) + " view " + SizeText(view) + " picture " +
               SizeText(picture));
}

void PlantDialog::PlaceInWorkArea()
{
    // Centred in the work area of its monitor; one larger than the work area
    // goes to its left or top edge.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(m_window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    RECT frame{};
    GetWindowRect(m_window, &frame);
    const LONG width = frame.right - frame.left;
    const LONG height = frame.bottom - frame.top;
    const LONG x = work.left + std::max(0L, (work.right - work.left - width) / 2);
    const LONG y = work.top + std::max(0L, (work.bottom - work.top - height) / 2);
    SetWindowPos(m_window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlantDialog::TogglePause()
{
    PlantAnimator& animator = m_view.Animator();
    animator.SetPaused(!animator.IsPaused());
    if (m_reporter) {
        // A frame under way as the pause came still counts, so this may be
        // one short.
        m_reporter((animator.IsPaused() ? "paused frames " : "resumed frames ") +
                   std::to_string(animator.FramesRendered()));
    }
}

void PlantDialog::ToggleFullScreen()
{
    // The window loses its frame and covers its monitor; the panel strip
    // stays along the bottom. Its old place comes back afterwards.
    const LONG_PTR style = GetWindowLongPtrW(m_window, GWL_STYLE);
    if (!m_fullScreen) {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        m_placement.length = sizeof m_placement;
        if (GetWindowPlacement(m_window, &m_placement) == FALSE ||
            GetMonitorInfoW(MonitorFromWindow(m_window, MONITOR_DEFAULTTONEAREST), &monitor) == FALSE) {
            return;
        }
        const RECT& screen = monitor.rcMonitor;
        SetWindowLongPtrW(m_window, GWL_STYLE, style & ~kFrameStyles);
        SetWindowPos(m_window, HWND_TOP, screen.left, screen.top, screen.right - screen.left,
                     screen.bottom - screen.top, SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
    } else {
        SetWindowLongPtrW(m_window, GWL_STYLE, style | kFrameStyles);
        SetWindowPlacement(m_window, &m_placement);
        SetWindowPos(m_window, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
    }
    m_fullScreen = !m_fullScreen;
}

void PlantDialog::ShowHelp()
{
    const PlantAnimator& animator = m_view.Animator();
    const SIZE size = m_view.PictureSize();
    const HelpText help = WindowHelp(
        QUILLBROOK_VERSION,
        {animator.Seed(), std::max<std::uint64_t>(animator.FramesRendered(), 1), size.cx, size.cy, m_sliderValue},
        false);
    std::string joined;
    for (const std::string& paragraph : help.paragraphs) {
        joined += paragraph + "\n\n";
    }
    const std::wstring text = ConsoleText::Wide(joined + help.command);
    MSGBOXPARAMSW box{};
    box.cbSize = sizeof box;
    box.hwndOwner = m_window;
    box.hInstance = GetModuleHandleW(nullptr);
    box.lpszText = text.c_str();
    box.lpszCaption = L"About Quillbrook";
    box.dwStyle = MB_OK | MB_USERICON;
    box.lpszIcon = MAKEINTRESOURCEW(IDR_MAINFRAME);
    MessageBoxIndirectW(&box);
}
