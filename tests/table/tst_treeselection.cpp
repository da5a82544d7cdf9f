#include "support/ShapedTable.h"
#include "support/TreeShape.h"
#include "table/ConnectionTree.h"
#include "table/TreeSelection.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>

namespace {

// Every node of the table from RootNode on, in pre-order.
QList<ConnectionNode *> nodesOf(const ShapedTable &t)
{
    QList<ConnectionNode *> all{t.doc.RootNode()};
    ConnectionTree::forEachBelow(t.doc.RootNode(), [&all](ConnectionNode *n) { all << n; });
    return all;
}

} // namespace

class TestTreeSelection : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Selected in any order, with repeats and gaps: the nodes come in tree order, each once,
    // whether a few of the tree's nodes are selected or most of them.
    void nodesInTreeOrder()
    {
        QRandomGenerator rng(31);
        const QByteArrayList names = {"a", "b", "c"};
        for (int round = 0; round < 200; ++round) {
            ShapedTable t(RandomShape(rng, names, 6, 4));
            const QList<ConnectionNode *> all = nodesOf(t);
            QList<ConnectionNode *> picked;
            const int wanted = rng.bounded(1, static_cast<int>(all.size()) + 1);
            for (int i = 0; i < wanted; ++i)
                picked << all.at(rng.bounded(all.size()));
            picked << nullptr << picked.first();
            QList<ConnectionNode *> expected;
            for (ConnectionNode *n : std::as_const(all))
                if (picked.contains(n))
                    expected << n;
            std::shuffle(picked.begin(), picked.end(), rng);

            const TreeSelection withTree(picked.first(), picked, &t.doc.tree());
            const TreeSelection alone(picked.first(), picked);
            QCOMPARE(withTree.nodes(), expected);
            QCOMPARE(alone.nodes(), expected);
            QCOMPARE(withTree.focused(), picked.first());
            QCOMPARE(withTree.size(), expected.size());
            for (const ConnectionNode *n : std::as_const(all))
                QCOMPARE(withTree.contains(n), expected.contains(n));
            QVERIFY(!withTree.contains(nullptr));
        }
    }

    // Nodes left out one after another, from a selection whose copies ask about their nodes
    // before or after: each selection answers for its own nodes, and the selections it came
    // from keep theirs.
    void leavingNodesOut()
    {
        QRandomGenerator rng(47);
        const QByteArrayList names = {"a", "b", "c"};
        for (int round = 0; round < 100; ++round) {
            ShapedTable t(RandomShape(rng, names, 5, 4));
            const QList<ConnectionNode *> all = nodesOf(t);
            const TreeSelection whole = TreeSelection::inTreeOrder(all.first(), all);
            const TreeSelection copy = whole;
            if (round % 2)
                QVERIFY(copy.contains(all.last()));
            QList<TreeSelection> made{whole};
            QList<QList<ConnectionNode *>> expected{all};
            const int steps = rng.bounded(1, 4);
            for (int step = 0; step < steps; ++step) {
                QList<ConnectionNode *> left = expected.last();
                ConnectionNode *out = all.at(rng.bounded(all.size()));
                left.removeOne(out);
                made << made.last().without(out);
                expected << left;
            }
            for (qsizetype i = 0; i < made.size(); ++i) {
                QCOMPARE(made[i].nodes(), expected[i]);
                QCOMPARE(made[i].focused(), all.first());
                for (const ConnectionNode *n : std::as_const(all))
                    QCOMPARE(made[i].contains(n), expected[i].contains(n));
            }
            for (const ConnectionNode *n : std::as_const(all))
                QVERIFY(copy.contains(n));
        }
    }
};

QTEST_GUILESS_MAIN(TestTreeSelection)
#include "tst_treeselection.moc"
