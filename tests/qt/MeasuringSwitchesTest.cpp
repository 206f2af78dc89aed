#include <QtTest>

#include <sys/stat.h>

#include <chrono>

#include <QFile>
#include <QTemporaryDir>

#include "FrameLog.h"
#include "MeasuringSwitches.h"

class MeasuringSwitchesTest : public QObject {
    Q_OBJECT

private slots:
    void SwitchesAreOnOnlyForAValueThatSaysSo_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<bool>("on");
        QTest::newRow("empty") << QByteArray("") << false;
        QTest::newRow("0") << QByteArray("0") << false;
        QTest::newRow("false") << QByteArray("false") << false;
        QTest::newRow("FALSE with spaces") << QByteArray(" FALSE ") << false;
        QTest::newRow("no") << QByteArray("no") << false;
        QTest::newRow("Off") << QByteArray("Off") << false;
        QTest::newRow("1") << QByteArray("1") << true;
        QTest::newRow("yes") << QByteArray("yes") << true;
        QTest::newRow("true") << QByteArray("true") << true;
    }

    void SwitchesAreOnOnlyForAValueThatSaysSo()
    {
        QFETCH(QByteArray, value);
        QFETCH(bool, on);
        QCOMPARE(MeasuringSwitches::IsSwitchedOn(value.constData()), on);
    }

    void UnsetSwitchIsOff() { QVERIFY(!MeasuringSwitches::IsSwitchedOn(nullptr)); }

    void PresentationIsChosenByName_data()
    {
        using enum MeasuringSwitches::Presentation;
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<bool>("set");
        QTest::addColumn<MeasuringSwitches::Presentation>("chosen");
        QTest::newRow("unset") << QByteArray() << false << Automatic;
        QTest::newRow("empty") << QByteArray("") << true << Automatic;
        QTest::newRow("auto") << QByteArray("auto") << true << Automatic;
        QTest::newRow("qt") << QByteArray("qt") << true << Qt;
        QTest::newRow("Qt with spaces") << QByteArray(" Qt ") << true << Qt;
        QTest::newRow("direct") << QByteArray("DIRECT") << true << Direct;
        QTest::newRow("unknown") << QByteArray("shm") << true << Automatic;
    }

    void PresentationIsChosenByName()
    {
        QFETCH(QByteArray, value);
        QFETCH(bool, set);
        QFETCH(MeasuringSwitches::Presentation, chosen);
        QCOMPARE(MeasuringSwitches::PresentationFrom(set ? value.constData() : nullptr), chosen);
    }

    void RegularFileGetsOneLineAFrame()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("frames.log"));
        {
            FrameLog log(QFile::encodeName(path).constData());
            QVERIFY(log.IsOpen());
            for (const long long micros : {1000000LL, 1020000LL, 1040123LL}) {
                log.Record(std::chrono::steady_clock::time_point(std::chrono::microseconds(micros)));
            }
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("1000000\n1020000\n1040123\n"));
    }

    // Nobody reads the pipe: opening it must neither wait nor keep it.
    void PipeIsRefusedAtOnce()
    {
        QTemporaryDir dir;
        const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("fifo")));
        QCOMPARE(mkfifo(path.constData(), 0600), 0);
        QElapsedTimer timer;
        timer.start();
        const FrameLog log(path.constData());
        QVERIFY(!log.IsOpen());
        QVERIFY(timer.elapsed() < 1000);
    }

    void DirectoryIsRefused()
    {
        QTemporaryDir dir;
        const FrameLog log(QFile::encodeName(dir.path()).constData());
        QVERIFY(!log.IsOpen());
    }
};

QTEST_MAIN(MeasuringSwitchesTest)
#include "MeasuringSwitchesTest.moc"
