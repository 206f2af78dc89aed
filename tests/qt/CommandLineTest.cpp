#include <QtTest>

#include "CommandLine.h"

namespace {

// The options as one line, to compare whole.
QString Describe(const WindowOptions& o)
{
    return QStringLiteral("seed=%1 slider=%2 fullscreen=%3 screen=%4 all=%5 window=%6 root=%7")
        .arg(o.seed ? QString::number(*o.seed) : QStringLiteral("clock"))
        .arg(o.slider)
        .arg(int(o.fullScreen))
        .arg(o.screen)
        .arg(int(o.allScreens))
        .arg(o.window ? QString::number(*o.window) : QStringLiteral("none"))
        .arg(int(o.root));
}

const QString kDefaults = QStringLiteral("seed=clock slider=150 fullscreen=0 screen= all=0 window=none root=0");

CommandLine::Result Parse(const QStringList& args, const QByteArray& screensaverWindow)
{
    return CommandLine::Parse(QStringList{"quillbrook"} + args,
                              screensaverWindow.isNull() ? nullptr : screensaverWindow.constData());
}

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void GoodValuesAreTaken_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("screensaverWindow"); // null: unset
        QTest::addColumn<QString>("expected");
        const QByteArray unset;
        QTest::newRow("nothing") << QStringList{} << unset << kDefaults;
        QTest::newRow("negative seed") << QStringList{"--seed", "-7"} << unset
                                       << "seed=-7 slider=150 fullscreen=0 screen= all=0 window=none root=0";
        QTest::newRow("lowest seed after equals") << QStringList{"--seed=-2147483648"} << unset
                                                  << "seed=-2147483648 slider=150 fullscreen=0 screen= all=0 "
                                                     "window=none root=0";
        QTest::newRow("slider ends") << QStringList{"--slider", "0"} << unset
                                     << "seed=clock slider=0 fullscreen=0 screen= all=0 window=none root=0";
        QTest::newRow("full screen on a named monitor")
            << QStringList{"--fullscreen", "--screen", "HDMI-1"} << unset
            << "seed=clock slider=150 fullscreen=1 screen=HDMI-1 all=0 window=none root=0";
        QTest::newRow("every monitor") << QStringList{"--all-screens"} << unset
                                       << "seed=clock slider=150 fullscreen=0 screen= all=1 window=none root=0";
        QTest::newRow("one-dash root") << QStringList{"-root"} << unset
                                       << "seed=clock slider=150 fullscreen=0 screen= all=0 window=none root=1";
        QTest::newRow("hexadecimal window") << QStringList{"-window-id", "0x1A"} << unset
                                            << "seed=clock slider=150 fullscreen=0 screen= all=0 window=26 root=0";
        QTest::newRow("decimal window") << QStringList{"--window-id", "4294967295"} << unset
                                        << "seed=clock slider=150 fullscreen=0 screen= all=0 window=4294967295 "
                                           "root=0";
        QTest::newRow("what hacks are given and this one ignores")
            << QStringList{"-window", "-fps", "--no-fps", "-mono", "-install", "--noinstall", "-visual", "default"}
            << unset << kDefaults;
        QTest::newRow("screensaver window wins over root") << QStringList{"-root"} << QByteArray("0x10")
                                                           << "seed=clock slider=150 fullscreen=0 screen= all=0 "
                                                              "window=16 root=1";
        QTest::newRow("screensaver window wins over window id")
            << QStringList{"-window-id", "5"} << QByteArray("17")
            << "seed=clock slider=150 fullscreen=0 screen= all=0 window=17 root=0";
    }

    void GoodValuesAreTaken()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, screensaverWindow);
        QFETCH(QString, expected);
        const CommandLine::Result result = Parse(args, screensaverWindow);
        QVERIFY2(result.action == CommandLine::Action::Run, result.message.c_str());
        QCOMPARE(Describe(result.options), expected);
    }

    void BadValuesAreRefusedInOneLineNamingTheOption_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("screensaverWindow");
        QTest::addColumn<QString>("start");
        const QByteArray unset;
        QTest::newRow("seed too large") << QStringList{"--seed", "2147483648"} << unset << "--seed: expects";
        QTest::newRow("seed missing") << QStringList{"--seed"} << unset << "--seed: missing value";
        QTest::newRow("slider above") << QStringList{"--slider=201"} << unset << "--slider: expects";
        QTest::newRow("empty screen") << QStringList{"--screen="} << unset << "--screen: expects";
        QTest::newRow("window zero") << QStringList{"-window-id", "0"} << unset << "--window-id: expects";
        QTest::newRow("window beyond 32 bits")
            << QStringList{"-window-id", "0x100000000"} << unset << "--window-id: expects";
        QTest::newRow("window in words") << QStringList{"-window-id", "root"} << unset << "--window-id: expects";
        QTest::newRow("unknown option") << QStringList{"--bogus"} << unset << "--bogus: unknown option";
        QTest::newRow("stray argument") << QStringList{"stray"} << unset << "'stray': unexpected argument";
        QTest::newRow("bad screensaver window")
            << QStringList{"-root"} << QByteArray("nope") << "XSCREENSAVER_WINDOW: expects";
    }

    void BadValuesAreRefusedInOneLineNamingTheOption()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, screensaverWindow);
        QFETCH(QString, start);
        const CommandLine::Result result = Parse(args, screensaverWindow);
        QCOMPARE(result.action, CommandLine::Action::Refuse);
        const QString message = QString::fromStdString(result.message);
        QVERIFY2(message.startsWith(start), qPrintable(message));
        QVERIFY(!message.contains('\n'));
    }

    void HelpAndVersionWinOverEverythingElse()
    {
        const CommandLine::Result help = Parse({"--seed", "5", "-h"}, {});
        QCOMPARE(help.action, CommandLine::Action::Help);
        for (const char* option : {"--seed", "--slider", "--fullscreen", "--screen", "--all-screens", "-root",
                                   "-window-id", "XSCREENSAVER_WINDOW", "Exit status"}) {
            QVERIFY2(QString::fromStdString(help.message).contains(QLatin1String(option)), option);
        }
        QCOMPARE(Parse({"-version"}, {}).action, CommandLine::Action::Version);
    }
};

QTEST_APPLESS_MAIN(CommandLineTest)
#include "CommandLineTest.moc"
