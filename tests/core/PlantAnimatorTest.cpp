#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <new>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "BufferTestSupport.h"
#include "DrawFrame.h"
#include "PlantAnimator.h"

using namespace std::chrono_literals;

namespace {

constexpr std::int32_t kSeed = 20261209;

// A window as the animator sees it: counts the requests to paint and can be
// told to fail some, lets a test act at the start of a frame, and, while told
// to, shows frames itself, each read once the test says so.
class TestWindow final : public AnimatorWindow {
public:
    bool ShowFromWorker(const BackBuffer& /*picture*/, std::span<const PixelRect> area) noexcept override
    {
        if (!showsFrames) {
            return false;
        }
        const std::scoped_lock lock(m_lock);
        m_shown.emplace_back(area.begin(), area.end());
        m_read = false;
        return true;
    }

    void AwaitShown(const std::stop_token& stop) noexcept override
    {
        std::unique_lock lock(m_lock);
        m_readChanged.wait(lock, stop, [this] { return m_read; });
    }

    void ReadShown()
    {
        const std::scoped_lock lock(m_lock);
        m_read = true;
        m_readChanged.notify_all();
    }

    std::vector<std::vector<PixelRect>> Shown() const
    {
        const std::scoped_lock lock(m_lock);
        return m_shown;
    }

    void PaintRequested() override
    {
        if (failures.load() > 0) {
            --failures;
            throw std::bad_alloc();
        }
        const std::scoped_lock lock(m_lock);
        ++m_requests;
        m_requested.notify_all();
    }

    void FrameStarting(std::chrono::steady_clock::time_point /*start*/) override
    {
        if (onFrameStarting) {
            onFrameStarting(m_frame++);
        }
    }

    int Requests() const
    {
        const std::scoped_lock lock(m_lock);
        return m_requests;
    }

    // Waits until more than `seen` requests came, or the stop.
    void WaitForRequestAfter(int seen, const std::stop_token& stop)
    {
        std::unique_lock lock(m_lock);
        m_requested.wait(lock, stop, [&] { return m_requests > seen; });
    }

    std::atomic<int> failures{0};
    std::atomic<bool> showsFrames{false};
    // Set before the worker starts; runs on the worker's thread.
    std::function<void(int frame)> onFrameStarting;

private:
    mutable std::mutex m_lock;
    std::condition_variable_any m_requested;
    int m_requests = 0;
    int m_frame = 0;
    std::condition_variable_any m_readChanged;
    std::vector<std::vector<PixelRect>> m_shown;
    bool m_read = false;
};

// The window's own thread: takes and paints whatever waits, every `period`.
class PollingPainter {
public:
    PollingPainter(PlantAnimator& animator, std::chrono::milliseconds period)
        : m_thread([&animator, period](const std::stop_token& stop) {
              std::vector<PixelRect> area;
              while (!stop.stop_requested()) {
                  if (animator.TakePaint(area)) {
                      animator.Painted();
                  }
                  std::this_thread::sleep_for(period);
              }
          })
    {
    }

private:
    std::jthread m_thread;
};

// The window's own thread, woken by each request: paints what waits, then
// finds nothing, so that the next frame asks again.
class WokenPainter {
public:
    WokenPainter(PlantAnimator& animator, TestWindow& window)
        : m_thread([&animator, &window](const std::stop_token& stop) {
              std::vector<PixelRect> area;
              for (int seen = 0; !stop.stop_requested();) {
                  window.WaitForRequestAfter(seen, stop);
                  seen = window.Requests();
                  while (animator.TakePaint(area)) {
                      animator.Painted();
                  }
              }
          })
    {
    }

private:
    std::jthread m_thread;
};

bool Eventually(const std::function<bool()>& condition)
{
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

// Destroys the animator, which must stop its worker at once, whatever it
// waits for.
void ExpectDestroyedAtOnce(std::unique_ptr<PlantAnimator>& animator)
{
    const auto start = std::chrono::steady_clock::now();
    animator.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
}

// Waits until the count of frames no longer moves, and gives it.
std::uint64_t WaitUntilStill(const PlantAnimator& animator)
{
    std::uint64_t frames = animator.FramesRendered();
    for (int quiet = 0; quiet < 3;) {
        std::this_thread::sleep_for(50ms);
        const std::uint64_t now = animator.FramesRendered();
        quiet = now == frames ? quiet + 1 : 0;
        frames = now;
    }
    return frames;
}

// Pauses, and waits until a frame under way has finished.
std::uint64_t HoldStill(PlantAnimator& animator)
{
    animator.SetPaused(true);
    return WaitUntilStill(animator);
}

// The animator's picture, row by row, padding left out.
std::vector<std::uint32_t> PictureOf(const PlantAnimator& animator)
{
    std::vector<std::uint32_t> pixels;
    animator.ReadPicture([&pixels](const BackBuffer* buffer) {
        for (int y = 0; buffer != nullptr && buffer->HasPixels() && y < buffer->Height(); ++y) {
            const std::uint32_t* row = buffer->Bits() + static_cast<std::ptrdiff_t>(y) * buffer->Stride();
            pixels.insert(pixels.end(), row, row + buffer->Width());
        }
    });
    return pixels;
}

// What `frames` frames of the seed's motion give, drawn from the background
// with the fade of each frame.
std::vector<std::uint32_t> ExpectedPicture(int width, int height, std::uint64_t frames,
                                           const std::function<std::uint8_t(std::uint64_t)>& fadeOf)
{
    BackBuffer buffer(width, height);
    buffer.FillRect(PlantAnimator::kStyle.backColor, 0, 0, width, height);
    PlantMotion motion(kSeed);
    SegmentList segments;
    for (std::uint64_t frame = 0; frame < frames; ++frame) {
        DrawFrame(buffer, motion.NextFrame(), PlantAnimator::kStyle, fadeOf(frame), segments);
    }
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y) {
        pixels.insert(pixels.end(), &PixelAt(buffer, 0, y), &PixelAt(buffer, 0, y) + width);
    }
    return pixels;
}

std::vector<std::uint32_t> Background(int width, int height)
{
    return std::vector<std::uint32_t>(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                                      BackBuffer::kOpaque | PlantAnimator::kStyle.backColor.value);
}

} // namespace

