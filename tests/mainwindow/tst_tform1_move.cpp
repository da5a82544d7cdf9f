#include "mainwindow/ConnectionTreeModel.h"
#include "mainwindow/TForm1.h"
#include "mainwindow/TreeClipboard.h"
#include "MainWindowFixture.h"
#include "support/ScriptedPrompter.h"
#include "support/ShapedTable.h"
#include "support/TreeShape.h"
#include "table/ConnectionTree.h"
#include "table/NodeClipboard.h"
#include "TriggerAsUser.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QDropEvent>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QTreeView>

#include <memory>

namespace {

const QByteArray S = SeparatorText;

// The window as the program starts it, shown and active, with the tree of Shape below
// RootNode (see TreeShape.h) laid out open.
struct Window : MainWindowFixture
{
    QAbstractItemModelTester tester{&form.model(), QAbstractItemModelTester::FailureReportingMode::QtTest};

    explicit Window(const QByteArray &shape) : MainWindowFixture(shape)
    {
        doc().UpdateCaption(false);
        form.activateWindow();
        // The commands' states follow the focus, which only an active window has.
        (void)active();
        form.tree()->setFocus();
    }

    bool isSelected(const ConnectionNode *n) const { return form.tree()->isSelected(n); }

    // The picked node is focused (and so current); the others join the selection.
    void select(const QString &picked, const QStringList &others = {})
    {
        form.tree()->selectionModel()->setCurrentIndex(indexOf(at(picked)), QItemSelectionModel::ClearAndSelect
                                                                                 | QItemSelectionModel::Rows);
        for (const QString &p : others)
            form.tree()->setSelected(at(p), true);
    }

    // The data a drag of the selection starts with, made as the view makes it.
    std::unique_ptr<QMimeData> dragSelection() const
    {
        return std::unique_ptr<QMimeData>(form.model().mimeData(form.tree()->selectionModel()->selectedIndexes()));
    }

    // Where the mouse is for Position over Target's row; a null target is the empty space
    // below the last row.
    QPoint pointFor(const ConnectionNode *target, DropPosition position) const
    {
        QTreeView *vt = form.tree();
        if (!target)
            return QPoint(20, vt->viewport()->height() - 2);
        const QRect r = vt->visualRect(indexOf(target));
        switch (position) {
        case DropPosition::Above:
            return QPoint(r.center().x(), r.top());
        case DropPosition::Below:
            return QPoint(r.center().x(), r.bottom());
        default:
            return r.center();
        }
    }

    // A drag of Data entering the tree and held over the point, as the drag manager reports
    // it to the view. The view tells with the move's acceptance whether it may drop there.
    bool dragTo(const QMimeData *data, const ConnectionNode *target, DropPosition position, Qt::DropAction action)
    {
        QWidget *viewport = form.tree()->viewport();
        const QPoint at = pointFor(target, position);
        QDragEnterEvent enter(at, Qt::MoveAction | Qt::CopyAction, data, Qt::LeftButton, {});
        enter.setDropAction(action);
        QCoreApplication::sendEvent(viewport, &enter);
        if (!enter.isAccepted())
            return false;
        QDragMoveEvent move(at, Qt::MoveAction | Qt::CopyAction, data, Qt::LeftButton, {});
        move.setDropAction(action);
        QCoreApplication::sendEvent(viewport, &move);
        return move.isAccepted();
    }

    bool dragOver(const QMimeData *data, const ConnectionNode *target, DropPosition position,
                  Qt::DropAction action = Qt::MoveAction)
    {
        const bool accepted = dragTo(data, target, position, action);
        QDragLeaveEvent leave;
        QCoreApplication::sendEvent(form.tree()->viewport(), &leave);
        return accepted;
    }

