#include "dialogs/ConfirmReplacePlacement.h"

#include <QTest>

class TestConfirmReplacePlacement : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void placement_data()
    {
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y1");
        QTest::addColumn<int>("y2");
        QTest::addColumn<QPoint>("expected");

        // The dialog is 328 by 98.
        const QRect wide(100, 50, 800, 600);   // two thirds of the height: 400, so row 450
        QTest::newRow("at the hit's column, below it") << wide << 300 << 100 << 116 << QPoint(300, 120);
        QTest::newRow("at the right end: right edges meet") << wide << 880 << 100 << 116 << QPoint(900 - 328, 120);
        QTest::newRow("just fits at the right") << wide << 900 - 328 << 100 << 116 << QPoint(900 - 328, 120);
        QTest::newRow("narrower than the dialog: centred") << QRect(100, 50, 200, 600) << 150 << 100 << 116 << QPoint(100 - 64, 120);
        QTest::newRow("centred, odd difference rounds down") << QRect(0, 0, 327, 600) << 10 << 0 << 16 << QPoint(0, 20);
        QTest::newRow("as wide as the dialog: centred") << QRect(10, 0, 328, 600) << 200 << 0 << 16 << QPoint(10, 20);
        QTest::newRow("bottom in the lower third: above") << wide << 300 << 440 << 451 << QPoint(300, 440 - 98 - 4);
        QTest::newRow("bottom exactly at two thirds: below") << wide << 300 << 434 << 450 << QPoint(300, 454);
        QTest::newRow("two thirds rounded up") << QRect(0, 0, 800, 400) << 0 << 250 << 267 << QPoint(0, 271);   // 266.67 -> 267
        QTest::newRow("two thirds rounded down") << QRect(0, 0, 800, 401) << 0 << 250 << 268 << QPoint(0, 250 - 102);  // 267.33 -> 267
    }
    void placement()
    {
        QFETCH(QRect, rect);
        QFETCH(int, x);
        QFETCH(int, y1);
        QFETCH(int, y2);
        QFETCH(QPoint, expected);
        QCOMPARE(ConfirmReplacePlacement(rect, QSize(328, 98), x, y1, y2), expected);
    }
};

QTEST_GUILESS_MAIN(TestConfirmReplacePlacement)
#include "tst_confirmreplaceplacement.moc"
