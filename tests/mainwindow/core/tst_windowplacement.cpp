#include "mainwindow/core/WindowPlacement.h"

#include <QTest>

#include <climits>

namespace {

// Two monitors side by side, tops level: A 1280 by 1000 below a 24-pixel panel, B 1920 by
// 1080 to its right.
const QRect ScreenA(0, 24, 1280, 1000);
const QRect ScreenB(1280, 0, 1920, 1080);

} // namespace

class TestWindowPlacement : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void placesTheStoredWindow_data()
    {
        QTest::addColumn<QRect>("stored");
        QTest::addColumn<QList<QRect>>("screens");
        QTest::addColumn<QRect>("expected");
        const QList<QRect> both{ScreenA, ScreenB};
        QTest::newRow("on A: kept") << QRect(100, 100, 700, 500) << both << QRect(100, 100, 700, 500);
        QTest::newRow("on B: kept") << QRect(2000, 300, 900, 600) << both << QRect(2000, 300, 900, 600);
        QTest::newRow("across both, wholly shown: kept") << QRect(1000, 100, 700, 500) << both
                                                         << QRect(1000, 100, 700, 500);
        QTest::newRow("filling A exactly: kept") << ScreenA << both << ScreenA;
        QTest::newRow("over A's panel: pushed below it") << QRect(100, 0, 700, 500) << both
                                                         << QRect(100, 24, 700, 500);
        QTest::newRow("hanging below A: lifted") << QRect(100, 800, 700, 500) << both << QRect(100, 524, 700, 500);
        QTest::newRow("mostly right of B: pulled back") << QRect(3000, 100, 700, 500) << both
                                                        << QRect(2500, 100, 700, 500);
        QTest::newRow("off to the left, 50 pixels shown: onto A") << QRect(-650, 100, 700, 500) << both
                                                                  << QRect(0, 100, 700, 500);
        QTest::newRow("wholly off, nearest is B") << QRect(5000, 200, 700, 500) << both
                                                  << QRect(2500, 200, 700, 500);
        QTest::newRow("wholly off, nearest is A") << QRect(-4000, -3000, 700, 500) << both
                                                  << QRect(0, 24, 700, 500);
        QTest::newRow("a monitor gone: back onto the one left") << QRect(2000, 300, 900, 600)
                                                                << QList<QRect>{ScreenA}
                                                                << QRect(380, 300, 900, 600);
        QTest::newRow("display's limit: B's size, on B") << QRect(0, 0, 32767, 32767) << both << ScreenB;
        QTest::newRow("larger than A, alone") << QRect(0, 0, 20000, 20000) << QList<QRect>{ScreenA} << ScreenA;
        QTest::newRow("taller than B only") << QRect(1500, 0, 800, 5000) << both << QRect(1500, 0, 800, 1080);
        QTest::newRow("damaged size: the smallest") << QRect(100, 100, -5, 0) << both << QRect(100, 100, 1, 1);
        QTest::newRow("no screens: as stored") << QRect(-10, 5, 700, 500) << QList<QRect>{}
                                               << QRect(-10, 5, 700, 500);
        QTest::newRow("mirrored monitors count once") << QRect(100, 800, 700, 500)
                                                      << QList<QRect>{ScreenA, ScreenA}
                                                      << QRect(100, 524, 700, 500);
    }
    void placesTheStoredWindow()
    {
        QFETCH(QRect, stored);
        QFETCH(QList<QRect>, screens);
        QFETCH(QRect, expected);
        QCOMPARE(PlaceOnScreens(stored.topLeft(), QSize(stored.width(), stored.height()), screens), expected);
    }

    // Values at the ends of a stored number never overflow a rectangle's corners.
    void extremeValuesLandOnAScreen_data()
    {
        QTest::addColumn<QPoint>("position");
        QTest::addColumn<QSize>("size");
        QTest::newRow("largest everything") << QPoint(INT_MAX, INT_MAX) << QSize(INT_MAX, INT_MAX);
        QTest::newRow("smallest position") << QPoint(INT_MIN, INT_MIN) << QSize(700, 500);
        QTest::newRow("smallest size") << QPoint(0, 0) << QSize(INT_MIN, INT_MIN);
    }
    void extremeValuesLandOnAScreen()
    {
        QFETCH(QPoint, position);
        QFETCH(QSize, size);
        const QRect placed = PlaceOnScreens(position, size, {ScreenA, ScreenB});
        QVERIFY(ScreenA.contains(placed) || ScreenB.contains(placed));
    }
};

QTEST_GUILESS_MAIN(TestWindowPlacement)
#include "tst_windowplacement.moc"
