#include "mainwindow/ColorsPage.h"
#include "mainwindow/ConnectionTreeModel.h"
#include "mainwindow/CoverPanel.h"
#include "mainwindow/MacroEditorSettingsPage.h"
#include "mainwindow/MacroPage.h"
#include "mainwindow/PopupPage.h"
#include "mainwindow/SchedulePage.h"
#include "mainwindow/SettingsPage.h"
#include "mainwindow/TForm1.h"
#include "mainwindow/TreeClipboard.h"
#include "MainWindowFixture.h"
#include "platform/FieldText.h"
#include "platform/widgets/QsciIncludes.h"
#include "support/FileBytes.h"
#include "support/NodeRecords.h"
#include "support/ScriptedFileChooser.h"
#include "support/ScriptedPrompter.h"
#include "support/TempUserDirs.h"
#include "table/ColorSet.h"
#include "table/ConnectionTree.h"
#include "table/EditCommands.h"
#include "table/UrlCodec.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QTreeView>

#include <sys/stat.h>

namespace {

const QDateTime kNow(QDate(2025, 3, 4), QTime(5, 6, 7));

ColorSet scheme(int i)
{
    ColorSet set;
    ParseColorSet(ColorSchemes[i].text, set);
    return set;
}

// The window as the program starts it, shown and active, with a small table below RootNode:
// "Alpha" (every field set) with child "Alpha 1", "Beta" (nothing stored) with child
// "Beta 1", and a separator.
struct Window : MainWindowFixture
{
    ConnectionNode *alpha = nullptr;
    ConnectionNode *alpha1 = nullptr;
    ConnectionNode *beta = nullptr;
    ConnectionNode *beta1 = nullptr;
    ConnectionNode *separator = nullptr;

    Window()
    {
        form.setApplyClock([] { return kNow; });
        ConnectionTree &tree = doc().tree();
        ConnectionNode *root = doc().RootNode();
        rVTNodeData a;
        a.Name = "Alpha";
        // Stored with blank lines around it: shown trimmed.
        a.Macro = UrlEncode("\r\n  connect 'host'\r\nwait 'x'\r\n\r\n", true);
        a.Popup = UrlEncode(" note ", true);
        a.Schedule = "=0 1 * * 5";
        a.Colors = ColorSchemes[2].text;
        a.LogSession = true;
        a.LastUpdated = "Monday, 01-Jan-2024 10:20:30";
        alpha = tree.addChild(root, a);
        alpha1 = tree.addChild(alpha, NamedRecord("Alpha 1"));
        beta = tree.addChild(root, NamedRecord("Beta"));
        beta1 = tree.addChild(beta, NamedRecord("Beta 1"));
        separator = tree.addChild(root, NamedRecord(SeparatorText));
        form.tree()->expandAll();
    }

    // A click on the branch sign left of the node's caption.
    void clickSign(const ConnectionNode *n)
    {
        QTreeView *vt = form.tree();
        const QRect r = vt->visualRect(indexOf(n));
        QTest::mouseClick(vt->viewport(), Qt::LeftButton, {}, QPoint(r.left() - vt->indentation() / 2, r.center().y()));
    }

    // Shows the node as the user gets there: a click, then the refresh fills the pages.
    void show(const ConnectionNode *n)
    {
        click(n);
        QTRY_COMPARE(memo1()->text(), DecodeField(UrlDecode(n->data.Macro)).trimmed());
    }

