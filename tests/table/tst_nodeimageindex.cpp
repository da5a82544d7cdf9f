#include "table/ConnectionTree.h"
#include "table/NodeImageIndex.h"

#include <QtTest>

class TestNodeImageIndex : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void icons_data();
    void icons();
};

void TestNodeImageIndex::icons_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("macro");
    QTest::addColumn<bool>("isRoot");
    QTest::addColumn<bool>("marked");
    QTest::addColumn<bool>("cutMode");
    QTest::addColumn<int>("index");
    QTest::newRow("top node") << QByteArray("x") << QByteArray("m") << true << false << false << 0;
    QTest::newRow("top node, cut") << QByteArray("x") << QByteArray() << true << true << true << 0;
    QTest::newRow("no macro") << QByteArray("a") << QByteArray() << false << false << false << 1;
    QTest::newRow("macro") << QByteArray("a") << QByteArray("%20") << false << false << false << 2;
    QTest::newRow("separator") << QByteArray(SeparatorText) << QByteArray("m") << false << false << false << 3;
    QTest::newRow("no macro, cut") << QByteArray("a") << QByteArray() << false << true << true << 4;
    QTest::newRow("macro, cut") << QByteArray("a") << QByteArray("m") << false << true << true << 5;
    QTest::newRow("separator, cut") << QByteArray("-x") << QByteArray() << false << true << true << 6;
    // A copy marks too, but the icons stay as they are.
    QTest::newRow("macro, copied") << QByteArray("a") << QByteArray("m") << false << true << false << 2;
    QTest::newRow("cut mode, unmarked") << QByteArray("a") << QByteArray("m") << false << false << true << 2;
}

void TestNodeImageIndex::icons()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, macro);
    QFETCH(bool, isRoot);
    QFETCH(bool, marked);
    QFETCH(bool, cutMode);
    QFETCH(int, index);
    ConnectionTree tree;
    rVTNodeData d;
    d.Name = name;
    d.Macro = macro;
    ConnectionNode *node = tree.addChild(tree.invisibleRoot(), d);
    QCOMPARE(NodeImageIndex(node, isRoot, marked, cutMode), index);
}

QTEST_GUILESS_MAIN(TestNodeImageIndex)
#include "tst_nodeimageindex.moc"
