#pragma once

#include <cstdint>
#include <vector>

#include <windows.h>

#include "AnimatorWindow.h"
#include "PlantAnimator.h"

// The plant view: a child window that shows the animator's picture. It tells
// the animator its client size (device pixels: the program is DPI aware) and
// paints the areas the animator hands over. The worker asks for a paint with
// a posted message; the view paints everything pending and tells the
// animator, which then draws the next frame.
// Never deleted through its AnimatorWindow, whose destructor is protected.
// NOLINTNEXTLINE(cppcoreguidelines-virtual-class-destructor)
class PlantView final : public AnimatorWindow {
public:
    explicit PlantView(std::int32_t seed);
    ~PlantView();
    PlantView(const PlantView&) = delete;
    PlantView& operator=(const PlantView&) = delete;

    // Makes the window inside `parent`, with or without the sunken edge, and
    // stops the worker when it is destroyed. False when it could not be made.
    bool Create(HWND parent, DWORD extendedStyle = WS_EX_CLIENTEDGE);

    [[nodiscard]] HWND Window() const { return m_window; }
    [[nodiscard]] PlantAnimator& Animator() { return m_animator; }
    [[nodiscard]] const PlantAnimator& Animator() const { return m_animator; }
    // The picture's size as last given to the animator.
    [[nodiscard]] SIZE PictureSize() const { return m_size; }

private:
    static void RegisterViewClass();
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    void PaintRequested() override;
    void OnSize(int width, int height);
    void OnPaint();
    void PaintPending();

    HWND m_window = nullptr;
    SIZE m_size{};
    std::vector<PixelRect> m_paintArea;
    PlantAnimator m_animator;
};
