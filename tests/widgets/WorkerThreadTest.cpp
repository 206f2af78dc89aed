#include <QtTest>

#include <memory>

#include "render/PlantView.h"

// The worker draws while the user-interface thread resizes the view to
// every awkward size, then the view is destroyed mid-run: no crash, no hang,
// no data race (this test also runs under the thread and address sanitizers).
class WorkerThreadTest : public QObject {
    Q_OBJECT

private slots:
    void ResizingWhileAnimatingThenDestroying()
    {
        const std::vector<QSize> awkward{{0, 0}, {1, 1}, {3000, 1}, {1, 3000}, {469, 339}, {2, 700}, {640, 3}};
        for (int run = 0; run < 20; ++run) {
            auto view = std::make_unique<PlantView>();
            view->resize(200, 150);
            view->show();
            QVERIFY(QTest::qWaitForWindowExposed(view.get()));
            view->StartMorphWorker();
            for (int i = 0; i < 50; ++i) {
                const QSize size = i < static_cast<int>(awkward.size())
                                       ? awkward[static_cast<std::size_t>(i)]
                                       : QSize(1 + (i * 37 + run * 11) % 600, 1 + (i * 53 + run * 7) % 500);
                view->resize(size);
                QTest::qWait(5);
            }
            QTRY_VERIFY_WITH_TIMEOUT(view->FramesRendered() >= 100, 20000);
            view.reset(); // stops and joins the worker inside a frame or a wait
        }
    }
};

QTEST_MAIN(WorkerThreadTest)
#include "WorkerThreadTest.moc"