    // Types Text at the end of the macro editor as the user would.
    void typeIntoMacro(const QString &text)
    {
        pages()->setCurrentIndex(1);
        memo1()->setFocus();
        QTest::keyClick(memo1(), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(memo1(), text);
    }
};

QString question(const QString &name)
{
    return QStringLiteral("Do you want to apply the changes you made to  '") + name + QStringLiteral("' ?");
}

} // namespace

class TestTForm1NodeView : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void captionsAndIcons();
    void showsTheFocusedConnection();
    void coversThePages_data();
    void coversThePages();
    void disabledColorSupportCoversTheColorsPage();
    void userEditsMarkTheNode_data();
    void userEditsMarkTheNode();
    void applyQuestionOnFocusChange_data();
    void applyQuestionOnFocusChange();
    void programFocusChangeAsksToo_data();
    void programFocusChangeAsksToo();
    void pagesFollowWhenTheFocusLeavesTheTreeAtOnce();
    void collapseQuestion_data();
    void collapseQuestion();
    void collapseByKeyAsks();
    void collapseByDoubleClickAsks_data();
    void collapseByDoubleClickAsks();
    void applyWritesTheRecord_data();
    void applyWritesTheRecord();
    void selectNodeByIndex();
    void expandAndCollapseAll();
    void collapseAllFocusesTheLastBranchClosed_data();
    void collapseAllFocusesTheLastBranchClosed();
    void showPopup();
    void importMacro();
    void importMacroOfAnUnreadableFile_data();
    void importMacroOfAnUnreadableFile();
    void importMacroAsksFirst();
};

void TestTForm1NodeView::captionsAndIcons()
{
    Window w;
    const ConnectionTreeModel &m = w.form.model();
    QVERIFY(w.indexOf(w.form.doc().RootNode()).data().toString().startsWith(QLatin1String("This computer (")));
    QCOMPARE(w.indexOf(w.separator).data().toString(), QStringLiteral("----- separator line -----"));
    const int role = ConnectionTreeModel::ImageIndexRole;
    QCOMPARE(m.data(w.indexOf(w.form.doc().RootNode()), role).toInt(), 0);
    QCOMPARE(m.data(w.indexOf(w.beta), role).toInt(), 1);
    QCOMPARE(m.data(w.indexOf(w.alpha), role).toInt(), 2);
    QCOMPARE(m.data(w.indexOf(w.separator), role).toInt(), 3);
    QVERIFY(!m.data(w.indexOf(w.alpha), Qt::DecorationRole).value<QIcon>().isNull());
    // While a table loads the tree asks for nothing.
    w.form.doc().LoadingFlag = true;
    QVERIFY(!m.data(w.indexOf(w.alpha), role).isValid());
    w.form.doc().LoadingFlag = false;
}

void TestTForm1NodeView::showsTheFocusedConnection()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.show(w.alpha);
    QCOMPARE(w.memo1()->text(), QStringLiteral("connect 'host'\r\nwait 'x'"));
    QCOMPARE(w.memo2()->text(), QStringLiteral(" note "));
    MacroPage *macro = w.form.macroPage();
    QVERIFY(macro->cbLogSession()->isChecked());
    QVERIFY(!macro->TS1Panel()->isVisibleTo(macro));
    QVERIFY(macro->TS1bPanel()->isVisibleTo(macro));
    SchedulePage *schedule = w.form.schedulePage();
    QVERIFY(schedule->cbSchedule()->isChecked());
    const QStringList fields{"0", "1", "*", "*", "5"};
    for (int i = 1; i <= 5; ++i) {
        QCOMPARE(schedule->fieldText(i), fields.at(i - 1));
        QVERIFY(schedule->field(i)->isEnabled());
    }
    QCOMPARE(w.form.colorsPage()->colorSet(), scheme(2));
    QCOMPARE(w.form.colorsPage()->schemeIndex(), 2);
    QCOMPARE(w.panel(0)->text(), QStringLiteral("  Last updated: Monday, 01-Jan-2024 10:20:30"));
    // What the program wrote is no edit, and leaves nothing to undo.
    QVERIFY(!w.modified());
    QVERIFY(!w.memo1()->isUndoAvailable());

    // A connection with nothing stored: empty pages, no stamp, teraterm.ini's colours.
    w.show(w.beta);
    QCOMPARE(w.memo2()->text(), QString());
    QVERIFY(!macro->cbLogSession()->isChecked());
    QVERIFY(!schedule->cbSchedule()->isChecked());
    QVERIFY(!schedule->field(1)->isEnabled());
    QCOMPARE(w.panel(0)->text(), QString());
    QCOMPARE(w.form.colorsPage()->colorSet(), scheme(0));
    QVERIFY(!w.modified());
}