    // The drop itself; true when the view took it.
    bool drop(const QMimeData *data, const ConnectionNode *target, DropPosition position, Qt::DropAction action)
    {
        dragTo(data, target, position, action);
        QDropEvent event(pointFor(target, position), Qt::MoveAction | Qt::CopyAction, data, Qt::LeftButton, {});
        event.setDropAction(action);
        QCoreApplication::sendEvent(form.tree()->viewport(), &event);
        return event.isAccepted();
    }

    // What the view does once a drag it started ends as a move: it asks the model to remove
    // the selected rows, the originals as it sees them.
    void removeDraggedRowsAsTheViewDoes()
    {
        const QItemSelection selection = form.tree()->selectionModel()->selection();
        for (const QItemSelectionRange &range : selection)
            QVERIFY(!form.model().removeRows(range.top(), range.bottom() - range.top() + 1, range.parent()));
    }
};

// Another running instance's payload: the branch X[Y].
QByteArray otherInstancePayload()
{
    ShapedTable other("X[Y]");
    return EncodeNodes({other.at("0")});
}

} // namespace

Q_DECLARE_METATYPE(DropPosition)

class TestTForm1Move : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void moveKeys_data();
    void moveKeys();
    void everyBindingMoves();
    void movedNodeStaysInSight();
    void dropRules_data();
    void dropRules();
    void drop_data();
    void drop();
    void dropOfScatteredBranches_data();
    void dropOfScatteredBranches();
    void dropFromAnotherInstance();
    void damagedDropInsertsNothing();
    void placedBranchesOpenTheirParent_data();
    void placedBranchesOpenTheirParent();
    void flags();
};

void TestTForm1Move::moveKeys_data()
{
    QTest::addColumn<QByteArray>("shape");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("expected");
    const int up = Qt::Key_U;
    const int down = Qt::Key_D;
    QTest::newRow("up") << QByteArray("A|B|C") << "1" << up << "B:1 A:1 C:1";
    QTest::newRow("down") << QByteArray("A|B|C") << "1" << down << "A:1 C:1 B:1";
    QTest::newRow("a branch up past a branch") << QByteArray("A[a1[a2]]|B[b1]") << "1" << up
                                               << "B:1(b1:2) A:1(a1:2(a2:3))";
    QTest::newRow("a branch down inside its parent") << QByteArray("P[A[a1]|B[b1[b2]]|C]") << "0/0" << down
                                                     << "P:1(B:2(b1:3(b2:4)) A:2(a1:3) C:2)";
    QTest::newRow("first child up stays") << QByteArray("A|B") << "0" << up << "A:1 B:1";
    QTest::newRow("last child down stays") << QByteArray("A|B") << "1" << down << "A:1 B:1";
    QTest::newRow("RootNode stays") << QByteArray("A|B") << "" << down << "A:1 B:1";
}

// Ctrl+U and Ctrl+D typed in the tree move the focused branch among its siblings; the node
// keeps the focus and the selection.
void TestTForm1Move::moveKeys()
{
    QFETCH(QByteArray, shape);
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(QString, expected);
    Window w(shape);
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.select(focus);
    ConnectionNode *focused = w.at(focus);
    const QString before = w.tree();

    QTest::keyClick(w.form.tree(), static_cast<Qt::Key>(key), Qt::ControlModifier);

    QCOMPARE(w.tree(), expected);
    QCOMPARE(w.form.focusedNode(), focused);
    QVERIFY(w.isSelected(focused));
    QCOMPARE(w.form.tree()->selection().nodes(), QList<ConnectionNode *>{focused});
    QCOMPARE(w.form.doc().CurrentNode, focused);
    const bool moved = expected != before;
    QCOMPARE(w.form.doc().tableModified(), moved);
    QCOMPARE(w.form.windowTitle().contains(QLatin1Char('*')), moved);
}

