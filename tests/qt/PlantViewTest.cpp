#include <QtTest>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <memory>

#include "PlantView.h"

namespace {

constexpr std::int32_t kSeed = 20261209;
constexpr QRgb kSentinel = 0xFF123456;

// Shows the view so that the area inside its edge is width x height, and
// waits until it is on screen.
bool ShowInside(PlantView& view, int width, int height)
{
    const int edge = view.frameWidth();
    view.resize(width + 2 * edge, height + 2 * edge);
    view.show();
    return QTest::qWaitForWindowExposed(&view);
}

// Lets the plant grow a few frames, then holds it still.
bool GrowAndHold(PlantView& view)
{
    PlantAnimator& animator = view.Animator();
    animator.StartMorphWorker();
    if (!QTest::qWaitFor([&] { return animator.FramesRendered() >= 5; }, 10000)) {
        return false;
    }
    animator.SetPaused(true);
    QTest::qWait(100); // a frame under way may still finish
    return true;
}

// A view made while the process has no file descriptor left.
std::unique_ptr<PlantView> ViewWithoutDescriptors()
{
    const int lowestFree = open("/dev/null", O_RDONLY | O_CLOEXEC);
    close(lowestFree);
    rlimit saved{};
    getrlimit(RLIMIT_NOFILE, &saved);
    rlimit none = saved;
    none.rlim_cur = static_cast<rlim_t>(lowestFree);
    setrlimit(RLIMIT_NOFILE, &none);
    auto view = std::make_unique<PlantView>(kSeed);
    setrlimit(RLIMIT_NOFILE, &saved);
    return view;
}

} // namespace

class PlantViewTest : public QObject {
    Q_OBJECT

private slots:
    void PictureHasTheSizeInsideTheEdge()
    {
        PlantView view(kSeed);
        QVERIFY(ShowInside(view, 320, 200));
        view.Animator().StartMorphWorker();
        QTRY_COMPARE(view.Snapshot().size(), QSize(320, 200));
        view.resize(150, 250);
        const int edge = view.frameWidth();
        QTRY_COMPARE(view.Snapshot().size(), QSize(150 - 2 * edge, 250 - 2 * edge));
    }

    void PaintShowsThePictureInsideTheEdge()
    {
        PlantView view(kSeed);
        QVERIFY(ShowInside(view, 120, 90));
        QVERIFY(GrowAndHold(view));
        const QImage shown = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int edge = view.frameWidth();
        QCOMPARE(shown.copy(edge, edge, 120, 90), view.Snapshot());
    }

    // A paint of part of the view copies exactly that part of the picture to
    // the same place, and nothing else.
    void PartialPaintCopiesExactlyItsPixels()
    {
        PlantView view(kSeed);
        QVERIFY(ShowInside(view, 200, 150));
        QVERIFY(GrowAndHold(view));
        const QImage picture = view.Snapshot();
        const int edge = view.frameWidth();
        const QRect area(10, 20, 100, 50); // (10, 20) to (110, 70) in the picture
        QImage shown(view.size(), QImage::Format_RGB32);
        shown.fill(kSentinel);
        const QRect inWidget = area.translated(edge, edge);
        view.render(&shown, inWidget.topLeft(), QRegion(inWidget), QWidget::RenderFlags());
        for (int y = 0; y < 150; ++y) {
            for (int x = 0; x < 200; ++x) {
                const QRgb expected = area.contains(x, y) ? picture.pixel(x, y) : kSentinel;
                QCOMPARE(shown.pixel(x + edge, y + edge), expected);
            }
        }
    }

    // Without a way to wake its thread the view still paints every frame:
    // it looks for them on its own clock.
    void ViewThatCannotBeWokenStillShowsTheFrames()
    {
        const std::unique_ptr<PlantView> view = ViewWithoutDescriptors();
        QVERIFY(ShowInside(*view, 120, 90));
        QVERIFY(GrowAndHold(*view));
        QVERIFY(view->Animator().FramesRendered() >= 5);
        const QImage shown = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int edge = view->frameWidth();
        QCOMPARE(shown.copy(edge, edge, 120, 90), view->Snapshot());
    }

    // A hidden view costs no frames until it is shown again.
    void HiddenViewLetsThePlantRest()
    {
        PlantView view(kSeed);
        QVERIFY(ShowInside(view, 120, 90));
        PlantAnimator& animator = view.Animator();
        animator.StartMorphWorker();
        QTRY_VERIFY_WITH_TIMEOUT(animator.FramesRendered() >= 3, 10000);

        view.hide();
        QTest::qWait(100); // a frame under way may still finish
        const std::uint64_t hidden = animator.FramesRendered();
        QTest::qWait(300);
        QCOMPARE(animator.FramesRendered(), hidden);

        view.show();
        QTRY_VERIFY_WITH_TIMEOUT(animator.FramesRendered() > hidden, 10000);
    }
};

QTEST_MAIN(PlantViewTest)
#include "PlantViewTest.moc"
