#include "mainwindow/ConnectionTreeModel.h"
#include "mainwindow/SettingsPage.h"
#include "mainwindow/StatusPanels.h"
#include "mainwindow/TForm1.h"
#include "MainWindowFixture.h"
#include "platform/widgets/QsciIncludes.h"
#include "support/ScriptedPrompter.h"
#include "table/ColorSet.h"
#include "table/ConnectionTree.h"
#include "table/TableFile.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

namespace {

rVTNodeData named(const QByteArray &name, const QByteArray &stamp = {})
{
    rVTNodeData d;
    d.Name = name;
    d.LastUpdated = stamp;
    return d;
}

// Types Text as key presses; QTest::keyClicks takes ASCII only.
void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(widget, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// The window as the program starts it, shown and active, with a small table: RootNode with
// "Alpha" (stamped), "Beta" (with child "Beta 1") and a separator.
struct Window : MainWindowFixture
{
    LockKeyState keys;
    ConnectionNode *alpha = nullptr;
    ConnectionNode *beta = nullptr;
    ConnectionNode *separator = nullptr;

    Window()
    {
        form.setLockKeyReader([this] { return keys; });
        ConnectionTree &tree = doc().tree();
        ConnectionNode *root = doc().RootNode();
        alpha = tree.addChild(root, named("Alpha", "Monday, 01-Jan-2024 10:20:30"));
        beta = tree.addChild(root, named("Beta"));
        tree.addChild(beta, named("Beta 1"));
        separator = tree.addChild(root, named(SeparatorText));
        form.tree()->expandAll();
    }

    // Press, release, the second press (a double-click) and its release, as a mouse sends them.
    void doubleClick(const ConnectionNode *n)
    {
        QTreeView *vt = form.tree();
        const QPoint at = vt->visualRect(indexOf(n)).center();
        QTest::mousePress(vt->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(vt->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(vt->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(vt->viewport(), Qt::LeftButton, {}, at);
    }

    QLineEdit *openEditorWithF2(const ConnectionNode *n)
    {
        // A click on the focused node would start the slow-click edit instead.
        if (form.focusedNode() != n)
            click(n);
        form.tree()->setFocus();
        QTest::keyClick(form.tree(), Qt::Key_F2);
        return form.tree()->currentEditLink();
    }

    // Ends the edit with Return and lets the queued steps run: the view commits the editor,
    // then the window runs the rename rules once the editor has closed.
    static void commit(QLineEdit *editor)
    {
        QTest::keyClick(editor, Qt::Key_Return);
        settle();
    }

    static void settle()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
};

} // namespace

class TestTForm1StatusBar : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void panelsAsLaidOut();
    void captionFollowsTheDocument();
    void modifiedPanel();
    void lastUpdatedFollowsTheFocusedNode();
    void caretPosition();
    void insertMode();
    void insertKeyInFields_data();
    void insertKeyInFields();
    void lockKeysOnRelease_data();
    void lockKeysOnRelease();
    void lockKeysOnActivation();
    void inPlaceEditorRenames();
    void inPlaceEditorRules_data();
    void inPlaceEditorRules();
    void escapeCancelsTheEdit();
    void rootNodeIsNotEditable();
    void separatorBecomesConnection();
    void connectionBecomesSeparator();
    void openedTableKeepsTheSelection_data();
    void openedTableKeepsTheSelection();
};

void TestTForm1StatusBar::panelsAsLaidOut()
{
    Window w;
    auto *bar = w.form.findChild<QStatusBar *>(QStringLiteral("SBar"));
    QVERIFY(bar);
    QCOMPARE(bar->findChildren<QLabel *>().size(), StatusPanels::Count);
    const int widths[] = {300, 100, 50, 34, 34, 34, 50, 50};
    const char *const widest[] = {"", "Ln. 9999, Col. 999", "Modified", "OVR", "NUM", "CAPS", "SCROLL", ""};
    for (int i = 0; i < StatusPanels::Count; ++i) {
        QLabel *p = w.panel(i);
        QVERIFY2(p, qPrintable(QString::number(i)));
        const Qt::Alignment h = p->alignment() & Qt::AlignHorizontal_Mask;
        QCOMPARE(h, (i == 0 || i == 7) ? Qt::AlignLeft : Qt::AlignHCenter);
        QCOMPARE(p->frameShape() == QFrame::NoFrame, i == 7);
        // The designed width, or wider where the font needs it to show the whole text.
        QVERIFY(p->width() >= widths[i]);
        QVERIFY(p->contentsRect().width() >= p->fontMetrics().horizontalAdvance(QLatin1String(widest[i])));
        if (i == 0)
            QCOMPARE(p->width(), widths[i]);
        // Panels left to right in their order.
        if (i > 0)
            QVERIFY(p->x() > w.panel(i - 1)->x());
    }
    QVERIFY(w.panel(7)->text().isEmpty());
}

void TestTForm1StatusBar::captionFollowsTheDocument()
{
    Window w;
    QCOMPARE(w.form.windowTitle(), QStringLiteral("Wexmora Configuration - [Noname.QDZ]"));
    w.form.doc().UpdateCaption(true);
    QCOMPARE(w.form.windowTitle(), QStringLiteral("Wexmora Configuration - [Noname.QDZ*]"));
    QVERIFY(w.form.doc().tableModified());

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Servers.QDZ"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    w.form.doc().CurrentTableFile = file;
    w.form.doc().UpdateCaption(false);
    QCOMPARE(w.form.windowTitle(), QStringLiteral("Wexmora Configuration - [Servers.QDZ]"));
    QVERIFY(!w.form.doc().tableModified());
}

void TestTForm1StatusBar::modifiedPanel()
{
    Window w;
    TableDocument &doc = w.form.doc();
    QCOMPARE(w.panel(2)->text(), QString());
    doc.SetNodeModified(true);
    QCOMPARE(w.panel(2)->text(), QStringLiteral("Modified"));
    QVERIFY(doc.IsNodeModified());
    doc.SetNodeModified(false);
    QCOMPARE(w.panel(2)->text(), QString());
    doc.SetNodeModified(true);
    {
        // While loading, every call clears the mark.
        LoadingScope loading(doc);
        doc.SetNodeModified(true);
        QCOMPARE(w.panel(2)->text(), QString());
    }
    QVERIFY(!doc.IsNodeModified());
}

void TestTForm1StatusBar::lastUpdatedFollowsTheFocusedNode()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.click(w.alpha);
    QCOMPARE(w.form.doc().CurrentNode, w.alpha);
    QCOMPARE(w.panel(0)->text(), QStringLiteral("  Last updated: Monday, 01-Jan-2024 10:20:30"));
    QTest::keyClick(w.form.tree(), Qt::Key_Down);
    QCOMPARE(w.form.doc().CurrentNode, w.beta);
    QCOMPARE(w.panel(0)->text(), QString());
    QTest::keyClick(w.form.tree(), Qt::Key_Up);
    QCOMPARE(w.panel(0)->text(), QStringLiteral("  Last updated: Monday, 01-Jan-2024 10:20:30"));
    // The table's routines select through the window: the view is the one selection.
    w.form.tree()->selectionModel()->clearSelection();
    w.form.tree()->setSelected(w.beta, true);
    w.form.tree()->setFocusedNode(w.beta);
    QCOMPARE(w.form.tree()->selection().nodes(), QList<ConnectionNode *>{w.beta});
    QCOMPARE(w.form.focusedNode(), w.beta);
    QCOMPARE(w.form.doc().CurrentNode, w.beta);
    QCOMPARE(w.panel(0)->text(), QString());
    // A removed current node is never left dangling: the focus moves on and takes it along.
    w.form.doc().tree().removeNode(w.beta);
    QVERIFY(w.form.doc().CurrentNode);
    QCOMPARE(w.form.doc().CurrentNode, w.form.focusedNode());
    // A table emptied at once leaves no current node.
    w.form.doc().tree().clear();
    QCOMPARE(w.form.doc().CurrentNode, nullptr);
}

void TestTForm1StatusBar::caretPosition()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    auto *memo = w.form.findChild<QsciScintilla *>(QStringLiteral("Memo1"));
    QVERIFY(memo);
    w.form.findChild<QTabWidget *>(QStringLiteral("PG"))->setCurrentIndex(1);
    memo->setFocus();
    QTest::keyClicks(memo, QStringLiteral("connect"));
    QTest::keyClick(memo, Qt::Key_Return);
    typeText(memo, QStringLiteral("wait '\u00e9'"));
    w.form.ShowCaretPosition(true, 1);
    // Columns count characters: the two-byte "é" is one.
    QCOMPARE(w.panel(1)->text(), QStringLiteral("Ln. 2, Col. 9"));
    QTest::keyClick(memo, Qt::Key_Home);
    w.form.ShowCaretPosition(true, 1);
    QCOMPARE(w.panel(1)->text(), QStringLiteral("Ln. 2, Col. 1"));
    w.form.ShowCaretPosition(false, 1);
    QCOMPARE(w.panel(1)->text(), QString());
}

void TestTForm1StatusBar::insertMode()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.click(w.alpha);
    QCOMPARE(w.form.GetFocusedEditorId(), 0);
    w.form.ShowInsertMode(false);
    QCOMPARE(w.panel(3)->text(), QString());
    w.form.ShowInsertMode(true);
    QCOMPARE(w.panel(3)->text(), QStringLiteral("INS"));
    w.form.ShowInsertMode(false);
    QCOMPARE(w.panel(3)->text(), QString());

