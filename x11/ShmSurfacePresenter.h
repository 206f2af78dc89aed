#pragma once

#include <memory>

#include "DirectPresenter.h"
#include "ShmPresenter.h"
#include "WorkerTarget.h"

class DirectSurface;

// The direct way over X11 shared memory: the pictures live in memory the X
// server shares (ShmPresenter), and go to a DirectSurface that covers the
// view inside its edge.
class ShmSurfacePresenter final : public DirectPresenter {
public:
    explicit ShmSurfacePresenter(std::unique_ptr<ShmPresenter> shm);

    [[nodiscard]] PixelAllocator Allocator() override { return m_shm->Allocator(); }
    void Start(QWidget& view, const PlantAnimator& animator, std::function<void(const QRegion&)> exposed) override;
    [[nodiscard]] bool IsShowing() const override { return m_surface != nullptr; }
    void Resize(const QRect& contents, QSize pictureSize) override;

    [[nodiscard]] bool ShowHandedOver(std::vector<PixelRect>& area) override;
    void ShowExposed(std::span<const PixelRect> area) override;
    void StopWorkerShows() override { m_target.Stop(); }

    [[nodiscard]] bool ShowFromWorker(const BackBuffer& picture, std::span<const PixelRect> area) noexcept override
    {
        return m_target.Show(picture, area);
    }
    void AwaitShown(const std::stop_token& stop) noexcept override { m_target.AwaitShown(stop); }

private:
    // After a refusal: the surface goes and the view paints through Qt.
    void StopShowingDirectly();

    std::unique_ptr<ShmPresenter> m_shm;
    WorkerTarget m_target;
    QWidget* m_view = nullptr;
    const PlantAnimator* m_animator = nullptr;
    // A child of the view; null before Start and once it has gone.
    DirectSurface* m_surface = nullptr;
    // The picture's size as the view last gave it.
    QSize m_pictureSize;
};
