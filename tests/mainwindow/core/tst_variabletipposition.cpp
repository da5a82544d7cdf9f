#include "mainwindow/core/VariableTipPosition.h"

#include <QTest>

class TestVariableTipPosition : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void placesTheTipAboveTheClick_data()
    {
        QTest::addColumn<QPoint>("mouse");
        QTest::addColumn<QSize>("tip");
        QTest::addColumn<QPoint>("expected");
        // The editor spans x 10 to 409 and y 20 to 319 of the page.
        QTest::newRow("room enough: above the point") << QPoint(100, 200) << QSize(80, 18) << QPoint(100, 182);
        QTest::newRow("ends exactly at the right edge") << QPoint(330, 200) << QSize(80, 18) << QPoint(330, 182);
        QTest::newRow("beyond the right edge: pulled left") << QPoint(390, 200) << QSize(80, 18) << QPoint(330, 182);
        QTest::newRow("near the top: starts at the editor's top") << QPoint(100, 30) << QSize(80, 18) << QPoint(100, 20);
        QTest::newRow("top right corner") << QPoint(405, 21) << QSize(80, 18) << QPoint(330, 20);
        QTest::newRow("wider than the editor: from its left edge") << QPoint(200, 200) << QSize(500, 18)
                                                                   << QPoint(10, 182);
    }
    void placesTheTipAboveTheClick()
    {
        QFETCH(QPoint, mouse);
        QFETCH(QSize, tip);
        QFETCH(QPoint, expected);
        QCOMPARE(VariableTipPosition(mouse, tip, QRect(10, 20, 400, 300)), expected);
    }
};

QTEST_GUILESS_MAIN(TestVariableTipPosition)
#include "tst_variabletipposition.moc"
