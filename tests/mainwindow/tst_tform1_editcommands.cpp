#include "mainwindow/ConnectionTreeModel.h"
#include "mainwindow/SchedulePage.h"
#include "mainwindow/SettingsPage.h"
#include "mainwindow/TForm1.h"
#include "mainwindow/UserDataPage.h"
#include "MainWindowFixture.h"
#include "platform/widgets/QsciIncludes.h"
#include "support/ScriptedFileChooser.h"
#include "support/ScriptedPrompter.h"
#include "support/TempUserDirs.h"
#include "support/TreeShape.h"
#include "table/ConnectionTree.h"
#include "table/NodeClipboard.h"
#include "TriggerAsUser.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QTreeView>

namespace {

enum Control { Macro, Popup, UserField, Schedule, InPlace };

// The real window, shown, with a small table.
struct Window : MainWindowFixture
{
    Window() : MainWindowFixture("A[B[C]]|D", false) {}

    QLineEdit *edit1() const { return form.settingsPage()->userData()->Edit1(); }
    QLineEdit *edit4() const { return form.schedulePage()->Edit4(); }

    void focusTreeAt(const QString &path) { focus(at(path)); }

    // Brings the control's page to the front, focuses the control and gives it Text.
    QWidget *show(Control control, const QString &text)
    {
        QWidget *w = nullptr;
        switch (control) {
        case Macro:
            pages()->setCurrentIndex(1);
            memo1()->setText(text);
            w = memo1();
            break;
        case Popup:
            pages()->setCurrentIndex(2);
            memo2()->setText(text);
            w = memo2();
            break;
        case UserField:
            pages()->setCurrentIndex(0);
            form.settingsPage()->PGSettings()->setCurrentWidget(form.settingsPage()->userData());
            edit1()->setText(text);
            w = edit1();
            break;
        case Schedule:
            pages()->setCurrentIndex(4);
            // The schedule on: only then do its fields take input.
            form.schedulePage()->setScheduleOn(true);
            form.schedulePage()->cbScheduleClick(false);
            edit4()->setText(text);
            w = edit4();
            break;
        case InPlace: {
            focusTreeAt(QStringLiteral("1"));
            QTest::keyClick(form.tree(), Qt::Key_F2);
            QLineEdit *editor = form.tree()->currentEditLink();
            if (!editor)
                return nullptr;
            editor->setText(text);
            w = editor;
            break;
        }
        }
        w->setFocus();
        return w;
    }

    // Press, move with the button held, release: a selection made with the mouse.
    static void drag(QWidget *target, QPoint from, QPoint to)
    {
        QTest::mousePress(target, Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), target->mapToGlobal(QPointF(to)), Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(target, &move);
        QTest::mouseRelease(target, Qt::LeftButton, {}, to);
    }

    static QString textOf(QWidget *w)
    {
        if (auto *memo = qobject_cast<QsciScintilla *>(w))
            return memo->text();
        return static_cast<QLineEdit *>(w)->text();
    }

    void clearMarks()
    {
        doc().SetNodeModified(false);
        doc().UpdateCaption(false);
    }
};

} // namespace

class TestTForm1EditCommands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void commandsByKeyboard_data();
    void commandsByKeyboard();
    void pasteWithoutText();
    void selectAllOnTheTree();
    void selectAllThenCopy();
    void selectAllWithUnappliedEdits_data();
    void selectAllWithUnappliedEdits();
    void insertToggles();
    void overwriteInFields_data();
    void overwriteInFields();
    void enterAndExit();
    void enabledCommandTakesItsKey_data();
    void enabledCommandTakesItsKey();
    void treeShortcutsAct_data();
    void treeShortcutsAct();
    void clipboardKeysOnTheTopNode_data();
    void clipboardKeysOnTheTopNode();
    void mouseSelectionRefreshesTheCommands_data();
    void mouseSelectionRefreshesTheCommands();
    void renamingAMarkedNodeEndsTheCut();
    void addButtonsOfferTheContextMenu();
    void closeAsksAsTheCloseBox();
};

