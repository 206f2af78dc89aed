#include <QtTest>

#include <QAccessible>
#include <QLabel>
#include <QSlider>

#include "panel/ControlPanel.h"

namespace {

// "µg (0 - 200): v µg", spelt with the micro sign, not the Greek mu.
QString LabelFor(int value)
{
    const QString micro(QChar(0x00B5));
    return micro + QStringLiteral("g (0 - 200): %1 ").arg(value) + micro + QStringLiteral("g");
}

class RecordingListener final : public PanelListener {
public:
    void OnSliderValue(int value) override { values.append(value); }
    QList<int> values;
};

// A panel created inside a host window, as the main window creates it.
struct Panel {
    Panel()
    {
        panel.m_listener = &listener;
        panel.Create(&host);
        slider = panel.findChild<QSlider*>();
        label = panel.findChild<QLabel*>();
    }

    QWidget host;
    RecordingListener listener;
    ControlPanel panel;
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
        QCOMPARE(p.listener.values, QList<int>{150});
        QCOMPARE(p.label->text(), LabelFor(150));
    }

    void KeysMoveTheSliderAsOnATrackbar_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");
        QTest::newRow("Right from 150") << 150 << int(Qt::Key_Right) << 155;
        QTest::newRow("Page Down from 150") << 150 << int(Qt::Key_PageDown) << 175;
        QTest::newRow("Page Down from 190") << 190 << int(Qt::Key_PageDown) << 200;
        QTest::newRow("Home") << 150 << int(Qt::Key_Home) << 0;
        QTest::newRow("End") << 150 << int(Qt::Key_End) << 200;
    }

    void KeysMoveTheSliderAsOnATrackbar()
    {
        QFETCH(int, start);
        QFETCH(int, key);
        QFETCH(int, expected);
        Panel p;
        p.slider->setValue(start);
        p.listener.values.clear();

        QTest::keyClick(p.slider, Qt::Key(key));

        QCOMPARE(p.slider->value(), expected);
        QCOMPARE(p.listener.values, QList<int>{expected});
        QCOMPARE(p.label->text(), LabelFor(expected));
    }

    void StretchedPanelKeepsItsControlsInPlace()
    {
        // In DejaVu Sans 8 pt, the dialog font here, a dialog unit is 7/4
        // pixels across and 13/8 down.
        Panel p;
        QCOMPARE(p.panel.height(), 78);
        p.host.resize(1000, 300);
        p.panel.setGeometry(0, 300 - 78, 1000, 78);

        QCOMPARE(p.label->geometry(), QRect(12, 11, 299, 13));
        QCOMPARE(p.slider->geometry(), QRect(12, 35, 299, 30));
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