    auto *memo = w.form.findChild<QsciScintilla *>(QStringLiteral("Memo2"));
    w.form.findChild<QTabWidget *>(QStringLiteral("PG"))->setCurrentIndex(2);
    memo->setFocus();
    QCOMPARE(w.form.GetFocusedEditorId(), 2);
    w.form.ShowInsertMode(false);
    QCOMPARE(w.panel(3)->text(), QStringLiteral("INS"));
    w.form.setInsertMode(false);
    w.form.ShowInsertMode(false);
    QCOMPARE(w.panel(3)->text(), QStringLiteral("OVR"));

    // The in-place editor (id 11) shows the mode as soon as it opens.
    w.form.setInsertMode(true);
    QLineEdit *editor = w.openEditorWithF2(w.alpha);
    QVERIFY(editor);
    QCOMPARE(w.form.GetFocusedEditorId(), 11);
    QCOMPARE(w.panel(3)->text(), QStringLiteral("INS"));
}

void TestTForm1StatusBar::insertKeyInFields_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("shown");
    QTest::newRow("name") << QStringLiteral("Edit1") << QStringLiteral("OVR");
    // The mobile and pager fields share the mode but show no indicator.
    QTest::newRow("mobile") << QStringLiteral("Edit9") << QString();
    QTest::newRow("pager") << QStringLiteral("Edit10") << QString();
}

