#include "PlantAnimator.h"

#include <exception>
#include <iostream>
#include <string>
#include <utility>

#include "DrawFrame.h"
#include "FramePacer.h"

PlantAnimator::PlantAnimator(AnimatorWindow& window, std::int32_t seed, BackBuffer::Tracking tracking,
                             PixelAllocator allocate)
    : m_window(window), m_tracking(tracking), m_allocate(std::move(allocate)), m_motion(seed)
{
}

PlantAnimator::~PlantAnimator()
{
    StopMorphWorker();
}

void PlantAnimator::Changed()
{
    ++m_version;
    m_changed.notify_all();
}

void PlantAnimator::OnSize(int width, int height)
{
    const std::scoped_lock lock(m_lock);
    m_inputs.width = width;
    m_inputs.height = height;
    ++m_inputs.sizeGeneration;
    Changed();
}

void PlantAnimator::SetFade(std::uint8_t fade)
{
    const std::scoped_lock lock(m_lock);
    m_inputs.fade = fade;
}

void PlantAnimator::SetSeen(bool seen)
{
    const std::scoped_lock lock(m_lock);
    if (m_inputs.seen != seen) {
        m_inputs.seen = seen;
        Changed();
    }
}

void PlantAnimator::SetPaused(bool paused)
{
    const std::scoped_lock lock(m_lock);
    if (m_inputs.paused != paused) {
        m_inputs.paused = paused;
        Changed();
    }
}

std::uint8_t PlantAnimator::Fade() const
{
    const std::scoped_lock lock(m_lock);
    return m_inputs.fade;
}

bool PlantAnimator::IsPaused() const
{
    const std::scoped_lock lock(m_lock);
    return m_inputs.paused;
}

std::uint64_t PlantAnimator::FramesRendered() const
{
    const std::scoped_lock lock(m_lock);
    return m_framesRendered;
}

void PlantAnimator::StartMorphWorker()
{
    if (!m_worker.joinable()) {
        m_worker = std::jthread([this](const std::stop_token& stop) { MorphWorker(stop); });
    }
}

void PlantAnimator::StopMorphWorker()
{
    if (m_worker.joinable()) {
        m_worker.request_stop();
        m_worker.join();
    }
}

std::optional<PlantAnimator::Clock::time_point> PlantAnimator::TakePaint(std::vector<PixelRect>& area)
{
    area.clear();
    const std::scoped_lock lock(m_lock);
    if (m_paint.taken == m_paint.requested) {
        m_paint.windowCollecting = false;
        return std::nullopt;
    }
    // Swapped, so both vectors keep their memory from frame to frame.
    area.swap(m_paint.pending);
    m_paint.taken = m_paint.requested;
    m_paint.windowCollecting = true;
    return m_paint.lastRequest;
}

void PlantAnimator::Painted()
{
    const std::scoped_lock lock(m_lock);
    m_paint.painted = m_paint.taken;
    // Only a worker held up by this paint is woken: one woken every frame
    // would cost more than the frame itself on some machines.
    if (m_awaitingPaint) {
        Changed();
    }
}

void PlantAnimator::MorphWorker(const std::stop_token& stop)
{
    FramePacer pacer(Clock::now());
    Clock::time_point due = Clock::now();
    std::uint64_t appliedSize = 0;
    std::string lastFailure;
    while (true) {
        Work work = Work::Stop;
        Inputs inputs;
        {
            std::unique_lock lock(m_lock);
            work = WaitForWork(lock, stop, appliedSize, due);
            inputs = m_inputs;
        }
        if (work == Work::Stop) {
            return;
        }
        // The window may still be reading what it showed of the picture.
        if (m_awaitingShown) {
            m_window.AwaitShown(stop);
            m_awaitingShown = false;
            if (stop.stop_requested()) {
                return;
            }
        }
        // A frame that fails (out of memory, say) must not end the animation
        // silently: say so once, on one line, and go on.
        try {
            if (work == Work::Resize) {
                appliedSize = inputs.sizeGeneration;
                ReplaceBuffer(inputs.width, inputs.height);
            } else {
                RenderFrame(inputs.fade);
            }
        } catch (const std::exception& failure) {
            if (lastFailure != failure.what()) {
                lastFailure = failure.what();
                std::cerr << "quillbrook: a frame failed and was skipped: " << lastFailure << '\n';
            }
        }
        if (work == Work::Frame) {
            due = pacer.NextDeadline(Clock::now());
        }
    }
}

PlantAnimator::Work PlantAnimator::WaitForWork(std::unique_lock<std::mutex>& lock, const std::stop_token& stop,
                                               std::uint64_t appliedSize, Clock::time_point due)
{
    while (true) {
        if (stop.stop_requested()) {
            return Work::Stop;
        }
        if (m_inputs.sizeGeneration != appliedSize) {
            return Work::Resize;
        }
        const auto changed = [this, version = m_version] { return m_version != version; };
        if (!m_inputs.seen || m_inputs.paused) {
            m_changed.wait(lock, stop, changed);
        } else if (Clock::now() < due) {
            // The paint of the previous frame is not waited for here: it
            // usually comes meanwhile, and must not wake the worker early.
            m_changed.wait_until(lock, stop, due, changed);
        } else if (m_paint.painted < m_paint.requested) {
            m_awaitingPaint = true;
            m_changed.wait(lock, stop, changed);
            m_awaitingPaint = false;
        } else {
            return Work::Frame;
        }
    }
}

void PlantAnimator::ReplaceBuffer(int width, int height)
{
    // Made and filled outside the lock: the window may go on painting the
    // old picture meanwhile.
    auto buffer = std::make_unique<BackBuffer>(width, height, m_tracking, m_allocate);
    buffer->FillRect(kStyle.backColor, 0, 0, width, height);
    m_changedArea = buffer->TakeChangedArea();
    {
        const std::scoped_lock lock(m_frameLock);
        m_buffer.swap(buffer);
    }
    HandOver(false);
}

void PlantAnimator::RenderFrame(std::uint8_t fade)
{
    m_window.FrameStarting(Clock::now());
    const std::span<const BranchRule> rules = m_motion.NextFrame();
    {
        const std::scoped_lock lock(m_frameLock);
        m_changedArea.clear();
        if (m_buffer) {
            DrawFrame(*m_buffer, rules, kStyle, fade, m_segments);
            m_changedArea = m_buffer->TakeChangedArea();
        }
    }
    HandOver(true);
}

void PlantAnimator::HandOver(bool frame)
{
    // Only this thread replaces the picture: it may read it without the lock.
    m_awaitingShown = !m_changedArea.empty() && m_buffer && m_window.ShowFromWorker(*m_buffer, m_changedArea);
    bool wake = false;
    {
        const std::scoped_lock lock(m_lock);
        m_framesRendered += frame ? 1 : 0;
        if (m_awaitingShown || m_changedArea.empty()) {
            return; // shown by the window itself, or nothing to show
        }
        m_paint.pending.insert(m_paint.pending.end(), m_changedArea.begin(), m_changedArea.end());
        ++m_paint.requested;
        m_paint.lastRequest = Clock::now();
        wake = !m_paint.windowCollecting;
    }
    if (!wake) {
        return;
    }
    try {
        m_window.PaintRequested();
    } catch (...) {
        // The window never heard of this area: do not wait for its paint.
        // It stays pending, and the next request takes it along.
        const std::scoped_lock lock(m_lock);
        m_paint.painted = m_paint.requested;
        throw;
    }
}