void TestTForm1EditCommands::commandsByKeyboard_data()
{
    QTest::addColumn<int>("control");
    QTest::addColumn<bool>("marksNode");
    QTest::addColumn<bool>("marksTable");
    // What two pastes of "1,5" make: a schedule field shows its list sorted and each value once.
    QTest::addColumn<QString>("pastedTwice");
    // The schedule field's paste replaced its whole text: undoing it gives that text back
    // selected.
    QTest::addColumn<bool>("undoSelects");
    QTest::newRow("macro editor") << int(Macro) << true << false << "1,51,5" << false;
    QTest::newRow("popup editor") << int(Popup) << true << false << "1,51,5" << false;
    QTest::newRow("user data field") << int(UserField) << false << false << "1,51,5" << false;
    QTest::newRow("schedule field") << int(Schedule) << true << false << "1,5,51" << true;
    QTest::newRow("in-place editor") << int(InPlace) << false << true << "1,51,5" << false;
}

void TestTForm1EditCommands::commandsByKeyboard()
{
    QFETCH(int, control);
    QFETCH(bool, marksNode);
    QFETCH(bool, marksTable);
    QFETCH(QString, pastedTwice);
    QFETCH(bool, undoSelects);
    Window w;
    QVERIFY(w.active());
    QWidget *editor = w.show(Control(control), QStringLiteral("1,5"));
    QVERIFY(editor);
    QVERIFY(editor->hasFocus());
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    const auto marks = [&] { return std::pair(w.doc().IsNodeModified(), w.doc().tableModified()); };
    const std::pair none(false, false);
    const std::pair changed(marksNode, marksTable);

    // Select all and copy: nothing is marked.
    w.clearMarks();
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("1,5"));
    QCOMPARE(marks(), none);

    QTest::keyClick(editor, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(Window::textOf(editor), QString());
    QCOMPARE(clipboard->text(), QStringLiteral("1,5"));
    QCOMPARE(marks(), changed);

    w.clearMarks();
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Window::textOf(editor), pastedTwice);
    QCOMPARE(marks(), changed);

    w.clearMarks();
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Window::textOf(editor), QStringLiteral("1,5"));
    QCOMPARE(marks(), changed);

    // The toolbar and the context menu act on the same control. Cut follows the selection.
    QCOMPARE(w.action("BtnCut")->isEnabled(), undoSelects);
    w.clearMarks();
    w.action("pmSelectAll")->trigger();
    w.action("BtnCopy")->trigger();
    w.action("pmCut")->trigger();
    QCOMPARE(Window::textOf(editor), QString());
    QCOMPARE(marks(), changed);
    w.action("pmPaste")->trigger();
    QCOMPARE(Window::textOf(editor), QStringLiteral("1,5"));
    QVERIFY(w.prompter.boxes().isEmpty());
}

void TestTForm1EditCommands::pasteWithoutText()
{
    Window w;
    QVERIFY(w.active());
    QWidget *editor = w.show(Macro, QStringLiteral("keep"));
    QGuiApplication::clipboard()->clear();
    w.clearMarks();
    w.action("MnPaste")->trigger();
    QCOMPARE(Window::textOf(editor), QStringLiteral("keep"));
    QVERIFY(!w.doc().IsNodeModified());

    // With nothing focused that edits, the commands do nothing.
    QGuiApplication::clipboard()->setText(QStringLiteral("x"));
    w.form.findChild<QWidget *>(QStringLiteral("cbLogSession"))->setFocus();
    for (const char *name : {"MnUndo", "MnCut", "MnCopy", "MnPaste", "MnSelectAll"})
        w.action(name)->trigger();
    QCOMPARE(Window::textOf(editor), QStringLiteral("keep"));
    QVERIFY(!w.doc().IsNodeModified());
    QVERIFY(!w.doc().tableModified());
}

