#include "DialogScript.h"
#include "dialogs/widgets/EditorSearch.h"
#include "dialogs/widgets/TConfirmReplaceDialog.h"
#include "platform/widgets/QsciIncludes.h"
#include "support/ScriptedPrompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

namespace {

const QString NotFound = QStringLiteral("Search string not found");

bool isMacroWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

// A window with the macro editor, shown.
struct Window
{
    QWidget widget;
    QsciScintilla *Memo1 = new QsciScintilla(&widget);
    ScriptedPrompter prompter;
    EditorSearch search{*Memo1, widget, prompter, isMacroWordChar};

    explicit Window(const QString &text)
    {
        Memo1->setObjectName(QStringLiteral("Memo1"));
        Memo1->setUtf8(true);
        Memo1->setEolMode(QsciScintilla::EolWindows);
        Memo1->setText(text);
        Memo1->SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
        (new QVBoxLayout(&widget))->addWidget(Memo1);
        widget.resize(600, 400);
        widget.show();
    }

    // Line, start and end of the selection ("line:from-to"), or of the caret alone ("line:col").
    QString selection() const
    {
        int l1, i1, l2, i2;
        Memo1->getSelection(&l1, &i1, &l2, &i2);
        if (l1 < 0) {
            Memo1->getCursorPosition(&l1, &i1);
            return QStringLiteral("%1:%2").arg(l1).arg(i1);
        }
        return QStringLiteral("%1:%2-%3:%4").arg(l1).arg(i1).arg(l2).arg(i2);
    }
};

template<class T>
T *child(const QWidget &w, const char *name)
{
    return w.findChild<T *>(QLatin1String(name));
}

// Types into the focused text box of the dialog, replacing what it held.
void type(const QString &text)
{
    QWidget *focused = QApplication::focusWidget();
    QTest::keyClick(focused, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(focused, Qt::Key_Delete);
    QTest::keyClicks(focused, text);
}

DialogScript::Step findDialog(const QString &text)
{
    return [text](QDialog &) {
        type(text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    };
}

DialogScript::Step replaceDialog(const QString &search, const QString &replacement)
{
    return [=](QDialog &d) {
        type(search);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        type(replacement);
        QTest::mouseClick(child<QPushButton>(d, "btnOK"), Qt::LeftButton);
    };
}

DialogScript::Step click(const char *button)
{
    return [button](QDialog &d) { QTest::mouseClick(child<QPushButton>(d, button), Qt::LeftButton); };
}

} // namespace

class TestEditorSearch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Find, Find Next, and the end of the text.
    void findThenFindNext()
    {
        Window w(QStringLiteral("abc\r\nxabc"));
        DialogScript script({findDialog(QStringLiteral("abc"))});
        QCOMPARE(w.search.ShowSearchReplaceDialog(false).found, 1);
        QVERIFY(script.done());
        QCOMPARE(w.selection(), QStringLiteral("0:0-0:3"));
        w.search.DoSearchReplace(false, false);
        QCOMPARE(w.selection(), QStringLiteral("1:1-1:4"));
        QVERIFY(w.prompter.boxes().isEmpty());
        // Past the last hit: the message, and the caret at the former selection's end.
        QCOMPARE(w.search.DoSearchReplace(false, false).found, 0);
        QCOMPARE(w.prompter.texts(), QStringList{NotFound});
        QCOMPARE(w.selection(), QStringLiteral("1:4"));
        QCOMPARE(w.search.session().settings().SearchTextHistory, QStringLiteral("abc"));
    }

    // Cancel keeps every setting and text and searches nothing.
    void cancelKeepsEverything()
    {
        Window w(QStringLiteral("abc abc"));
        w.Memo1->setCursorPosition(0, 7);
        SearchSettings &s = w.search.session().settings();
        s.SearchText = QStringLiteral("abc");
        s.SearchTextHistory = QStringLiteral("abc\r\nold");
        DialogScript script({[](QDialog &d) {
            type(QStringLiteral("zzz"));
            QTest::mouseClick(child<QCheckBox>(d, "cbSearchCaseSensitive"), Qt::LeftButton);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        }});
        const SearchOutcome outcome = w.search.ShowSearchReplaceDialog(true);
        QVERIFY(script.done());
        QCOMPARE(outcome.found, 0);
        QCOMPARE(s.SearchText, QStringLiteral("abc"));
        QCOMPARE(s.SearchTextHistory, QStringLiteral("abc\r\nold"));
        QVERIFY(!s.CaseSensitive);
        QVERIFY(w.prompter.boxes().isEmpty());
        QCOMPARE(w.selection(), QStringLiteral("0:7"));
        // No dialog has been accepted: Find Next still covers the whole text.
        w.search.DoSearchReplace(false, false);
        QCOMPARE(w.selection(), QStringLiteral("0:0-0:3"));
    }

    // A selection within a line is the dialog's search text; one over two lines is not.
    void selectionFillsTheSearchText_data()
    {
        QTest::addColumn<int>("lineTo");
        QTest::addColumn<int>("indexTo");
        QTest::addColumn<QString>("shown");
        QTest::newRow("within a line") << 0 << 5 << "cd";
        QTest::newRow("over two lines") << 1 << 1 << "last";
    }
    void selectionFillsTheSearchText()
    {
        QFETCH(int, lineTo);
        QFETCH(int, indexTo);
        QFETCH(QString, shown);
        Window w(QStringLiteral("ab cd ef\r\ngh"));
        w.search.session().settings().SearchText = QStringLiteral("last");
        w.Memo1->setSelection(0, 3, lineTo, indexTo);
        QString seen;
        DialogScript script({[&seen](QDialog &d) {
            seen = child<QComboBox>(d, "cbSearchText")->currentText();
            d.reject();
        }});
        w.search.ShowSearchReplaceDialog(false);
        QCOMPARE(seen, shown);
    }

    // Replace: Yes, No, Yes to all, each asked in the confirm dialog next to its hit; undo takes
    // back what followed "Yes to all" in one step, then the first.
    void replaceRoadWithUndo()
    {
        Window w(QStringLiteral("a a a a"));
        QStringList questions;
        QList<QPoint> placed;
        const auto answer = [&](const char *button) {
            return [&, button](QDialog &d) {
                questions << child<QLabel>(d, "lblConfirmation")->text();
                placed << d.frameGeometry().topLeft();
                QTest::mouseClick(child<QPushButton>(d, button), Qt::LeftButton);
            };
        };
        DialogScript script({replaceDialog(QStringLiteral("a"), QStringLiteral("xyz")), answer("btnReplace"),
                             answer("btnSkip"), answer("btnReplaceAll")});
        const SearchOutcome outcome = w.search.ShowSearchReplaceDialog(true);
        QVERIFY(script.done());
        QCOMPARE(script.shown(), (QStringList{"Replace text", "Confirm replace", "Confirm replace", "Confirm replace"}));
        QCOMPARE(questions, QStringList(3, QStringLiteral("Replace this occurence of \"a\"?")));
        // Each question stands just below its hit, at the hit's column.
        const int lineBottom = w.Memo1->viewport()->mapToGlobal(QPoint(0, w.Memo1->textHeight(0))).y();
        for (const QPoint &p : placed)
            QCOMPARE(p.y(), lineBottom + 4);
        QVERIFY(placed[0].x() < placed[1].x() && placed[1].x() < placed[2].x());
        QCOMPARE(outcome.replaced, 3);
        QCOMPARE(w.Memo1->text(), QStringLiteral("xyz a xyz xyz"));
        QVERIFY(w.prompter.boxes().isEmpty());
        // The confirm dialog lives for one run.
        QVERIFY(w.widget.findChildren<TConfirmReplaceDialog *>().isEmpty());
        w.Memo1->undo();
        QCOMPARE(w.Memo1->text(), QStringLiteral("xyz a a a"));
        w.Memo1->undo();
        QCOMPARE(w.Memo1->text(), QStringLiteral("a a a a"));
    }

    // Cancel in the confirm dialog stops the run where it is.
    void cancelStopsTheReplace()
    {
        Window w(QStringLiteral("a a a"));
        DialogScript script({replaceDialog(QStringLiteral("a"), QStringLiteral("b")), click("btnReplace"), click("btnCancel")});
        const SearchOutcome outcome = w.search.ShowSearchReplaceDialog(true);
        QVERIFY(script.done());
        QVERIFY(outcome.cancelled);
        QCOMPARE(w.Memo1->text(), QStringLiteral("b a a"));
        QVERIFY(w.prompter.boxes().isEmpty());
    }

    // A replacement equal to the search text skips every hit without asking, and is no "not found".
    void sameTextSkipsUnasked()
    {
        Window w(QStringLiteral("a a"));
        DialogScript script({replaceDialog(QStringLiteral("a"), QStringLiteral("a"))});
        const SearchOutcome outcome = w.search.ShowSearchReplaceDialog(true);
        QCOMPARE(script.shown(), QStringList{"Replace text"});
        QCOMPARE(outcome.found, 2);
        QCOMPARE(outcome.replaced, 0);
        QVERIFY(w.prompter.boxes().isEmpty());
    }

    // The menu follows the editor's text and the kept search text.
    void menuState()
    {
        Window w(QStringLiteral("  \r\n"));
        QVERIFY(!w.search.menuState(true, false).find);
        w.Memo1->setText(QStringLiteral("x"));
        SearchSession::MenuState s = w.search.menuState(true, false);
        QVERIFY(s.find && s.replace && !s.findNext && !s.findPrevious);
        DialogScript script({findDialog(QStringLiteral("x"))});
        w.search.ShowSearchReplaceDialog(false);
        s = w.search.menuState(true, false);
        QVERIFY(s.findNext && s.findPrevious);
    }
};

QTEST_MAIN(TestEditorSearch)
#include "tst_editorsearch.moc"
