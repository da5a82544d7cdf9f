#include "mainwindow/ConnectionTreeModel.h"
#include "mainwindow/MacroEditorSettingsPage.h"
#include "mainwindow/MacroPage.h"
#include "mainwindow/SchedulePage.h"
#include "mainwindow/SettingsPage.h"
#include "mainwindow/TForm1.h"
#include "mainwindow/UserDataPage.h"
#include "MainWindowFixture.h"
#include "platform/widgets/QsciIncludes.h"
#include "support/NodeRecords.h"
#include "support/ScriptedPrompter.h"
#include "support/TempUserDirs.h"
#include "table/ConnectionTree.h"
#include "table/UrlCodec.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>

namespace {

// The buttons whose states the table below checks.
const char *const kButtons[] = {"BtnExec", "BtnExecSel", "BtnAddChild", "BtnAddSibl", "BtnDelete", "BtnUp",
                                "BtnDown", "BtnUndo", "BtnCut", "BtnCopy", "BtnPaste", "BtnApply"};

// The window shown and active, text on the clipboard, and below RootNode: "Alpha" (a macro
// and a schedule), "Beta" with child "Beta 1", and a separator.
struct Window : MainWindowFixture
{
    ConnectionNode *alpha = nullptr;
    ConnectionNode *beta = nullptr;
    ConnectionNode *beta1 = nullptr;
    ConnectionNode *separator = nullptr;

    Window()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("clip"));
        ConnectionTree &tree = doc().tree();
        ConnectionNode *root = doc().RootNode();
        rVTNodeData a = NamedRecord("Alpha");
        a.Macro = UrlEncode("connect 'host'", true);
        a.Schedule = "=0 1 * * *";
        alpha = tree.addChild(root, a);
        beta = tree.addChild(root, NamedRecord("Beta"));
        rVTNodeData b1 = NamedRecord("Beta 1");
        b1.Macro = "wait";
        beta1 = tree.addChild(beta, b1);
        separator = tree.addChild(root, NamedRecord(SeparatorText));
        form.tree()->expandAll();
    }

    QStringList enabledButtons() const
    {
        QStringList on;
        for (const char *name : kButtons)
            if (action(name)->isEnabled())
                on << QLatin1String(name);
        return on;
    }

    // Selects as the row says, by clicks on the tree.
    void select(const QString &selection)
    {
        if (selection == QLatin1String("root")) {
            click(form.doc().RootNode());
        } else if (selection == QLatin1String("separator")) {
            click(separator);
        } else if (selection == QLatin1String("two")) {
            click(alpha);
            click(beta, Qt::ControlModifier);
        } else {
            click(alpha);
        }
        // The pages follow once the tree's refresh has run.
        QTRY_VERIFY(!child<QTimer>(QStringLiteral("Timer1"))->isActive());
    }

    // Gives the focus to the named control, showing its page first.
    QWidget *focus(const QString &control)
    {
        auto *pg = child<QTabWidget>(QStringLiteral("PG"));
        QWidget *w = nullptr;
        if (control == QLatin1String("VT")) {
            w = form.tree();
        } else if (control == QLatin1String("in-place editor")) {
            form.tree()->setFocus();
            QTest::keyClick(form.tree(), Qt::Key_F2);
            w = form.tree()->currentEditLink();
        } else if (control.startsWith(QLatin1String("Memo"))) {
            pg->setCurrentIndex(control == QLatin1String("Memo1") ? 1 : 2);
            w = child<QWidget>(control);
        } else if (control == QLatin1String("cbSameBkgr")) {
            // A control that edits nothing, on the "Macro Editor" settings page.
            pg->setCurrentIndex(0);
            form.settingsPage()->PGSettings()->setCurrentIndex(2);
            w = child<QWidget>(control);
        } else if (control == QLatin1String("Edit4")) {
            pg->setCurrentIndex(4);
            // The schedule on: only then do its fields take input.
            form.schedulePage()->setScheduleOn(true);
            form.schedulePage()->cbScheduleClick(false);
            w = child<QWidget>(control);
        } else {
            // The user-data fields lie on the second settings page.
            pg->setCurrentIndex(0);
            form.settingsPage()->PGSettings()->setCurrentIndex(1);
            w = child<QWidget>(control);
        }
        if (w)
            w->setFocus();
        return w;
    }
};

} // namespace

