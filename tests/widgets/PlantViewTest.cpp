#include <QtTest>

#include "render/PlantView.h"

namespace {

constexpr QRgb kBack = 0xFF000080;
constexpr QRgb kTrunk = 0xFFFF8000;
constexpr QRgb kFirstLevel = 0xFFFF9933;

// Resizes so that the area inside the edge, the buffer, is width x height.
void ResizeInside(PlantView& view, int width, int height)
{
    const int edge = view.frameWidth();
    view.resize(width + 2 * edge, height + 2 * edge);
}

// Shows the view at that inside size and waits until it is on screen.
bool ShowInside(PlantView& view, int width, int height)
{
    ResizeInside(view, width, height);
    view.show();
    return QTest::qWaitForWindowExposed(&view);
}

int Count(const QImage& image, QRgb color)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixel(x, y) == color ? 1 : 0;
        }
    }
    return count;
}

} // namespace

class PlantViewTest : public QObject {
    Q_OBJECT

    static void SetRules(PlantView& view, std::vector<BranchRule> rules)
    {
        const std::scoped_lock lock(view.m_rulesLock);
        view.m_rules = std::move(rules);
    }

private slots:
    void NewViewHasTheDefaults()
    {
        PlantView view;
        QCOMPARE(view.m_ruleCount, 4);
        QCOMPARE(view.m_levels, 5);
        QCOMPARE(view.m_trunkColor.value, 0x00FF8000U);
        QCOMPARE(view.m_tipColor.value, 0x00FFFFFFU);
        QCOMPARE(view.m_backColor.value, 0x00000080U);
        QCOMPARE(view.m_fade.load(), std::uint8_t{64});
        QVERIFY(view.m_rules.empty());
        QVERIFY(view.m_tracks.empty());
        QVERIFY(!view.m_buffer);
    }

    void ResizeGivesAFreshBackgroundOfTheInsideSize()
    {
        PlantView view;
        QVERIFY(ShowInside(view, 320, 200));
        const QImage picture = view.Snapshot();
        QCOMPARE(picture.size(), QSize(320, 200));
        QCOMPARE(Count(picture, kBack), 320 * 200);
    }

    void FrameDrawsTheTrunkUpColumn200()
    {
        PlantView view;
        QVERIFY(ShowInside(view, 400, 300));
        // Both children leave the trunk's end sideways.
        SetRules(view, {{0.0, 0.5}, {0.0, -0.5}});
        view.RenderFrame();
        const QImage picture = view.Snapshot();
        for (int y = 201; y < 300; ++y) {
            QCOMPARE(picture.pixel(200, y), kTrunk);
        }
        QCOMPARE(picture.pixel(200, 200), kFirstLevel);
        QCOMPARE(picture.pixel(200, 199), kBack);
        QCOMPARE(Count(picture, kTrunk), 99);
    }

    void TallViewKeepsThePlantClearOfTheBottom()
    {
        PlantView view;
        QVERIFY(ShowInside(view, 100, 400));
        view.RenderFrame();
        const QImage picture = view.Snapshot();
        QCOMPARE(picture.pixel(50, 275), kTrunk);
        QCOMPARE(picture.pixel(50, 226), kTrunk);
        QCOMPARE(picture.pixel(50, 225), kBack);
        QCOMPARE(picture.pixel(50, 276), kBack);
    }

    void FadeByteDecidesWhatRemainsOfEarlierFrames()
    {
        for (const auto& [fade, kept] : {std::pair{std::uint8_t{255}, false}, {std::uint8_t{0}, true}}) {
            PlantView view;
            QVERIFY(ShowInside(view, 400, 300));
            view.SetFade(fade);
            SetRules(view, {{0.0, 0.5}});
            view.RenderFrame();
            SetRules(view, {{0.0, -0.5}});
            view.RenderFrame();
            const QImage picture = view.Snapshot();
            QCOMPARE(picture.pixel(170, 200) != kBack, kept);
            QCOMPARE(picture.pixel(230, 200), kFirstLevel);
        }
    }

    void PaintShowsTheBufferInsideTheEdge()
    {
        PlantView view;
        QVERIFY(ShowInside(view, 120, 90));
        view.RenderFrame();
        const QImage shown = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int edge = view.frameWidth();
        QCOMPARE(shown.copy(edge, edge, 120, 90), view.Snapshot());
    }

    void UnseenViewRendersNoFramesUntilSeenAgain()
    {
        PlantView view;
        QVERIFY(ShowInside(view, 120, 90));
        view.StartMorphWorker();
        QTRY_VERIFY_WITH_TIMEOUT(view.FramesRendered() >= 3, 10000);

        view.hide();
        QTest::qWait(100); // a frame under way may still finish
        const std::uint64_t hidden = view.FramesRendered();
        QTest::qWait(300);
        QCOMPARE(view.FramesRendered(), hidden);

        view.show();
        QTRY_VERIFY_WITH_TIMEOUT(view.FramesRendered() > hidden, 10000);

        view.SetPaused(true);
        QTest::qWait(100);
        const std::uint64_t paused = view.FramesRendered();
        const QImage still = view.Snapshot();
        QTest::qWait(300);
        QCOMPARE(view.FramesRendered(), paused);
        QCOMPARE(view.Snapshot(), still);
        view.SetPaused(false);
        QTRY_VERIFY_WITH_TIMEOUT(view.FramesRendered() > paused, 10000);
    }

    void BufferWithoutMemoryShowsTheBackgroundAndRecovers()
    {
        PlantView view;
        QVERIFY(ShowInside(view, 60, 40));
        view.OnSize(100000, 100000); // far more than can be had
        view.RenderFrame();
        QVERIFY(view.Snapshot().isNull());
        const QImage shown = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int edge = view.frameWidth();
        QCOMPARE(Count(shown.copy(edge, edge, 60, 40), kBack), 60 * 40);

        ResizeInside(view, 50, 30);
        view.RenderFrame();
        QCOMPARE(view.Snapshot().size(), QSize(50, 30));
        QCOMPARE(view.Snapshot().pixel(25, 29), kTrunk);
    }

    void FrameWithoutPixelsIsSkipped()
    {
        PlantView view;
        QVERIFY(ShowInside(view, 0, 0));
        view.RenderFrame();
        QVERIFY(view.Snapshot().isNull());
        ResizeInside(view, 30, 40);
        view.RenderFrame();
        QCOMPARE(view.Snapshot().size(), QSize(30, 40));
    }
};

QTEST_MAIN(PlantViewTest)
#include "PlantViewTest.moc"
