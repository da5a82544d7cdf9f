#include "mainwindow/ConnectionTreeModel.h"
#include "mainwindow/ConnectionTreeView.h"
#include "support/ShapedTable.h"
#include "table/TableDocument.h"

#include <QTest>

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