void TestTForm1NodeView::coversThePages_data()
{
    QTest::addColumn<QString>("selection");
    QTest::addColumn<QString>("reason");
    QTest::newRow("nothing selected") << "none" << "No connection selected";
    QTest::newRow("top node") << "root" << "No connection selected";
    QTest::newRow("separator") << "separator" << "No connection selected";
    QTest::newRow("focused node not selected") << "unselected focus" << "No connection selected";
    QTest::newRow("two connections") << "two" << "Multiple items selected";
}

void TestTForm1NodeView::coversThePages()
{
    QFETCH(QString, selection);
    QFETCH(QString, reason);
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.show(w.alpha);
    if (selection == QLatin1String("none")) {
        w.click(w.alpha, Qt::ControlModifier);
    } else if (selection == QLatin1String("root")) {
        w.click(w.form.doc().RootNode());
    } else if (selection == QLatin1String("separator")) {
        w.click(w.separator);
    } else if (selection == QLatin1String("unselected focus")) {
        w.click(w.beta, Qt::ControlModifier);
        w.click(w.beta, Qt::ControlModifier);
        QCOMPARE(w.form.focusedNode(), w.beta);
    } else {
        w.click(w.beta, Qt::ControlModifier);
    }
    CoverPanel *covers[] = {w.form.macroPage()->TS1Panel(), w.form.popupPage()->TS2Panel(),
                            w.form.colorsPage()->TS3Panel(), w.form.schedulePage()->TS4Panel()};
    for (CoverPanel *cover : covers) {
        QTRY_VERIFY(!cover->isHidden());
        QCOMPARE(cover->text(), reason);
    }
    QVERIFY(w.form.macroPage()->TS1bPanel()->isHidden());
    // The editors keep what they held under their covers.
    QCOMPARE(w.memo1()->text(), QStringLiteral("connect 'host'\r\nwait 'x'"));

    // A single connection uncovers them again.
    w.click(w.alpha1);
    for (CoverPanel *cover : covers)
        QTRY_VERIFY(cover->isHidden());
    QVERIFY(!w.form.macroPage()->TS1bPanel()->isHidden());
}

void TestTForm1NodeView::disabledColorSupportCoversTheColorsPage()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.form.settingsPage()->macroEditor()->cbNoColors()->setChecked(true);
    w.show(w.alpha);
    CoverPanel *colors = w.form.colorsPage()->TS3Panel();
    QTRY_VERIFY(!colors->isHidden());
    QCOMPARE(colors->text(), QStringLiteral("Color support is disabled"));
    QVERIFY(w.form.macroPage()->TS1Panel()->isHidden());
    QVERIFY(w.form.schedulePage()->TS4Panel()->isHidden());
}

void TestTForm1NodeView::userEditsMarkTheNode_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("page");
    QTest::newRow("macro editor") << "Memo1" << 1;
    QTest::newRow("popup editor") << "Memo2" << 2;
    QTest::newRow("logging box") << "cbLogSession" << 1;
    QTest::newRow("schedule box") << "cbSchedule" << 4;
    QTest::newRow("schedule field") << "Edit6" << 4;
}

void TestTForm1NodeView::userEditsMarkTheNode()
{
    QFETCH(QString, control);
    QFETCH(int, page);
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.pages()->setCurrentIndex(page);
    auto *widget = w.form.findChild<QWidget *>(control);
    QVERIFY(widget);
    // Moving between connections writes every page: no mark.
    w.show(w.alpha);
    w.show(w.beta);
    w.show(w.alpha);
    QVERIFY(!w.modified());

    if (auto *box = qobject_cast<QCheckBox *>(widget)) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
    } else {
        widget->setFocus();
        QTest::keyClicks(widget, QStringLiteral("7"));
    }
    QVERIFY(w.modified());
    QVERIFY(w.form.doc().IsNodeModified());
}

void TestTForm1NodeView::applyQuestionOnFocusChange_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::addColumn<int>("answer");
    for (bool byKey : {false, true}) {
        const char *how = byKey ? "key" : "click";
        QTest::addRow("%s, Yes", how) << byKey << int(Prompter::Yes);
        QTest::addRow("%s, No", how) << byKey << int(Prompter::No);
        QTest::addRow("%s, Cancel", how) << byKey << int(Prompter::Cancel);
    }
}

