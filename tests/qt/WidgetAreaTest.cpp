#include <QtTest>

#include <vector>

#include "WidgetArea.h"

Q_DECLARE_METATYPE(PixelRect)

class WidgetAreaTest : public QObject {
    Q_OBJECT

private slots:
    void ExposedAreaBecomesThePicturePixelsBehindIt_data()
    {
        QTest::addColumn<QRect>("exposed");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<PixelRect>("pixels");
        const PixelRect none{};
        QTest::newRow("whole pixels") << QRect(3, 4, 10, 5) << 1.0 << PixelRect{3, 4, 13, 9};
        QTest::newRow("twice as many") << QRect(2, 3, 4, 5) << 2.0 << PixelRect{4, 6, 12, 16};
        QTest::newRow("a pixel and a half: outward") << QRect(1, 1, 2, 2) << 1.5 << PixelRect{1, 1, 5, 5};
        QTest::newRow("cut at the picture's edge") << QRect(90, 90, 20, 20) << 1.0 << PixelRect{90, 90, 100, 95};
        QTest::newRow("beyond the picture") << QRect(120, 10, 5, 5) << 1.0 << none;
    }

    void ExposedAreaBecomesThePicturePixelsBehindIt()
    {
        QFETCH(QRect, exposed);
        QFETCH(qreal, ratio);
        QFETCH(PixelRect, pixels);
        const std::vector<PixelRect> area = PictureArea(QRegion(exposed), ratio, QSize(100, 95));
        if (pixels.IsEmpty()) {
            QVERIFY(area.empty());
        } else {
            QCOMPARE(area.size(), std::size_t{1});
            QVERIFY(area.front() == pixels);
        }
    }

    // What the picture repaints, taken back to its pixels, covers every
    // pixel that changed, at every scale.
    void RepaintedAreaCoversEveryChangedPixel_data()
    {
        QTest::addColumn<qreal>("ratio");
        for (const qreal ratio : {1.0, 1.25, 1.5, 2.0, 3.0}) {
            QTest::newRow(QByteArray::number(ratio).constData()) << ratio;
        }
    }

    void RepaintedAreaCoversEveryChangedPixel()
    {
        QFETCH(qreal, ratio);
        const QSize size(61, 47);
        const std::vector<PixelRect> changed{{0, 0, 1, 1}, {7, 3, 20, 4}, {33, 10, 61, 47}, {59, 0, 61, 2}};
        const QRect contents(0, 0, qCeil(size.width() / ratio), qCeil(size.height() / ratio));
        const std::vector<PixelRect> back = PictureArea(WidgetArea(changed, ratio, contents), ratio, size);
        for (const PixelRect& r : changed) {
            for (int y = r.top; y < r.bottom; ++y) {
                for (int x = r.left; x < r.right; ++x) {
                    const bool covered = std::any_of(back.begin(), back.end(), [x, y](const PixelRect& b) {
                        return x >= b.left && x < b.right && y >= b.top && y < b.bottom;
                    });
                    QVERIFY2(covered, qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
                }
            }
        }
    }
};

QTEST_MAIN(WidgetAreaTest)
#include "WidgetAreaTest.moc"
