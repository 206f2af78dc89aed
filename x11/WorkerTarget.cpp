#include "WorkerTarget.h"

void WorkerTarget::Aim(xcb_window_t window, QSize size)
{
    const std::scoped_lock lock(m_lock);
    m_window = window;
    m_size = size;
}

void WorkerTarget::SetSize(QSize size)
{
    const std::scoped_lock lock(m_lock);
    m_size = size;
}

void WorkerTarget::Stop()
{
    {
        const std::scoped_lock lock(m_lock);
        m_window = 0;
    }
    m_presenter.AwaitShown({}); // a put already sent has been read once this returns
}

bool WorkerTarget::Show(const BackBuffer& picture, std::span<const PixelRect> area) noexcept
{
    const std::scoped_lock lock(m_lock);
    if (m_window == 0) {
        return false;
    }
    if (QSize(picture.Width(), picture.Height()) != m_size) {
        return true; // outgrown: the picture of the new size, on its way, covers everything
    }
    // False once the path has stopped working: the area is handed over.
    return m_presenter.Show(m_window, picture, area);
}