void TestTForm1NodeView::applyQuestionOnFocusChange()
{
    QFETCH(bool, byKey);
    QFETCH(int, answer);
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    // From Alpha 1 the Down key and a click both lead to Beta.
    w.show(w.alpha1);
    w.typeIntoMacro(QStringLiteral("edited"));
    QVERIFY(w.modified());
    const rVTNodeData before = w.alpha1->data;

    w.prompter.queue(Prompter::Answer(answer));
    if (byKey) {
        w.form.tree()->setFocus();
        QTest::keyClick(w.form.tree(), Qt::Key_Down);
    } else {
        w.click(w.beta);
    }
    QCOMPARE(w.prompter.texts(), QStringList{question(QStringLiteral("Alpha 1"))});
    QCOMPARE(w.prompter.boxes().first().kind, Prompter::Kind::Warning);
    QCOMPARE(w.prompter.boxes().first().buttons, Prompter::Buttons::YesNoCancel);

    if (answer == Prompter::Cancel) {
        QCOMPARE(w.form.focusedNode(), w.alpha1);
        QCOMPARE(w.form.tree()->selection().nodes(), QList<ConnectionNode *>{w.alpha1});
        QCOMPARE(w.form.doc().CurrentNode, w.alpha1);
        QVERIFY(w.modified());
        QCOMPARE(w.memo1()->text(), QStringLiteral("edited"));
        QCOMPARE(w.alpha1->data.Macro, before.Macro);
        return;
    }
    QCOMPARE(w.form.focusedNode(), w.beta);
    QCOMPARE(w.form.tree()->selection().nodes(), QList<ConnectionNode *>{w.beta});
    QCOMPARE(w.form.doc().CurrentNode, w.beta);
    QVERIFY(!w.modified());
    // The edits went to the connection they belong to, never to the new one.
    QCOMPARE(w.alpha1->data.Macro, answer == Prompter::Yes ? QByteArray("edited") : before.Macro);
    QCOMPARE(w.beta->data.Macro, QByteArray());
    QCOMPARE(w.form.doc().tableModified(), answer == Prompter::Yes);
    // The new connection is shown; moving on asks nothing more.
    QTRY_COMPARE(w.memo1()->text(), QString());
    w.click(w.alpha);
    QCOMPARE(w.prompter.boxes().size(), 1);
}

void TestTForm1NodeView::collapseQuestion_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("Yes") << int(Prompter::Yes);
    QTest::newRow("No") << int(Prompter::No);
    QTest::newRow("Cancel") << int(Prompter::Cancel);
}

void TestTForm1NodeView::collapseQuestion()
{
    QFETCH(int, answer);
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.show(w.beta1);
    w.typeIntoMacro(QStringLiteral("x"));
    QVERIFY(w.modified());

    // A branch without the edited connection closes without a question, the focus stays.
    w.clickSign(w.alpha);
    QVERIFY(!w.form.tree()->isExpanded(w.indexOf(w.alpha)));
    QVERIFY(w.prompter.boxes().isEmpty());
    QCOMPARE(w.form.doc().CurrentNode, w.beta1);
    QVERIFY(w.modified());

    w.prompter.queue(Prompter::Answer(answer));
    w.clickSign(w.beta);
    QCOMPARE(w.prompter.texts(), QStringList{question(QStringLiteral("Beta 1"))});
    if (answer == Prompter::Cancel) {
        QVERIFY(w.form.tree()->isExpanded(w.indexOf(w.beta)));
        QCOMPARE(w.form.doc().CurrentNode, w.beta1);
        QVERIFY(w.modified());
        return;
    }
    QVERIFY(!w.form.tree()->isExpanded(w.indexOf(w.beta)));
    // The collapsed node takes the focus and the selection.
    QCOMPARE(w.form.focusedNode(), w.beta);
    QCOMPARE(w.form.tree()->selection().nodes(), QList<ConnectionNode *>{w.beta});
    QCOMPARE(w.form.doc().CurrentNode, w.beta);
    QVERIFY(!w.modified());
    QCOMPARE(w.beta1->data.Macro, answer == Prompter::Yes ? QByteArray("x") : QByteArray());
}

