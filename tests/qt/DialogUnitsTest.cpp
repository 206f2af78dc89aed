#include <QtTest>

#include "DialogUnits.h"

class DialogUnitsTest : public QObject {
    Q_OBJECT

private slots:
    void DialogFontHasTheBaseUnitsTheLayoutAssumes()
    {
        const DialogUnits units(DialogUnits::DialogFont());
        QCOMPARE(units.BaseWidth(), 7);
        QCOMPARE(units.BaseHeight(), 13);
    }

    void UnitsBecomeTheNearestPixel_data()
    {
        QTest::addColumn<bool>("across");
        QTest::addColumn<int>("units");
        QTest::addColumn<int>("pixels");
        // Base units 7 across and 13 down: a unit is 1.75 pixels across and
        // 1.625 down.
        QTest::newRow("window height, 417.625") << false << 257 << 418;
        QTest::newRow("window width, 469") << true << 268 << 469;
        QTest::newRow("panel height, 78") << false << 48 << 78;
        QTest::newRow("slider top, 35.75") << false << 22 << 36;
        QTest::newRow("slider height, 30.875") << false << 19 << 31;
        QTest::newRow("label top, 11.375") << false << 7 << 11;
        QTest::newRow("label height, 13") << false << 8 << 13;
        QTest::newRow("control width, 299.25") << true << 171 << 299;
        QTest::newRow("control left, 12.25") << true << 7 << 12;
        QTest::newRow("half, 3.5") << true << 2 << 4;
        QTest::newRow("negative half, -3.5") << true << -2 << -4;
        QTest::newRow("negative, -4.875") << false << -3 << -5;
    }

    void UnitsBecomeTheNearestPixel()
    {
        QFETCH(bool, across);
        QFETCH(int, units);
        QFETCH(int, pixels);
        const DialogUnits dialog(7, 13);
        QCOMPARE(across ? dialog.MapX(units) : dialog.MapY(units), pixels);
    }
};

QTEST_MAIN(DialogUnitsTest)
#include "DialogUnitsTest.moc"
