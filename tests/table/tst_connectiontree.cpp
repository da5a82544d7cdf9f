#include "table/ConnectionTree.h"
#include "table/TreeRules.h"

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

// "a(a1 a2 a3) b c d e" below RootNode, each node found by its name.
struct Lettered
{
    ConnectionTree tree;
    ConnectionNode *root = tree.addChild(nullptr);
    QHash<QString, ConnectionNode *> byName{{QString(), root}};

    Lettered()
    {
        ConnectionNode *a = add(root, "a");
        for (const char *n : {"a1", "a2", "a3"})
            add(a, n);
        for (const char *n : {"b", "c", "d", "e"})
            add(root, n);
    }
    ConnectionNode *add(ConnectionNode *parent, const char *name)
    {
        return byName[QLatin1String(name)] = tree.addChild(parent, named(name));
    }
    QList<ConnectionNode *> nodes(const QStringList &names) const
    {
        QList<ConnectionNode *> out;
        for (const QString &n : names)
            out << byName.value(n);
        return out;
    }
    // The parents whose children's names a check visits now, by name.
    QStringList checked(ConnectionNode *top)
    {
        QStringList visited;
        tree.checkUncheckedNames(top, [&](ConnectionNode *p) { visited << QString::fromLatin1(p->data.Name); });
        visited.sort();
        return visited;
    }
};

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

    // Many branches go in one removal per run of neighbouring siblings; the count of nodes
    // follows.
    void removesRunsOfNeighbours_data()
    {
        QTest::addColumn<QStringList>("removed");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QStringList>("runs");  // parent:first-last, sorted
        QTest::newRow("one") << QStringList{"c"} << ":0(a:1(a1:2 a2:2 a3:2) b:1 d:1 e:1)" << QStringList{":2-2"};
        QTest::newRow("neighbours in any order")
            << QStringList{"d", "b", "c"} << ":0(a:1(a1:2 a2:2 a3:2) e:1)" << QStringList{":1-3"};
        QTest::newRow("apart") << QStringList{"b", "e"} << ":0(a:1(a1:2 a2:2 a3:2) c:1 d:1)"
                               << QStringList{":1-1", ":4-4"};
        QTest::newRow("below two parents")
            << QStringList{"a3", "a1", "e", "d"} << ":0(a:1(a2:2) b:1 c:1)" << QStringList{":3-4", "a:0-0", "a:2-2"};
        QTest::newRow("a branch with its children") << QStringList{"a"} << ":0(b:1 c:1 d:1 e:1)" << QStringList{":0-0"};
    }
    void removesRunsOfNeighbours()
    {
        QFETCH(QStringList, removed);
        QFETCH(QString, expected);
        QFETCH(QStringList, runs);
        Lettered t;
        QStringList told;
        connect(&t.tree, &ConnectionTree::nodesAboutToBeRemoved, this, [&](ConnectionNode *parent, int first, int last) {
            told << QStringLiteral("%1:%2-%3").arg(QString::fromLatin1(parent->data.Name)).arg(first).arg(last);
        });
        t.tree.removeNodes(t.nodes(removed));
        told.sort();
        QCOMPARE(told, runs);
        QCOMPARE(shape(t.root), expected);
        QCOMPARE(t.tree.nodeCount(), 1 + ConnectionTree::countBelow(t.root));
    }

    // Many branches move in one move per run of neighbours, in their order, before the anchor.
    void movesRunsOfNeighbours_data()
    {
        QTest::addColumn<QStringList>("moved");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("anchor");  // empty: after the last child
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("moves");
        QTest::newRow("neighbours to another parent")
            << QStringList{"c", "d"} << "a" << "a2" << ":0(a:1(a1:2 c:2 d:2 a2:2 a3:2) b:1 e:1)" << 1;
        QTest::newRow("apart, to the end of another parent")
            << QStringList{"b", "d"} << "a" << "" << ":0(a:1(a1:2 a2:2 a3:2 b:2 d:2) c:1 e:1)" << 2;
        QTest::newRow("among their siblings")
            << QStringList{"d", "e"} << "" << "b" << ":0(a:1(a1:2 a2:2 a3:2) d:1 e:1 b:1 c:1)" << 1;
        QTest::newRow("already in place") << QStringList{"b", "c"} << "" << "d" << ":0(a:1(a1:2 a2:2 a3:2) b:1 c:1 d:1 e:1)" << 0;
        QTest::newRow("a branch one level down, levels following")
            << QStringList{"a"} << "e" << "" << ":0(b:1 c:1 d:1 e:1(a:2(a1:3 a2:3 a3:3)))" << 1;
        QTest::newRow("from two parents, in the order given")
            << QStringList{"e", "a2"} << "b" << "" << ":0(a:1(a1:2 a3:2) b:1(e:2 a2:2) c:1 d:1)" << 2;
    }
    void movesRunsOfNeighbours()
    {
        QFETCH(QStringList, moved);
        QFETCH(QString, parent);
        QFETCH(QString, anchor);
        QFETCH(QString, expected);
        QFETCH(int, moves);
        Lettered t;
        QSignalSpy told(&t.tree, &ConnectionTree::nodesMoved);
        t.tree.moveNodes(t.nodes(moved), t.byName.value(parent), anchor.isEmpty() ? nullptr : t.byName.value(anchor));
        QCOMPARE(shape(t.root), expected);
        QCOMPARE(told.count(), moves);
        QCOMPARE(t.tree.nodeCount(), 9);
    }

    // Branches built apart go in as one insertion, at the depth of their new place, and the
    // counts of both trees follow.
    void takesBranchesBuiltApart()
    {
        Lettered t;
        ConnectionTree built;
        ConnectionNode *holder = built.addChild(nullptr);
        ConnectionNode *x = built.addChild(holder, named("x"));
        built.addChild(x, named("x1"));
        built.addChild(holder, named("y"));
        built.addChild(holder, named("z"));
        QList<QList<int>> inserted;
        connect(&t.tree, &ConnectionTree::nodesAboutToBeInserted, this,
                [&](ConnectionNode *, int first, int last) { inserted << QList<int>{first, last}; });

        const QList<ConnectionNode *> taken = t.tree.takeChildren(built, holder, 2, t.byName.value("a"), 1);
        QCOMPARE(taken.size(), 2);
        QCOMPARE(taken.first(), x);
        QCOMPARE(inserted, (QList<QList<int>>{{1, 2}}));
        QCOMPARE(shape(t.root), QStringLiteral(":0(a:1(a1:2 x:2(x1:3) y:2 a2:2 a3:2) b:1 c:1 d:1 e:1)"));
        QCOMPARE(t.tree.nodeCount(), 12);
        QCOMPARE(built.nodeCount(), 2);
        QCOMPARE(shape(holder), QStringLiteral(":0(z:1)"));

        // Copies go in the same way, as one insertion.
        inserted.clear();
        const QList<ConnectionNode *> copies = t.tree.copyBranches(t.nodes({"a", "e"}), t.byName.value("e"), -1);
        QCOMPARE(inserted, (QList<QList<int>>{{0, 1}}));
        QCOMPARE(shape(copies.first()), QStringLiteral("a:2(a1:3 x:3(x1:4) y:3 a2:3 a3:3)"));
        QCOMPARE(shape(copies.last()), QStringLiteral("e:2"));
        QCOMPARE(t.tree.nodeCount(), 20);
    }

    // The rest of a holder taken at once is counted from the tree it was built in.
    void takesTheRestOfTheBranchesCounted_data()
    {
        QTest::addColumn<int>("first");
        QTest::newRow("all at once") << 3;
        QTest::newRow("one, then the rest") << 1;
    }

    void takesTheRestOfTheBranchesCounted()
    {
        QFETCH(int, first);
        Lettered t;
        ConnectionTree built;
        ConnectionNode *holder = built.addChild(nullptr);
        ConnectionNode *x = built.addChild(holder, named("x"));
        built.addChild(built.addChild(x, named("x1")), named("x2"));
        built.addChild(holder, named("y"));
        built.addChild(holder, named("z"));
        t.tree.takeChildren(built, holder, first, t.root, -1);
        t.tree.takeChildren(built, holder, holder->childCount(), t.root, -1);
        QCOMPARE(t.tree.nodeCount(), 9 + 5);
        QCOMPARE(built.nodeCount(), 1);
        QCOMPARE(ConnectionTree::countBelow(t.root), t.tree.nodeCount() - 1);
    }

    // Removals say when a node seen in the tree may have left it; adding and moving do not.
    void countsRemovals_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("removes");
        QTest::newRow("add") << "add" << false;
        QTest::newRow("move") << "move" << false;
        QTest::newRow("copy") << "copy" << false;
        QTest::newRow("remove") << "remove" << true;
        QTest::newRow("clear") << "clear" << true;
        QTest::newRow("taken into another tree") << "take" << true;
    }

    void countsRemovals()
    {
        QFETCH(QString, change);
        QFETCH(bool, removes);
        Lettered t;
        ConnectionTree other;
        ConnectionNode *otherRoot = other.addChild(nullptr);
        const quint64 before = t.tree.removals();
        if (change == QLatin1String("add"))
            t.add(t.root, "f");
        else if (change == QLatin1String("move"))
            t.tree.moveNode(t.byName.value("b"), t.byName.value("a"), 0);
        else if (change == QLatin1String("copy"))
            t.tree.copyBranch(t.byName.value("a"), t.root, -1);
        else if (change == QLatin1String("remove"))
            t.tree.removeNode(t.byName.value("a2"));
        else if (change == QLatin1String("clear"))
            t.tree.clear();
        else
            other.takeChildren(t.tree, t.byName.value("a"), 1, otherRoot, -1);
        QCOMPARE(t.tree.removals() != before, removes);
    }

    // Only a group that gained a child or a name since its last check is checked again.
    void checksOnlyGroupsThatChanged_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("visited");
        QTest::newRow("nothing") << "" << QStringList{};
        QTest::newRow("a child added") << "add" << QStringList{"a"};
        QTest::newRow("a name told changed") << "rename" << QStringList{"a"};
        QTest::newRow("moved to another parent") << "move" << QStringList{"c"};
        QTest::newRow("moved among its siblings") << "reorder" << QStringList{};
        QTest::newRow("a branch copied") << "copy" << QStringList{"a", "e"};
        QTest::newRow("a branch removed") << "remove" << QStringList{};
    }
    void checksOnlyGroupsThatChanged()
    {
        QFETCH(QString, change);
        QFETCH(QStringList, visited);
        Lettered t;
        QCOMPARE(t.checked(t.tree.invisibleRoot()), (QStringList{"", "", "a"}));
        ConnectionNode *a = t.byName.value("a");
        if (change == QLatin1String("add"))
            t.tree.addChild(a, named("a4"));
        else if (change == QLatin1String("rename"))
            t.tree.notifyChanged(t.byName.value("a2"));
        else if (change == QLatin1String("move"))
            t.tree.moveNode(t.byName.value("a2"), t.byName.value("c"), -1);
        else if (change == QLatin1String("reorder"))
            t.tree.moveNode(t.byName.value("a2"), a, 0);
        else if (change == QLatin1String("copy"))
            t.tree.copyBranch(a, t.byName.value("e"), -1);
        else if (change == QLatin1String("remove"))
            t.tree.removeNode(t.byName.value("a2"));
        // A check of another branch leaves the change for a check that covers it.
        QCOMPARE(t.checked(t.byName.value("b")), QStringList{});
        QCOMPARE(t.checked(t.tree.invisibleRoot()), visited);
        QCOMPARE(t.checked(t.tree.invisibleRoot()), QStringList{});
    }

    // After a table read, the groups whose names do not clash count as checked; the ones that
    // clash, at any depth, are still looked at by the next check.
    void settledGroupsAreNotCheckedAgain_data()
    {
        QTest::addColumn<QString>("clash");
        QTest::addColumn<QStringList>("visited");
        QTest::newRow("no clash") << "" << QStringList{};
        QTest::newRow("below a") << "a" << QStringList{"a"};
        QTest::newRow("below RootNode") << "root" << QStringList{""};
        QTest::newRow("deep down") << "a1" << QStringList{"a1"};
        QTest::newRow("separators only") << "separators" << QStringList{};
    }

    void settledGroupsAreNotCheckedAgain()
    {
        QFETCH(QString, clash);
        QFETCH(QStringList, visited);
        Lettered t;
        t.add(t.byName.value("a1"), "deep");
        if (clash == QLatin1String("separators")) {
            t.add(t.root, "-");
            t.add(t.root, "-");
        } else if (!clash.isEmpty()) {
            ConnectionNode *parent = t.byName.value(clash == QLatin1String("root") ? QString() : clash);
            t.tree.addChild(parent, parent->firstChild()->data);
        }
        t.tree.settleUncheckedNames(t.tree.invisibleRoot(), ChildrenNamesClash);
        QCOMPARE(t.checked(t.tree.invisibleRoot()), visited);
    }

    // Large branches removed or emptied away leave the tree whole and counted right at once;
    // their nodes are freed afterwards, while the event loop is idle.
    void largeBranchesRemoved_data()
    {
        QTest::addColumn<bool>("clear");
        QTest::addColumn<bool>("destroyedAtOnce");
        QTest::newRow("removed") << false << false;
        QTest::newRow("the tree emptied") << true << false;
        QTest::newRow("the tree destroyed before its nodes are freed") << true << true;
    }

    void largeBranchesRemoved()
    {
        QFETCH(bool, clear);
        QFETCH(bool, destroyedAtOnce);
        auto tree = std::make_unique<ConnectionTree>();
        ConnectionNode *root = tree->addChild(nullptr);
        ConnectionNode *big = tree->addChild(root, named("big"));
        ConnectionNode *small = tree->addChild(root, named("small"));
        for (int i = 0; i < 300; ++i) {
            ConnectionNode *rack = tree->addChild(big, named("rack"));
            for (int j = 0; j < 100; ++j)
                tree->addChild(rack, named("host"));
        }
        QCOMPARE(tree->nodeCount(), 3 + 300 * 101);
        if (clear) {
            tree->clear();
            QCOMPARE(tree->nodeCount(), 0);
            root = tree->addChild(nullptr);
            tree->addChild(root, named("again"));
            QCOMPARE(shape(root), QStringLiteral(":0(again:1)"));
        } else {
            tree->removeNodes({big});
            QCOMPARE(tree->nodeCount(), 2);
            QCOMPARE(small->row(), 0);
            QCOMPARE(shape(root), QStringLiteral(":0(small:1)"));
            tree->removeNodes({small});
        }
        // A second large removal right after the first.
        ConnectionNode *again = tree->addChild(tree->RootNode(), named("again"));
        for (int i = 0; i < 30000; ++i)
            tree->addChild(again, named("host"));
        tree->removeNode(again);
        QCOMPARE(tree->nodeCount(), clear ? 2 : 1);
        QVERIFY(tree->freeingRemovedNodes());
        if (destroyedAtOnce) {
            tree.reset();
            return;
        }
        QTRY_VERIFY(!tree->freeingRemovedNodes());
        QCOMPARE(tree->nodeCount(), clear ? 2 : 1);
        QCOMPARE(shape(tree->RootNode()), clear ? QStringLiteral(":0(again:1)") : QStringLiteral(":0"));
        tree.reset();
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
