#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include <windows.h>

#include "ControlPanel.h"
#include "PanelListener.h"
#include "PlantView.h"

// The main window, made from its dialog template: the plant view above, the
// control panel strip along the bottom. It turns the slider's values into
// the plant's fade byte, pauses the plant, switches full screen and shows
// the help box. Closing it ends the program's message loop.
// Never deleted through its PanelListener, whose destructor is protected.
// NOLINTNEXTLINE(cppcoreguidelines-virtual-class-destructor)
class PlantDialog final : public PanelListener {
public:
    // Told each layout and each label text, when asked for (--report).
    using Reporter = std::function<void(const std::string& line)>;

    PlantDialog(std::int32_t seed, int slider, Reporter reporter = {});
    ~PlantDialog();
    PlantDialog(const PlantDialog&) = delete;
    PlantDialog& operator=(const PlantDialog&) = delete;

    // Makes and shows the window. False when it could not be made.
    bool Create();
    [[nodiscard]] HWND Window() const { return m_window; }
    void ToggleFullScreen();

    void OnSliderValue(int value) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnInitDialog();
    void OnCommand(int command);
    void LayoutChildren();
    void ReportLayout();
    void PlaceInWorkArea();
    void ShowHelp();
    void TogglePause();

    PlantView m_view;
    ControlPanel m_panel;
    Reporter m_reporter;
    int m_startSlider;
    int m_sliderValue = 0;
    HWND m_window = nullptr;
    HICON m_icon = nullptr;
    HICON m_smallIcon = nullptr;
    bool m_fullScreen = false;
    WINDOWPLACEMENT m_placement{};
};
