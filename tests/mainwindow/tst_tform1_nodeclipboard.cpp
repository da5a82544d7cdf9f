#include "mainwindow/ConnectionTreeModel.h"
#include "mainwindow/TForm1.h"
#include "mainwindow/TreeClipboard.h"
#include "MainWindowFixture.h"
#include "TriggerAsUser.h"
#include "support/ScriptedPrompter.h"
#include "support/ShapedTable.h"
#include "support/TreeShape.h"
#include "table/ConnectionTree.h"
#include "table/NodeClipboard.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QClipboard>
#include <QFont>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QTest>
#include <QTreeView>

namespace {

// The window as the program starts it, shown, with the tree of Shape below RootNode (see
// TreeShape.h) laid out open.
struct Window : MainWindowFixture
{
    QAbstractItemModelTester tester{&form.model(), QAbstractItemModelTester::FailureReportingMode::QtTest};

    explicit Window(const QByteArray &shape) : MainWindowFixture(shape)
    {
        QGuiApplication::clipboard()->clear();
        doc().UpdateCaption(false);
        form.tree()->setFocus();
    }

    // Path is focused and selected; the others join the selection.
    void select(const QString &path, const QStringList &others = {})
    {
        form.tree()->selectionModel()->setCurrentIndex(indexOf(at(path)), QItemSelectionModel::ClearAndSelect
                                                                              | QItemSelectionModel::Rows);
        for (const QString &p : others)
            form.tree()->setSelected(at(p), true);
    }

    // Only the focus moves: the paste target.
    void focus(const QString &path) { form.tree()->setFocusedNode(at(path)); }

    // The cut mark as the tree draws it.
    bool drawnAsCut(const QString &path) const
    {
        return form.model().data(indexOf(at(path)), Qt::FontRole).value<QFont>().italic();
    }

    // A mouse click on the row of Path, as the user does.
    void click(const QString &path) { MainWindowFixture::click(at(path)); }

    QStringList marked() const
    {
        QStringList out;
        ConnectionTree::forEachBelow(doc().RootNode(), [&](ConnectionNode *n) {
            if (doc().hasCutCopyMark(n))
                out << QString::fromLatin1(n->data.Name);
        });
        return out;
    }
};

QByteArray clipboardPayload()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return data ? data->data(QLatin1String(NodeMimeType)) : QByteArray();
}

void putOnClipboard(const QByteArray &payload)
{
    auto *data = new QMimeData;
    data->setData(QLatin1String(NodeMimeType), payload);
    QGuiApplication::clipboard()->setMimeData(data);
}

} // namespace

class TestTForm1NodeClipboard : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void copyPutsTheBranchesOnTheClipboard();
    void copyPasteDuplicates_data();
    void copyPasteDuplicates();
    void cutMarksWithoutRemoving();
    void cutPasteMoves();
    void cutPasteIntoTheCutBranchDoesNothing();
    void pasteOfScatteredBranches_data();
    void pasteOfScatteredBranches();
    void copyAfterCutEndsTheMove();
    void cutBranchRemovedComesBackAsCopy();
    void cancelDropsTheMarks();
    void newTableDropsTheMarks();
    void foreignPayloadIsCopiedIn();
    void damagedPayloadInsertsNothing();
    void nothingToPaste();
    void keysCopyCutAndPasteBranches_data();
    void keysCopyCutAndPasteBranches();
    void keysOnTheTopNodeDoNothing();
    void keysReachTheTreeWhereTheMenuIsOff();
    void renamingAMarkedNodeEndsTheCut_data();
    void renamingAMarkedNodeEndsTheCut();
};

void TestTForm1NodeClipboard::copyPutsTheBranchesOnTheClipboard()
{
    Window w("A[A1[A2]]|B|C");
    // A nested selection and RootNode add nothing: the branches of A and C, each once.
    w.select("0", {"", "0/0", "2"});
    w.form.treeClipboard()->copyNodes();

    QList<rVTNodeData> records;
    QVERIFY(DecodeNodes(clipboardPayload(), records));
    QStringList names;
    for (const rVTNodeData &r : records)
        names << QString::fromLatin1(r.Name) + QLatin1Char(':') + QString::number(r.Level);
    QCOMPARE(names, (QStringList{"A:0", "A1:1", "A2:2", "C:0"}));
    QVERIFY(!w.form.doc().CutModeFlag);
    QCOMPARE(w.marked(), (QStringList{"A", "A1", "A2", "C"}));
    // A copy mark is not drawn.
    QVERIFY(!w.drawnAsCut("0"));
    QVERIFY(!w.form.doc().tableModified());

    // RootNode alone: nothing to copy, the clipboard keeps what it had.
    w.select("");
    w.form.treeClipboard()->copyNodes();
    QVERIFY(DecodeNodes(clipboardPayload(), records));
    QCOMPARE(records.size(), 4);
}

