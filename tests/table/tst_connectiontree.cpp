#include "table/ConnectionTree.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

// Builds "name(child child) name" shapes quickly and reads them back the same way.
namespace {

rVTNodeData named(const char *name)
{
    rVTNodeData d;
    d.Name = name;
    return d;
}

QString shape(const ConnectionNode *n)
{
    QString s = QString::fromLatin1(n->data.Name) + QLatin1Char(':') + QString::number(n->data.Level);
    if (n->hasChildren()) {
        QStringList parts;
        for (int i = 0; i < n->childCount(); ++i) {
            Q_ASSERT(n->child(i)->row() == i);
            parts << shape(n->child(i));
        }
        s += QLatin1Char('(') + parts.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return s;
}

} // namespace

class TestConnectionTree : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initialisesLevelsFromParent()
    {
        ConnectionTree tree;
        rVTNodeData top = named("");
        top.Kind = 2;
        top.Level = 7;
        ConnectionNode *root = tree.addChild(nullptr, top);
        QCOMPARE(tree.RootNode(), root);
        QCOMPARE(root->data.Level, 0);
        QCOMPARE(root->data.Kind, 0);
        rVTNodeData a = named("a");
        a.Kind = 2;
        a.Level = 99;
        ConnectionNode *na = tree.addChild(root, a);
        QCOMPARE(na->data.Level, 1);
        QCOMPARE(na->data.Kind, 2);  // travels with the record
        QCOMPARE(tree.addChild(na, named("b"))->data.Level, 2);
    }

    void movesBranchAndRelevels_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("expected");
        QTest::newRow("down one") << "a->root@2" << ":0(b:1 a:1(a1:2) c:1)";
        QTest::newRow("to end") << "a->root@-1" << ":0(b:1 c:1 a:1(a1:2))";
        QTest::newRow("same place") << "a->root@1" << ":0(a:1(a1:2) b:1 c:1)";
        QTest::newRow("into sibling") << "a->c@0" << ":0(b:1 c:1(a:2(a1:3)))";
        QTest::newRow("up a level") << "a1->root@0" << ":0(a1:1 a:1 b:1 c:1)";
        QTest::newRow("into own branch refused") << "a->a1@0" << ":0(a:1(a1:2) b:1 c:1)";
    }
    void movesBranchAndRelevels()
    {
        QFETCH(QString, what);
        QFETCH(QString, expected);
        ConnectionTree tree;
        ConnectionNode *root = tree.addChild(nullptr);
        ConnectionNode *a = tree.addChild(root, named("a"));
        ConnectionNode *a1 = tree.addChild(a, named("a1"));
        tree.addChild(root, named("b"));
        ConnectionNode *c = tree.addChild(root, named("c"));
        const QStringList parts = what.split(QRegularExpression(QStringLiteral("->|@")));
        const QHash<QString, ConnectionNode *> byName{{"a", a}, {"a1", a1}, {"c", c}, {"root", root}};
        tree.moveNode(byName[parts[0]], byName[parts[1]], parts[2].toInt());
        QCOMPARE(shape(root), expected);
    }

    void copiesBranchIntoItself()
    {
        ConnectionTree tree;
        ConnectionNode *root = tree.addChild(nullptr);
        ConnectionNode *a = tree.addChild(root, named("a"));
        tree.addChild(a, named("a1"));
        tree.copyBranch(a, a, 0);
        QCOMPARE(shape(root), QStringLiteral(":0(a:1(a:2(a1:3) a1:2))"));
    }

    void preorderAndAbsoluteIndex()
    {
        ConnectionTree tree;
        ConnectionNode *root = tree.addChild(nullptr);
        ConnectionNode *a = tree.addChild(root, named("a"));
        ConnectionNode *a1 = tree.addChild(a, named("a1"));
        ConnectionNode *b = tree.addChild(root, named("b"));
        QStringList seen;
        ConnectionTree::forEachBelow(root, [&](ConnectionNode *n) { seen << QString::fromLatin1(n->data.Name); });
        QCOMPARE(seen, QStringList({"a", "a1", "b"}));
        QCOMPARE(ConnectionTree::countBelow(a), 1);
        QCOMPARE(ConnectionTree::countBelow(a1), 0);
        QCOMPARE(tree.absoluteIndex(root), 0);
        QCOMPARE(tree.absoluteIndex(b), 3);
        QCOMPARE(tree.nodeAtAbsoluteIndex(2), a1);
        QCOMPARE(tree.nodeAtAbsoluteIndex(4), nullptr);
        QCOMPARE(tree.nodeAtAbsoluteIndex(-1), nullptr);
    }

    void bulkChangeSignalsOneReset()
    {
        ConnectionTree tree;
        ConnectionNode *root = tree.addChild(nullptr);
        QSignalSpy inserted(&tree, &ConnectionTree::nodesInserted);
        QSignalSpy reset(&tree, &ConnectionTree::resetDone);
        {
            BulkChange bulk(tree);
            for (int i = 0; i < 10; ++i)
                tree.addChild(root, named("x"));
        }
        QCOMPARE(inserted.count(), 0);
        QCOMPARE(reset.count(), 1);
        tree.addChild(root, named("y"));
        QCOMPARE(inserted.count(), 1);
    }

    void removeKeepsRowsInOrder()
    {
        ConnectionTree tree;
        ConnectionNode *root = tree.addChild(nullptr);
        tree.addChild(root, named("a"));
        ConnectionNode *b = tree.addChild(root, named("b"));
        tree.addChild(root, named("c"));
        tree.removeNode(b);
        QCOMPARE(shape(root), QStringLiteral(":0(a:1 c:1)"));
        tree.clear();
        QCOMPARE(tree.RootNode(), nullptr);
    }

    void deepBranchesNeedNoRecursion()
    {
        // Far deeper than a call stack holds frames: a table file can build such a chain.
        constexpr int depth = 400000;
        auto tree = std::make_unique<ConnectionTree>();
        ConnectionNode *root = tree->addChild(nullptr);
        ConnectionNode *other = tree->addChild(root, named("other"));
        ConnectionNode *top = tree->addChild(root, named("top"));
        ConnectionNode *deepest = top;
        for (int i = 1; i < depth; ++i)
            deepest = tree->addChild(deepest, named("n"));
        QCOMPARE(deepest->data.Level, depth);

        QVERIFY(tree->moveNode(top, other, -1));
        QCOMPARE(deepest->data.Level, depth + 1);
        ConnectionNode *copy = tree->copyBranch(top, root, 0);
        QCOMPARE(ConnectionTree::countBelow(copy), depth - 1);
        QCOMPARE(tree->absoluteIndex(other), depth + 1);
        tree->removeNode(copy);
        QCOMPARE(ConnectionTree::countBelow(root), depth + 1);
        tree.reset();
    }
};

QTEST_GUILESS_MAIN(TestConnectionTree)
#include "tst_connectiontree.moc"
