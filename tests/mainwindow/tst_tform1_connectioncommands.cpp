#include "mainwindow/ConnectionTreeModel.h"
#include "mainwindow/NewConnectionsPage.h"
#include "mainwindow/SettingsPage.h"
#include "mainwindow/TForm1.h"
#include "MainWindowFixture.h"
#include "ShownRows.h"
#include "platform/widgets/QsciIncludes.h"
#include "support/ScriptedFileChooser.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramFolder.h"
#include "support/TreeShape.h"
#include "table/ColorSet.h"
#include "table/ConnectionTree.h"
#include "table/EditCommands.h"
#include "table/TreeRules.h"
#include "TriggerAsUser.h"

#include <QAction>
#include <QComboBox>
#include <QRadioButton>
#include <QTest>
#include <QTreeView>

namespace {

// The real window, shown, with a table of the given shape and no teraterm.ini.
struct Window : MainWindowFixture
{
    using MainWindowFixture::MainWindowFixture;

    NewConnectionsPage *defaults() const { return form.settingsPage()->newConnections(); }
    QList<ConnectionNode *> selected() { return form.tree()->selection().nodes(); }
};

} // namespace

class TestTForm1ConnectionCommands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void addChildAndSibling();
    void newConnectionDefaults_data();
    void newConnectionDefaults();
    void separator_data();
    void separator();
    void separatorWithoutFocusedNode();
    void duplicateNames();
    void commandsInAnOpenTree_data();
    void commandsInAnOpenTree();
    void commandsRefuseWhereTheyCannot_data();
    void commandsRefuseWhereTheyCannot();
    void deleteOfScatteredBranches_data();
    void deleteOfScatteredBranches();
    void deleteQuestions_data();
    void deleteQuestions();
    void deleteWithUnappliedEdits_data();
    void deleteWithUnappliedEdits();
};

void TestTForm1ConnectionCommands::addChildAndSibling()
{
    Window w("A[B]|C");
    QVERIFY(w.active());
    ConnectionNode *a = w.at(QStringLiteral("0"));
    w.form.tree()->collapseAll();
    w.focus(a);
    w.press(Qt::CTRL | Qt::Key_I);
    // The new connection is A's first child; A keeps the focus, alone selected, expanded.
    QCOMPARE(w.shape(), QByteArray("A[Unnamed connection #1|B]|C"));
    QCOMPARE(w.form.focusedNode(), a);
    QCOMPARE(w.selected(), QList<ConnectionNode *>{a});
    QVERIFY(w.form.tree()->isExpanded(w.form.model().indexFor(a)));
    QCOMPARE(w.form.windowTitle(), QStringLiteral("Wexmora Configuration - [Noname.QDZ*]"));

    w.press(Qt::CTRL | Qt::ALT | Qt::Key_I);
    QCOMPARE(w.shape(), QByteArray("A[Unnamed connection #1|B]|Unnamed connection #2|C"));
    QCOMPARE(w.form.focusedNode(), a);
    // The toolbar and the context menu run the same commands.
    w.action("BtnAddChild")->trigger();
    w.action("pmAddSibl")->trigger();
    QCOMPARE(w.shape(), QByteArray("A[Unnamed connection #3|Unnamed connection #1|B]|Unnamed connection #4|"
                                   "Unnamed connection #2|C"));
    QCOMPARE(LevelsOf(w.doc().RootNode()), QByteArray("1 2 2 2 1 1 1"));
    QVERIFY(w.prompter.boxes().isEmpty());
}

void TestTForm1ConnectionCommands::newConnectionDefaults_data()
{
    QTest::addColumn<int>("scheme");
    QTest::addColumn<bool>("log");
    QTest::addColumn<int>("expectedScheme");
    QTest::newRow("a built-in scheme, logging") << 3 << true << 3;
    QTest::newRow("the first scheme, no logging") << 0 << false << 0;
    QTest::newRow("from a missing teraterm.ini: the first scheme") << 7 << true << 0;
}

