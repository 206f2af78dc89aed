#include <QtTest>

#include <QMessageBox>
#include <QScreen>
#include <QSlider>
#include <QTemporaryDir>

#include "PlantDialog.h"

namespace {

// A main window shown and active, with the slider holding the focus as at
// start-up.
struct ShownDialog {
    ShownDialog()
    {
        dialog.show();
        ready = QTest::qWaitForWindowActive(&dialog);
        view = dialog.findChild<PlantView*>();
        panel = dialog.findChild<ControlPanel*>();
        slider = dialog.findChild<QSlider*>();
    }

    PlantDialog dialog;
    QSignalSpy finished{&dialog, &QDialog::finished};
    bool ready = false;
    PlantView* view = nullptr;
    ControlPanel* panel = nullptr;
    QSlider* slider = nullptr;
};

// A key held down: the first press and then a repeat from the keyboard; an
// even number of presses, so a toggle that took the repeat would end undone.
void HoldKey(QWidget* widget, Qt::Key key)
{
    for (const bool repeat : {false, true}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), repeat);
        QApplication::sendEvent(widget, &press);
    }
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

} // namespace

class PlantDialogTest : public QObject {
    Q_OBJECT

private slots:
    void SliderValuesBecomeThePlantsFade()
    {
        PlantDialog dialog;
        const PlantAnimator& animator = dialog.findChild<PlantView*>()->Animator();
        QCOMPARE(int(animator.Fade()), 64); // from the panel's first report
        auto* slider = dialog.findChild<QSlider*>();
        slider->setValue(0);
        QCOMPARE(int(animator.Fade()), 255);
        slider->setValue(200);
        QCOMPARE(int(animator.Fade()), 0);
    }

    void WindowOpensAtItsTemplateSize()
    {
        PlantDialog dialog;
        QCOMPARE(dialog.size(), QSize(469, 418));
        QCOMPARE(dialog.findChild<PlantView*>()->geometry(), QRect(0, 0, 469, 340));
        QCOMPARE(dialog.findChild<ControlPanel*>()->geometry(), QRect(0, 340, 469, 78));
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
        ShownDialog d;
        QVERIFY(d.ready);
        QCOMPARE(QApplication::focusWidget(), d.slider);

        QTest::keyClick(d.slider, Qt::Key(key));

        QCOMPARE(d.finished.count(), 1);
        QCOMPARE(d.finished.first().first().toInt(), result);
        QVERIFY(!d.panel->isHidden());
    }

    void SpacePausesAndResumesThePlant()
    {
        ShownDialog d;
        QVERIFY(d.ready);
        QCOMPARE(QApplication::focusWidget(), d.slider); // the slider lets Space through
        const PlantAnimator& animator = d.view->Animator();
        QTest::keyClick(d.slider, Qt::Key_Space);
        QVERIFY(animator.IsPaused());
        QTest::keyClick(d.slider, Qt::Key_Space);
        QVERIFY(!animator.IsPaused());
        QCOMPARE(d.slider->value(), 150); // Space is not a slider key
    }

    void F11AndDoubleClickSwitchFullScreen_data()
    {
        QTest::addColumn<bool>("doubleClick");
        QTest::newRow("F11") << false;
        QTest::newRow("double-click on the plant") << true;
    }

    void F11AndDoubleClickSwitchFullScreen()
    {
        QFETCH(bool, doubleClick);
        ShownDialog d;
        QVERIFY(d.ready);
        const QRect normal = d.dialog.geometry();
        const auto toggle = [&] {
            if (doubleClick) {
                QTest::mouseDClick(d.view, Qt::LeftButton);
            } else {
                QTest::keyClick(d.slider, Qt::Key_F11);
            }
        };

        toggle();
        QVERIFY(d.dialog.isFullScreen());
        const QRect screen = d.dialog.screen()->geometry();
        QTRY_COMPARE(d.dialog.geometry(), screen);
        QCOMPARE(d.view->geometry(), QRect(0, 0, screen.width(), screen.height() - 78));
        QCOMPARE(d.panel->geometry(), QRect(0, screen.height() - 78, screen.width(), 78));

        toggle();
        QVERIFY(!d.dialog.isFullScreen());
        QTRY_COMPARE(d.dialog.geometry(), normal);
        QCOMPARE(d.finished.count(), 0);
    }

    void MaximiseThenRestore()
    {
        ShownDialog d;
        QVERIFY(d.ready);
        const QRect normal = d.dialog.geometry();

        d.dialog.showMaximized();
        const QRect available = d.dialog.screen()->availableGeometry();
        QTRY_VERIFY(d.dialog.width() > normal.width() && d.dialog.height() > normal.height());
        QVERIFY(available.contains(d.dialog.geometry()));
        QCOMPARE(d.view->geometry(), QRect(0, 0, d.dialog.width(), d.dialog.height() - 78));
        QCOMPARE(d.panel->geometry(), QRect(0, d.dialog.height() - 78, d.dialog.width(), 78));

        d.dialog.showNormal();
        QTRY_COMPARE(d.dialog.geometry(), normal);
        QCOMPARE(d.view->geometry(), QRect(0, 0, 469, 340));
    }