void TestTForm1StatusBar::insertKeyInFields()
{
    QFETCH(QString, field);
    QFETCH(QString, shown);
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.click(w.alpha);
    QTRY_VERIFY(!w.form.findChild<QTimer *>(QStringLiteral("Timer1"))->isActive());
    // The user-data fields lie on the second settings page.
    w.form.findChild<QTabWidget *>(QStringLiteral("PG"))->setCurrentIndex(0);
    w.form.settingsPage()->PGSettings()->setCurrentIndex(1);
    auto *edit = w.form.findChild<QLineEdit *>(field);
    QVERIFY(edit);
    edit->setFocus();
    QVERIFY(edit->hasFocus());
    QVERIFY(w.form.insertMode());
    QTest::keyClick(edit, Qt::Key_Insert);
    QVERIFY(!w.form.insertMode());
    QCOMPARE(w.panel(3)->text(), shown);
}

void TestTForm1StatusBar::lockKeysOnRelease_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("panel");
    QTest::addColumn<QString>("text");
    QTest::newRow("num") << int(Qt::Key_NumLock) << 4 << QStringLiteral("NUM");
    QTest::newRow("caps") << int(Qt::Key_CapsLock) << 5 << QStringLiteral("CAPS");
    QTest::newRow("scroll") << int(Qt::Key_ScrollLock) << 6 << QStringLiteral("SCROLL");
}

