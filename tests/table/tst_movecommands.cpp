#include "support/ShapedTable.h"
#include "support/TreeShape.h"
#include "table/MoveCommands.h"
#include "table/NodeSelection.h"
#include "table/TableDocument.h"
#include "table/TreeRules.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

struct Fixture : ShapedTable
{
    using ShapedTable::ShapedTable;

    QList<ConnectionNode *> nodes(const QStringList &paths) const
    {
        QList<ConnectionNode *> out;
        for (const QString &p : paths)
            out.append(at(p));
        return out;
    }
};

const QByteArray S = SeparatorText;

} // namespace

Q_DECLARE_METATYPE(DropPosition)

class TestMoveCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void moveUpDown_data()
    {
        QTest::addColumn<QByteArray>("shape");
        QTest::addColumn<QString>("focus");   // "-" for none
        QTest::addColumn<bool>("up");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QByteArray>("levels");
        QTest::newRow("first child up") << QByteArray("A|B") << "0" << true << QByteArray("A|B") << QByteArray("1 1");
        QTest::newRow("last child down") << QByteArray("A|B") << "1" << false << QByteArray("A|B") << QByteArray("1 1");
        QTest::newRow("deep first child up") << QByteArray("A[B|C]|D") << "0/0" << true << QByteArray("A[B|C]|D")
                                             << QByteArray("1 2 2 1");
        QTest::newRow("RootNode up") << QByteArray("A") << "" << true << QByteArray("A") << QByteArray("1");
        QTest::newRow("no focus") << QByteArray("A|B") << "-" << false << QByteArray("A|B") << QByteArray("1 1");
        QTest::newRow("second up") << QByteArray("A|B|C") << "1" << true << QByteArray("B|A|C") << QByteArray("1 1 1");
        QTest::newRow("second down") << QByteArray("A|B|C") << "1" << false << QByteArray("A|C|B") << QByteArray("1 1 1");
        QTest::newRow("branch up past a branch") << QByteArray("A[a1[a2]]|B[b1]") << "1" << true
                                                 << QByteArray("B[b1]|A[a1[a2]]") << QByteArray("1 2 1 2 3");
        QTest::newRow("branch down inside a parent") << QByteArray("P[A[a1]|B[b1[b2]]|C]") << "0/0" << false
                                                     << QByteArray("P[B[b1[b2]]|A[a1]|C]") << QByteArray("1 2 3 4 2 3 2");
        QTest::newRow("separator moves as it is") << QByteArray("A|" + S) << "1" << true << QByteArray(S + "|A")
                                                  << QByteArray("1 1");
        QTest::newRow("clash below the parent resolved") << QByteArray("N|N|A") << "2" << true
                                                         << QByteArray("N|A|Copy of N") << QByteArray("1 1 1");
    }

    void moveUpDown()
    {
        QFETCH(QByteArray, shape);
        QFETCH(QString, focus);
        QFETCH(bool, up);
        QFETCH(QByteArray, expected);
        QFETCH(QByteArray, levels);
        Fixture f(shape);
        ConnectionNode *focused = focus != QLatin1String("-") ? f.at(focus) : nullptr;
        const QByteArray name = focused ? focused->data.Name : QByteArray();
        const bool moved = up ? MnUpClick(f.doc, focused) : MnDownClick(f.doc, focused);
        QCOMPARE(f.shape(), expected);
        QCOMPARE(LevelsOf(f.doc.RootNode()), levels);
        QCOMPARE(moved, f.doc.tableModified());
        QCOMPARE(moved, shape != expected);
        // The node moved itself: the view's focus stays with it.
        if (focused)
            QCOMPARE(focused->data.Name, name);
    }

    void vtDragAllowed()
    {
        Fixture f("A[B]");
        QVERIFY(!VTDragAllowed(f.doc, f.doc.RootNode()));
        QVERIFY(VTDragAllowed(f.doc, f.at("0")));
        QVERIFY(VTDragAllowed(f.doc, f.at("0/0")));
        QVERIFY(!VTDragAllowed(f.doc, nullptr));
    }

    // The tree for the drop rules: A[A1[A11]|A2]|S|B[B1]|C, S a separator.
    void canDrop_data()
    {
        QTest::addColumn<QString>("current");      // "-" for none
        QTest::addColumn<QStringList>("dragged");  // empty: data from another instance
        QTest::addColumn<QString>("target");       // "-" for none
        QTest::addColumn<DropPosition>("position");
        QTest::addColumn<bool>("accepted");
        const auto above = DropPosition::Above;
        const auto on = DropPosition::On;
        const auto below = DropPosition::Below;
        QTest::newRow("no target") << "2" << QStringList{"2"} << "-" << on << false;
        QTest::newRow("nowhere") << "2" << QStringList{"2"} << "3" << DropPosition::Nowhere << false;
        QTest::newRow("onto a connection") << "3" << QStringList{"3"} << "0" << on << true;
        QTest::newRow("above a connection") << "3" << QStringList{"3"} << "0" << above << true;
        QTest::newRow("below a deep connection") << "3" << QStringList{"3"} << "0/0/0" << below << true;
        QTest::newRow("on itself") << "2" << QStringList{"2"} << "2" << on << false;
        QTest::newRow("above itself") << "2" << QStringList{"2"} << "2" << above << false;
        QTest::newRow("below itself") << "2" << QStringList{"2"} << "2" << below << false;
        QTest::newRow("on its parent") << "0/0" << QStringList{"0/0"} << "0" << on << false;
        QTest::newRow("above its parent") << "0/0/0" << QStringList{"0/0/0"} << "0/0" << above << false;
        QTest::newRow("below its parent") << "0/0/0" << QStringList{"0/0/0"} << "0/0" << below << false;
        QTest::newRow("beside a parent's sibling") << "0/0/0" << QStringList{"0/0/0"} << "0/1" << below << true;
        QTest::newRow("onto a separator") << "3" << QStringList{"3"} << "1" << on << false;
        QTest::newRow("above a separator") << "3" << QStringList{"3"} << "1" << above << true;
        QTest::newRow("below a separator") << "3" << QStringList{"3"} << "1" << below << true;
        QTest::newRow("into its own branch") << "0" << QStringList{"0"} << "0/0/0" << on << false;
        QTest::newRow("beside a node of its branch") << "0" << QStringList{"0"} << "0/0/0" << below << false;
        QTest::newRow("onto RootNode") << "0/0/0" << QStringList{"0/0/0"} << "" << on << true;
        QTest::newRow("above RootNode") << "0/0/0" << QStringList{"0/0/0"} << "" << above << false;
        QTest::newRow("below RootNode") << "0/0/0" << QStringList{"0/0/0"} << "" << below << false;
        // The whole selection travels: none of it may land in its own branch.
        QTest::newRow("into a branch of another dragged node") << "3" << QStringList{"0", "3"} << "0/1" << on << false;
        QTest::newRow("onto another dragged node") << "3" << QStringList{"2", "3"} << "2" << on << false;
        QTest::newRow("selection outside the target") << "3" << QStringList{"2/0", "3"} << "0" << on << true;
        QTest::newRow("after Select All") << "3"
                                          << QStringList{"", "0", "0/0", "0/0/0", "0/1", "1", "2", "2/0", "3"} << "0"
                                          << on << false;
        QTest::newRow("RootNode alone") << "-" << QStringList{""} << "0" << on << false;
        // With no picked node only the other rules are left.
        QTest::newRow("no current node") << "-" << QStringList{"3"} << "0" << on << true;
        QTest::newRow("no current node, separator") << "-" << QStringList{"3"} << "1" << on << false;
        QTest::newRow("no current node, own branch") << "-" << QStringList{"0"} << "0/1" << on << false;
        // Another instance's nodes are not in this tree: the picked node's rules do not apply.
        QTest::newRow("other instance onto the current node") << "0" << QStringList() << "0" << on << true;
        QTest::newRow("other instance into the current branch") << "0" << QStringList() << "0/0" << on << true;
        QTest::newRow("other instance onto a separator") << "0" << QStringList() << "1" << on << false;
        QTest::newRow("other instance beside RootNode") << "0" << QStringList() << "" << below << false;
    }

    void canDrop()
    {
        QFETCH(QString, current);
        QFETCH(QStringList, dragged);
        QFETCH(QString, target);
        QFETCH(DropPosition, position);
        QFETCH(bool, accepted);
        Fixture f("A[A1[A11]|A2]|" + S + "|B[B1]|C");
        f.doc.CurrentNode = current == QLatin1String("-") ? nullptr : f.at(current);
        ConnectionNode *t = target == QLatin1String("-") ? nullptr : f.at(target);
        QCOMPARE(CanDrop(f.doc, f.nodes(dragged), t, position), accepted);
        // A refused drop changes nothing.
        if (!accepted && !dragged.isEmpty()) {
            QVERIFY(DropNodes(f.doc, f.nodes(dragged), t, position, false).isEmpty());
            QCOMPARE(f.shape(), QByteArray("A[A1[A11]|A2]|" + S + "|B[B1]|C"));
            QVERIFY(!f.doc.tableModified());
        }
    }

    void drop_data()
    {
        QTest::addColumn<QStringList>("dragged");
        QTest::addColumn<QString>("target");
        QTest::addColumn<DropPosition>("position");
        QTest::addColumn<bool>("copy");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QByteArray>("levels");
        const auto above = DropPosition::Above;
        const auto on = DropPosition::On;
        const auto below = DropPosition::Below;
        QTest::newRow("onto a connection: last child, branch follows")
            << QStringList{"3"} << "0/1" << on << false << QByteArray("A[A1[A11]|A2[N[N1]]]|" + S + "|B[N1]")
            << QByteArray("1 2 3 2 3 4 1 1 2");
        QTest::newRow("above a separator") << QStringList{"0/1"} << "1" << above << false
                                           << QByteArray("A[A1[A11]]|A2|" + S + "|B[N1]|N[N1]")
                                           << QByteArray("1 2 3 1 1 1 2 1 2");
        QTest::newRow("below a separator") << QStringList{"0/0"} << "1" << below << false
                                           << QByteArray("A[A2]|" + S + "|A1[A11]|B[N1]|N[N1]")
                                           << QByteArray("1 2 1 1 2 1 2 1 2");
        QTest::newRow("lifted one level") << QStringList{"0/0/0"} << "0" << below << false
                                          << QByteArray("A[A1|A2]|A11|" + S + "|B[N1]|N[N1]")
                                          << QByteArray("1 2 2 1 1 1 2 1 2");
        QTest::newRow("separator keeps its name") << QStringList{"1"} << "2/0" << below << false
                                                  << QByteArray("A[A1[A11]|A2]|B[N1|" + S + "]|N[N1]")
                                                  << QByteArray("1 2 3 2 1 2 2 1 2");
        QTest::newRow("clashing name becomes a copy") << QStringList{"2/0"} << "3" << on << false
                                                      << QByteArray("A[A1[A11]|A2]|" + S + "|B|N[N1|Copy of N1]")
                                                      << QByteArray("1 2 3 2 1 1 1 2 2");
        QTest::newRow("several, tree order kept") << QStringList{"3", "0/0", "2/0"} << "1" << above << false
                                                  << QByteArray("A[A2]|A1[A11]|N1|N[N1]|" + S + "|B")
                                                  << QByteArray("1 2 1 2 1 1 2 1 1");
        QTest::newRow("nested selection moves once") << QStringList{"0", "0/0/0"} << "3" << on << false
                                                     << QByteArray(S + "|B[N1]|N[N1|A[A1[A11]|A2]]")
                                                     << QByteArray("1 1 2 1 2 2 3 4 3");
        QTest::newRow("copy onto a connection") << QStringList{"0/0"} << "2" << on << true
                                                << QByteArray("A[A1[A11]|A2]|" + S + "|B[N1|A1[A11]]|N[N1]")
                                                << QByteArray("1 2 3 2 1 1 2 2 3 1 2");
        QTest::newRow("copy beside its original's sibling") << QStringList{"2"} << "3" << below << true
                                                            << QByteArray("A[A1[A11]|A2]|" + S + "|B[N1]|N[N1]|Copy of B[N1]")
                                                            << QByteArray("1 2 3 2 1 1 2 1 2 1 2");
    }

    void drop()
    {
        QFETCH(QStringList, dragged);
        QFETCH(QString, target);
        QFETCH(DropPosition, position);
        QFETCH(bool, copy);
        QFETCH(QByteArray, expected);
        QFETCH(QByteArray, levels);
        Fixture f("A[A1[A11]|A2]|" + S + "|B[N1]|N[N1]");
        const QList<ConnectionNode *> nodes = f.nodes(dragged);
        f.doc.CurrentNode = nodes.first();
        const QList<ConnectionNode *> placed = DropNodes(f.doc, nodes, f.at(target), position, copy);
        QVERIFY(!placed.isEmpty());
        QCOMPARE(f.shape(), expected);
        QCOMPARE(LevelsOf(f.doc.RootNode()), levels);
        QVERIFY(f.doc.tableModified());
        // The placed branches are in the tree (the view opens their parents).
        for (ConnectionNode *n : placed)
            QVERIFY(f.doc.tree().absoluteIndex(n) > 0);
        if (!copy)
            QCOMPARE(placed, TopmostNodes(nodes));
    }

    // A copy keeps every field of its record but Level; the original stays as it was.
    void copyKeepsFields()
    {
        Fixture f("A|B[b]");
        ConnectionNode *b = f.at("1");
        b->data.Kind = NodeKindWithMacro;
        b->data.Macro = "m";
        b->data.Popup = "p";
        b->data.Schedule = "=1 2 3 4 5";
        b->data.LastUpdated = "Monday, 01-Sep-2025 00:00:00";
        b->data.Colors = "c";
        b->data.LogSession = true;
        f.doc.CurrentNode = b;
        const QList<ConnectionNode *> copies = DropNodes(f.doc, {b}, f.at("0"), DropPosition::On, true);
        QCOMPARE(copies.size(), 1);
        rVTNodeData expected = b->data;
        expected.Level = 2;
        QCOMPARE(copies.first()->data, expected);
        QCOMPARE(f.shape(), QByteArray("A[B[b]]|B[b]"));
    }

    void vtNodeMoved()
    {
        Fixture f("A[N|N[x|x]]|B");
        ConnectionNode *a = f.at("0");
        // Levels someone set wrong are put right for the whole tree.
        f.at("1")->data.Level = 7;
        f.at("0/1/0")->data.Level = 0;
        {
            LoadingScope loading(f.doc);
            VTNodeMoved(f.doc, f.at("0/1"));
            QCOMPARE(f.shape(), QByteArray("A[N|N[x|x]]|B"));
            QVERIFY(!f.doc.tableModified());
        }
        VTNodeMoved(f.doc, f.at("0/1"));
        QCOMPARE(f.shape(), QByteArray("A[N|Copy of N[x|Copy of x]]|B"));
        QCOMPARE(LevelsOf(f.doc.RootNode()), QByteArray("1 2 2 3 3 1"));
        QCOMPARE(f.at("0/1")->parent(), a);
        QVERIFY(f.doc.tableModified());
    }

    void vtNodeMovedWithoutParent()
    {
        Fixture f("A|A");
        VTNodeMoved(f.doc, f.doc.RootNode());
        VTNodeMoved(f.doc, nullptr);
        QCOMPARE(f.shape(), QByteArray("A|A"));
        QVERIFY(!f.doc.tableModified());
    }

    // A paste after a cut lands nowhere inside the cut branches.
    // Many branches moved or copied at once are named, placed and levelled as moving or
    // copying them one at a time, each before the same sibling, would: on random tables, with
    // branches from anywhere, among them some of the new parent's own children.
    void manyBranchesAsOneAtATime()
    {
        QRandomGenerator rng(1107);
        const QByteArrayList names = {"N", "N", "Copy of N", "Copy (2) of N", "M", "M", "-s"};
        for (int round = 0; round < 400; ++round) {
            const QByteArray table = RandomShape(rng, names, 5, 4);
            Fixture batch(table);
            Fixture single(table);
            QList<ConnectionNode *> all;
            ConnectionTree::forEachBelow(batch.doc.RootNode(), [&all](ConnectionNode *n) { all << n; });
            QList<ConnectionNode *> picked;
            for (int i = rng.bounded(1, 7); i > 0; --i)
                picked << all.at(rng.bounded(all.size()));
            const QList<ConnectionNode *> tops = TopmostNodes(picked);
            all.prepend(batch.doc.RootNode());
            QList<ConnectionNode *> places;
            for (ConnectionNode *n : std::as_const(all))
                if (!IsInsideAny(n, tops))
                    places << n;
            ConnectionNode *parent = places.at(rng.bounded(places.size()));
            const int row = rng.bounded(-1, parent->childCount() + 1);
            const bool copy = rng.bounded(2) == 1;
            // The same nodes in the other table, and the sibling they all go before.
            QList<ConnectionNode *> singleTops;
            for (const ConnectionNode *n : tops)
                singleTops << single.at(PathOf(n));
            ConnectionNode *singleParent = single.at(PathOf(parent));
            ConnectionNode *anchor = row < 0 ? nullptr : singleParent->child(row);
            while (!copy && anchor && singleTops.contains(anchor))
                anchor = anchor->nextSibling();

            const QList<ConnectionNode *> placed = copy ? CopyNodes(batch.doc, tops, parent, row)
                                                        : MoveNodes(batch.doc, tops, parent, row);
            for (ConnectionNode *n : std::as_const(singleTops)) {
                const int at = anchor ? anchor->row() : -1;
                if (copy)
                    CopyNodes(single.doc, {n}, singleParent, at);
                else
                    MoveNodes(single.doc, {n}, singleParent, at);
            }
            QCOMPARE(placed.size(), tops.size());
            QCOMPARE(batch.shape(), single.shape());
            QCOMPARE(LevelsOf(batch.doc.RootNode()), LevelsOf(single.doc.RootNode()));
        }
    }

    void moveNodesRefusesOwnBranch_data()
    {
        QTest::addColumn<QStringList>("nodes");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<bool>("refused");
        QTest::newRow("into itself") << QStringList{"0"} << "0" << true;
        QTest::newRow("into its child") << QStringList{"0"} << "0/0" << true;
        QTest::newRow("into a second cut branch") << QStringList{"1", "0"} << "0/0/0" << true;
        QTest::newRow("beside the branch") << QStringList{"0/0"} << "1" << false;
        QTest::newRow("below the invisible root") << QStringList{"1"} << "^" << true;
    }

    void moveNodesRefusesOwnBranch()
    {
        QFETCH(QStringList, nodes);
        QFETCH(QString, parent);
        QFETCH(bool, refused);
        Fixture f("A[A1[A11]]|B");
        const QList<ConnectionNode *> list = f.nodes(nodes);
        ConnectionNode *p = parent == QLatin1String("^") ? f.doc.tree().invisibleRoot() : f.at(parent);
        QCOMPARE(IsInsideAny(p, list), refused && p->parent());
        const QList<ConnectionNode *> moved = MoveNodes(f.doc, list, p, 0);
        QCOMPARE(moved.isEmpty(), refused);
        if (refused) {
            QCOMPARE(f.shape(), QByteArray("A[A1[A11]]|B"));
            QVERIFY(!f.doc.tableModified());
        }
    }

    void isInsideAny_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QStringList>("nodes");
        QTest::addColumn<bool>("inside");
        QTest::newRow("itself") << "1" << QStringList{"1"} << true;
        QTest::newRow("descendant") << "0/0/0" << QStringList{"1", "0"} << true;
        QTest::newRow("ancestor is not inside") << "0" << QStringList{"0/0"} << false;
        QTest::newRow("sibling") << "1" << QStringList{"0"} << false;
        QTest::newRow("empty list") << "1" << QStringList() << false;
        QStringList many;
        for (int i = 0; i < 20; ++i)
            many << QString::number(2 + i);
        QTest::newRow("long list, inside") << "5/0" << many << true;
        QTest::newRow("long list, outside") << "0/0" << many << false;
    }

    void isInsideAny()
    {
        QFETCH(QString, node);
        QFETCH(QStringList, nodes);
        QFETCH(bool, inside);
        QByteArray shape = "A[A1[A11]]|B";
        for (int i = 0; i < 20; ++i)
            shape += "|x" + QByteArray::number(i) + "[y]";
        Fixture f(shape);
        QCOMPARE(IsInsideAny(f.at(node), f.nodes(nodes)), inside);
    }

    void topmostNodes()
    {
        Fixture f("A[A1[A11]|A2]|B");
        // Out of order, nested, repeated, RootNode and null among them.
        const QList<ConnectionNode *> tops =
            TopmostNodes({f.at("1"), f.at("0/0/0"), f.doc.RootNode(), f.at("0/1"), nullptr, f.at("0/0"), f.at("1")});
        QCOMPARE(tops, f.nodes({"0/0", "0/1", "1"}));
    }
};

QTEST_GUILESS_MAIN(TestMoveCommands)
#include "tst_movecommands.moc"
