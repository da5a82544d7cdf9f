#include "mainwindow/core/NodeColors.h"
#include "table/ColorSet.h"
#include "table/rVTNodeData.h"

#include <QtTest>

namespace {

// Normal text 1,2,3 on 4,5,6.
const QByteArray kIni = "1:2:3:4:5:6:7:8:9:10:11:12:13:14:15:16:17:18:19:20:21:22:23:24";
// Normal text 10,20,30 on 40,50,60.
const QByteArray kNode = "10:20:30:40:50:60:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0";

} // namespace

class TestNodeColors : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The node's own Normal colours; TeraTerm's when the node has none that parse; the first
    // scheme (black on light colour) where TeraTerm's do not parse either.
    void normalColours_data()
    {
        QTest::addColumn<bool>("hasNode");
        QTest::addColumn<QByteArray>("colors");
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<quint32>("text");
        QTest::addColumn<quint32>("back");
        QTest::newRow("the node's") << true << kNode << kIni << 0x0A141Eu << 0x28323Cu;
        QTest::newRow("no colours of its own") << true << QByteArray() << kIni << 0x010203u << 0x040506u;
        QTest::newRow("a text that does not parse") << true << QByteArray(kNode).replace("10:", "x:") << kIni
                                                    << 0x010203u << 0x040506u;
        QTest::newRow("no node") << false << kNode << kIni << 0x010203u << 0x040506u;
        QTest::newRow("TeraTerm's do not parse") << true << QByteArray() << QByteArray("1:2")
                                                 << 0x000000u << 0xFFFFD8u;
        QTest::newRow("TeraTerm's fail in one field") << true << QByteArray()
                                                      << QByteArray(kIni).replace("4:5:", "y:5:")
                                                      << 0x010203u << 0xFF0506u;
    }

    void normalColours()
    {
        QFETCH(bool, hasNode);
        QFETCH(QByteArray, colors);
        QFETCH(QByteArray, ini);
        QFETCH(quint32, text);
        QFETCH(quint32, back);
        rVTNodeData node;
        node.Colors = colors;
        const rVTNodeData *n = hasNode ? &node : nullptr;
        QCOMPARE(GetNodeTextColor(n, ini), text);
        QCOMPARE(GetNodeBackColor(n, ini), back);
    }
};

QTEST_GUILESS_MAIN(TestNodeColors)
#include "tst_nodecolors.moc"