void TestTForm1StatusBar::lockKeysOnRelease()
{
    QFETCH(int, key);
    QFETCH(int, panel);
    QFETCH(QString, text);
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.click(w.alpha);
    for (int p = 4; p <= 6; ++p)
        QCOMPARE(w.panel(p)->text(), QString());

    w.keys = {true, true, true};
    // Pressing (holding) the key shows nothing; another key's release reads no lock key.
    QTest::keyPress(w.form.tree(), Qt::Key(key));
    QCOMPARE(w.panel(panel)->text(), QString());
    QTest::keyRelease(w.form.tree(), Qt::Key_Shift);
    QCOMPARE(w.panel(panel)->text(), QString());
    QTest::keyRelease(w.form.tree(), Qt::Key(key));
    QCOMPARE(w.panel(panel)->text(), text);
    // All three are read at every lock-key release.
    QCOMPARE(w.panel(4)->text(), QStringLiteral("NUM"));
    QCOMPARE(w.panel(5)->text(), QStringLiteral("CAPS"));
    QCOMPARE(w.panel(6)->text(), QStringLiteral("SCROLL"));

    w.keys = {};
    QTest::keyClick(w.form.tree(), Qt::Key(key));
    QCOMPARE(w.panel(panel)->text(), QString());
}

void TestTForm1StatusBar::lockKeysOnActivation()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    // Caps Lock turned on in another program shows when the window is back in front.
    w.keys.capsLock = true;
    w.form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    QCOMPARE(w.panel(5)->text(), QStringLiteral("CAPS"));
}

void TestTForm1StatusBar::inPlaceEditorRenames()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    QLineEdit *editor = w.openEditorWithF2(w.alpha);
    QVERIFY(editor);
    QCOMPARE(editor->text(), QStringLiteral("Alpha"));
    editor->selectAll();
    typeText(editor, QStringLiteral("  Gateway \u00e9 "));
    w.commit(editor);
    QCOMPARE(w.alpha->data.Name, QByteArray("Gateway \xc3\xa9"));
    QCOMPARE(w.form.model().indexFor(w.alpha).data().toString(), QStringLiteral("Gateway \u00e9"));
    QCOMPARE(w.form.windowTitle(), QStringLiteral("Wexmora Configuration - [Noname.QDZ*]"));
    QVERIFY(w.prompter.boxes().isEmpty());
    QVERIFY(w.form.tree()->hasFocus());

    // Ending with the text it began with is no rename: nothing is marked or asked.
    w.form.doc().UpdateCaption(false);
    editor = w.openEditorWithF2(w.alpha);
    QVERIFY(editor);
    w.commit(editor);
    QCOMPARE(w.form.windowTitle(), QStringLiteral("Wexmora Configuration - [Noname.QDZ]"));
}

void TestTForm1StatusBar::inPlaceEditorRules_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("marked");
    QTest::newRow("empty") << QStringLiteral("   ") << QStringLiteral("Connection name cannot be empty.") << false;
    QTest::newRow("ampersand") << QStringLiteral("R&D")
                               << QStringLiteral("Connection name cannot contain '&' character.") << true;
    QTest::newRow("sibling's name") << QStringLiteral("Alpha")
                                    << QStringLiteral("Connection name has to be unique among its sibling connections.")
                                    << true;
    QTest::newRow("separator with a child")
        << QStringLiteral("-")
        << QStringLiteral("Connection 'Beta' cannot be replaced with separator line\rbecause it has at least one child.")
        << false;
}