void TestTForm1ConnectionCommands::newConnectionDefaults()
{
    QFETCH(int, scheme);
    QFETCH(bool, log);
    QFETCH(int, expectedScheme);
    Window w("Top");
    QVERIFY(w.active());
    ConnectionNode *top = w.at(QStringLiteral("0"));
    top->data.Colors = ColorSchemes[5].text;
    top->data.LogSession = !log;
    w.defaults()->cbDefColors()->setCurrentIndex(scheme);
    (log ? w.defaults()->rbLog() : w.defaults()->rbDontLog())->setChecked(true);

    w.focus(top);
    w.action("mnAddSibling")->trigger();
    w.action("MnAddChild")->trigger();
    // Below the top node: the options; one level deeper: the parent's, whatever the options say.
    const ConnectionNode *sibling = w.at(QStringLiteral("1"));
    QCOMPARE(sibling->data.Colors, QByteArray(ColorSchemes[expectedScheme].text));
    QCOMPARE(sibling->data.LogSession, log);
    const ConnectionNode *child = w.at(QStringLiteral("0/0"));
    QCOMPARE(child->data.Colors, QByteArray(ColorSchemes[5].text));
    QCOMPARE(child->data.LogSession, !log);
    QVERIFY(child->data.Macro.isEmpty() && child->data.Popup.isEmpty() && child->data.Schedule.isEmpty());
    QCOMPARE(child->data.Kind, 0);
}

void TestTForm1ConnectionCommands::separator_data()
{
    QTest::addColumn<QString>("focused");
    QTest::addColumn<QByteArray>("shape");
    QTest::addColumn<QString>("separatorAt");
    QTest::newRow("top node: last child") << QString() << QByteArray("A[B]|C|-") << QStringLiteral("2");
    QTest::newRow("a connection: right after it") << QStringLiteral("0/0") << QByteArray("A[B|-]|C")
                                                  << QStringLiteral("0/1");
}

void TestTForm1ConnectionCommands::separator()
{
    QFETCH(QString, focused);
    QFETCH(QByteArray, shape);
    QFETCH(QString, separatorAt);
    Window w("A[B]|C");
    QVERIFY(w.active());
    w.focus(w.at(focused));
    w.press(Qt::CTRL | Qt::Key_L);
    QCOMPARE(w.shape(), shape.replace('-', SeparatorText));
    ConnectionNode *separator = w.at(separatorAt);
    QCOMPARE(separator->data.Name, SeparatorText);
    QCOMPARE(separator->data.LogSession, false);
    QCOMPARE(w.form.focusedNode(), separator);
    QCOMPARE(w.selected(), QList<ConnectionNode *>{separator});
}

void TestTForm1ConnectionCommands::separatorWithoutFocusedNode()
{
    Window w("A");
    QVERIFY(w.active());
    w.form.tree()->selectionModel()->clear();
    QCOMPARE(w.form.focusedNode(), nullptr);
    w.action("mnAddSepLine")->trigger();
    w.action("pmAddSepLine")->trigger();
    QCOMPARE(w.shape(), QByteArray("A"));
    QVERIFY(!w.doc().tableModified());
}

void TestTForm1ConnectionCommands::duplicateNames()
{
    Window w("N[X]|-");
    QVERIFY(w.active());
    ConnectionNode *n = w.at(QStringLiteral("0"));
    n->data.Kind = 2;
    n->data.Macro = "connect";
    w.focus(n);
    w.press(Qt::CTRL | Qt::ALT | Qt::Key_D);
    ConnectionNode *copy = w.at(QStringLiteral("1"));
    QCOMPARE(w.form.focusedNode(), copy);
    QCOMPARE(copy->data.Kind, 2);
    QCOMPARE(copy->data.Macro, QByteArray("connect"));
    // The copied connection is focused, so duplicating again copies the copy.
    w.press(Qt::CTRL | Qt::ALT | Qt::Key_D);
    w.focus(n);
    w.action("pmDuplicate")->trigger();
    w.focus(w.at(QStringLiteral("4")));
    w.action("MnDuplicate")->trigger();
    QCOMPARE(w.shape(), QByteArray("N[X]|Copy (2) of N[X]|Copy of N[X]|Copy of Copy of N[X]|-|-")
                            .replace("|-", "|" + SeparatorText));
    QCOMPARE(LevelsOf(w.doc().RootNode()), QByteArray("1 2 1 2 1 2 1 2 1 1"));
    QVERIFY(!w.doc().CopyInProgressFlag);
    QVERIFY(w.prompter.boxes().isEmpty());
}