void TestTForm1NodeClipboard::copyPasteDuplicates_data()
{
    QTest::addColumn<QByteArray>("shape");
    QTest::addColumn<QString>("copied");
    QTest::addColumn<QStringList>("alsoCopied");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("expected");
    QTest::newRow("first children of the focused node")
        << QByteArray("A[A1]|B[B1]") << "0" << QStringList() << "1" << "A:1(A1:2) B:1(A:2(A1:3) B1:2)";
    // The first of equal names keeps it, so the node that was there takes the copy name.
    QTest::newRow("clashing names resolved")
        << QByteArray("A[A1]|B[A]") << "0" << QStringList() << "1" << "A:1(A1:2) B:1(A:2(A1:3) Copy of A:2)";
    QTest::newRow("beside the original") << QByteArray("A|B") << "0" << QStringList() << ""
                                         << "A:1 Copy of A:1 B:1";
    QTest::newRow("several branches, in tree order")
        << QByteArray("A[A1]|B|C") << "2" << QStringList{"0/0"} << "1" << "A:1(A1:2) B:1(A1:2 C:2) C:1";
    QTest::newRow("into its own branch") << QByteArray("A[A1]") << "0" << QStringList() << "0/0"
                                         << "A:1(A1:2(A:3(A1:4)))";
}

// Copy, then Paste with another node focused: the copies come from the clipboard's bytes.
void TestTForm1NodeClipboard::copyPasteDuplicates()
{
    QFETCH(QByteArray, shape);
    QFETCH(QString, copied);
    QFETCH(QStringList, alsoCopied);
    QFETCH(QString, target);
    QFETCH(QString, expected);
    Window w(shape);
    w.select(copied, alsoCopied);
    w.form.treeClipboard()->copyNodes();
    w.focus(target);

    w.form.treeClipboard()->pasteNodes();

    QCOMPARE(w.tree(), expected);
    QVERIFY(w.form.doc().tableModified());
    QVERIFY(!w.form.doc().CutModeFlag);
    QVERIFY(!w.form.doc().CopyInProgressFlag);
    QVERIFY(w.prompter.boxes().isEmpty());
}

void TestTForm1NodeClipboard::cutMarksWithoutRemoving()
{
    Window w("A[A1]|B|C");
    w.select("0", {"1"});
    w.form.treeClipboard()->cutNodes();

    QCOMPARE(w.tree(), QStringLiteral("A:1(A1:2) B:1 C:1"));
    QVERIFY(w.form.doc().CutModeFlag);
    QVERIFY(!w.form.doc().tableModified());
    QCOMPARE(w.marked(), (QStringList{"A", "A1", "B"}));
    QVERIFY(w.drawnAsCut("0"));
    QVERIFY(w.drawnAsCut("0/0"));
    QVERIFY(w.drawnAsCut("1"));
    QVERIFY(!w.drawnAsCut("2"));
    QVERIFY(!w.drawnAsCut(""));
    // The host the table's routines ask sees the same marks.
    QVERIFY(w.form.doc().hasCutCopyMark(w.at("0/0")));
    QVERIFY(!w.form.doc().hasCutCopyMark(w.at("2")));
}

void TestTForm1NodeClipboard::cutPasteMoves()
{
    Window w("A[A1]|B|C[A]");
    ConnectionNode *a = w.at("0");
    w.select("0", {"1"});
    w.form.treeClipboard()->cutNodes();
    w.focus("2");

    w.form.treeClipboard()->pasteNodes();

    // The nodes themselves moved, first below C; the old A there takes the copy name.
    QCOMPARE(w.tree(), QStringLiteral("C:1(A:2(A1:3) B:2 Copy of A:2)"));
    QCOMPARE(w.at("0/0"), a);
    QVERIFY(w.form.doc().tableModified());
    QVERIFY(!w.form.doc().CutModeFlag);
    QVERIFY(w.marked().isEmpty());
    QVERIFY(!w.drawnAsCut("0/0"));

    // The clipboard still holds the branches: a second paste copies them.
    w.focus("");
    w.form.treeClipboard()->pasteNodes();
    QCOMPARE(w.tree(), QStringLiteral("A:1(A1:2) B:1 C:1(A:2(A1:3) B:2 Copy of A:2)"));
}

