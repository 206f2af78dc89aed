#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

#include <QFrame>
#include <QImage>
#include <QRegion>

#include "BackBufferRef.h"
#include "PlantStyle.h"
#include "RepaintHandshake.h"
#include "geometry/BranchRule.h"
#include "geometry/PixelColor.h"
#include "geometry/Segment.h"
#include "morph/MinStdRandom.h"
#include "morph/RuleTrack.h"

// The plant view: shows the back buffer inside a sunken client edge, and owns
// what the renderer and the morph worker share. The worker draws each frame
// into the buffer on its own thread; the user-interface thread only replaces
// the buffer on a resize and copies it out on a paint.
class PlantView : public QFrame {
    Q_OBJECT

public:
    explicit PlantView(QWidget* parent = nullptr);
    ~PlantView() override;
    PlantView(const PlantView&) = delete;
    PlantView& operator=(const PlantView&) = delete;

    // The weight of the background in each frame's fade; from the next frame on.
    void SetFade(std::uint8_t fade);
    [[nodiscard]] std::uint8_t Fade() const { return m_fade.load(std::memory_order_relaxed); }
    // The next uniform value of the view's generator; the worker's thread only.
    double UniformRandom();

    // Space's pause: while paused no frame is drawn and the picture stays.
    void SetPaused(bool paused);
    [[nodiscard]] bool IsPaused() const;

    // Starts the morph worker; StopMorphWorker asks it to stop and waits for
    // it. The view must not be destroyed, nor its window torn down, while the
    // worker runs: the destructor stops it too, as a last resort.
    void StartMorphWorker();
    void StopMorphWorker();

    // One frame: once the previous one has been painted (or `stop` is
    // requested), fade, build, map and draw under the frame and rules locks,
    // then ask for a repaint of what changed.
    void RenderFrame(const std::stop_token& stop = {});

    // A copy of the picture as it stands, in device pixels.
    [[nodiscard]] QImage Snapshot() const;
    // The seed this run's generator was made from.
    [[nodiscard]] std::int32_t Seed() const { return m_seed; }
    // Frames drawn since the view was made.
    [[nodiscard]] std::uint64_t FramesRendered() const { return m_framesRendered.load(std::memory_order_relaxed); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class WorkerHost;
    friend class PlantViewTest;

    void OnSize(int cx, int cy);
    void SizeBufferToView();
    void SetSeen(bool seen);
    void WaitWhileIdle(const std::stop_token& stop);
    void OnPaint(const QRegion& paintArea);
    void PaintEdge(const QRegion& area);
    void MorphWorker(const std::stop_token& stop);
    void RequestRepaint(const std::vector<PixelRect>& area);
    void PaintNow(const std::vector<PixelRect>& area);
    [[nodiscard]] PlantStyle Style() const;

    BackBufferRef m_buffer;
    std::vector<BranchRule> m_rules;
    std::vector<RuleTrack> m_tracks;
    struct Trunk {
        Vec2 start;
        Vec2 end;
    } m_trunk{{0.0, 0.0}, {0.0, 5.0}};
    PixelColor m_trunkColor{0x00FF8000};
    PixelColor m_tipColor{0x00FFFFFF};
    PixelColor m_backColor{0x00000080};
    int m_ruleCount = 4;
    int m_levels = 5;
    std::atomic<std::uint8_t> m_fade{64};
    std::int32_t m_seed;
    MinStdRandom m_random;
    mutable std::mutex m_rulesLock;
    mutable std::mutex m_frameLock;

    // The client size in device pixels, as the last resize gave it; under
    // the frame lock.
    int m_clientWidth = 0;
    int m_clientHeight = 0;
    // The frame's segments, kept so that frames do not allocate; under the
    // frame lock.
    SegmentList m_segments;

    // Whether frames would be seen, and Space's pause: the worker idles
    // unless seen and not paused.
    mutable std::mutex m_idleLock;
    std::condition_variable_any m_idleChanged;
    bool m_seen = false;
    bool m_paused = false;
    QWidget* m_watchedWindow = nullptr;

    std::thread::id m_uiThread;
    RepaintHandshake m_repaint;
    std::atomic<std::uint64_t> m_framesRendered{0};

    std::jthread m_worker;
};
