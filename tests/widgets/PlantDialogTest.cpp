#include <QtTest>

#include <QSlider>

#include "app/PlantDialog.h"

class PlantDialogTest : public QObject {
    Q_OBJECT

private slots:
    void SliderValuesBecomeFadeBytes()
    {
        PlantDialog dialog;
        const auto* view = dialog.findChild<PlantView*>();
        QCOMPARE(int(view->Fade()), 64); // from the panel's first report
        auto* slider = dialog.findChild<QSlider*>();
        const int table[][2] = {{0, 255},   {1, 254},  {5, 249}, {25, 224}, {50, 192},
                                {100, 128}, {150, 64}, {199, 2}, {200, 0}};
        for (const auto& [value, fade] : table) {
            slider->setValue(value);
            QCOMPARE(int(view->Fade()), fade);
        }
    }

    void PanelStripStaysAtTheBottomAndTheViewTakesTheRest_data()
    {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<int>("viewHeight");
        QTest::newRow("wide") << QSize(1200, 700) << 622;
        QTest::newRow("lower than the panel") << QSize(200, 50) << 0;
    }

    void PanelStripStaysAtTheBottomAndTheViewTakesTheRest()
    {
        QFETCH(QSize, client);
        QFETCH(int, viewHeight);
        PlantDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));

        dialog.resize(client);

        const auto* panel = dialog.findChild<ControlPanel*>();
        QCOMPARE(panel->geometry(), QRect(0, client.height() - 78, client.width(), 78));
        QCOMPARE(dialog.findChild<PlantView*>()->geometry(), QRect(0, 0, client.width(), viewHeight));
    }

    void EscapeAndEnterOnTheSliderEndTheDialog_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("Escape") << int(Qt::Key_Escape) << int(QDialog::Rejected);
        QTest::newRow("Enter") << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(QDialog::Accepted);
    }

    void EscapeAndEnterOnTheSliderEndTheDialog()
    {
        QFETCH(int, key);
        QFETCH(int, result);
        PlantDialog dialog;
        QSignalSpy finished(&dialog, &QDialog::finished);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* slider = dialog.findChild<QSlider*>();
        QCOMPARE(QApplication::focusWidget(), slider);

        QTest::keyClick(slider, Qt::Key(key));

        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.first().first().toInt(), result);
        QVERIFY(!dialog.findChild<ControlPanel*>()->isHidden());
    }
};

QTEST_MAIN(PlantDialogTest)
#include "PlantDialogTest.moc"