void TestTForm1Move::everyBindingMoves()
{
    Window w("A|B|C");
    w.select("1");
    const struct
    {
        const char *name;
        const char *expected;
    } steps[] = {
        {"MnUp", "B:1 A:1 C:1"},   {"MnDown", "A:1 B:1 C:1"}, {"BtnDown", "A:1 C:1 B:1"},
        {"BtnUp", "A:1 B:1 C:1"},  {"pmDown", "A:1 C:1 B:1"}, {"pmUp", "A:1 B:1 C:1"},
    };
    for (const auto &step : steps) {
        QAction *a = w.action(step.name);
        QVERIFY2(a, step.name);
        QVERIFY2(TriggerAsUser(a), step.name);
        QVERIFY2(w.tree() == QLatin1String(step.expected), step.name);
        QCOMPARE(w.form.focusedNode()->data.Name, QByteArray("B"));
    }
}

void TestTForm1Move::movedNodeStaysInSight()
{
    QByteArray shape = "First";
    for (int i = 0; i < 80; ++i)
        shape += "|N" + QByteArray::number(i);
    Window w(shape);
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    // The last but one row, focused while the view shows the top of the list.
    w.select("79");
    QTreeView *vt = w.form.tree();
    vt->scrollToTop();
    ConnectionNode *moved = w.at("79");
    QVERIFY(!vt->viewport()->rect().intersects(vt->visualRect(w.indexOf(moved))));

    QTest::keyClick(vt, Qt::Key_D, Qt::ControlModifier);

    QCOMPARE(w.at("80"), moved);
    QVERIFY(vt->viewport()->rect().contains(vt->visualRect(w.indexOf(moved))));
}

// Shape: A[A1[A2]|A3] | separator | B[B1] | C.
void TestTForm1Move::dropRules_data()
{
    QTest::addColumn<bool>("otherInstance");
    QTest::addColumn<QString>("picked");
    QTest::addColumn<QStringList>("alsoSelected");
    QTest::addColumn<QString>("target");   // "-": the empty space below the rows
    QTest::addColumn<DropPosition>("position");
    QTest::addColumn<bool>("accepted");
    const auto on = DropPosition::On;
    const auto above = DropPosition::Above;
    const auto below = DropPosition::Below;
    const QStringList none;
    QTest::newRow("onto a connection") << false << "3" << none << "0" << on << true;
    QTest::newRow("above a connection") << false << "3" << none << "0" << above << true;
    QTest::newRow("below a deep connection") << false << "3" << none << "0/0/0" << below << true;
    QTest::newRow("on itself") << false << "3" << none << "3" << on << false;
    QTest::newRow("above itself") << false << "3" << none << "3" << above << false;
    QTest::newRow("below itself") << false << "3" << none << "3" << below << false;
    QTest::newRow("on its parent") << false << "2/0" << none << "2" << on << false;
    QTest::newRow("above its parent") << false << "0/0/0" << none << "0/0" << above << false;
    QTest::newRow("below its parent") << false << "0/0/0" << none << "0/0" << below << false;
    QTest::newRow("beside its parent's sibling") << false << "0/0/0" << none << "0/1" << below << true;
    QTest::newRow("onto a separator") << false << "3" << none << "1" << on << false;
    QTest::newRow("above a separator") << false << "3" << none << "1" << above << true;
    QTest::newRow("below a separator") << false << "3" << none << "1" << below << true;
    QTest::newRow("into its own branch") << false << "0" << none << "0/0/0" << on << false;
    QTest::newRow("beside a node of its branch") << false << "0" << none << "0/0" << below << false;
    QTest::newRow("onto RootNode") << false << "0/0/0" << none << "" << on << true;
    QTest::newRow("above RootNode") << false << "0/0/0" << none << "" << above << false;
    QTest::newRow("below RootNode") << false << "0/0/0" << none << "" << below << false;
    QTest::newRow("empty space") << false << "3" << none << "-" << on << false;
    QTest::newRow("into the branch of another dragged node") << false << "3" << QStringList{"0"} << "0/1" << on
                                                             << false;
    QTest::newRow("onto another dragged node") << false << "3" << QStringList{"2"} << "2" << on << false;
    QTest::newRow("a selection outside the target") << false << "3" << QStringList{"2/0"} << "0" << on << true;
    QTest::newRow("after Select All, onto a connection") << false << "3" << QStringList{"", "0", "0/0", "0/0/0",
                                                                                          "0/1", "1", "2", "2/0"}
                                                         << "2" << on << false;
    QTest::newRow("other instance onto the picked node") << true << "0" << none << "0" << on << true;
    QTest::newRow("other instance into the picked branch") << true << "0" << none << "0/0" << below << true;
    QTest::newRow("other instance onto a separator") << true << "0" << none << "1" << on << false;
    QTest::newRow("other instance beside RootNode") << true << "0" << none << "" << above << false;
    QTest::newRow("other instance onto RootNode") << true << "0" << none << "" << on << true;
}

