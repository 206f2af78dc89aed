#include "ShmSurfacePresenter.h"

#include <algorithm>
#include <utility>

#include "DirectSurface.h"
#include "PlantAnimator.h"

ShmSurfacePresenter::ShmSurfacePresenter(std::unique_ptr<ShmPresenter> shm) : m_shm(std::move(shm)), m_target(*m_shm) {}

void ShmSurfacePresenter::Start(QWidget& view, const PlantAnimator& animator,
                                std::function<void(const QRegion&)> exposed)
{
    m_view = &view;
    m_animator = &animator;
    m_surface = new DirectSurface(std::move(exposed), &view);
}

void ShmSurfacePresenter::Resize(const QRect& contents, QSize pictureSize)
{
    if (m_surface != nullptr) {
        m_surface->setGeometry(contents);
    }
    m_pictureSize = pictureSize;
    m_target.SetSize(pictureSize);
}

bool ShmSurfacePresenter::ShowHandedOver(std::vector<PixelRect>& area)
{
    if (m_surface == nullptr) {
        return false;
    }
    bool put = false;
    bool stale = false;
    const xcb_window_t window = m_surface->winId();
    m_animator->ReadPicture([&](const BackBuffer* buffer) {
        // An area of a picture the view has outgrown: the picture of its
        // new size, on its way, covers everything.
        stale = !PlantAnimator::IsPictureOf(buffer, m_pictureSize.width(), m_pictureSize.height());
        if (stale) {
            return;
        }
        // Areas drawn before a resize may reach beyond the picture now.
        const PixelRect bounds{0, 0, buffer->Width(), buffer->Height()};
        for (PixelRect& r : area) {
            r = r.CutTo(bounds);
        }
        std::erase_if(area, [](const PixelRect& r) { return r.IsEmpty(); });
        stale = area.empty();
        put = !stale && m_shm->PutNow(window, *buffer, area);
    });
    if (stale) {
        return true; // nothing to show
    }
    if (!put) {
        StopShowingDirectly();
        return false;
    }
    // The surface takes puts: from now on the worker puts its frames itself.
    m_target.Aim(window, m_pictureSize);
    return true;
}

void ShmSurfacePresenter::ShowExposed(std::span<const PixelRect> area)
{
    if (m_surface == nullptr) {
        return;
    }
    bool shown = true;
    const xcb_window_t window = m_surface->winId();
    m_animator->ReadPicture([&](const BackBuffer* buffer) {
        if (!PlantAnimator::IsPictureOf(buffer, m_pictureSize.width(), m_pictureSize.height())) {
            // Under the picture's lock, like the put: no frame of the new
            // size can reach the window before this background does.
            shown = m_shm->Fill(window, PlantAnimator::kStyle.backColor.value, area);
            return;
        }
        shown = m_shm->PutNow(window, *buffer, area);
    });
    if (!shown) {
        StopShowingDirectly();
    }
}

void ShmSurfacePresenter::StopShowingDirectly()
{
    m_target.Stop();
    // From inside the surface's own paint event, too: it goes later.
    m_surface->hide();
    m_surface->deleteLater();
    m_surface = nullptr;
    m_view->update();
}
