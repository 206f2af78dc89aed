#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>
#include <vector>

#include "AnimatorWindow.h"
#include "BackBuffer.h"
#include "PixelRect.h"
#include "PlantMotion.h"
#include "PlantStyle.h"
#include "Segment.h"

// The plant in motion for one window: the back buffer, the morph worker that
// moves the plant and draws a frame into the buffer every 20 ms, and the
// hand-over of each frame's changed area to the window, which paints it on
// its own thread and says when it has, or which shows it from the worker's
// thread itself.
//
// The window sets the inputs (size, fade, seen, paused) from its own thread;
// the worker reads them once per frame. The worker runs only while the window
// is seen and not paused, and draws a frame only once the previous one has
// been painted (or read off the picture, by a window that shows it itself),
// so an unseen, paused or slow window costs no frames. A new size takes
// effect at once, even while paused: a fresh picture of the background.
//
// Two threads: the window's thread (every public call) and the worker.
//
// | Field                | Lock          | Threads                                                 |
// |----------------------|---------------|---------------------------------------------------------|
// | m_inputs             | m_lock        | window: writes; worker: copies once per frame            |
// | m_paint              | m_lock        | worker: adds each frame's area; window: takes, answers   |
// | m_framesRendered     | m_lock        | worker: counts; window: reads                            |
// | m_version            | m_lock        | both: bumped on every change the worker may wait for     |
// | m_awaitingPaint      | m_lock        | worker: set while held up by an unpainted frame          |
// | m_buffer, its pixels | m_frameLock   | worker: replaces, draws; window: reads (ReadPicture)     |
// | m_motion, m_segments | none          | worker only (the seed never changes)                     |
// | m_changedArea        | none          | worker only                                              |
// | m_awaitingShown      | none          | worker only                                              |
// | m_worker             | none          | window: starts and stops                                 |
//
// The worker waits on m_changed (under m_lock) for a change, its next
// deadline or a stop; the window's calls wake it only when they change what
// it waits for. No one ever holds both locks, so they cannot deadlock.
class PlantAnimator {
public:
    using Clock = std::chrono::steady_clock;

    static constexpr PlantStyle kStyle{};

    // `window` must outlive the worker; `tracking` can switch off the
    // skipping of settled tiles, for measuring; `allocate` makes the memory
    // of every picture (on the worker thread), the heap's by default.
    PlantAnimator(AnimatorWindow& window, std::int32_t seed, BackBuffer::Tracking tracking = BackBuffer::Tracking::On,
                  PixelAllocator allocate = HeapPixels);
    // Stops the worker and waits for it.
    ~PlantAnimator();
    PlantAnimator(const PlantAnimator&) = delete;
    PlantAnimator& operator=(const PlantAnimator&) = delete;

    // The picture's size in pixels: a new picture of the background, even
    // at the same size, as every resize restarts the trails.
    void OnSize(int width, int height);
    // The background's weight in each frame's fade, from the next frame on.
    void SetFade(std::uint8_t fade);
    // Whether frames would be seen at all: hidden or minimised they are not.
    void SetSeen(bool seen);
    // While paused no frame is drawn and the picture stays.
    void SetPaused(bool paused);
    [[nodiscard]] std::uint8_t Fade() const;
    [[nodiscard]] bool IsPaused() const;

    // Starts the worker (once); StopMorphWorker asks it to stop, ending any
    // wait at once, and joins it.
    void StartMorphWorker();
    void StopMorphWorker();

    // The window's side of the hand-over. TakePaint moves the area drawn
    // since the last take into `area` and gives the time of the latest
    // request, or nothing when nothing waits. While takes find something the
    // worker does not call PaintRequested: the window is expected to come
    // back on a clock of its own, and a take that finds nothing stops that.
    // Painted says that what was taken has been painted; the worker draws the
    // next frame only after it.
    [[nodiscard]] std::optional<Clock::time_point> TakePaint(std::vector<PixelRect>& area);
    void Painted();

    // Calls `read` with the picture (null when there is none yet) under the
    // frame lock.
    template <class Read> void ReadPicture(Read&& read) const
    {
        const std::scoped_lock lock(m_frameLock);
        read(static_cast<const BackBuffer*>(m_buffer.get()));
    }
    // Whether `picture`, as ReadPicture hands it over, is one of `width` by
    // `height` with pixels. Until it is, a window shows what the picture of
    // its size starts as: the background.
    [[nodiscard]] static bool IsPictureOf(const BackBuffer* picture, int width, int height)
    {
        return picture != nullptr && picture->HasPixels() && picture->Width() == width && picture->Height() == height;
    }

    // The seed this plant grows from.
    [[nodiscard]] std::int32_t Seed() const { return m_motion.Seed(); }
    [[nodiscard]] std::uint64_t FramesRendered() const;

private:
    enum class Work { Stop, Resize, Frame };

    struct Inputs {
        int width = 0;
        int height = 0;
        std::uint64_t sizeGeneration = 0; // one more with every OnSize
        std::uint8_t fade = 255;          // until the window sets its slider's fade, as it does before a frame
        bool seen = false;
        bool paused = false;
    };

    struct PaintHandOver {
        std::vector<PixelRect> pending;
        std::uint64_t requested = 0; // areas handed over
        std::uint64_t taken = 0;     // of those, taken by the window
        std::uint64_t painted = 0;   // of those, painted
        Clock::time_point lastRequest;
        bool windowCollecting = false;
    };

    void MorphWorker(const std::stop_token& stop);
    Work WaitForWork(std::unique_lock<std::mutex>& lock, const std::stop_token& stop, std::uint64_t appliedSize,
                     Clock::time_point due);
    void ReplaceBuffer(int width, int height);
    void RenderFrame(std::uint8_t fade);
    // Hands the worker's changed area to the window and counts a frame.
    void HandOver(bool frame);
    // Under m_lock: something the worker may be waiting for changed.
    void Changed();

    AnimatorWindow& m_window;
    const BackBuffer::Tracking m_tracking;
    const PixelAllocator m_allocate;

    mutable std::mutex m_lock;
    std::condition_variable_any m_changed;
    Inputs m_inputs;
    PaintHandOver m_paint;
    std::uint64_t m_framesRendered = 0;
    std::uint64_t m_version = 0;
    bool m_awaitingPaint = false;

    mutable std::mutex m_frameLock;
    std::unique_ptr<BackBuffer> m_buffer;

    PlantMotion m_motion;
    SegmentList m_segments;
    std::vector<PixelRect> m_changedArea;
    // The window showed the last area itself and may still be reading it.
    bool m_awaitingShown = false;

    // Last, so that it is gone before anything it uses.
    std::jthread m_worker;
};