void TestTForm1EditCommands::selectAllOnTheTree()
{
    Window w;
    QVERIFY(w.active());
    w.form.tree()->collapseAll();
    w.focusTreeAt(QStringLiteral("1"));
    QTest::keyClick(w.form.tree(), Qt::Key_A, Qt::ControlModifier);
    // Every node, RootNode and those in collapsed branches included.
    QCOMPARE(w.form.tree()->selection().nodes().size(), 5);
    QCOMPARE(w.form.focusedNode(), NodeAt(w.doc(), QStringLiteral("1")));
    // Nothing is left to select: the Edit menu's Select all is off, and so is the key.
    auto *edit = w.form.findChild<QMenu *>(QStringLiteral("MnEdit"));
    Q_EMIT edit->aboutToShow();
    QVERIFY(!w.action("MnSelectAll")->isEnabled());
    // One node of a collapsed branch left out: there is more to select.
    w.form.tree()->setSelected(NodeAt(w.doc(), QStringLiteral("0/0/0")), false);
    Q_EMIT edit->aboutToShow();
    QVERIFY(w.action("MnSelectAll")->isEnabled());
}

// Select all over a selection of several nodes: every node in tree order, the focus where
// it was, the pending cut's marks kept; the tree's copy key then marks every branch once,
// RootNode left out (the Copy command is off while RootNode is selected).
void TestTForm1EditCommands::selectAllThenCopy()
{
    Window w;
    QVERIFY(w.active());
    w.focusTreeAt(QStringLiteral("1"));
    QVERIFY(TriggerAsUser(w.action("MnCut")));
    w.form.tree()->collapseAll();
    w.focusTreeAt(QStringLiteral("0"));
    QTest::mouseClick(w.form.tree()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      w.form.tree()->visualRect(w.indexOf(NodeAt(w.doc(), QStringLiteral("1")))).center());
    QCOMPARE(w.form.tree()->selection().size(), 2);

    QTest::keyClick(w.form.tree(), Qt::Key_A, Qt::ControlModifier);

    QList<ConnectionNode *> every{w.doc().RootNode()};
    ConnectionTree::forEachBelow(w.doc().RootNode(), [&every](ConnectionNode *n) { every << n; });
    QCOMPARE(w.form.tree()->selection().nodes(), every);
    QCOMPARE(w.form.focusedNode(), NodeAt(w.doc(), QStringLiteral("1")));
    QVERIFY(w.doc().CutModeFlag);
    QCOMPARE(w.doc().cutCopyTops(), QList<ConnectionNode *>{NodeAt(w.doc(), QStringLiteral("1"))});

    QTest::keyClick(w.form.tree(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(w.doc().cutCopyTops(), (QList<ConnectionNode *>{NodeAt(w.doc(), QStringLiteral("0")),
                                                             NodeAt(w.doc(), QStringLiteral("1"))}));
    for (ConnectionNode *n : std::as_const(every))
        QCOMPARE(w.doc().hasCutCopyMark(n), n != w.doc().RootNode());
}

void TestTForm1EditCommands::selectAllWithUnappliedEdits_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("selected");
    QTest::newRow("cancel selects nothing more") << int(Prompter::Cancel) << 1;
    QTest::newRow("no drops the edits, then selects all") << int(Prompter::No) << 5;
}

void TestTForm1EditCommands::selectAllWithUnappliedEdits()
{
    QFETCH(int, answer);
    QFETCH(int, selected);
    Window w;
    QVERIFY(w.active());
    w.focusTreeAt(QStringLiteral("1"));
    w.doc().SetNodeModified(true);
    w.prompter.queue(Prompter::Answer(answer));
    QTest::keyClick(w.form.tree(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(w.prompter.texts(), QStringList{QStringLiteral("Do you want to apply the changes you made to  'D' ?")});
    QCOMPARE(w.prompter.boxes().first().buttons, Prompter::Buttons::YesNoCancel);
    QCOMPARE(w.form.tree()->selection().nodes().size(), selected);
    QCOMPARE(w.doc().IsNodeModified(), answer == Prompter::Cancel);
}

void TestTForm1EditCommands::insertToggles()
{
    Window w;
    QVERIFY(w.active());
    QsciScintilla *memo = qobject_cast<QsciScintilla *>(w.show(Macro, QStringLiteral("abc")));
    QCOMPARE(w.panel(3)->text(), QStringLiteral("INS"));
    QVERIFY(!memo->overwriteMode());

    QTest::keyClick(memo, Qt::Key_Insert);
    QVERIFY(!w.form.insertMode());
    QVERIFY(memo->overwriteMode());
    QCOMPARE(w.panel(3)->text(), QStringLiteral("OVR"));
    memo->setCursorPosition(0, 0);
    QTest::keyClicks(memo, QStringLiteral("XY"));
    QCOMPARE(memo->text(), QStringLiteral("XYc"));

    // The popup editor takes the one mode when it is entered, and Insert there turns it back.
    QsciScintilla *popup = qobject_cast<QsciScintilla *>(w.show(Popup, QStringLiteral("abc")));
    QVERIFY(popup->overwriteMode());
    QCOMPARE(w.panel(3)->text(), QStringLiteral("OVR"));
    QTest::keyClick(popup, Qt::Key_Insert, Qt::KeypadModifier);
    QVERIFY(w.form.insertMode());
    QVERIFY(!popup->overwriteMode());
    QCOMPARE(w.panel(3)->text(), QStringLiteral("INS"));
    popup->setCursorPosition(0, 0);
    QTest::keyClicks(popup, QStringLiteral("XY"));
    QCOMPARE(popup->text(), QStringLiteral("XYabc"));

    // Insert with a modifier is another key (Shift+Insert pastes).
    QTest::keyClick(popup, Qt::Key_Insert, Qt::ShiftModifier);
    QVERIFY(w.form.insertMode());

    // A line edit shares the mode.
    QLineEdit *field = qobject_cast<QLineEdit *>(w.show(UserField, QStringLiteral("abc")));
    QTest::keyClick(field, Qt::Key_Insert);
    QVERIFY(!w.form.insertMode());
    field->setCursorPosition(0);
    QTest::keyClick(field, Qt::Key_X);  // typed as "x"
    QCOMPARE(field->text(), QStringLiteral("xbc"));
    // Back in the macro editor the mode is overwrite as well.
    w.show(Macro, QStringLiteral("abc"));
    QVERIFY(memo->overwriteMode());
    QCOMPARE(w.panel(3)->text(), QStringLiteral("OVR"));

    // The in-place editor shows the mode as it opens, and Insert there toggles it.
    auto *editor = qobject_cast<QLineEdit *>(w.show(InPlace, QStringLiteral("abc")));
    QVERIFY(editor);
    QCOMPARE(w.panel(3)->text(), QStringLiteral("OVR"));
    QTest::keyClick(editor, Qt::Key_Insert);
    QVERIFY(w.form.insertMode());
    QCOMPARE(w.panel(3)->text(), QStringLiteral("INS"));
    QCOMPARE(editor->text(), QStringLiteral("abc"));
}

void TestTForm1EditCommands::overwriteInFields_data()
{
    QTest::addColumn<int>("control");
    QTest::addColumn<bool>("insert");
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("result");
    const int x = Qt::Key_X;
    const int back = Qt::Key_Backspace;
    QTest::newRow("field, overwrite: replaces") << int(UserField) << false << 0 << x << QStringLiteral("xbc");
    QTest::newRow("field, overwrite: backspace takes the next")
        << int(UserField) << false << 0 << back << QStringLiteral("bc");
    QTest::newRow("field, overwrite: at the end appends") << int(UserField) << false << 3 << x << QStringLiteral("abcx");
    QTest::newRow("field, insert: inserts") << int(UserField) << true << 0 << x << QStringLiteral("xabc");
    QTest::newRow("field, insert: backspace") << int(UserField) << true << 1 << back << QStringLiteral("bc");
    QTest::newRow("in-place, overwrite: replaces") << int(InPlace) << false << 1 << x << QStringLiteral("axc");
    QTest::newRow("in-place, insert: inserts") << int(InPlace) << true << 1 << x << QStringLiteral("axbc");
}

void TestTForm1EditCommands::overwriteInFields()
{
    QFETCH(int, control);
    QFETCH(bool, insert);
    QFETCH(int, caret);
    QFETCH(int, key);
    QFETCH(QString, result);
    Window w;
    QVERIFY(w.active());
    auto *field = qobject_cast<QLineEdit *>(w.show(Control(control), QStringLiteral("abc")));
    QVERIFY(field);
    if (!insert)
        QTest::keyClick(field, Qt::Key_Insert);
    QCOMPARE(w.form.insertMode(), insert);
    field->setCursorPosition(caret);
    QTest::keyClick(field, Qt::Key(key));
    QCOMPARE(field->text(), result);
}

void TestTForm1EditCommands::enterAndExit()
{
    Window w;
    QVERIFY(w.active());
    QsciScintilla *memo = qobject_cast<QsciScintilla *>(w.show(Macro, QStringLiteral("abc")));
    w.form.ShowCaretPosition(true, 1);
    QCOMPARE(w.panel(1)->text(), QStringLiteral("Ln. 1, Col. 1"));
    QCOMPARE(w.panel(3)->text(), QStringLiteral("INS"));

    // A context menu passing over the editor leaves its panels as they are.
    QMenu *popup = w.form.findChild<QMenu *>(QStringLiteral("pmTV"));
    popup->popup(memo->mapToGlobal(QPoint(5, 5)));
    QTRY_VERIFY(popup->isVisible());
    popup->hide();
    QTRY_VERIFY(memo->hasFocus());
    QCOMPARE(w.panel(1)->text(), QStringLiteral("Ln. 1, Col. 1"));
    QCOMPARE(w.panel(3)->text(), QStringLiteral("INS"));

    // Leaving for the tree clears both.
    w.focusTreeAt(QStringLiteral("0"));
    QCOMPARE(w.panel(1)->text(), QString());
    QCOMPARE(w.panel(3)->text(), QString());
    QVERIFY(!memo->SendScintilla(QsciScintilla::SCI_GETCARETLINEVISIBLE));
}

void TestTForm1EditCommands::enabledCommandTakesItsKey_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("editorResult");   // what the macro editor's own key makes of it
    const QString text = QStringLiteral("ONE\r\nTWO");
    QTest::newRow("Ctrl+L enabled: add separator") << QByteArray("mnAddSepLine") << int(Qt::Key_L) << true << text;
    QTest::newRow("Ctrl+L disabled: the editor cuts the line")
        << QByteArray("mnAddSepLine") << int(Qt::Key_L) << false << QStringLiteral("TWO");
    QTest::newRow("Ctrl+D enabled: move down") << QByteArray("MnDown") << int(Qt::Key_D) << true << text;
    QTest::newRow("Ctrl+D disabled: the editor duplicates")
        << QByteArray("MnDown") << int(Qt::Key_D) << false << QStringLiteral("ONEONE\r\nTWO");
    QTest::newRow("Ctrl+U enabled: move up") << QByteArray("MnUp") << int(Qt::Key_U) << true << text;
    QTest::newRow("Ctrl+U disabled: the editor lowers the case")
        << QByteArray("MnUp") << int(Qt::Key_U) << false << QStringLiteral("one\r\nTWO");
}

void TestTForm1EditCommands::enabledCommandTakesItsKey()
{
    QFETCH(QByteArray, command);
    QFETCH(int, key);
    QFETCH(bool, enabled);
    QFETCH(QString, editorResult);
    Window w;
    QVERIFY(w.active());
    QAction *action = w.action(command.constData());
    // The command's state as the menu works it out when asked, whatever else it decides.
    auto *menu = qobject_cast<QMenu *>(action->associatedObjects().value(0));
    QVERIFY(menu);
    int asked = 0;
    QObject::connect(menu, &QMenu::aboutToShow, &w.form, [&] {
        ++asked;
        action->setEnabled(enabled);
    });
    action->setEnabled(!enabled);
    QSignalSpy triggered(action, &QAction::triggered);

    auto *memo = qobject_cast<QsciScintilla *>(w.show(Macro, QStringLiteral("ONE\r\nTWO")));
    memo->SendScintilla(QsciScintilla::SCI_SETEOLMODE, QsciScintilla::SC_EOL_CRLF);
    memo->setSelection(0, 0, 0, 3);
    QTest::keyClick(memo, Qt::Key(key), Qt::ControlModifier);
    QVERIFY(asked > 0);
    QCOMPARE(triggered.size(), enabled ? 1 : 0);
    QCOMPARE(memo->text(), editorResult);
}

void TestTForm1EditCommands::treeShortcutsAct_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QByteArray>("shape");
    // Straight after the click that focuses the node, before the refresh's timer has run:
    // each key finds its command in the state of now.
    QTest::newRow("Ctrl+D moves down") << "0" << "Ctrl+D" << QByteArray("D|A[B[C]]");
    QTest::newRow("Ctrl+U moves up") << "1" << "Ctrl+U" << QByteArray("D|A[B[C]]");
    QTest::newRow("Ctrl+I adds a child") << "1" << "Ctrl+I" << QByteArray("A[B[C]]|D[Unnamed connection #1]");
    QTest::newRow("Ctrl+L adds a separator line")
        << "1" << "Ctrl+L" << QByteArray("A[B[C]]|D|----- separator line -----");
    QTest::newRow("Ctrl+Delete deletes") << "1" << "Ctrl+Del" << QByteArray("A[B[C]]");
    QTest::newRow("Ctrl+C, Ctrl+V pastes a copy below") << "0/0" << "Ctrl+C;Ctrl+V" << QByteArray("A[B[B[C]|C]]|D");
    QTest::newRow("Ctrl+X, Ctrl+V moves the branch") << "0/0" << "Ctrl+X;Down;Down;Ctrl+V"
        << QByteArray("A|D[B[C]]");
}

void TestTForm1EditCommands::treeShortcutsAct()
{
    QFETCH(QString, focus);
    QFETCH(QString, keys);
    QFETCH(QByteArray, shape);
    Window w;
    QVERIFY(w.active());
    w.form.tree()->expandAll();
    w.focusTreeAt(focus);
    for (const QString &key : keys.split(QLatin1Char(';')))
        QTest::keySequence(w.form.tree(), QKeySequence(key));
    QCOMPARE(ShapeOf(w.doc().RootNode()), shape);
    QVERIFY(w.doc().tableModified());
    QVERIFY(w.prompter.boxes().isEmpty());
}

void TestTForm1EditCommands::clipboardKeysOnTheTopNode_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Ctrl+C") << int(Qt::Key_C);
    QTest::newRow("Ctrl+X") << int(Qt::Key_X);
    QTest::newRow("Ctrl+V") << int(Qt::Key_V);
}

