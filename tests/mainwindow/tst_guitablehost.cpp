#include "mainwindow/GuiTableHost.h"
#include "support/ScriptedPrompter.h"

#include <QApplication>
#include <QSemaphore>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <atomic>

namespace {

// A window that tells each time it paints.
class PaintingWidget : public QWidget
{
public:
    std::function<void()> painted;

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (painted)
            painted();
    }
};

// Waits for Semaphore for as long as a test may take at most, so a host that never lets the
// window's loop turn fails the test instead of hanging it.
bool acquired(QSemaphore &semaphore)
{
    return semaphore.tryAcquire(1, 30000);
}

} // namespace

class TestGuiTableHost : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The work runs on a thread of its own, and until it is done the window's loop goes on:
    // a timer fires and the window repaints while the work waits for them.
    void runsTheWorkWhileTheWindowPaints()
    {
        ScriptedPrompter prompter;
        GuiTableHost host(prompter);
        PaintingWidget window;
        window.resize(200, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QSemaphore timerFired;
        QSemaphore repainted;
        window.painted = [&] { repainted.release(); };
        QTimer::singleShot(0, &window, [&] {
            timerFired.release();
            window.update();
        });
        std::atomic<bool> offTheGuiThread = false;
        bool sawTimer = false;
        bool sawPaint = false;
        host.runAside([&] {
            offTheGuiThread = QThread::currentThread() != qApp->thread();
            sawTimer = acquired(timerFired);
            sawPaint = acquired(repainted);
        });
        QVERIFY(offTheGuiThread);
        QVERIFY(sawTimer);
        QVERIFY(sawPaint);
    }

    // What the work leaves is there when the call returns, also for work that is quick.
    void returnsWhenTheWorkIsDone_data()
    {
        QTest::addColumn<int>("steps");
        QTest::newRow("nothing to do") << 0;
        QTest::newRow("a little") << 10;
        QTest::newRow("a lot") << 2000000;
    }

    void returnsWhenTheWorkIsDone()
    {
        QFETCH(int, steps);
        ScriptedPrompter prompter;
        GuiTableHost host(prompter);
        qint64 sum = 0;
        bool ran = false;
        host.runAside([&] {
            for (int i = 0; i < steps; ++i)
                sum += i;
            ran = true;
        });
        QVERIFY(ran);
        QCOMPARE(sum, qint64(steps) * (steps - 1) / 2);
    }
};

QTEST_MAIN(TestGuiTableHost)
#include "tst_guitablehost.moc"