// The worker draws the seed's motion, frame after frame, into a picture of
// the window's size: exactly what the frame drawing gives.
TEST(PlantAnimator, DrawsTheMotionIntoAPictureOfTheWindowsSize)
{
    TestWindow window;
    PlantAnimator animator(window, kSeed);
    EXPECT_EQ(animator.Seed(), kSeed);
    animator.SetFade(64);
    animator.OnSize(120, 90);
    animator.SetSeen(true);
    animator.StartMorphWorker();
    PollingPainter painter(animator, 2ms);
    ASSERT_TRUE(Eventually([&] { return animator.FramesRendered() >= 8; }));

    const std::uint64_t frames = HoldStill(animator);
    EXPECT_EQ(PictureOf(animator), ExpectedPicture(120, 90, frames, [](std::uint64_t) { return 64; }));
}

// The fade is read once, as a frame begins: a new one set while a frame is
// drawn shows from the next frame on.
TEST(PlantAnimator, FadeSetDuringAFrameTakesEffectFromTheNext)
{
    TestWindow window;
    PlantAnimator animator(window, kSeed);
    window.onFrameStarting = [&animator](int frame) {
        if (frame == 3) {
            animator.SetFade(255);
        }
    };
    animator.SetFade(0);
    animator.OnSize(100, 80);
    animator.SetSeen(true);
    animator.StartMorphWorker();
    PollingPainter painter(animator, 2ms);
    ASSERT_TRUE(Eventually([&] { return animator.FramesRendered() >= 6; }));

    const std::uint64_t frames = HoldStill(animator);
    EXPECT_EQ(animator.Fade(), 255);
    EXPECT_EQ(PictureOf(animator),
              ExpectedPicture(100, 80, frames, [](std::uint64_t frame) { return frame <= 3 ? 0 : 255; }));
}