    void ControlSSavesThePictureWithWhatRendersItAgain()
    {
        QTemporaryDir home;
        const QByteArray oldHome = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + "/.config"));
        ShownDialog d;
        QVERIFY(d.ready);
        QTRY_VERIFY(d.view->Animator().FramesRendered() > 0);

        QTest::keyClick(d.slider, Qt::Key_S, Qt::ControlModifier);

        const QDir pictures(home.path() + "/Pictures");
        const QStringList saved = pictures.entryList({QStringLiteral("*.png")});
        QCOMPARE(saved.size(), 1);
        const QString seed = QString::number(d.view->Animator().Seed());
        QVERIFY2(saved.constFirst().startsWith("quillbrook-" + seed + "-"), qPrintable(saved.constFirst()));
        const QImage picture(pictures.filePath(saved.constFirst()));
        QCOMPARE(picture.size(), d.view->PictureSize());
        QCOMPARE(picture.text("Seed"), seed);
        QVERIFY(picture.text("Frames").toLongLong() > 0);
        QCOMPARE(picture.text("Slider"), QStringLiteral("150"));
        auto* told = d.dialog.findChild<QMessageBox*>();
        QVERIFY(told != nullptr && told->isVisible());
        QVERIFY2(told->text().contains(pictures.filePath(saved.constFirst())), qPrintable(told->text()));
        told->close();
        QTRY_VERIFY(d.dialog.findChild<QMessageBox*>() == nullptr);

        // With nowhere to put it, the window says why.
        qputenv("HOME", "/dev/null");
        QTest::keyClick(d.slider, Qt::Key_S, Qt::ControlModifier);
        QTRY_VERIFY(d.dialog.findChild<QMessageBox*>() != nullptr);
        QVERIFY(d.dialog.findChild<QMessageBox*>()->text().startsWith(QStringLiteral("Could not save")));
        qputenv("HOME", oldHome);
        qunsetenv("XDG_CONFIG_HOME");
    }

    void EscapeLeavesFullScreenFirstAndThenEndsTheDialog()
    {
        ShownDialog d;
        QVERIFY(d.ready);
        QTest::keyClick(d.slider, Qt::Key_F11);
        QVERIFY(d.dialog.isFullScreen());

        QTest::keyClick(d.slider, Qt::Key_Escape);
        QVERIFY(!d.dialog.isFullScreen());
        QVERIFY(d.dialog.isVisible());
        QCOMPARE(d.finished.count(), 0);

        QTest::keyClick(d.slider, Qt::Key_Escape);
        QCOMPARE(d.finished.count(), 1);
        QCOMPARE(d.finished.first().first().toInt(), int(QDialog::Rejected));
    }

    void HeldKeysActOncePerPress()
    {
        ShownDialog d;
        QVERIFY(d.ready);
        HoldKey(d.slider, Qt::Key_Space);
        QVERIFY(d.view->Animator().IsPaused());
        HoldKey(d.slider, Qt::Key_F11);
        QVERIFY(d.dialog.isFullScreen());
        // Held too long, Escape must not go on to end the program.
        HoldKey(d.slider, Qt::Key_Escape);
        QVERIFY(!d.dialog.isFullScreen());
        QCOMPARE(d.finished.count(), 0);
    }

    void HelpShowsTheSeedAndClosesFromTheKeyboard_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("Enter") << int(Qt::Key_Return);
    }

    void HelpShowsTheSeedAndClosesFromTheKeyboard()
    {
        QFETCH(int, key);
        ShownDialog d;
        QVERIFY(d.ready);
        QString text;
        bool boxHadFocus = false;
        bool closedByKey = false;
        QTimer::singleShot(0, &d.dialog, [&] {
            auto* box = d.dialog.findChild<QMessageBox*>();
            if (box == nullptr) {
                return;
            }
            text = box->text();
            boxHadFocus = QTest::qWaitFor([box] {
                const QWidget* focus = QApplication::focusWidget();
                return focus != nullptr && focus->window() == box;
            });
            if (boxHadFocus) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
            }
            closedByKey = !box->isVisible();
            if (!closedByKey) {
                box->reject(); // let the test go on and fail below
            }
        });

        QTest::keyClick(d.slider, Qt::Key_End);
        QTest::keyClick(d.slider, Qt::Key_F1);

        // The command renders the picture on the screen: its seed, size and
        // slider value.
        const QString seed = QString::number(d.view->Animator().Seed());
        const QSize size = d.view->PictureSize();
        const QRegularExpression command(QStringLiteral("quillbrook-render --seed %1 --frames [1-9][0-9]* --size %2x%3 "
                                                        "--slider 200 --png plant.png")
                                             .arg(seed)
                                             .arg(size.width())
                                             .arg(size.height()));
        QVERIFY2(text.contains(QStringLiteral("seed ") + seed), qPrintable(text));
        QVERIFY2(text.contains(command), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("1.0.0.1")));
        QVERIFY(boxHadFocus);
        QVERIFY(closedByKey);
        QTRY_COMPARE(QApplication::focusWidget(), d.slider);
        QCOMPARE(d.finished.count(), 0); // the key closed the box, not the window
    }
};

QTEST_MAIN(PlantDialogTest)
#include "PlantDialogTest.moc"