// The view asks the model whether a drag may drop where the mouse is; the model answers by
// the table's drop rules for that row and position.
void TestTForm1Move::dropRules()
{
    QFETCH(bool, otherInstance);
    QFETCH(QString, picked);
    QFETCH(QStringList, alsoSelected);
    QFETCH(QString, target);
    QFETCH(DropPosition, position);
    QFETCH(bool, accepted);
    Window w("A[A1[A2]|A3]|" + S + "|B[B1]|C");
    w.select(picked, alsoSelected);
    std::unique_ptr<QMimeData> data;
    if (otherInstance) {
        data = std::make_unique<QMimeData>();
        data->setData(QLatin1String(NodeMimeType), otherInstancePayload());
        QVERIFY(w.form.model().draggedNodes(data.get()).isEmpty());
    } else {
        data = w.dragSelection();
        QVERIFY(data);
        QVERIFY(!w.form.model().draggedNodes(data.get()).isEmpty());
    }
    const ConnectionNode *t = target == QLatin1String("-") ? nullptr : w.at(target);
    QCOMPARE(w.dragOver(data.get(), t, position), accepted);
    QCOMPARE(w.dragOver(data.get(), t, position, Qt::CopyAction), accepted);
}

// Shape: A[A1[A2]|A3] | B[B1] | C.
void TestTForm1Move::drop_data()
{
    QTest::addColumn<QString>("picked");
    QTest::addColumn<QStringList>("alsoSelected");
    QTest::addColumn<QString>("target");
    QTest::addColumn<DropPosition>("position");
    QTest::addColumn<bool>("copy");
    QTest::addColumn<QString>("expected");   // empty: refused, nothing changes
    const QStringList none;
    QTest::newRow("onto a connection: its last child, the branch follows")
        << "1" << none << "2" << DropPosition::On << false << "A:1(A1:2(A2:3) A3:2) C:1(B:2(B1:3))";
    QTest::newRow("lifted one level, above a connection")
        << "0/0/0" << none << "1" << DropPosition::Above << false << "A:1(A1:2 A3:2) A2:1 B:1(B1:2) C:1";
    QTest::newRow("below a connection")
        << "2" << none << "0/0" << DropPosition::Below << false << "A:1(A1:2(A2:3) C:2 A3:2) B:1(B1:2)";
    QTest::newRow("several branches, in tree order")
        << "2" << QStringList{"0/0"} << "1" << DropPosition::On << false << "A:1(A3:2) B:1(B1:2 A1:2(A2:3) C:2)";
    QTest::newRow("copy onto a connection")
        << "0/0" << none << "2" << DropPosition::On << true << "A:1(A1:2(A2:3) A3:2) B:1(B1:2) C:1(A1:2(A2:3))";
    QTest::newRow("copy beside its original: the names are resolved")
        << "0/1" << none << "0/0" << DropPosition::Above << true << "A:1(A3:2 A1:2(A2:3) Copy of A3:2) B:1(B1:2) C:1";
    QTest::newRow("refused: into its own branch") << "0" << none << "0/0/0" << DropPosition::On << false << QString();
    QTest::newRow("refused: copy into its own branch") << "0" << none << "0/0" << DropPosition::On << true << QString();
}