// Every resize, to the same size or another, paused or not, starts the
// picture afresh from the background.
TEST(PlantAnimator, EveryResizeStartsAgainFromTheBackground)
{
    TestWindow window;
    PlantAnimator animator(window, kSeed);
    animator.SetFade(0); // trails that never fade
    animator.OnSize(64, 48);
    animator.SetSeen(true);
    animator.StartMorphWorker();
    PollingPainter painter(animator, 2ms);
    ASSERT_TRUE(Eventually([&] { return animator.FramesRendered() >= 5; }));
    HoldStill(animator);
    ASSERT_NE(PictureOf(animator), Background(64, 48));

    animator.OnSize(64, 48);
    EXPECT_TRUE(Eventually([&] { return PictureOf(animator) == Background(64, 48); }));
    animator.OnSize(30, 20);
    EXPECT_TRUE(Eventually([&] { return PictureOf(animator) == Background(30, 20); }));

    // Far more than memory holds: no picture, until the next resize.
    animator.OnSize(100000, 100000);
    EXPECT_TRUE(Eventually([&] { return PictureOf(animator).empty(); }));
    animator.OnSize(50, 30);
    EXPECT_TRUE(Eventually([&] { return PictureOf(animator) == Background(50, 30); }));
}

// No frames while the window cannot be seen or is paused; they start again
// when it can be seen and is not paused.
TEST(PlantAnimator, FramesOnlyWhileSeenAndNotPaused)
{
    TestWindow window;
    PlantAnimator animator(window, kSeed);
    animator.OnSize(40, 30);
    animator.StartMorphWorker();
    PollingPainter painter(animator, 2ms);
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(animator.FramesRendered(), 0U) << "never seen";

    animator.SetSeen(true);
    ASSERT_TRUE(Eventually([&] { return animator.FramesRendered() >= 3; }));
    animator.SetSeen(false);
    std::uint64_t frames = WaitUntilStill(animator);
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(animator.FramesRendered(), frames) << "unseen";

    animator.SetSeen(true);
    ASSERT_TRUE(Eventually([&] { return animator.FramesRendered() > frames; }));
    frames = HoldStill(animator);
    EXPECT_TRUE(animator.IsPaused());
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(animator.FramesRendered(), frames) << "paused";
    animator.SetPaused(false);
    EXPECT_TRUE(Eventually([&] { return animator.FramesRendered() > frames; }));
}

// A frame waits until the previous one has been painted; a stop ends that
// wait at once.
TEST(PlantAnimator, FramesWaitForThePaintAndAStopEndsTheWait)
{
    TestWindow window;
    auto animator = std::make_unique<PlantAnimator>(window, kSeed);
    animator->OnSize(40, 30);
    animator->SetSeen(true);
    animator->StartMorphWorker();
    ASSERT_TRUE(Eventually([&] { return window.Requests() >= 1; }));
    std::this_thread::sleep_for(200ms);
    // The new picture's paint is not answered: no frame is drawn over it.
    EXPECT_EQ(animator->FramesRendered(), 0U);

    std::vector<PixelRect> area;
    ASSERT_TRUE(animator->TakePaint(area));
    EXPECT_EQ(area, (std::vector<PixelRect>{{0, 0, 40, 16}, {0, 16, 40, 30}}));
    animator->Painted();
    ASSERT_TRUE(Eventually([&] { return animator->FramesRendered() >= 1; }));
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(animator->FramesRendered(), 1U) << "the first frame's paint is not answered either";

    ExpectDestroyedAtOnce(animator);
}

// A window that shows frames from the worker's thread is never asked to
// paint them; the worker draws over a shown frame only once it has been read,
// and a stop ends that wait at once.
TEST(PlantAnimator, AFrameTheWindowShowedItselfIsReadBeforeTheNext)
{
    TestWindow window;
    window.showsFrames = true;
    auto animator = std::make_unique<PlantAnimator>(window, kSeed);
    animator->OnSize(40, 30);
    animator->SetSeen(true);
    animator->StartMorphWorker();
    ASSERT_TRUE(Eventually([&] { return !window.Shown().empty(); }));
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(animator->FramesRendered(), 0U) << "the new picture is not read yet";
    EXPECT_EQ(window.Shown(), (std::vector<std::vector<PixelRect>>{{{0, 0, 40, 16}, {0, 16, 40, 30}}}));

    window.ReadShown();
    ASSERT_TRUE(Eventually([&] { return window.Shown().size() >= 2; }));
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(animator->FramesRendered(), 1U) << "the first frame is not read either";
    EXPECT_EQ(window.Shown().size(), 2U);
    EXPECT_EQ(window.Requests(), 0);

    ExpectDestroyedAtOnce(animator);
}

