#include "mainwindow/ConnectionTreeModel.h"
#include "mainwindow/ConnectionTreeView.h"
#include "support/ShapedTable.h"
#include "support/TreeShape.h"
#include "ShownRows.h"
#include "ViewTwins.h"
#include "table/TableDocument.h"

#include <QSignalSpy>
#include <QTest>

#include <functional>

namespace {

// A view of "A[A1|A2]|B[B1]" with A1 the connection whose edits the pages hold, and an apply
// question that answers from a script and counts how often it was asked.
struct Fixture
{
    ShapedTable table{"A[A1|A2]|B[B1]"};
    ConnectionTreeModel model{table.doc.tree()};
    ConnectionTreeView view;
    int asked = 0;
    bool answer = true;

    Fixture()
    {
        view.setModel(&model);
        view.setSelectionMode(QAbstractItemView::ExtendedSelection);
        view.setApplyQuestion(table.doc, [this] {
            ++asked;
            return answer;
        });
        view.expandAll();
        view.resize(300, 400);
        view.show();
        view.focusOnly(table.at("0/0"));
        table.doc.CurrentNode = table.at("0/0");
    }

    QModelIndex indexOf(const QString &path) const { return model.indexFor(table.at(path)); }
    QPoint centreOf(const QString &path) const { return view.visualRect(indexOf(path)).center(); }
    QPoint signOf(const QString &path) const
    {
        const QRect r = view.visualRect(indexOf(path));
        return QPoint(r.left() - view.indentation() / 2, r.center().y());
    }
};

// The selected rows by their paths, in tree order; the current row; and the number of
// selection ranges against the runs of neighbouring selected rows under one parent.
struct SelectionState
{
    QStringList selected;
    QString current;
    qsizetype ranges = 0;
    qsizetype runs = 0;
};

SelectionState selectionOf(const QTreeView &v, const ConnectionTreeModel &model)
{
    SelectionState s;
    QList<ConnectionNode *> nodes;
    for (const QModelIndex &i : v.selectionModel()->selectedRows())
        nodes << model.nodeFor(i);
    const TreeSelection ordered(nullptr, nodes);
    QSet<const ConnectionNode *> selected;
    for (const ConnectionNode *n : ordered.nodes()) {
        s.selected << PathOf(n);
        selected.insert(n);
    }
    // A run begins at each selected node whose previous sibling is not selected.
    for (const ConnectionNode *n : ordered.nodes())
        if (!selected.contains(n->prevSibling()))
            ++s.runs;
    s.ranges = v.selectionModel()->selection().size();
    s.current = PathOf(model.nodeFor(v.currentIndex()));
    return s;
}

} // namespace