// A drop the view hands to the model moves (or copies) the dragged branches; the view's
// removal of the dragged rows after a move removes nothing more.
void TestTForm1Move::drop()
{
    QFETCH(QString, picked);
    QFETCH(QStringList, alsoSelected);
    QFETCH(QString, target);
    QFETCH(DropPosition, position);
    QFETCH(bool, copy);
    QFETCH(QString, expected);
    Window w("A[A1[A2]|A3]|B[B1]|C");
    w.select(picked, alsoSelected);
    ConnectionNode *pickedNode = w.at(picked);
    const QString before = w.tree();
    const std::unique_ptr<QMimeData> data = w.dragSelection();
    QVERIFY(data);

    const bool taken = w.drop(data.get(), w.at(target), position, copy ? Qt::CopyAction : Qt::MoveAction);

    QCOMPARE(taken, !expected.isEmpty());
    QCOMPARE(w.tree(), expected.isEmpty() ? before : expected);
    QCOMPARE(w.form.doc().tableModified(), taken);
    // A move takes the nodes themselves along, still selected.
    QVERIFY(w.isSelected(pickedNode));
    if (!copy)
        w.removeDraggedRowsAsTheViewDoes();
    QCOMPARE(w.tree(), expected.isEmpty() ? before : expected);
    QVERIFY(w.prompter.boxes().isEmpty());
}

void TestTForm1Move::dropOfScatteredBranches_data()
{
    QTest::addColumn<bool>("copy");
    QTest::addColumn<QString>("expected");
    // In tree order, each named against the siblings it meets: the C that comes is later
    // than B's own.
    QTest::newRow("moved") << false << "A:1(A2:2) B:1(C:2 A1:2 Copy of C:2 D:2(D1:3)) E:1";
    QTest::newRow("copied") << true << "A:1(A1:2 A2:2) B:1(C:2 A1:2 Copy of C:2 D:2(D1:3)) C:1 D:1(D1:2) E:1";
}

// Branches from three places dropped at once: the selection and the focus stay on the nodes
// they were on (the moved ones themselves, or the originals of a copy), and a pending copy's
// marks stay where they were.
void TestTForm1Move::dropOfScatteredBranches()
{
    QFETCH(bool, copy);
    QFETCH(QString, expected);
    Window w("A[A1|A2]|B[C]|C|D[D1]|E");
    ConnectionNode *e = w.at("4");
    w.select("4");
    w.form.treeClipboard()->copyNodes();
    w.select("2", {"0/0", "3"});
    const QList<ConnectionNode *> selected = w.form.tree()->selection().nodes();
    ConnectionNode *picked = w.at("2");
    const std::unique_ptr<QMimeData> data = w.dragSelection();

    QVERIFY(w.drop(data.get(), w.at("1"), DropPosition::On, copy ? Qt::CopyAction : Qt::MoveAction));

    QCOMPARE(w.tree(), expected);
    QCOMPARE(w.form.tree()->selection().nodes(), selected);
    QCOMPARE(w.form.focusedNode(), picked);
    QCOMPARE(w.form.doc().cutCopyTops(), QList<ConnectionNode *>{e});
    QVERIFY(!w.form.doc().CutModeFlag);
    QVERIFY(w.form.tree()->isExpanded(w.indexOf(w.at("1"))));
}

void TestTForm1Move::dropFromAnotherInstance()
{
    Window w("A|B[B1]");
    w.select("0");
    QMimeData data;
    data.setData(QLatin1String(NodeMimeType), otherInstancePayload());

    QVERIFY(w.drop(&data, w.at("1"), DropPosition::On, Qt::MoveAction));
    QCOMPARE(w.tree(), QStringLiteral("A:1 B:1(B1:2 X:2(Y:3))"));
    QVERIFY(w.form.doc().tableModified());
    // The other instance's view then asks its model to remove what it sent: nothing goes.
    w.select("1/1");
    w.removeDraggedRowsAsTheViewDoes();
    QCOMPARE(w.tree(), QStringLiteral("A:1 B:1(B1:2 X:2(Y:3))"));
}