class TestTForm1CommandState : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void statesFollowFocusAndSelection_data();
    void statesFollowFocusAndSelection();
    void focusedEditorIds_data();
    void focusedEditorIds();
    void fieldsGetUndoAndCopy_data();
    void fieldsGetUndoAndCopy();
    void treeRefreshWaitsForTheTimer();
    void noFocusedNodeLeavesTheButtons();
    void activeLineOnlyWhileTheMacroEditorHasTheFocus();
    void applyFollowsTheModifiedMark();
    void menusCopyTheButtons();
    void clipboardChangeRefreshesPaste();
    void contextMenuShowsTreeItemsOnlyOnTheTree_data();
    void contextMenuShowsTreeItemsOnlyOnTheTree();
};

void TestTForm1CommandState::statesFollowFocusAndSelection_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("selection");
    QTest::addColumn<QStringList>("enabled");
    // The tree: what the selection allows; no node data on the clipboard, so no Paste.
    QTest::newRow("tree, connection") << "VT" << "connection"
        << QStringList{"BtnExec", "BtnAddChild", "BtnAddSibl", "BtnDelete", "BtnDown", "BtnCut", "BtnCopy"};
    QTest::newRow("tree, top node") << "VT" << "root" << QStringList{"BtnAddChild"};
    QTest::newRow("tree, separator") << "VT" << "separator"
        << QStringList{"BtnAddSibl", "BtnDelete", "BtnUp", "BtnCut", "BtnCopy"};
    QTest::newRow("tree, two selected") << "VT" << "two" << QStringList{"BtnDelete", "BtnCut", "BtnCopy"};
    // The editors and fields: the tree's commands are off, the clipboard's text can go in.
    QTest::newRow("macro editor, connection") << "Memo1" << "connection"
        << QStringList{"BtnExec", "BtnExecSel", "BtnPaste"};
    QTest::newRow("macro editor, two selected") << "Memo1" << "two" << QStringList{"BtnPaste"};
    QTest::newRow("popup editor, connection") << "Memo2" << "connection" << QStringList{"BtnExec", "BtnPaste"};
    QTest::newRow("user-data field, connection") << "Edit1" << "connection" << QStringList{"BtnExec", "BtnPaste"};
    QTest::newRow("schedule field, connection") << "Edit4" << "connection" << QStringList{"BtnExec", "BtnPaste"};
    QTest::newRow("schedule field, separator") << "Edit4" << "separator" << QStringList{"BtnPaste"};
    // Nothing to edit: only Paste, as long as the clipboard holds text.
    QTest::newRow("another control, connection") << "cbSameBkgr" << "connection" << QStringList{"BtnExec", "BtnPaste"};
    // The in-place editor starts with the whole name selected.
    QTest::newRow("in-place editor, connection") << "in-place editor" << "connection"
        << QStringList{"BtnExec", "BtnCut", "BtnCopy", "BtnPaste"};
}

void TestTForm1CommandState::statesFollowFocusAndSelection()
{
    QFETCH(QString, control);
    QFETCH(QString, selection);
    QFETCH(QStringList, enabled);
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.select(selection);
    QVERIFY(w.focus(control));
    QTRY_COMPARE(w.enabledButtons(), enabled);
}

void TestTForm1CommandState::focusedEditorIds_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("id");
    QTest::newRow("tree") << "VT" << 0;
    QTest::newRow("macro editor") << "Memo1" << 1;
    QTest::newRow("popup editor") << "Memo2" << 2;
    QTest::newRow("name") << "Edit1" << 3;
    QTest::newRow("e-mail") << "Edit2" << 4;
    QTest::newRow("phone") << "Edit3" << 5;
    QTest::newRow("minute") << "Edit4" << 6;
    QTest::newRow("in-place editor") << "in-place editor" << 11;
    QTest::newRow("mobile") << "Edit9" << 12;
    QTest::newRow("pager") << "Edit10" << 13;
    QTest::newRow("another control") << "cbSameBkgr" << -1;
}

void TestTForm1CommandState::focusedEditorIds()
{
    QFETCH(QString, control);
    QFETCH(int, id);
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.select(QStringLiteral("connection"));
    QVERIFY(w.focus(control));
    QCOMPARE(w.form.GetFocusedEditorId(), id);
    // The menu bar taking the keyboard does not change what the edit commands act on.
    QWidget *before = QApplication::focusWidget();
    w.form.menuBar()->setFocus(Qt::MenuBarFocusReason);
    QCOMPARE(w.form.GetFocusedEditorId(), id);
    before->setFocus();
}

