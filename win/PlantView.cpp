#include "PlantView.h"

#include <stdexcept>

#include "ResourceIds.h"

namespace {

constexpr wchar_t kClassName[] = L"QuillbrookPlantView";
// Posted by the worker: frames wait to be painted.
constexpr UINT kFramesWaiting = WM_APP + 1;

} // namespace

void PlantView::RegisterViewClass()
{
    WNDCLASSEXW viewClass{};
    viewClass.cbSize = sizeof viewClass;
    // No background brush: every pixel inside comes from the picture, and
    // erasing would only make it flicker.
    viewClass.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    viewClass.lpfnWndProc = &PlantView::WindowProc;
    viewClass.hInstance = GetModuleHandleW(nullptr);
    viewClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    viewClass.lpszClassName = kClassName;
    RegisterClassExW(&viewClass); // fails harmlessly when already there
}

namespace {

// A top-down 32-bit bitmap header over the buffer's own rows.
BITMAPINFO DescribeBuffer(const BackBuffer& buffer)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = buffer.Stride();
    info.bmiHeader.biHeight = -buffer.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

} // namespace

PlantView::PlantView(std::int32_t seed) : m_animator(*this, seed) {}

PlantView::~PlantView()
{
    m_animator.StopMorphWorker();
    if (m_window != nullptr) {
        DestroyWindow(m_window);
    }
}

bool PlantView::Create(HWND parent, DWORD extendedStyle)
{
    RegisterViewClass();
    m_window = CreateWindowExW(extendedStyle, kClassName, L"PlantView", WS_CHILD | WS_VISIBLE, 0, 0, 200, 200, parent,
                               nullptr, GetModuleHandleW(nullptr), this);
    return m_window != nullptr;
}

LRESULT CALLBACK PlantView::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* view = static_cast<PlantView*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        view->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
    }
    auto* view = reinterpret_cast<PlantView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return view != nullptr ? view->Handle(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT PlantView::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        OnSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1; // the paint covers everything
    case kFramesWaiting:
        PaintPending();
        return 0;
    case WM_LBUTTONDBLCLK:
        SendMessageW(GetParent(m_window), WM_COMMAND, IDM_FULL_SCREEN, 0);
        return 0;
    case WM_DESTROY:
        // Nothing of the window may be touched after this, so the worker
        // goes first.
        m_animator.StopMorphWorker();
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        m_window = nullptr;
        return 0;
    default:
        return DefWindowProcW(m_window, message, wParam, lParam);
    }
}

void PlantView::PaintRequested()
{
    // The worker never waits for this thread: a posted message, no more.
    if (PostMessageW(m_window, kFramesWaiting, 0, 0) == FALSE) {
        throw std::runtime_error("the plant view's window cannot be reached");
    }
}

void PlantView::OnSize(int width, int height)
{
    m_size = {width, height};
    m_animator.OnSize(width, height);
}

void PlantView::PaintPending()
{
    // Everything handed over so far; the take that finds nothing tells the
    // animator to post again for its next frame.
    while (m_animator.TakePaint(m_paintArea)) {
        for (const PixelRect& rect : m_paintArea) {
            const RECT area{rect.left, rect.top, rect.right, rect.bottom};
            InvalidateRect(m_window, &area, FALSE);
        }
        UpdateWindow(m_window);
        m_animator.Painted();
    }
}

void PlantView::OnPaint()
{
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(m_window, &paint);
    const RECT& area = paint.rcPaint;
    m_animator.ReadPicture([&](const BackBuffer* buffer) {
        // Until the animator has made the picture of the new size, the view
        // shows what that picture starts as: the background.
        if (!PlantAnimator::IsPictureOf(buffer, m_size.cx, m_size.cy)) {
            const std::uint32_t back = PlantAnimator::kStyle.backColor.value;
            const HBRUSH brush = CreateSolidBrush(RGB((back >> 16) & 0xFF, (back >> 8) & 0xFF, back & 0xFF));
            FillRect(dc, &area, brush);
            DeleteObject(brush);
            return;
        }
        const BITMAPINFO info = DescribeBuffer(*buffer);
        // The bitmap's rows run top-down, so scan line 0 is the picture's
        // top row; the whole picture is described and the paint area cut
        // out of it.
        SetDIBitsToDevice(dc, area.left, area.top, static_cast<DWORD>(area.right - area.left),
                          static_cast<DWORD>(area.bottom - area.top), area.left, buffer->Height() - area.bottom, 0,
                          static_cast<UINT>(buffer->Height()), buffer->Bits(), &info, DIB_RGB_COLORS);
    });
    EndPaint(m_window, &paint);
}