void TestTForm1StatusBar::inPlaceEditorRules()
{
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(bool, marked);
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    QLineEdit *editor = w.openEditorWithF2(w.beta);
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, typed);
    w.commit(editor);
    QCOMPARE(w.prompter.texts(), QStringList{message});
    QCOMPARE(w.prompter.boxes().first().kind, Prompter::Kind::Warning);
    QCOMPARE(w.prompter.boxes().first().buttons, Prompter::Buttons::Ok);
    QCOMPARE(w.beta->data.Name, QByteArray("Beta"));
    QCOMPARE(w.form.doc().tableModified(), marked);
}

void TestTForm1StatusBar::escapeCancelsTheEdit()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    QLineEdit *editor = w.openEditorWithF2(w.alpha);
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Other"));
    // The press closes the editor; the release then goes to the tree, which has the focus again.
    QTest::keyPress(editor, Qt::Key_Escape);
    QCOMPARE(QApplication::focusWidget(), w.form.tree());
    QTest::keyRelease(w.form.tree(), Qt::Key_Escape);
    Window::settle();
    QCOMPARE(w.alpha->data.Name, QByteArray("Alpha"));
    QVERIFY(w.prompter.boxes().isEmpty());
    QVERIFY(!w.form.doc().tableModified());
    QCOMPARE(w.form.tree()->currentEditLink(), nullptr);
    QCOMPARE(w.form.GetFocusedEditorId(), 0);
}

void TestTForm1StatusBar::rootNodeIsNotEditable()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    QCOMPARE(w.form.model().indexFor(w.form.doc().RootNode()).data().toString(), w.form.model().rootCaption());
    QCOMPARE(w.openEditorWithF2(w.form.doc().RootNode()), nullptr);
    QTreeView *vt = w.form.tree();
    const QModelIndex root = w.indexOf(w.form.doc().RootNode());
    // A double-click on the top node toggles it instead.
    w.doubleClick(w.form.doc().RootNode());
    QCOMPARE(w.form.tree()->currentEditLink(), nullptr);
    QVERIFY(!vt->isExpanded(root));
    vt->expand(root);
    // A double-click on a connection toggles its branch as well and renames nothing; F2 or
    // a slow click on the focused node opens the editor.
    const QModelIndex beta = w.indexOf(w.beta);
    QVERIFY(vt->isExpanded(beta));
    w.doubleClick(w.beta);
    QCOMPARE(w.form.tree()->currentEditLink(), nullptr);
    QVERIFY(!vt->isExpanded(beta));
    w.doubleClick(w.beta);
    QVERIFY(vt->isExpanded(beta));
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    QCOMPARE(w.form.tree()->currentEditLink(), nullptr);
    QVERIFY(w.openEditorWithF2(w.alpha));
}

void TestTForm1StatusBar::separatorBecomesConnection()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    QLineEdit *editor = w.openEditorWithF2(w.separator);
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Mail"));
    w.commit(editor);
    QCOMPARE(w.separator->data.Name, QByteArray("Mail"));
    // Directly below the top node it takes TeraTerm's colours and logs its session.
    QCOMPARE(w.separator->data.Colors, QByteArray(ColorSchemes[0].text));
    QVERIFY(w.separator->data.LogSession);

    // And back: the conversion question, answered No, changes nothing.
    w.prompter.queue(Prompter::No);
    editor = w.openEditorWithF2(w.separator);
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("-x"));
    w.commit(editor);
    QCOMPARE(w.prompter.boxes().size(), 1);
    QCOMPARE(w.prompter.boxes().first().buttons, Prompter::Buttons::YesNo);
    QCOMPARE(w.separator->data.Name, QByteArray("Mail"));
}