void TestTForm1NodeClipboard::pasteOfScatteredBranches_data()
{
    QTest::addColumn<bool>("cut");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("marked");
    // Branches from three places come in as one step each, in tree order: the first, then
    // each of the others, named against the siblings it meets (the old C below B becomes
    // the copy, being later than the C that came).
    QTest::newRow("copied") << false
        << "A:1(A1:2 A2:2) B:1(A1:2 C:2 D:2(D1:3) Copy of C:2) C:1 D:1(D1:2) E:1"
        << QStringList{"A1", "C", "D", "D1"};
    QTest::newRow("cut") << true << "A:1(A2:2) B:1(A1:2 C:2 D:2(D1:3) Copy of C:2) E:1" << QStringList{};
}

// Many branches pasted at once: the paste target keeps the focus and stays the only node
// selected, shown open; a copy's marks stay on what was copied, a cut's go with the move.
void TestTForm1NodeClipboard::pasteOfScatteredBranches()
{
    QFETCH(bool, cut);
    QFETCH(QString, expected);
    QFETCH(QStringList, marked);
    Window w("A[A1|A2]|B[C]|C|D[D1]|E");
    QVERIFY(w.active());
    w.form.tree()->setFocus();
    w.select("0/0", {"2", "3"});
    QVERIFY(TriggerAsUser(w.action(cut ? "MnCut" : "MnCopy")));
    w.form.tree()->collapse(w.indexOf(w.at("1")));
    w.click("1");

    QVERIFY(TriggerAsUser(w.action("MnPaste")));

    QCOMPARE(w.tree(), expected);
    ConnectionNode *b = w.at("1");
    QCOMPARE(w.form.focusedNode(), b);
    QCOMPARE(w.form.tree()->selection().nodes(), QList<ConnectionNode *>{b});
    QVERIFY(w.form.tree()->isExpanded(w.indexOf(b)));
    QCOMPARE(w.marked(), marked);
    QVERIFY(!w.doc().CutModeFlag);
    QVERIFY(w.doc().tableModified());
}

void TestTForm1NodeClipboard::cutPasteIntoTheCutBranchDoesNothing()
{
    Window w("A[A1[A2]]|B");
    w.select("0");
    w.form.treeClipboard()->cutNodes();
    const QString before = w.tree();

    for (const char *inside : {"0", "0/0", "0/0/0"}) {
        w.focus(QLatin1String(inside));
        w.form.treeClipboard()->pasteNodes();
        QCOMPARE(w.tree(), before);
    }
    QVERIFY(!w.form.doc().tableModified());
    QVERIFY(w.prompter.boxes().isEmpty());
    // The cut is still pending: pasted elsewhere, it moves.
    QVERIFY(w.form.doc().CutModeFlag);
    QVERIFY(w.drawnAsCut("0/0"));
    w.focus("1");
    w.form.treeClipboard()->pasteNodes();
    QCOMPARE(w.tree(), QStringLiteral("B:1(A:2(A1:3(A2:4)))"));
}

void TestTForm1NodeClipboard::copyAfterCutEndsTheMove()
{
    Window w("A|B|C");
    w.select("0");
    w.form.treeClipboard()->cutNodes();
    w.select("1");
    w.form.treeClipboard()->copyNodes();
    QVERIFY(!w.form.doc().CutModeFlag);
    QCOMPARE(w.marked(), QStringList{"B"});
    w.focus("2");

    w.form.treeClipboard()->pasteNodes();

    QCOMPARE(w.tree(), QStringLiteral("A:1 B:1 C:1(B:2)"));
}

void TestTForm1NodeClipboard::cutBranchRemovedComesBackAsCopy()
{
    Window w("A[A1]|B");
    w.select("0");
    w.form.treeClipboard()->cutNodes();
    w.form.doc().tree().removeNode(w.at("0"));
    QVERIFY(w.marked().isEmpty());
    w.focus("0");

    w.form.treeClipboard()->pasteNodes();

    QCOMPARE(w.tree(), QStringLiteral("B:1(A:2(A1:3))"));
    QVERIFY(!w.form.doc().CutModeFlag);
}