// Adding and duplicating in a tree with many open branches: the names, levels, focus and
// selection the commands give, the rows where the view shows them, and every branch as open
// as it was.
void TestTForm1ConnectionCommands::commandsInAnOpenTree_data()
{
    QTest::addColumn<QString>("focused");
    QTest::addColumn<int>("keys");
    QTest::addColumn<QString>("added");    // path of the new node
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("focusAfter");
    const int child = int(Qt::CTRL | Qt::Key_I);
    const int sibling = int(Qt::CTRL | Qt::ALT | Qt::Key_I);
    const int duplicate = int(Qt::CTRL | Qt::ALT | Qt::Key_D);
    QTest::newRow("child in a small branch") << "6/1" << child << "6/1/0" << "Unnamed connection #1" << "6/1";
    QTest::newRow("child of RootNode") << "" << child << "0" << "Unnamed connection #1" << "";
    QTest::newRow("child of a connection") << "7" << child << "7/0" << "Unnamed connection #1" << "7";
    QTest::newRow("sibling deep down") << "6/1/1/0" << sibling << "6/1/1/1" << "Unnamed connection #1" << "6/1/1/0";
    QTest::newRow("duplicate below RootNode") << "4" << duplicate << "5" << "Copy of G2" << "5";
    QTest::newRow("duplicate in a branch") << "4/1" << duplicate << "4/2" << "Copy of g2b" << "4/2";
}

void TestTForm1ConnectionCommands::commandsInAnOpenTree()
{
    QFETCH(QString, focused);
    QFETCH(int, keys);
    QFETCH(QString, added);
    QFETCH(QString, name);
    QFETCH(QString, focusAfter);
    Window w(ManyBranches(20));
    QVERIFY(w.active());
    ConnectionTreeView *vt = w.form.tree();
    vt->collapse(w.indexOf(w.at(QStringLiteral("10/1"))));
    const QStringList before = BranchStates(*vt, w.form.model());
    w.focus(w.at(focused));
    w.press(QKeyCombination::fromCombined(keys));

    ConnectionNode *node = w.at(added);
    QVERIFY(node);
    QCOMPARE(QString::fromUtf8(node->data.Name), name);
    QCOMPARE(w.form.focusedNode(), w.at(focusAfter));
    QCOMPARE(w.selected(), QList<ConnectionNode *>{w.at(focusAfter)});
    ConnectionTree::forEachBelow(w.doc().RootNode(), [](const ConnectionNode *n) {
        QCOMPARE(n->data.Level, n->parent()->data.Level + 1);
    });
    const QStringList after = BranchStates(*vt, w.form.model());
    for (const QString &state : before)
        QVERIFY2(after.contains(state), qPrintable(state));
    QCOMPARE(ShownRows(*vt, w.form.model()), ExpectedRows(*vt, w.form.model()));
    QVERIFY(w.prompter.boxes().isEmpty());
}

void TestTForm1ConnectionCommands::commandsRefuseWhereTheyCannot_data()
{
    QTest::addColumn<QString>("focused");
    QTest::addColumn<QByteArray>("command");
    QTest::newRow("child of a separator") << QStringLiteral("1") << QByteArray("MnAddChild");
    QTest::newRow("sibling of the top node") << QString() << QByteArray("mnAddSibling");
    QTest::newRow("copy of the top node") << QString() << QByteArray("MnDuplicate");
    QTest::newRow("delete of the top node") << QString() << QByteArray("MnDelete");
}

void TestTForm1ConnectionCommands::commandsRefuseWhereTheyCannot()
{
    QFETCH(QString, focused);
    QFETCH(QByteArray, command);
    Window w("A|-");
    QVERIFY(w.active());
    w.focus(w.at(focused));
    w.action(command.constData())->trigger();
    QCOMPARE(w.shape(), QByteArray("A|-"));
    QVERIFY(!w.doc().tableModified());
    QVERIFY(w.prompter.boxes().isEmpty());
}

void TestTForm1ConnectionCommands::deleteOfScatteredBranches_data()
{
    QTest::addColumn<QStringList>("select");    // paths; the last one is focused
    QTest::addColumn<QByteArray>("shape");
    QTest::addColumn<QString>("focusAfter");
    QTest::addColumn<QStringList>("marked");    // by name, after the cut of D
    QTest::newRow("neighbours and strays below two parents")
        << QStringList{"0/0", "0/3", "2", "4", "0/1"} << QByteArray("A[A3]|B|D[D1|D2]") << "0"
        << QStringList{"D", "D1", "D2"};
    QTest::newRow("the cut branch among them")
        << QStringList{"1", "3"} << QByteArray("A[A1|A2|A3|A4]|C|E") << "" << QStringList{};
    QTest::newRow("the focused node's parent too")
        << QStringList{"0", "0/2"} << QByteArray("B|C|D[D1|D2]|E") << "" << QStringList{"D", "D1", "D2"};
}