void TestTForm1StatusBar::connectionBecomesSeparator()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.alpha->data.Macro = "connect";
    w.alpha->data.Popup = "note";
    w.alpha->data.LogSession = true;
    w.alpha->data.Colors = ColorSchemes[4].text;
    w.prompter.queue(Prompter::Yes);
    QLineEdit *editor = w.openEditorWithF2(w.alpha);
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("  -- mail --"));
    w.commit(editor);
    QCOMPARE(w.prompter.boxes().size(), 1);
    const ScriptedPrompter::Box question = w.prompter.boxes().first();
    QCOMPARE(question.kind, Prompter::Kind::Warning);
    QCOMPARE(question.buttons, Prompter::Buttons::YesNo);
    QCOMPARE(question.text, QStringLiteral("Connection 'Alpha' will be converted into separator line.\n"
                                           "All associated data will be deleted.\n\rDo you want to continue?"));
    QCOMPARE(w.alpha->data.Name, SeparatorText);
    QCOMPARE(w.alpha->data.Kind, qint32(NodeKindSeparator));
    QVERIFY(w.alpha->data.Macro.isEmpty());
    QVERIFY(w.alpha->data.Popup.isEmpty());
    QVERIFY(!w.alpha->data.LogSession);
    // The time stamp and the colours stay.
    QCOMPARE(w.alpha->data.LastUpdated, QByteArray("Monday, 01-Jan-2024 10:20:30"));
    QCOMPARE(w.alpha->data.Colors, QByteArray(ColorSchemes[4].text));
    QCOMPARE(w.form.model().indexFor(w.alpha).data().toString(), QString::fromLatin1(SeparatorText));
    QCOMPARE(w.form.windowTitle(), QStringLiteral("Wexmora Configuration - [Noname.QDZ*]"));
}

void TestTForm1StatusBar::openedTableKeepsTheSelection_data()
{
    QTest::addColumn<int>("selectedIndex");
    QTest::addColumn<QString>("focused");
    QTest::addColumn<QString>("panel0");
    QTest::newRow("top node") << 0 << QStringLiteral("This computer (") << QString();
    QTest::newRow("stamped connection") << 1 << QStringLiteral("Alpha")
                                        << QStringLiteral("  Last updated: Monday, 01-Jan-2024 10:20:30");
    QTest::newRow("child of a collapsed branch") << 3 << QStringLiteral("Beta 1") << QString();
}

// A table read into the window as the program opens one: the view is reset once, and the
// selection and focus come out where the table's reader put them.
void TestTForm1StatusBar::openedTableKeepsTheSelection()
{
    QFETCH(int, selectedIndex);
    QFETCH(QString, focused);
    QFETCH(QString, panel0);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Servers.QDZ"));
    {
        Window author;
        QVERIFY(SaveConnectionTable(author.form.doc(), file));
    }
    ScriptedPrompter prompter;
    TForm1 form(&prompter);
    form.InitTree();
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.doc().SelectedNodeIndex = selectedIndex;
    QVERIFY(form.readTable(file).ok);
    QVERIFY(prompter.boxes().isEmpty());
    QCOMPARE(form.windowTitle(), QStringLiteral("Wexmora Configuration - [Servers.QDZ]"));
    const QList<ConnectionNode *> selected = form.tree()->selection().nodes();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected.first(), form.focusedNode());
    QVERIFY(form.model().indexFor(form.focusedNode()).data().toString().startsWith(focused));
    QVERIFY(form.tree()->isExpanded(form.model().indexFor(form.doc().RootNode())));
    QCOMPARE(form.findChild<QLabel *>(QStringLiteral("SBarPanel0"))->text(), panel0);
    QCOMPARE(form.model().rowCount(form.model().indexFor(form.doc().RootNode())), 3);
}

QTEST_MAIN(TestTForm1StatusBar)
#include "tst_tform1_statusbar.moc"