void TestTForm1CommandState::fieldsGetUndoAndCopy_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("name") << "Edit1";
    QTest::newRow("minute") << "Edit4";
    QTest::newRow("mobile") << "Edit9";
    QTest::newRow("pager") << "Edit10";
}

void TestTForm1CommandState::fieldsGetUndoAndCopy()
{
    QFETCH(QString, control);
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.select(QStringLiteral("connection"));
    auto *field = qobject_cast<QLineEdit *>(w.focus(control));
    QVERIFY(field);
    QTest::keyClick(field, Qt::Key_End);
    QTest::keyClicks(field, QStringLiteral("12"));
    QTRY_VERIFY(w.action("BtnUndo")->isEnabled());
    QVERIFY(!w.action("BtnCopy")->isEnabled());
    QTest::keyClick(field, Qt::Key_Left, Qt::ShiftModifier);
    QTRY_VERIFY(w.action("BtnCopy")->isEnabled());
    QVERIFY(w.action("BtnCut")->isEnabled());
}

void TestTForm1CommandState::treeRefreshWaitsForTheTimer()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    auto *timer = w.child<QTimer>(QStringLiteral("Timer1"));
    w.select(QStringLiteral("root"));
    QVERIFY(!w.action("BtnDelete")->isEnabled());
    // A burst of tree events: the states follow once the timer has run out.
    w.click(w.alpha);
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 200);
    QVERIFY(!w.action("BtnDelete")->isEnabled());
    QTRY_VERIFY(w.action("BtnDelete")->isEnabled());
    QVERIFY(!timer->isActive());
    // Any other control refreshes at once.
    auto *memo = qobject_cast<QsciScintilla *>(w.focus(QStringLiteral("Memo1")));
    QVERIFY(!timer->isActive());
    QVERIFY(!w.action("BtnDelete")->isEnabled());
    QTest::keyClicks(memo, QStringLiteral("x"));
    QVERIFY(w.action("BtnUndo")->isEnabled());
}

void TestTForm1CommandState::noFocusedNodeLeavesTheButtons()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.select(QStringLiteral("connection"));
    w.focus(QStringLiteral("VT"));
    QTRY_VERIFY(w.action("BtnDelete")->isEnabled());
    const QStringList before = w.enabledButtons();
    w.form.tree()->selectionModel()->clear();
    QVERIFY(!w.form.focusedNode());
    w.form.RequestCommandRefresh();
    QTRY_VERIFY(!w.child<QTimer>(QStringLiteral("Timer1"))->isActive());
    QCOMPARE(w.enabledButtons(), before);
}

void TestTForm1CommandState::activeLineOnlyWhileTheMacroEditorHasTheFocus()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.select(QStringLiteral("connection"));
    auto *memo = qobject_cast<QsciScintilla *>(w.focus(QStringLiteral("Memo1")));
    QVERIFY(memo->SendScintilla(QsciScintilla::SCI_GETCARETLINEVISIBLE));
    // In connection colours: the editor's background with each byte moved by 64.
    w.form.settingsPage()->macroEditor()->rbUseColorInEditor()->setChecked(true);
    memo->setPaper(QColor(0x10, 0xC0, 0x80));
    w.form.RequestCommandRefresh();
    QCOMPARE(memo->SendScintilla(QsciScintilla::SCI_GETCARETLINEBACK), long(0x40 << 16 | 0x80 << 8 | 0x50));
    w.focus(QStringLiteral("VT"));
    QVERIFY(!memo->SendScintilla(QsciScintilla::SCI_GETCARETLINEVISIBLE));
}

void TestTForm1CommandState::applyFollowsTheModifiedMark()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.select(QStringLiteral("connection"));
    QVERIFY(!w.action("BtnApply")->isEnabled());
    auto *memo = qobject_cast<QsciScintilla *>(w.focus(QStringLiteral("Memo1")));
    QTest::keyClicks(memo, QStringLiteral("x"));
    QVERIFY(w.action("BtnApply")->isEnabled());
    // F12 applies and the button goes off again.
    QTest::keyClick(memo, Qt::Key_F12);
    QVERIFY(!w.form.doc().IsNodeModified());
    QVERIFY(!w.action("BtnApply")->isEnabled());
    QCOMPARE(w.alpha->data.Macro, UrlEncode("xconnect 'host'", true));
}