void TestTForm1NodeView::programFocusChangeAsksToo_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("Yes") << int(Prompter::Yes);
    QTest::newRow("Cancel") << int(Prompter::Cancel);
}

void TestTForm1NodeView::programFocusChangeAsksToo()
{
    QFETCH(int, answer);
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.show(w.alpha1);
    w.typeIntoMacro(QStringLiteral("e"));
    // A command moves the focus itself (as adding a separator does).
    w.prompter.queue(Prompter::Answer(answer));
    w.form.tree()->selectionModel()->clearSelection();
    w.form.tree()->setSelected(w.separator, true);
    w.form.tree()->setFocusedNode(w.separator);
    QCOMPARE(w.prompter.texts(), QStringList{question(QStringLiteral("Alpha 1"))});
    if (answer == Prompter::Yes) {
        QCOMPARE(w.alpha1->data.Macro, QByteArray("e"));
        QCOMPARE(w.separator->data.Macro, QByteArray());
        QCOMPARE(w.form.doc().CurrentNode, w.separator);
        return;
    }
    // Cancel: the focus goes back to the connection the edits belong to.
    QTRY_COMPARE(w.form.focusedNode(), w.alpha1);
    QCOMPARE(w.form.tree()->selection().nodes(), QList<ConnectionNode *>{w.alpha1});
    QCOMPARE(w.form.doc().CurrentNode, w.alpha1);
    QVERIFY(w.modified());
    QCOMPARE(w.memo1()->text(), QStringLiteral("e"));
    QCOMPARE(w.prompter.boxes().size(), 1);
}

void TestTForm1NodeView::pagesFollowWhenTheFocusLeavesTheTreeAtOnce()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.show(w.alpha);
    w.pages()->setCurrentIndex(1);
    // Into the macro editor before the tree's refresh has run.
    w.click(w.beta);
    w.memo1()->setFocus();
    QCOMPARE(w.memo1()->text(), QString());
    QCOMPARE(w.form.doc().CurrentNode, w.beta);
    QVERIFY(!w.modified());
    QTest::keyClicks(w.memo1(), QStringLiteral("b"));
    QTest::keyClick(w.memo1(), Qt::Key_F12);
    QCOMPARE(w.beta->data.Macro, QByteArray("b"));
    QVERIFY(w.alpha->data.Macro.startsWith("%0D%0A"));
}

void TestTForm1NodeView::collapseByDoubleClickAsks_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("No") << int(Prompter::No);
    QTest::newRow("Cancel") << int(Prompter::Cancel);
}