void TestTForm1NodeClipboard::cancelDropsTheMarks()
{
    Window w("A[A1]|B");
    w.select("0");
    w.form.treeClipboard()->cutNodes();
    w.form.doc().CancelCutOrCopy();
    QVERIFY(w.marked().isEmpty());
    QVERIFY(!w.drawnAsCut("0"));
    // Without its marks the cut no longer moves: the paste copies.
    w.focus("1");
    w.form.treeClipboard()->pasteNodes();
    QCOMPARE(w.tree(), QStringLiteral("A:1(A1:2) B:1(A:2(A1:3))"));
}

// The nodes of a table replaced in one go are gone: their marks with them, while the clipboard
// still holds the branches.
void TestTForm1NodeClipboard::newTableDropsTheMarks()
{
    Window w("A[A1]|B");
    w.select("0");
    w.form.treeClipboard()->cutNodes();
    w.form.doc().tree().clear();
    w.form.InitTree();
    BuildShape(w.form.doc().tree(), "N");
    QVERIFY(w.marked().isEmpty());
    w.focus("0");

    w.form.treeClipboard()->pasteNodes();

    QCOMPARE(w.tree(), QStringLiteral("N:1(A:2(A1:3))"));
}

// Branches another instance put on the clipboard are read in, also while a cut of this tree
// waits.
void TestTForm1NodeClipboard::foreignPayloadIsCopiedIn()
{
    Window w("A|B");
    w.select("0");
    w.form.treeClipboard()->cutNodes();
    ShapedTable other("X[Y]|Z");
    putOnClipboard(EncodeNodes({other.at("0"), other.at("1")}));
    w.focus("1");

    w.form.treeClipboard()->pasteNodes();

    QCOMPARE(w.tree(), QStringLiteral("A:1 B:1(X:2(Y:3) Z:2)"));
    QVERIFY(w.form.doc().tableModified());
    QVERIFY(!w.form.doc().CutModeFlag);
}

void TestTForm1NodeClipboard::damagedPayloadInsertsNothing()
{
    Window w("A|B");
    ShapedTable other("X[Y]|Z");
    QByteArray payload = EncodeNodes({other.at("0"), other.at("1")});
    // The last record lost its last byte.
    payload.chop(1);
    putOnClipboard(payload);
    w.select("1");

    w.form.treeClipboard()->pasteNodes();

    QCOMPARE(w.tree(), QStringLiteral("A:1 B:1"));
    QVERIFY(!w.form.doc().tableModified());
    QCOMPARE(w.prompter.texts(), QStringList{"Error reading the file. It contains inconsistent data."});
}

void TestTForm1NodeClipboard::nothingToPaste()
{
    Window w("A|B");
    w.select("1");
    QGuiApplication::clipboard()->setText(QStringLiteral("plain text"));
    w.form.treeClipboard()->pasteNodes();
    QCOMPARE(w.tree(), QStringLiteral("A:1 B:1"));

    // Nodes on the clipboard but no focused node.
    w.form.treeClipboard()->copyNodes();
    w.form.tree()->selectionModel()->clear();
    w.form.treeClipboard()->pasteNodes();
    QCOMPARE(w.tree(), QStringLiteral("A:1 B:1"));
    QVERIFY(!w.form.doc().tableModified());
    QVERIFY(w.prompter.boxes().isEmpty());
}

void TestTForm1NodeClipboard::keysCopyCutAndPasteBranches_data()
{
    QTest::addColumn<int>("key");                // Ctrl with this key takes the branch
    QTest::addColumn<QString>("after");
    QTest::newRow("Ctrl+C, Ctrl+V: a copy")
        << int(Qt::Key_C) << QStringLiteral("A:1(A1:2) B:1(A:2(A1:3))");
    QTest::newRow("Ctrl+X, Ctrl+V: the branch moves")
        << int(Qt::Key_X) << QStringLiteral("B:1(A:2(A1:3))");
}