void TestTForm1CommandState::menusCopyTheButtons()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.select(QStringLiteral("connection"));
    auto *memo = qobject_cast<QsciScintilla *>(w.focus(QStringLiteral("Memo1")));
    QTest::keyClicks(memo, QStringLiteral("x"));

    auto *connection = w.child<QMenu>(QStringLiteral("MnConnection"));
    connection->popup(w.form.mapToGlobal(QPoint(10, 10)));
    QVERIFY(w.action("mnApply")->isEnabled());
    QVERIFY(!w.action("MnCollapseAll")->isEnabled());
    QVERIFY(w.action("MnExpandAll")->isEnabled());
    QVERIFY(!w.action("MnAddChild")->isEnabled());
    connection->hide();

    // The macro page is up and its text is not blank: import and export are offered.
    auto *file = w.child<QMenu>(QStringLiteral("MnFile"));
    file->popup(w.form.mapToGlobal(QPoint(10, 10)));
    QVERIFY(w.action("MnImportMacro")->isEnabled());
    QVERIFY(w.action("MnExportMacro")->isEnabled());
    QVERIFY(w.action("MnImport")->isEnabled());
    QVERIFY(!w.action("MnPrint")->isEnabled());
    file->hide();

    auto *actions = w.child<QMenu>(QStringLiteral("MnMacro"));
    actions->popup(w.form.mapToGlobal(QPoint(10, 10)));
    QVERIFY(w.action("MnExecute")->isEnabled());
    QVERIFY(w.action("MnExecSel")->isEnabled());
    // Not on the popup page.
    QVERIFY(!w.action("MnShowPopup")->isEnabled());
    // Unapplied edits: "Run all selected" waits for Apply.
    QVERIFY(!w.action("mnRunAllSel")->isEnabled());
    actions->hide();
}

void TestTForm1CommandState::contextMenuShowsTreeItemsOnlyOnTheTree_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("treeItems");
    QTest::newRow("tree") << "VT" << true;
    QTest::newRow("macro editor") << "Memo1" << false;
    QTest::newRow("schedule field") << "Edit4" << false;
}

void TestTForm1CommandState::contextMenuShowsTreeItemsOnlyOnTheTree()
{
    QFETCH(QString, control);
    QFETCH(bool, treeItems);
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.select(QStringLiteral("connection"));
    QWidget *target = w.focus(control);
    QVERIFY(target);
    auto *area = qobject_cast<QAbstractScrollArea *>(target);
    QWidget *receiver = area ? area->viewport() : target;
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), receiver->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(receiver, &event);
    auto *menu = w.child<QMenu>(QStringLiteral("pmTV"));
    QTRY_VERIFY(menu->isVisible());
    for (const char *name : {"pmAddChild", "pmAddSibl", "pmDuplicate", "pmDelete", "pmAddSepLine", "pmUp", "pmDown"})
        QCOMPARE(w.action(name)->isVisible(), treeItems);
    // The refresh it waited for has run: the states are those of the control it opened on.
    QVERIFY(!w.child<QTimer>(QStringLiteral("Timer1"))->isActive());
    QVERIFY(w.action("pmRun")->isEnabled());
    QCOMPARE(w.action("pmPaste")->isEnabled(), !treeItems);
    if (treeItems) {
        QVERIFY(w.action("pmAddChild")->isEnabled());
        QVERIFY(w.action("pmDuplicate")->isEnabled());
        QVERIFY(!w.action("pmUp")->isEnabled());
    }
    menu->hide();
}

// Text copied elsewhere while the macro editor has the focus enables Paste with no further
// action of the user; an emptied clipboard disables it again.
void TestTForm1CommandState::clipboardChangeRefreshesPaste()
{
    Window w;
    QVERIFY(w.active());
    w.select(QStringLiteral("connection"));
    QVERIFY(w.focus(QStringLiteral("Memo1")));
    QTRY_VERIFY(w.action("BtnPaste")->isEnabled());

    QGuiApplication::clipboard()->clear();
    QTRY_VERIFY(!w.action("BtnPaste")->isEnabled());
    QGuiApplication::clipboard()->setText(QStringLiteral("from another program"));
    QTRY_VERIFY(w.action("BtnPaste")->isEnabled());
}

QTEST_MAIN(TestTForm1CommandState)
#include "tst_tform1_commandstate.moc"