// Branches from many places deleted at once: the focus and the selection go to the parent
// of the focused node (or the first one left above it), the cut marks of what went go with
// it, and the branches left keep their marks and stay open.
void TestTForm1ConnectionCommands::deleteOfScatteredBranches()
{
    QFETCH(QStringList, select);
    QFETCH(QByteArray, shape);
    QFETCH(QString, focusAfter);
    QFETCH(QStringList, marked);
    Window w("A[A1|A2|A3|A4]|B|C|D[D1|D2]|E");
    QVERIFY(w.active());
    w.focus(w.at("3"));
    QVERIFY(TriggerAsUser(w.action("MnCut")));
    w.focus(w.at(select.first()));
    QTreeView *vt = w.form.tree();
    for (const QString &path : select.mid(1))
        QTest::mouseClick(vt->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          vt->visualRect(w.indexOf(w.at(path))).center());
    QCOMPARE(w.selected().size(), select.size());
    w.prompter.queue(Prompter::Yes);

    w.press(Qt::CTRL | Qt::Key_Delete);

    QCOMPARE(w.shape(), shape);
    QCOMPARE(w.form.focusedNode(), w.at(focusAfter));
    QCOMPARE(w.selected(), QList<ConnectionNode *>{w.at(focusAfter)});
    QCOMPARE(w.doc().CurrentNode, w.at(focusAfter));
    QStringList stillMarked;
    ConnectionTree::forEachBelow(w.doc().RootNode(), [&](ConnectionNode *n) {
        if (w.doc().hasCutCopyMark(n))
            stillMarked << QString::fromLatin1(n->data.Name);
    });
    QCOMPARE(stillMarked, marked);
    ConnectionTree::forEachBelow(w.doc().RootNode(), [&](ConnectionNode *n) {
        if (n->hasChildren())
            QVERIFY(vt->isExpanded(w.indexOf(n)));
    });
}

void TestTForm1ConnectionCommands::deleteQuestions_data()
{
    QTest::addColumn<QStringList>("select");    // paths; the last one is focused
    QTest::addColumn<QByteArray>("macro");      // of A
    QTest::addColumn<QByteArray>("popup");
    QTest::addColumn<QString>("question");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QByteArray>("shape");
    QTest::addColumn<QString>("focusAfter");
    const QStringList a{QStringLiteral("0")};
    const QString assoc = QStringLiteral("Connection 'A' with associated data will be deleted.\r"
                                         "Do you want to continue?");
    const int warning = int(Prompter::Kind::Warning);
    const int confirmation = int(Prompter::Kind::Confirmation);
    QTest::newRow("empty leaf: no question") << a << QByteArray() << QByteArray() << QString() << 0 << 0
                                             << QByteArray("B[C|D]|-") << QString();
    QTest::newRow("only a separator: no question")
        << QStringList{QStringLiteral("2")} << QByteArray() << QByteArray() << QString() << 0 << 0
        << QByteArray("A|B[C|D]") << QString();
    QTest::newRow("popup only: associated data, yes")
        << a << QByteArray() << QByteArray("note") << assoc << warning << int(Prompter::Yes)
        << QByteArray("B[C|D]|-") << QString();
    QTest::newRow("macro: associated data, no")
        << a << QByteArray("connect") << QByteArray() << assoc << warning << int(Prompter::No)
        << QByteArray("A|B[C|D]|-") << QStringLiteral("0");
    QTest::newRow("children: all descendants")
        << QStringList{QStringLiteral("1")} << QByteArray() << QByteArray()
        << QStringLiteral("Connection 'B' with all descendants \rand associated data will be deleted.\r"
                          "Do you want to continue?")
        << warning << int(Prompter::Yes) << QByteArray("A|-") << QString();
    QTest::newRow("several: n connections")
        << QStringList{QStringLiteral("1/0"), QStringLiteral("0"), QStringLiteral("1/1")} << QByteArray()
        << QByteArray()
        << QStringLiteral("Deleting 3 connections. All descendant connections will be also deleted.\r"
                          "Do you want to continue?")
        << confirmation << int(Prompter::Yes) << QByteArray("B|-") << QStringLiteral("0");
}