void TestTForm1EditCommands::clipboardKeysOnTheTopNode()
{
    QFETCH(int, key);
    Window w;
    QVERIFY(w.active());
    QGuiApplication::clipboard()->setText(QStringLiteral("clip"));
    w.focusTreeAt(QString());
    QTest::keyClick(w.form.tree(), Qt::Key(key), Qt::ControlModifier);
    // Neither the top node nor its caption goes to the clipboard; nothing moves.
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("clip"));
    QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasFormat(QLatin1String(NodeMimeType)));
    QCOMPARE(ShapeOf(w.doc().RootNode()), QByteArray("A[B[C]]|D"));
    QVERIFY(!w.doc().tableModified());
    QVERIFY(!w.form.doc().hasCutCopyMark(w.doc().RootNode()));
}

void TestTForm1EditCommands::mouseSelectionRefreshesTheCommands_data()
{
    QTest::addColumn<int>("control");
    QTest::newRow("macro editor") << int(Macro);
    QTest::newRow("popup editor") << int(Popup);
    QTest::newRow("user data field") << int(UserField);
    QTest::newRow("schedule field") << int(Schedule);
    QTest::newRow("in-place editor") << int(InPlace);
}

void TestTForm1EditCommands::mouseSelectionRefreshesTheCommands()
{
    QFETCH(int, control);
    Window w;
    QVERIFY(w.active());
    QWidget *editor = w.show(Control(control), QStringLiteral("1,2,3,4,5,6,7,8,9"));
    QVERIFY(editor);
    auto *area = qobject_cast<QAbstractScrollArea *>(editor);
    QWidget *target = area ? area->viewport() : editor;
    const int y = area ? 5 : editor->height() / 2;
    QAction *copy = w.action("BtnCopy");
    // A click drops any selection, a drag makes one: Copy and Cut follow without a key.
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(3, y));
    QTRY_VERIFY(!copy->isEnabled());
    Window::drag(target, QPoint(3, y), QPoint(40, y));
    QTRY_VERIFY(copy->isEnabled());
    QVERIFY(w.action("BtnCut")->isEnabled());
    QCOMPARE(QApplication::focusWidget(), editor);
}