class TestConnectionTreeView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The selection as a command takes it: in tree order whatever the order of selecting.
    void selectionInTreeOrder()
    {
        Fixture f;
        for (const char *path : {"1/0", "0", "0/1"})
            f.view.setSelected(f.table.at(QLatin1String(path)), true);
        f.view.setFocusedNode(f.table.at("1"));
        const TreeSelection selection = f.view.selection();
        QCOMPARE(selection.focused(), f.table.at("1"));
        QCOMPARE(selection.nodes(), (QList<ConnectionNode *>{f.table.at("0"), f.table.at("0/0"), f.table.at("0/1"),
                                                              f.table.at("1/0")}));
        f.view.focusOnly(f.table.at("1/0"));
        QCOMPARE(f.view.selection().nodes(), QList<ConnectionNode *>{f.table.at("1/0")});
        QCOMPARE(f.view.focusedNode(), f.table.at("1/0"));
    }

    // The selection a command reads is the one of now, whatever changed since it was last
    // read: the selection, the focus, or the rows below.
    void selectionFollowsEveryChange_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("selected by the selection model") << "select";
        QTest::newRow("focused elsewhere") << "focus";
        QTest::newRow("a row inserted before") << "insert";
        QTest::newRow("a selected branch removed") << "remove";
        QTest::newRow("a branch moved") << "move";
        QTest::newRow("the table read anew") << "reset";
    }
    void selectionFollowsEveryChange()
    {
        QFETCH(QString, change);
        Fixture f;
        ConnectionTree &tree = f.table.doc.tree();
        f.view.setSelected(f.table.at("1"), true);
        f.view.setSelected(f.table.at("0"), true);
        QCOMPARE(f.view.selection().size(), 3);
        if (change == QLatin1String("select"))
            f.view.selectionModel()->select(f.indexOf("0/1"), QItemSelectionModel::Toggle);
        else if (change == QLatin1String("focus"))
            f.view.selectionModel()->setCurrentIndex(f.indexOf("1/0"), QItemSelectionModel::NoUpdate);
        else if (change == QLatin1String("insert"))
            tree.addChild(f.table.doc.RootNode(), rVTNodeData{}, 0);
        else if (change == QLatin1String("remove"))
            tree.removeNode(f.table.at("0"));
        else if (change == QLatin1String("move"))
            tree.moveNode(f.table.at("1"), f.table.at("0"), 0);
        else if (change == QLatin1String("reset")) {
            BulkChange bulk(tree);
            tree.addChild(f.table.at("1"), rVTNodeData{});
        }

        QList<ConnectionNode *> rows;
        for (const QModelIndex &i : f.view.selectionModel()->selectedRows())
            rows << f.model.nodeFor(i);
        const TreeSelection now = f.view.selection();
        QCOMPARE(now.nodes(), TreeSelection(nullptr, rows).nodes());
        QCOMPARE(now.focused(), f.model.nodeFor(f.view.currentIndex()));
    }

    // With edits waiting, a click elsewhere asks first: Cancel keeps the focus, Yes or No
    // lets it move; without edits, or on the edited node itself, nothing is asked.
    void clickAsksBeforeTheFocusLeaves_data()
    {
        QTest::addColumn<bool>("edits");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<int>("asked");
        QTest::addColumn<QString>("focusAfter");
        QTest::newRow("no edits") << false << "1" << true << 0 << "1";
        QTest::newRow("edits, another node, go on") << true << "1" << true << 1 << "1";
        QTest::newRow("edits, another node, cancel") << true << "1" << false << 1 << "0/0";
        QTest::newRow("edits, the edited node") << true << "0/0" << false << 0 << "0/0";
    }

    void clickAsksBeforeTheFocusLeaves()
    {
        QFETCH(bool, edits);
        QFETCH(QString, target);
        QFETCH(bool, answer);
        QFETCH(int, asked);
        QFETCH(QString, focusAfter);
        Fixture f;
        f.table.doc.SetNodeModified(edits);
        f.answer = answer;
        QTest::mouseClick(f.view.viewport(), Qt::LeftButton, {}, f.centreOf(target));
        QCOMPARE(f.asked, asked);
        QCOMPARE(f.view.focusedNode(), f.table.at(focusAfter));
        QCOMPARE(f.view.selection().nodes(), QList<ConnectionNode *>{f.table.at(focusAfter)});
    }

    // Closing the branch that holds the edited node asks; closing another does not. Cancel
    // keeps the branch open.
    void collapseAsks_data()
    {
        QTest::addColumn<QString>("branch");
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<int>("asked");
        QTest::addColumn<bool>("open");
        QTest::newRow("its branch, sign, cancel") << "0" << false << false << 1 << true;
        QTest::newRow("its branch, sign, go on") << "0" << false << true << 1 << false;
        QTest::newRow("another branch, sign") << "1" << false << false << 0 << false;
        QTest::newRow("its branch, Left key, cancel") << "0" << true << false << 1 << true;
    }

    void collapseAsks()
    {
        QFETCH(QString, branch);
        QFETCH(bool, byKey);
        QFETCH(bool, answer);
        QFETCH(int, asked);
        QFETCH(bool, open);
        Fixture f;
        f.table.doc.SetNodeModified(true);
        f.answer = answer;
        if (byKey) {
            // The key acts on the focused node: the edits' own branch, reached without a
            // question (the focus stays in it).
            f.view.setFocusedNode(f.table.at(branch));
            QTest::keyClick(&f.view, Qt::Key_Left);
        } else {
            QTest::mouseClick(f.view.viewport(), Qt::LeftButton, {}, f.signOf(branch));
        }
        QCOMPARE(f.asked, asked);
        QCOMPARE(f.view.isExpanded(f.indexOf(branch)), open);
    }

    // Range selections by key and mouse select what Qt's own tree view selects, leave the
    // current row and the anchor where it leaves them (the next Shift step starts from the
    // same row), and hold one range per run of neighbouring rows under one parent.
    void rangeSelectionAsQtMakesIt_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("Shift+End from the top") << QStringList{"click ", "key Shift+End", "key Shift+Up", "key Shift+Home"};
        QTest::newRow("Shift+click on the last row") << QStringList{"click 0/0", "shift-click 11", "key Shift+Up"};
        QTest::newRow("Shift+click above and below the anchor")
            << QStringList{"click 4/1/1", "shift-click 0/1", "shift-click 8/2", "key Shift+Down"};
        QTest::newRow("Shift+arrows")
            << QStringList{"click 2", "key Shift+Down", "key Shift+Down", "key Shift+Down", "key Shift+Down",
                           "key Shift+Up", "key Shift+Up", "key Shift+Up", "key Shift+Up", "key Shift+Up", "key Shift+Up"};
        QTest::newRow("Shift+PgDn and Shift+PgUp")
            << QStringList{"click 0/1/0", "key Shift+PgDown", "key Shift+PgDown", "key Shift+PgUp"};
        QTest::newRow("Shift+Home from deep down") << QStringList{"click 6/1/1/0", "key Shift+Home", "key Shift+Down"};
        QTest::newRow("Ctrl+click, then Shift+click") << QStringList{"click 0", "ctrl-click 4", "shift-click 8/1"};
        QTest::newRow("over closed branches")
            << QStringList{"close 2", "close 6/1", "click 0/2", "key Shift+End", "shift-click 6/2"};
    }

    void rangeSelectionAsQtMakesIt()
    {
        QFETCH(QStringList, steps);
        ViewTwins t(ManyBranches(6));
        for (const QString &step : std::as_const(steps)) {
            t.apply(step);
            const SelectionState mine = selectionOf(t.view, t.model);
            const SelectionState qts = selectionOf(t.plain, t.model);
            QCOMPARE(mine.selected, qts.selected);
            QCOMPARE(mine.current, qts.current);
            QCOMPARE(mine.ranges, mine.runs);
            QCOMPARE(t.view.selection().size(), mine.selected.size());
        }
    }

    // Unselecting one node of a large selection, the way Export unselects RootNode, leaves
    // what Qt's own deselect leaves, however the node splits its run of rows.
    void unselectingInALargeSelection_data()
    {
        QTest::addColumn<int>("groups");
        QTest::addColumn<QString>("node");
        QTest::addColumn<bool>("selectedBefore");
        QTest::newRow("RootNode, the whole table selected") << 300 << QString() << true;
        QTest::newRow("a group") << 300 << QStringLiteral("150") << true;
        QTest::newRow("the first of a run") << 300 << QStringLiteral("150/0") << true;
        QTest::newRow("inside a run") << 300 << QStringLiteral("150/1") << true;
        QTest::newRow("the last of a run") << 300 << QStringLiteral("299/2") << true;
        QTest::newRow("a node not selected") << 300 << QStringLiteral("7/1") << false;
        QTest::newRow("a small selection") << 3 << QStringLiteral("1/1") << true;
    }

    void unselectingInALargeSelection()
    {
        QFETCH(int, groups);
        QFETCH(QString, node);
        QFETCH(bool, selectedBefore);
        QByteArray shape;
        for (int g = 0; g < groups; ++g)
            shape += (g ? "|G" : "G") + QByteArray::number(g) + "[a|b|c]";
        ViewTwins t(shape);
        t.view.focusOnly(t.at(QStringLiteral("1/1")));
        t.view.selectEveryNode();
        t.plain.selectionModel()->select(t.view.selectionModel()->selection(), QItemSelectionModel::ClearAndSelect);
        t.plain.selectionModel()->setCurrentIndex(t.view.currentIndex(), QItemSelectionModel::NoUpdate);
        if (!selectedBefore) {
            t.view.setSelected(t.at(node), false);
            t.plain.selectionModel()->select(t.indexOf(node), QItemSelectionModel::Deselect);
        }
        QVERIFY(groups < 100 || t.view.selectionModel()->selection().size() >= ConnectionTreeView::ManyRanges);

        QSignalSpy changes(t.view.selectionModel(), &QItemSelectionModel::selectionChanged);
        t.view.setSelected(t.at(node), false);
        t.plain.selectionModel()->select(t.indexOf(node), QItemSelectionModel::Deselect);

        const SelectionState ours = selectionOf(t.view, t.model);
        const SelectionState qts = selectionOf(t.plain, t.model);
        QCOMPARE(ours.selected, qts.selected);
        QVERIFY(!ours.selected.contains(node));
        QCOMPARE(ours.current, QStringLiteral("1/1"));
        QCOMPARE(ours.ranges, ours.runs);
        QCOMPARE(t.view.isSelected(t.at(node)), false);
        // What a command reads next, kept by the view across the change, is what the
        // selection model holds, in tree order.
        QStringList read;
        for (const ConnectionNode *n : t.view.selection().nodes())
            read << PathOf(n);
        QCOMPARE(read, qts.selected);
        QCOMPARE(PathOf(t.view.selection().focused()), QStringLiteral("1/1"));
        if (!selectedBefore)
            QCOMPARE(changes.count(), 0);
    }

    // The top node closed and opened again over many open branches, by every road: every
    // branch keeps its state, the rows are those of an open tree, the view reports the one
    // branch that opened, and the focus and selection stay. A small branch takes Qt's own road.
    void openingAgainKeepsEveryBranch_data()
    {
        QTest::addColumn<QString>("branch");
        QTest::addColumn<QString>("road");
        for (const char *road : {"Right", "Plus", "sign", "program"}) {
            QTest::addRow("top node, %s", road) << QString() << QString::fromLatin1(road);
            QTest::addRow("small branch, %s", road) << QStringLiteral("4") << QString::fromLatin1(road);
        }
    }

    void openingAgainKeepsEveryBranch()
    {
        QFETCH(QString, branch);
        QFETCH(QString, road);
        ViewTwins t(ManyBranches(20));
        for (QTreeView *v : t.views()) {
            v->collapse(t.indexOf(QStringLiteral("2/1")));
            v->collapse(t.indexOf(QStringLiteral("9")));
        }
        const QStringList before = BranchStates(t.view, t.model);
        const QModelIndex opened = t.indexOf(branch);
        for (QTreeView *v : t.views()) {
            v->setFocus();
            v->setCurrentIndex(opened);
            v->collapse(opened);
        }
        QSignalSpy expanded(&t.view, &QTreeView::expanded);
        QSignalSpy collapsed(&t.view, &QTreeView::collapsed);
        for (QTreeView *v : t.views()) {
            const QRect r = v->visualRect(opened);
            if (road == QLatin1String("Right"))
                QTest::keyClick(v, Qt::Key_Right);
            else if (road == QLatin1String("Plus"))
                QTest::keyClick(v, Qt::Key_Plus);
            else if (road == QLatin1String("sign"))
                QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, QPoint(r.left() - v->indentation() / 2, r.center().y()));
            else if (v == &t.view)
                t.view.setNodeExpanded(t.at(branch), true);
            else
                v->setExpanded(opened, true);
        }
        QCOMPARE(BranchStates(t.plain, t.model), before);
        QCOMPARE(BranchStates(t.view, t.model), before);
        QCOMPARE(ShownRows(t.view, t.model), ExpectedRows(t.view, t.model));
        QCOMPARE(ShownRows(t.view, t.model), ShownRows(t.plain, t.model));
        QCOMPARE(expanded.size(), 1);
        QCOMPARE(expanded.first().first().toModelIndex(), opened);
        QCOMPARE(collapsed.size(), 0);
        QCOMPARE(selectionOf(t.view, t.model).selected, selectionOf(t.plain, t.model).selected);
        QCOMPARE(t.view.currentIndex(), opened);
    }

    // Rows arriving anywhere are shown where they belong, with every branch as it was.
    void arrivingRowsShownInPlace_data()
    {
        QTest::addColumn<QString>("parent");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("copied");
        QTest::newRow("first in a small open branch") << "0/1" << 0 << QString();
        QTest::newRow("last in a small open branch") << "4" << -1 << QString();
        QTest::newRow("in a closed branch") << "2/1" << 0 << QString();
        QTest::newRow("inside a closed branch") << "2/1/1" << 0 << QString();
        QTest::newRow("below a branch holding many open branches") << "" << 3 << QString();
        QTest::newRow("a copied branch in a small open branch") << "6" << 1 << "0";
        QTest::newRow("a copied branch below many open branches") << "" << 0 << "0";
        QTest::newRow("in a connection without children") << "1" << 0 << QString();
    }

    void arrivingRowsShownInPlace()
    {
        QFETCH(QString, parent);
        QFETCH(int, row);
        QFETCH(QString, copied);
        ViewTwins t(ManyBranches(20));
        for (QTreeView *v : t.views())
            v->collapse(t.indexOf(QStringLiteral("2/1")));
        const QStringList before = BranchStates(t.view, t.model);
        ConnectionTree &tree = t.table.doc.tree();
        if (copied.isEmpty())
            tree.addChild(t.at(parent), rVTNodeData{}, row);
        else
            tree.copyBranch(t.at(copied), t.at(parent), row);
        // The branches that were there keep their states; new ones are closed, as Qt shows them.
        const QStringList after = BranchStates(t.view, t.model);
        for (const QString &state : before)
            QVERIFY2(after.contains(state), qPrintable(state));
        QCOMPARE(ShownRows(t.view, t.model), ExpectedRows(t.view, t.model));
        QCOMPARE(ShownRows(t.view, t.model), ShownRows(t.plain, t.model));
        QCOMPARE(BranchStates(t.view, t.model), BranchStates(t.plain, t.model));
    }

    // A key that moves the focus elsewhere asks; Cancel swallows it.
    void keyAsksBeforeTheFocusLeaves()
    {
        Fixture f;
        f.table.doc.SetNodeModified(true);
        f.answer = false;
        f.view.setFocus();
        QTest::keyClick(&f.view, Qt::Key_Down);
        QCOMPARE(f.asked, 1);
        QCOMPARE(f.view.focusedNode(), f.table.at("0/0"));
        f.answer = true;
        QTest::keyClick(&f.view, Qt::Key_Down);
        QCOMPARE(f.asked, 2);
        QCOMPARE(f.view.focusedNode(), f.table.at("0/1"));
    }
};

QTEST_MAIN(TestConnectionTreeView)
#include "tst_connectiontreeview.moc"