void TestTForm1ConnectionCommands::deleteQuestions()
{
    QFETCH(QStringList, select);
    QFETCH(QByteArray, macro);
    QFETCH(QByteArray, popup);
    QFETCH(QString, question);
    QFETCH(int, kind);
    QFETCH(int, answer);
    QFETCH(QByteArray, shape);
    QFETCH(QString, focusAfter);
    Window w("A|B[C|D]|-");
    QVERIFY(w.active());
    ConnectionNode *a = w.at(QStringLiteral("0"));
    a->data.Macro = macro;
    a->data.Popup = popup;
    w.focus(w.at(select.first()));
    for (const QString &path : select.mid(1)) {
        QTreeView *vt = w.form.tree();
        QTest::mouseClick(vt->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          vt->visualRect(w.form.model().indexFor(w.at(path))).center());
    }
    QCOMPARE(w.selected().size(), select.size());
    if (answer)
        w.prompter.queue(Prompter::Answer(answer));
    w.press(Qt::CTRL | Qt::Key_Delete);
    QCOMPARE(w.prompter.texts(), question.isEmpty() ? QStringList() : QStringList{question});
    if (!question.isEmpty()) {
        QCOMPARE(int(w.prompter.boxes().first().kind), kind);
        QCOMPARE(w.prompter.boxes().first().buttons, Prompter::Buttons::YesNo);
    }
    QCOMPARE(w.shape(), shape);
    const bool deleted = answer != Prompter::No;
    QCOMPARE(w.doc().tableModified(), deleted);
    if (deleted) {
        // The focus goes to the parent of the focused node.
        QCOMPARE(w.form.focusedNode(), w.at(focusAfter));
        QCOMPARE(w.selected(), QList<ConnectionNode *>{w.at(focusAfter)});
    }
    // The commands are worked out again after every delete, a refused one too: the button
    // the command switched off follows the selection again.
    QTRY_COMPARE(w.action("BtnDelete")->isEnabled(), !w.selected().contains(w.doc().RootNode()));
}

void TestTForm1ConnectionCommands::deleteWithUnappliedEdits_data()
{
    QTest::addColumn<bool>("withSibling");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<int>("questions");
    QTest::addColumn<QByteArray>("shape");
    QTest::newRow("no: nothing deleted") << false << QList<int>{Prompter::No} << 1 << QByteArray("A|B");
    QTest::newRow("yes: only the edited connection, no second question")
        << false << QList<int>{Prompter::Yes} << 1 << QByteArray("B");
    QTest::newRow("more selected: the usual question too, no")
        << true << QList<int>{Prompter::Yes, Prompter::No} << 2 << QByteArray("A|B");
    QTest::newRow("more selected: the usual question too, yes")
        << true << QList<int>{Prompter::Yes, Prompter::Yes} << 2 << QByteArray();
}

void TestTForm1ConnectionCommands::deleteWithUnappliedEdits()
{
    QFETCH(bool, withSibling);
    QFETCH(QList<int>, answers);
    QFETCH(int, questions);
    QFETCH(QByteArray, shape);
    Window w("A|B");
    QVERIFY(w.active());
    ConnectionNode *a = w.at(QStringLiteral("0"));
    w.focus(a);
    if (withSibling) {
        QTreeView *vt = w.form.tree();
        QTest::mouseClick(vt->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          vt->visualRect(w.form.model().indexFor(w.at(QStringLiteral("1")))).center());
        w.form.tree()->setFocusedNode(a);
    }
    QCOMPARE(w.doc().CurrentNode, a);
    w.doc().SetNodeModified(true);
    for (int answer : answers)
        w.prompter.queue(Prompter::Answer(answer));
    QVERIFY(TriggerAsUser(w.action("BtnDelete")));
    QCOMPARE(w.prompter.boxes().size(), questions);
    QCOMPARE(w.prompter.texts().first(), QStringLiteral("Do you want to discard all data assosiated with 'A' ?"));
    QCOMPARE(w.prompter.boxes().first().kind, Prompter::Kind::Warning);
    if (questions > 1)
        QVERIFY(w.prompter.texts().at(1).startsWith(QStringLiteral("Deleting 2 connections.")));
    QCOMPARE(w.shape(), shape);
    QCOMPARE(w.doc().IsNodeModified(), shape.startsWith("A"));
}

QTEST_MAIN(TestTForm1ConnectionCommands)
#include "tst_tform1_connectioncommands.moc"
