#include <QtTest>

#include <QAccessible>
#include <QLabel>
#include <QSlider>

#include "ControlPanel.h"
#include "FadeSlider.h"

namespace {

// What the label must read for the slider's position.
QString LabelFor(int value)
{
    return QString::fromStdString(FadeSlider::LabelFor(value));
}

// A panel created inside a host window, as the main window creates it, with
// its reports recorded from the start or not listened to at all.
struct Panel {
    explicit Panel(bool listened = true)
    {
        if (listened) {
            reports = std::make_unique<QSignalSpy>(&panel, &ControlPanel::ValueReported);
        }
        panel.Create(&host);
        slider = panel.findChild<QSlider*>();
        label = panel.findChild<QLabel*>();
    }

    [[nodiscard]] QList<int> Reported() const
    {
        QList<int> values;
        for (const QList<QVariant>& report : *reports) {
            values.append(report.first().toInt());
        }
        return values;
    }

    QWidget host;
    ControlPanel panel;
    std::unique_ptr<QSignalSpy> reports;
    QSlider* slider = nullptr;
    QLabel* label = nullptr;
};

} // namespace

class ControlPanelTest : public QObject {
    Q_OBJECT

private slots:
    void CreationReportsTheStartingValueOnce()
    {
        Panel p;
        QCOMPARE(p.Reported(), QList<int>{150});
        QCOMPARE(p.label->text(), LabelFor(150));
    }

    void KeysMoveTheSliderAsOnATrackbar_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");
        QTest::newRow("Right") << 150 << int(Qt::Key_Right) << 155;
        QTest::newRow("Down") << 150 << int(Qt::Key_Down) << 155;
        QTest::newRow("Left") << 150 << int(Qt::Key_Left) << 145;
        QTest::newRow("Up") << 150 << int(Qt::Key_Up) << 145;
        QTest::newRow("Page Down") << 150 << int(Qt::Key_PageDown) << 175;
        QTest::newRow("Page Up") << 150 << int(Qt::Key_PageUp) << 125;
        QTest::newRow("Home") << 150 << int(Qt::Key_Home) << 0;
        QTest::newRow("End") << 150 << int(Qt::Key_End) << 200;
        QTest::newRow("Page Down near the top") << 190 << int(Qt::Key_PageDown) << 200;
        QTest::newRow("Page Up near the bottom") << 10 << int(Qt::Key_PageUp) << 0;
    }

    void KeysMoveTheSliderAsOnATrackbar()
    {
        QFETCH(int, start);
        QFETCH(int, key);
        QFETCH(int, expected);
        Panel p;
        p.slider->setValue(start);
        p.reports->clear();

        QTest::keyClick(p.slider, Qt::Key(key));

        QCOMPARE(p.slider->value(), expected);
        QCOMPARE(p.Reported(), QList<int>{expected});
        QCOMPARE(p.label->text(), LabelFor(expected));
    }

    void PanelNobodyListensToStillUpdatesItsLabel()
    {
        Panel p(false);
        QCOMPARE(p.label->text(), LabelFor(150));
        QTest::keyClick(p.slider, Qt::Key_End);
        QCOMPARE(p.label->text(), LabelFor(200));
    }

    void StretchedPanelKeepsItsControlsInPlace()
    {
        // In DejaVu Sans 8 pt, the dialog font here, a dialog unit is 7/4
        // pixels across and 13/8 down, each position rounded to the nearest.
        Panel p;
        QCOMPARE(p.panel.height(), 78);
        p.host.resize(1000, 300);
        p.panel.setGeometry(0, 300 - 78, 1000, 78);

        QCOMPARE(p.label->geometry(), QRect(12, 11, 299, 13));
        QCOMPARE(p.slider->geometry(), QRect(12, 36, 299, 31));
    }

    void ScreenReadersHearTheSliderAsTheLabelReads()
    {
        Panel p;
        QAccessibleInterface* slider = QAccessible::queryAccessibleInterface(p.slider);
        QVERIFY(slider != nullptr);
        QCOMPARE(slider->text(QAccessible::Name), QStringLiteral("Trail length"));
        QCOMPARE(slider->text(QAccessible::Description), LabelFor(150));

        for (const Qt::Key key : {Qt::Key_End, Qt::Key_PageUp, Qt::Key_Home}) {
            QTest::keyClick(p.slider, key);
            QCOMPARE(slider->text(QAccessible::Description), p.label->text());
        }
        QCOMPARE(slider->text(QAccessible::Description), LabelFor(0));
    }
};

QTEST_MAIN(ControlPanelTest)
#include "ControlPanelTest.moc"
