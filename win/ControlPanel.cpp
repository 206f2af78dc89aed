#include "ControlPanel.h"

#include <commctrl.h>

#include "ConsoleText.h"
#include "ResourceIds.h"

bool ControlPanel::Create(HWND parent, PanelListener& listener, int value)
{
    m_listener = &listener;
    m_startValue = value;
    m_window = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_CONTROL_PANEL), parent,
                                  &ControlPanel::DialogProc, reinterpret_cast<LPARAM>(this));
    return m_window != nullptr;
}

INT_PTR CALLBACK ControlPanel::DialogProc(HWND window, UINT message, WPARAM /*wParam*/, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* panel = reinterpret_cast<ControlPanel*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        panel->m_window = window;
        panel->SetUpSlider(panel->m_startValue);
        panel->UpdateValue();
        return TRUE;
    }
    auto* panel = reinterpret_cast<ControlPanel*>(GetWindowLongPtrW(window, DWLP_USER));
    if (panel != nullptr && message == WM_HSCROLL) {
        // Every notification, the end of a move included, reports the
        // slider's own position.
        panel->UpdateValue();
        return TRUE;
    }
    return FALSE;
}

HWND ControlPanel::Slider() const
{
    return GetDlgItem(m_window, IDC_FADE_SLIDER);
}

// Not const: it sets the slider up, though through a handle.
// NOLINTNEXTLINE(readability-make-member-function-const)
void ControlPanel::SetUpSlider(int value)
{
    const HWND slider = Slider();
    SendMessageW(slider, TBM_SETRANGEMIN, FALSE, FadeSlider::kMinimum);
    SendMessageW(slider, TBM_SETRANGEMAX, FALSE, FadeSlider::kMaximum);
    SendMessageW(slider, TBM_SETTICFREQ, FadeSlider::kTickInterval, 0);
    SendMessageW(slider, TBM_SETPAGESIZE, 0, FadeSlider::kPageStep);
    SendMessageW(slider, TBM_SETLINESIZE, 0, FadeSlider::kLineStep);
    SendMessageW(slider, TBM_SETPOS, TRUE, value);
}

int ControlPanel::Value() const
{
    return static_cast<int>(SendMessageW(Slider(), TBM_GETPOS, 0, 0));
}

std::wstring ControlPanel::LabelText() const
{
    std::wstring text(64, L'\0');
    text.resize(static_cast<std::size_t>(
        GetDlgItemTextW(m_window, IDC_FADE_LABEL, text.data(), static_cast<int>(text.size()))));
    return text;
}

void ControlPanel::UpdateValue()
{
    const int value = Value();
    SetDlgItemTextW(m_window, IDC_FADE_LABEL, ConsoleText::Wide(FadeSlider::LabelFor(value)).c_str());
    if (m_listener != nullptr) {
        m_listener->OnSliderValue(value);
    }
}
