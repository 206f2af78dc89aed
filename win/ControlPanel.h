#pragma once

#include <string>

#include <windows.h>

#include "FadeSlider.h"
#include "PanelListener.h"

// The strip with the trail slider and the label that shows its value, a
// child dialog made from its template. It reports every value to its
// listener and knows nothing of what the value does.
class ControlPanel {
public:
    // Makes the panel's window inside `parent`, the slider at `value`; the
    // first report reaches `listener` before this returns. False when the
    // window could not be made.
    bool Create(HWND parent, PanelListener& listener, int value = FadeSlider::kStart);

    [[nodiscard]] HWND Window() const { return m_window; }
    [[nodiscard]] HWND Slider() const;
    [[nodiscard]] int Value() const;
    // What the label reads, as the label itself has it.
    [[nodiscard]] std::wstring LabelText() const;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void SetUpSlider(int value);
    void UpdateValue();

    HWND m_window = nullptr;
    PanelListener* m_listener = nullptr;
    int m_startValue = FadeSlider::kStart;
};
