#include "support/ShapedTable.h"
#include "support/TreeShape.h"
#include "table/ConnectionTree.h"
#include "table/TreeSelection.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>

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
            QList<ConnectionNode *> all{t.doc.RootNode()};
            ConnectionTree::forEachBelow(t.doc.RootNode(), [&all](ConnectionNode *n) { all << n; });
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
};

QTEST_GUILESS_MAIN(TestTreeSelection)
#include "tst_treeselection.moc"
