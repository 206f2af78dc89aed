#include <QtTest>

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include <QDBusConnection>
#include <QSlider>

#include "PlantDialog.h"

namespace {

// What a desktop session offers: counts the holds it is asked for.
class FakeScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public:
    int held = 0;
    uint nextCookie = 1;

public slots:
    uint Inhibit(const QString& /*application*/, const QString& /*reason*/)
    {
        ++held;
        return nextCookie++;
    }
    void UnInhibit(uint /*cookie*/) { --held; }
};

// A session bus of the test's own, started before the application so that
// everything in it sees that bus.
struct PrivateBus {
    PrivateBus()
    {
        if (FILE* daemon = popen("dbus-daemon --session --fork --print-address=1 --print-pid=1", "r")) {
            char line[512] = {};
            if (std::fgets(line, sizeof line, daemon) != nullptr) {
                address = QByteArray(line).trimmed();
            }
            if (std::fgets(line, sizeof line, daemon) != nullptr) {
                pid = QByteArray(line).trimmed().toInt();
            }
            pclose(daemon);
        }
        qputenv("DBUS_SESSION_BUS_ADDRESS", address);
    }
    ~PrivateBus()
    {
        if (pid > 0) {
            kill(pid, SIGTERM);
        }
    }
    QByteArray address;
    int pid = 0;
};

} // namespace

class ScreenSaverInhibitionTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(QDBusConnection::sessionBus().isConnected(), "no private session bus: is dbus-daemon installed?");
        QVERIFY(m_session.registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"), &m_saver,
                                         QDBusConnection::ExportAllSlots));
        QVERIFY(m_session.registerService(QStringLiteral("org.freedesktop.ScreenSaver")));
    }

    // Held while the plant is full screen and moving; let go when it is
    // paused or leaves full screen.
    void FullScreenKeepsTheScreenAwakeWhileThePlantMoves()
    {
        PlantDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* slider = dialog.findChild<QSlider*>();
        QCOMPARE(m_saver.held, 0);

        QTest::keyClick(slider, Qt::Key_F11);
        QTRY_COMPARE(m_saver.held, 1);
        QTest::keyClick(slider, Qt::Key_Space);
        QTRY_COMPARE(m_saver.held, 0);
        QTest::keyClick(slider, Qt::Key_Space);
        QTRY_COMPARE(m_saver.held, 1);
        QTest::keyClick(slider, Qt::Key_F11);
        QTRY_COMPARE(m_saver.held, 0);
        QTest::qWait(100);
        QCOMPARE(m_saver.held, 0);
    }

private:
    QDBusConnection m_session =
        QDBusConnection::connectToBus(QString::fromLatin1(qgetenv("DBUS_SESSION_BUS_ADDRESS")), "fake saver");
    FakeScreenSaver m_saver;
};

int main(int argc, char** argv)
{
    const PrivateBus bus;
    QApplication app(argc, argv);
    ScreenSaverInhibitionTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ScreenSaverInhibitionTest.moc"