// Once the window no longer shows frames itself, they are handed over again.
TEST(PlantAnimator, FramesTheWindowNoLongerShowsAreHandedOver)
{
    TestWindow window;
    window.showsFrames = true;
    PlantAnimator animator(window, kSeed);
    animator.OnSize(40, 30);
    animator.SetSeen(true);
    animator.StartMorphWorker();
    ASSERT_TRUE(Eventually([&] { return !window.Shown().empty(); }));
    window.showsFrames = false;
    window.ReadShown();
    ASSERT_TRUE(Eventually([&] { return window.Requests() >= 1; }));
    std::vector<PixelRect> area;
    ASSERT_TRUE(animator.TakePaint(area));
    EXPECT_FALSE(area.empty());
    EXPECT_EQ(window.Shown().size(), 1U);
}

// While the window collects frames on its own clock, nothing wakes it; once
// it finds nothing and stops collecting, the next frame asks again.
TEST(PlantAnimator, AWindowCollectingFramesIsNotAskedForEachOne)
{
    TestWindow window;
    PlantAnimator animator(window, kSeed);
    animator.OnSize(40, 30);
    animator.SetSeen(true);
    animator.StartMorphWorker();
    {
        PollingPainter painter(animator, 20ms);
        ASSERT_TRUE(Eventually([&] { return animator.FramesRendered() >= 50; }));
    }
    EXPECT_LE(window.Requests(), 10) << "frames " << animator.FramesRendered();

    // The painter is gone, and took the last frame: the one after it asks.
    std::vector<PixelRect> area;
    while (animator.TakePaint(area)) {
        animator.Painted();
    }
    const int before = window.Requests();
    EXPECT_TRUE(Eventually([&] { return window.Requests() > before; }));
}

// A frame that fails is said once on standard error, and the frames go on:
// the area whose paint could not be asked for is painted with a later one.
TEST(PlantAnimator, FailingFramesAreReportedOnceAndTheAnimationGoesOn)
{
    TestWindow window;
    PlantAnimator animator(window, kSeed);
    animator.OnSize(40, 30);
    animator.SetSeen(true);
    testing::internal::CaptureStderr();
    {
        WokenPainter painter(animator, window);
        window.failures = 3;
        animator.StartMorphWorker();
        ASSERT_TRUE(Eventually([&] { return animator.FramesRendered() >= 20; }));
        animator.StopMorphWorker();
    }
    const std::string reported = testing::internal::GetCapturedStderr();
    EXPECT_EQ(window.failures.load(), 0);
    EXPECT_EQ(std::count(reported.begin(), reported.end(), '\n'), 1) << reported;
    EXPECT_NE(reported.find("bad_alloc"), std::string::npos) << reported;
}

// The window resizes to every awkward size while the worker draws, then the
// animator is destroyed in the middle of a frame or a wait: no crash, no
// hang, no data race (the suite also runs under the thread and address
// sanitizers).
TEST(PlantAnimator, ResizingWhileAnimatingThenDestroying)
{
    const std::vector<std::pair<int, int>> awkward{{0, 0},     {1, 1},   {3000, 1}, {1, 3000},
                                                   {469, 340}, {2, 700}, {640, 3}};
    for (int run = 0; run < 10; ++run) {
        TestWindow window;
        auto animator = std::make_unique<PlantAnimator>(window, kSeed + run);
        animator->OnSize(200, 150);
        animator->SetSeen(true);
        animator->StartMorphWorker();
        auto painter = std::make_unique<PollingPainter>(*animator, 1ms);
        for (int i = 0; i < 50; ++i) {
            const auto [width, height] = i < static_cast<int>(awkward.size())
                                             ? awkward[static_cast<std::size_t>(i)]
                                             : std::pair{1 + (i * 37 + run * 11) % 600, 1 + (i * 53 + run * 7) % 500};
            animator->OnSize(width, height);
            animator->SetFade(static_cast<std::uint8_t>(i * 5));
            std::this_thread::sleep_for(3ms);
        }
        ASSERT_TRUE(Eventually([&] { return animator->FramesRendered() >= 20; }));
        painter.reset();
        animator.reset(); // stops and joins the worker inside a frame or a wait
    }
}