void TestTForm1NodeView::collapseByDoubleClickAsks()
{
    QFETCH(int, answer);
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.show(w.beta);
    w.typeIntoMacro(QStringLiteral("x"));
    QTreeView *vt = w.form.tree();
    const QPoint at = vt->visualRect(w.indexOf(w.beta)).center();
    w.prompter.queue(Prompter::Answer(answer));
    // Press, release, the second press of a double-click and its release on the edited node.
    QTest::mousePress(vt->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(vt->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(vt->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(vt->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(w.prompter.texts(), QStringList{question(QStringLiteral("Beta"))});
    QCOMPARE(vt->isExpanded(w.indexOf(w.beta)), answer == Prompter::Cancel);
    QCOMPARE(w.modified(), answer == Prompter::Cancel);
    // A double-click renames nothing, also after a question.
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    QCOMPARE(w.form.tree()->currentEditLink(), nullptr);
}

void TestTForm1NodeView::collapseByKeyAsks()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.show(w.beta);
    w.typeIntoMacro(QStringLiteral("k"));
    w.form.tree()->setFocus();
    w.prompter.queue(Prompter::Cancel);
    QTest::keyClick(w.form.tree(), Qt::Key_Left);
    QCOMPARE(w.prompter.texts(), QStringList{question(QStringLiteral("Beta"))});
    QVERIFY(w.form.tree()->isExpanded(w.indexOf(w.beta)));
    QVERIFY(w.modified());
    w.prompter.queue(Prompter::No);
    QTest::keyClick(w.form.tree(), Qt::Key_Left);
    QCOMPARE(w.prompter.boxes().size(), 2);
    QVERIFY(!w.form.tree()->isExpanded(w.indexOf(w.beta)));
    QCOMPARE(w.form.focusedNode(), w.beta);
    QVERIFY(!w.modified());
}

void TestTForm1NodeView::applyWritesTheRecord_data()
{
    QTest::addColumn<QString>("macro");
    QTest::addColumn<bool>("scheduleOn");
    QTest::addColumn<QByteArray>("schedule");
    QTest::addColumn<int>("kind");
    // The day of week typed as 57 is stored in its range.
    QTest::newRow("macro, schedule") << "wait 'y'" << true << QByteArray("=0 1 * * 7") << 2;
    QTest::newRow("no macro, no schedule") << "" << false << QByteArray() << 1;
}

void TestTForm1NodeView::applyWritesTheRecord()
{
    QFETCH(QString, macro);
    QFETCH(bool, scheduleOn);
    QFETCH(QByteArray, schedule);
    QFETCH(int, kind);
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.show(w.alpha);
    QVERIFY(!w.form.doc().tableModified());

    // The macro editor: everything replaced by what the row types.
    w.pages()->setCurrentIndex(1);
    w.memo1()->setFocus();
    w.memo1()->selectAll();
    QTest::keyClick(w.memo1(), Qt::Key_Delete);
    QTest::keyClicks(w.memo1(), macro);
    // The popup editor, the logging box, the schedule.
    w.pages()->setCurrentIndex(2);
    w.memo2()->setFocus();
    QTest::keyClick(w.memo2(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(w.memo2(), QStringLiteral("more"));
    w.pages()->setCurrentIndex(1);
    QCheckBox *log = w.form.macroPage()->cbLogSession();
    QTest::mouseClick(log, Qt::LeftButton, {}, QPoint(4, log->height() / 2));
    w.pages()->setCurrentIndex(4);
    QLineEdit *dayOfWeek = w.form.schedulePage()->Edit8();
    dayOfWeek->setFocus();
    QTest::keyClick(dayOfWeek, Qt::Key_End);
    QTest::keyClick(dayOfWeek, Qt::Key_7);
    if (!scheduleOn) {
        QCheckBox *box = w.form.schedulePage()->cbSchedule();
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
    }
    w.form.colorsPage()->setColorSet(scheme(5));
    QVERIFY(w.modified());

    QAction *apply = w.action("BtnApply");
    QTRY_VERIFY(apply->isEnabled());
    QTest::mouseClick(w.form.findChild<QToolBar *>(QStringLiteral("CBar"))->widgetForAction(apply), Qt::LeftButton);

    const rVTNodeData &d = w.alpha->data;
    QCOMPARE(d.Macro, UrlEncode(macro.toUtf8(), true));
    // Stored trimmed, as the macro.
    QCOMPARE(d.Popup, QByteArray("note+more"));
    QCOMPARE(d.Schedule, schedule);
    QCOMPARE(d.Colors, QByteArray(ColorSchemes[5].text));
    QCOMPARE(d.LogSession, false);
    QCOMPARE(d.LastUpdated, FormatLastUpdated(kNow));
    QCOMPARE(d.Kind, kind);
    QCOMPARE(w.panel(0)->text(), QStringLiteral("  Last updated: ") + QString::fromLatin1(FormatLastUpdated(kNow)));
    QVERIFY(!w.modified());
    QVERIFY(w.form.doc().tableModified());
    QVERIFY(w.form.windowTitle().endsWith(QLatin1String("*]")));
    QTRY_VERIFY(!apply->isEnabled());
}

void TestTForm1NodeView::selectNodeByIndex()
{
    Window w;
    w.form.tree()->collapseAll();
    // Pre-order with RootNode 0: Alpha 1, Alpha 1 2, Beta 3, Beta 1 4 (inside a closed branch).
    w.form.doc().SelectedNodeIndex = 4;
    w.form.SelectNodeByIndex();
    QCOMPARE(w.form.focusedNode(), w.beta1);
    QCOMPARE(w.form.tree()->selection().nodes(), QList<ConnectionNode *>{w.beta1});
    QCOMPARE(w.form.doc().CurrentNode, w.beta1);
    w.form.doc().SelectedNodeIndex = 99;
    w.form.SelectNodeByIndex();
    QCOMPARE(w.form.doc().CurrentNode, nullptr);
}

void TestTForm1NodeView::expandAndCollapseAll()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    QTreeView *vt = w.form.tree();
    const ConnectionNode *branches[] = {w.form.doc().RootNode(), w.alpha, w.beta};

    // With edits in Beta 1 the first collapse over it asks; Cancel ends the command.
    w.show(w.beta1);
    w.typeIntoMacro(QStringLiteral("x"));
    w.prompter.queue(Prompter::Cancel);
    w.action("MnCollapseAll")->trigger();
    QCOMPARE(w.prompter.texts(), QStringList{question(QStringLiteral("Beta 1"))});
    for (const ConnectionNode *n : branches)
        QVERIFY(vt->isExpanded(w.indexOf(n)));

    // No drops the edits and every branch closes, with no further question.
    w.prompter.queue(Prompter::No);
    w.action("MnCollapseAll")->trigger();
    QCOMPARE(w.prompter.boxes().size(), 2);
    for (const ConnectionNode *n : branches)
        QVERIFY(!vt->isExpanded(w.indexOf(n)));
    QVERIFY(!w.modified());

    w.action("MnExpandAll")->trigger();
    for (const ConnectionNode *n : branches)
        QVERIFY(vt->isExpanded(w.indexOf(n)));
}

void TestTForm1NodeView::collapseAllFocusesTheLastBranchClosed_data()
{
    QTest::addColumn<QStringList>("closedBefore");  // paths closed after all were opened
    QTest::addColumn<QString>("focusAfter");        // "" RootNode, "-" the focus stays where it is
    QTest::newRow("everything open") << QStringList{} << "1/0";
    QTest::newRow("a branch closed, those in it open") << QStringList{"0"} << "1/0";
    QTest::newRow("the last ones closed") << QStringList{"1", "1/0"} << "0/1";
    QTest::newRow("only RootNode open") << QStringList{"0", "0/0", "0/1", "1", "1/0"} << "";
    QTest::newRow("nothing open") << QStringList{"0", "0/0", "0/1", "1", "1/0", ""} << "-";
}

// Collapse all closes every open branch, also those inside closed ones, and leaves the last
// of them the walk over the tree closed focused and alone selected where it stands: the view
// does not open its branch again to show it. Cut marks stay as they were.
void TestTForm1NodeView::collapseAllFocusesTheLastBranchClosed()
{
    QFETCH(QStringList, closedBefore);
    QFETCH(QString, focusAfter);
    MainWindowFixture w("A[A1[x]|A2[y]]|B[B1[z]]|C");
    QVERIFY(w.active());
    w.focus(w.at("2"));
    w.form.treeClipboard()->cutNodes();
    for (const QString &path : closedBefore)
        w.form.tree()->collapse(w.indexOf(w.at(path)));
    // Closing a branch by hand focuses it too.
    ConnectionNode *expected = focusAfter == QLatin1String("-") ? w.form.focusedNode() : w.at(focusAfter);

    w.action("MnCollapseAll")->trigger();

    ConnectionTree::forEachBelow(w.doc().tree().invisibleRoot(), [&](ConnectionNode *n) {
        QVERIFY2(!w.form.tree()->isExpanded(w.indexOf(n)), n->data.Name.constData());
    });
    QCOMPARE(w.form.focusedNode(), expected);
    QCOMPARE(w.form.tree()->selection().nodes(), QList<ConnectionNode *>{expected});
    QCOMPARE(w.doc().CurrentNode, expected);
    QVERIFY(w.doc().CutModeFlag);
    QCOMPARE(w.doc().cutCopyTops(), QList<ConnectionNode *>{w.at("2")});
}

void TestTForm1NodeView::showPopup()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.show(w.alpha);
    w.pages()->setCurrentIndex(2);
    w.memo2()->setFocus();
    QTest::keyClick(w.memo2(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(w.memo2(), QStringLiteral("!"));
    w.action("MnShowPopup")->trigger();
    QCOMPARE(w.prompter.texts(), QStringList{QStringLiteral(" note !\rPress Ok to continue.")});
    QCOMPARE(w.prompter.boxes().first().kind, Prompter::Kind::Information);
    QCOMPARE(w.prompter.boxes().first().buttons, Prompter::Buttons::OkCancel);
}

void TestTForm1NodeView::importMacro()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("login.TTL"));
    QVERIFY(WriteFileBytes(path, "connect 'h'\nwait 'p'\r\nsendln 'x'\n"));
    w.show(w.beta);
    w.chooser.queue(path);
    w.action("MnImportMacro")->trigger();
    QCOMPARE(w.chooser.shown().size(), 1);
    const FileDialogSetup &setup = w.chooser.shown().first().setup;
    QCOMPARE(setup.title, QStringLiteral("Import macro from file"));
    QCOMPARE(setup.filter, QStringLiteral("TeraTerm Macro files (*.TTL)|*.TTL|All files (*.*)|*.*"));
    QCOMPARE(setup.defaultExtension, QStringLiteral("ttl"));
    QCOMPARE(setup.initialFileName, QString());
    QCOMPARE(w.memo1()->text(), QStringLiteral("connect 'h'\r\nwait 'p'\r\nsendln 'x'"));
    QVERIFY(!w.memo1()->isUndoAvailable());
    QVERIFY(w.modified());
    // Nothing is stored until Apply; leaving the connection asks.
    QCOMPARE(w.beta->data.Macro, QByteArray());
    w.prompter.queue(Prompter::Cancel);
    w.click(w.alpha);
    QCOMPARE(w.prompter.texts(), QStringList{question(QStringLiteral("Beta"))});
}

void TestTForm1NodeView::importMacroOfAnUnreadableFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("why");   // the end of the message; empty when any reason does
    QTest::newRow("missing") << "missing" << "";
    // Nothing writes to it: opening it as a file would wait for ever.
    QTest::newRow("named pipe") << "fifo" << "It is a named pipe, not a file.";
    QTest::newRow("folder") << "folder" << "It is a folder, not a file.";
    // Reading it would never end.
    QTest::newRow("device") << "/dev/zero" << "It is a device, not a file.";
}

void TestTForm1NodeView::importMacroOfAnUnreadableFile()
{
    QFETCH(QString, kind);
    QFETCH(QString, why);
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("gone.TTL"));
    if (kind == QLatin1String("fifo"))
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == QLatin1String("folder"))
        QVERIFY(QDir().mkdir(path));
    else if (kind.startsWith(QLatin1Char('/')))
        path = kind;
    w.show(w.alpha);
    w.chooser.queue(path);
    w.action("MnImportMacro")->trigger();
    QCOMPARE(w.prompter.boxes().size(), 1);
    QCOMPARE(w.prompter.boxes().first().kind, Prompter::Kind::Error);
    QVERIFY(w.prompter.texts().first().startsWith(QStringLiteral("Cannot open file \"") + path + QStringLiteral("\". ")));
    QVERIFY(w.prompter.texts().first().endsWith(why));
    QCOMPARE(w.memo1()->text(), QStringLiteral("connect 'host'\r\nwait 'x'"));
    QVERIFY(!w.modified());
}

void TestTForm1NodeView::importMacroAsksFirst()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.show(w.alpha);
    w.typeIntoMacro(QStringLiteral("z"));
    // Cancel ends the command before the dialog.
    w.prompter.queue(Prompter::Cancel);
    w.action("MnImportMacro")->trigger();
    QCOMPARE(w.prompter.texts(), QStringList{question(QStringLiteral("Alpha"))});
    QVERIFY(w.chooser.shown().isEmpty());
    // Yes applies, then the dialog opens.
    w.prompter.queue(Prompter::Yes);
    w.action("MnImportMacro")->trigger();
    QCOMPARE(w.chooser.shown().size(), 1);
    QVERIFY(w.alpha->data.Macro.endsWith("z"));
    QVERIFY(!w.modified());
}

QTEST_MAIN(TestTForm1NodeView)
#include "tst_tform1_nodeview.moc"