void TestTForm1EditCommands::renamingAMarkedNodeEndsTheCut()
{
    Window w;
    QVERIFY(w.active());
    w.focusTreeAt(QStringLiteral("0/0"));
    QTest::keyClick(w.form.tree(), Qt::Key_X, Qt::ControlModifier);
    const ConnectionNode *b = NodeAt(w.doc(), QStringLiteral("0/0"));
    QVERIFY(w.form.doc().hasCutCopyMark(b));
    QVERIFY(w.form.doc().hasCutCopyMark(NodeAt(w.doc(), QStringLiteral("0/0/0"))));
    QTest::keyClick(w.form.tree(), Qt::Key_F2);
    QVERIFY(w.form.tree()->currentEditLink());
    QVERIFY(!w.form.doc().hasCutCopyMark(b));
    QVERIFY(!w.form.doc().hasCutCopyMark(NodeAt(w.doc(), QStringLiteral("0/0/0"))));
}

void TestTForm1EditCommands::addButtonsOfferTheContextMenu()
{
    Window w;
    QVERIFY(w.active());
    w.focusTreeAt(QStringLiteral("1"));
    auto *bar = w.form.findChild<QToolBar *>(QStringLiteral("CBar"));
    QMenu *popup = w.form.findChild<QMenu *>(QStringLiteral("pmTV"));
    for (const char *name : {"BtnAddChild", "BtnAddSibl"}) {
        QTRY_VERIFY(w.action(name)->isEnabled());
        QWidget *button = bar->widgetForAction(w.action(name));
        QVERIFY(button);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(3, 3), button->mapToGlobal(QPoint(3, 3)));
        QApplication::sendEvent(button, &event);
        QTRY_VERIFY(popup->isVisible());
        // Opened while the tree has the focus: its commands are offered.
        QVERIFY(w.action("pmAddChild")->isVisible());
        QVERIFY(w.action("pmAddChild")->isEnabled());
        popup->hide();
    }
}

void TestTForm1EditCommands::closeAsksAsTheCloseBox()
{
    TempUserDirs dirs;
    Window w;
    QVERIFY(w.active());
    w.doc().UpdateCaption(true);
    w.prompter.queue(Prompter::Cancel);
    QVERIFY(TriggerAsUser(w.action("MnClose")));
    // The close box's question (the launcher check that follows it is the file commands').
    QCOMPARE(w.prompter.texts().value(0), QStringLiteral("Do you want to save the changes you made to Noname.QDZ?"));
    QVERIFY(w.form.isVisible());
    w.prompter.queue(Prompter::No);
    QVERIFY(TriggerAsUser(w.action("MnClose")));
    QVERIFY(!w.form.isVisible());
}

QTEST_MAIN(TestTForm1EditCommands)
#include "tst_tform1_editcommands.moc"