void TestTForm1NodeClipboard::keysCopyCutAndPasteBranches()
{
    QFETCH(int, key);
    QFETCH(QString, after);
    Window w("A[A1]|B");
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.click("0");
    w.press(Qt::CTRL | Qt::Key(key));
    QList<rVTNodeData> records;
    QVERIFY(DecodeNodes(clipboardPayload(), records));
    QCOMPARE(records.size(), 2);
    QCOMPARE(w.form.doc().CutModeFlag, key == Qt::Key_X);
    QCOMPARE(w.tree(), QStringLiteral("A:1(A1:2) B:1"));

    w.click("1");
    w.press(Qt::CTRL | Qt::Key_V);
    QCOMPARE(w.tree(), after);
    QVERIFY(!w.form.doc().CutModeFlag);
    QVERIFY(w.form.doc().tableModified());
    QVERIFY(w.prompter.boxes().isEmpty());
}

void TestTForm1NodeClipboard::keysOnTheTopNodeDoNothing()
{
    Window w("A|B");
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.click("");
    QCOMPARE(w.form.focusedNode(), w.form.doc().RootNode());
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    for (Qt::Key key : {Qt::Key_C, Qt::Key_X, Qt::Key_V}) {
        w.press(Qt::CTRL | key);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
    }
    QCOMPARE(w.tree(), QStringLiteral("A:1 B:1"));
    QVERIFY(w.marked().isEmpty());
    QVERIFY(!w.form.doc().tableModified());
}

void TestTForm1NodeClipboard::keysReachTheTreeWhereTheMenuIsOff()
{
    Window w("A[A1]|B");
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    // With the top node in the selection Cut and Copy are off; the tree takes the keys and
    // leaves the top node out.
    w.click("0");
    QTest::mouseClick(w.form.tree()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      w.form.tree()->visualRect(w.indexOf(w.at(""))).center());
    w.form.tree()->selectionModel()->setCurrentIndex(w.indexOf(w.at("0")), QItemSelectionModel::NoUpdate);
    QVERIFY(w.form.tree()->isSelected(w.form.doc().RootNode()));
    QTRY_VERIFY(!w.form.findChild<QAction *>(QStringLiteral("BtnCut"))->isEnabled());

    w.press(Qt::CTRL | Qt::Key_C);
    QList<rVTNodeData> records;
    QVERIFY(DecodeNodes(clipboardPayload(), records));
    QCOMPARE(records.size(), 2);
    QVERIFY(!w.form.doc().CutModeFlag);
    QVERIFY(!w.form.doc().tableModified());

    w.press(Qt::CTRL | Qt::Key_X);
    QVERIFY(w.form.doc().CutModeFlag);
    QVERIFY(w.drawnAsCut("0/0"));
    QVERIFY(w.form.doc().tableModified());
    QCOMPARE(w.tree(), QStringLiteral("A:1(A1:2) B:1"));
}

void TestTForm1NodeClipboard::renamingAMarkedNodeEndsTheCut_data()
{
    QTest::addColumn<QString>("renamed");
    QTest::addColumn<bool>("marksKept");
    QTest::newRow("a node of the cut branch") << QStringLiteral("0/0") << false;
    QTest::newRow("a node outside it") << QStringLiteral("1") << true;
}

void TestTForm1NodeClipboard::renamingAMarkedNodeEndsTheCut()
{
    QFETCH(QString, renamed);
    QFETCH(bool, marksKept);
    Window w("A[A1]|B");
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.click("0");
    w.press(Qt::CTRL | Qt::Key_X);
    QCOMPARE(w.marked(), (QStringList{"A", "A1"}));

    w.click(renamed);
    w.press(QKeyCombination(Qt::Key_F2));
    QVERIFY(w.form.tree()->currentEditLink());
    QCOMPARE(w.marked(), marksKept ? (QStringList{"A", "A1"}) : QStringList());
    QCOMPARE(w.drawnAsCut("0"), marksKept);
    QTest::keyClick(w.form.tree()->currentEditLink(), Qt::Key_Escape);

    // Without the marks the clipboard's branch comes in as a copy; with them it moves.
    w.click("1");
    w.press(Qt::CTRL | Qt::Key_V);
    QCOMPARE(w.tree(), marksKept ? QStringLiteral("B:1(A:2(A1:3))") : QStringLiteral("A:1(A1:2) B:1(A:2(A1:3))"));
}

QTEST_MAIN(TestTForm1NodeClipboard)
#include "tst_tform1_nodeclipboard.moc"