void TestTForm1Move::damagedDropInsertsNothing()
{
    Window w("A|B");
    w.select("0");
    const QByteArray whole = otherInstancePayload();
    QMimeData data;
    // The count promises two records; the second lost its last bytes.
    data.setData(QLatin1String(NodeMimeType), whole.left(whole.size() - 2));

    QVERIFY(!w.drop(&data, w.at("1"), DropPosition::On, Qt::CopyAction));
    QCOMPARE(w.tree(), QStringLiteral("A:1 B:1"));
    QVERIFY(!w.form.doc().tableModified());
    // The message comes once the drop has ended.
    QVERIFY(w.prompter.boxes().isEmpty());
    QTRY_COMPARE(w.prompter.texts(), QStringList{"Error reading the file. It contains inconsistent data."});
    QCOMPARE(w.prompter.boxes().first().kind, Prompter::Kind::Warning);
}

void TestTForm1Move::placedBranchesOpenTheirParent_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("a move dropped") << "move";
    QTest::newRow("a copy dropped") << "copy";
    QTest::newRow("another instance's branch dropped") << "other";
    QTest::newRow("a copy pasted") << "paste";
    QTest::newRow("a cut pasted") << "cut";
}

// Wherever branches land, the branch they land in shows open.
void TestTForm1Move::placedBranchesOpenTheirParent()
{
    QFETCH(QString, how);
    Window w("A|B[B1]");
    ConnectionNode *b = w.at("1");
    w.form.tree()->collapse(w.indexOf(b));
    w.select("0");
    if (how == QLatin1String("paste") || how == QLatin1String("cut")) {
        if (how == QLatin1String("cut"))
            w.form.treeClipboard()->cutNodes();
        else
            w.form.treeClipboard()->copyNodes();
        w.form.tree()->setFocusedNode(b);
        w.form.treeClipboard()->pasteNodes();
    } else if (how == QLatin1String("other")) {
        QMimeData data;
        data.setData(QLatin1String(NodeMimeType), otherInstancePayload());
        QVERIFY(w.drop(&data, b, DropPosition::On, Qt::MoveAction));
    } else {
        const std::unique_ptr<QMimeData> data = w.dragSelection();
        QVERIFY(w.drop(data.get(), b, DropPosition::On,
                       how == QLatin1String("copy") ? Qt::CopyAction : Qt::MoveAction));
    }
    QCOMPARE(b->childCount(), 2);
    QVERIFY(w.form.tree()->isExpanded(w.indexOf(b)));
    QVERIFY(w.form.doc().tableModified());
}

void TestTForm1Move::flags()
{
    Window w("A[A1]|" + S);
    const ConnectionTreeModel &m = w.form.model();
    QVERIFY(!(m.flags(w.indexOf(w.form.doc().RootNode())) & Qt::ItemIsDragEnabled));
    for (const char *p : {"0", "0/0", "1"})
        QVERIFY2(m.flags(w.indexOf(w.at(QLatin1String(p)))) & Qt::ItemIsDragEnabled, p);
    for (const char *p : {"", "0", "0/0", "1"})
        QVERIFY2(m.flags(w.indexOf(w.at(QLatin1String(p)))) & Qt::ItemIsDropEnabled, p);
    QCOMPARE(m.mimeTypes(), QStringList{QLatin1String(NodeMimeType)});
    // A drag of RootNode alone carries nothing; with the rest it stays behind.
    w.select("");
    QVERIFY(!w.dragSelection());
    w.form.tree()->selectAll();
    const std::unique_ptr<QMimeData> all = w.dragSelection();
    QVERIFY(all);
    QCOMPARE(w.form.model().draggedNodes(all.get()), (QList<ConnectionNode *>{w.at("0"), w.at("1")}));
}

QTEST_MAIN(TestTForm1Move)
#include "tst_tform1_move.moc"
