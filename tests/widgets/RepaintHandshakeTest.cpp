#include <QtTest>

#include <chrono>
#include <numeric>
#include <thread>

#include "render/RepaintHandshake.h"

namespace {

using namespace std::chrono_literals;
constexpr auto kPeriod = 20ms;

// What the user-interface thread was asked to paint, in order, and how many
// of those paints came from the handshake's own clock.
struct Painted {
    std::vector<int> frames;
    int collected = 0;
};

// A worker like the view's: waits for the previous paint, asks for the next
// frame (one rectangle whose left edge numbers it), keeps to the period.
std::jthread Stream(RepaintHandshake& handshake, int first, int count, std::chrono::milliseconds gapAfterHalf = {})
{
    return std::jthread([&handshake, first, count, gapAfterHalf](const std::stop_token& stop) {
        auto due = std::chrono::steady_clock::now();
        for (int frame = first; frame < first + count && !stop.stop_requested(); ++frame) {
            handshake.WaitUntilPainted(stop);
            handshake.Request({PixelRect{frame, 0, frame + 1, 1}});
            due += kPeriod + (frame == first + count / 2 ? gapAfterHalf : 0ms);
            std::this_thread::sleep_until(due);
        }
    });
}

} // namespace

class RepaintHandshakeTest : public QObject {
    Q_OBJECT

    static RepaintHandshake::Painter Recorder(Painted& painted, RepaintHandshake*& handshake)
    {
        return [&painted, &handshake](const std::vector<PixelRect>& area) {
            for (const PixelRect& r : area) {
                painted.frames.push_back(r.left);
            }
            painted.collected += handshake->IsCollecting() ? 1 : 0;
        };
    }

    static std::vector<int> Numbers(int first, int count)
    {
        std::vector<int> numbers(static_cast<std::size_t>(count));
        std::iota(numbers.begin(), numbers.end(), first);
        return numbers;
    }

private slots:
    // Every frame is painted once and in order, most of them collected on
    // the clock; a pause in the stream lets the clock lapse and the next
    // request wakes the user-interface thread again.
    void StreamIsPaintedInOrderAcrossAPause()
    {
        Painted painted;
        RepaintHandshake* self = nullptr;
        RepaintHandshake handshake(Recorder(painted, self), kPeriod);
        self = &handshake;

        auto worker = Stream(handshake, 0, 40, 100ms);
        QTRY_VERIFY_WITH_TIMEOUT(painted.frames.size() == 40, 20000);
        worker.join();
        QCOMPARE(painted.frames, Numbers(0, 40));
        QVERIFY2(painted.collected >= 20, qPrintable(QString::number(painted.collected)));

        // With nothing more to paint the clock lapses within a period or two,
        // and a later stream starts by waking the thread.
        QTRY_VERIFY_WITH_TIMEOUT(!handshake.IsCollecting(), 2000);
        auto later = Stream(handshake, 40, 3);
        QTRY_VERIFY_WITH_TIMEOUT(painted.frames.size() == 43, 20000);
        later.join();
        QCOMPARE(painted.frames, Numbers(0, 43));
    }

    // A worker asked to stop does not wait for a paint that will not come.
    void WaitEndsOnStop()
    {
        RepaintHandshake handshake([](const std::vector<PixelRect>&) {}, kPeriod);
        handshake.Request({PixelRect{0, 0, 1, 1}});
        std::stop_source stop;
        std::jthread stopper([&stop] {
            std::this_thread::sleep_for(50ms);
            stop.request_stop();
        });
        handshake.WaitUntilPainted(stop.get_token()); // no event loop runs: only the stop ends it
        QVERIFY(stop.stop_requested());
    }
};

QTEST_MAIN(RepaintHandshakeTest)
#include "RepaintHandshakeTest.moc"
