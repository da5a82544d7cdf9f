#include "MainWindowFixture.h"
#include "TriggerAsUser.h"
#include "dialogs/DialogScript.h"
#include "table/UrlCodec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace {

const QString NotFound = QStringLiteral("Search string not found");

// The window with one connection "a" holding Macro, shown on the macro page with the caret at
// the start of the macro editor.
struct Window : MainWindowFixture
{
    explicit Window(const QByteArray &macro) : MainWindowFixture("a")
    {
        at("0")->data.Macro = UrlEncode(macro, true);
        at("0")->data.LastUpdated = "Monday, 01-Jun-2026 10:00:00";
    }

    bool showMacro()
    {
        if (!active())
            return false;
        click(at("0"));
        pages()->setCurrentIndex(1);
        memo1()->setFocus();
        memo1()->setCursorPosition(0, 0);
        return QTest::qWaitFor([this] { return memo1()->hasFocus(); });
    }

    // Back in the macro editor once a dialog has closed, the window active again as the
    // window manager leaves it.
    bool backInEditor()
    {
        form.activateWindow();
        if (!active())
            return false;
        memo1()->setFocus();
        return QTest::qWaitFor([this] { return memo1()->hasFocus(); });
    }

    // Keys pressed in the macro editor.
    void press(QKeyCombination keys) { QTest::keyClick(memo1(), keys.key(), keys.keyboardModifiers()); }

    // The selection as "line:from-to", or the caret as "line:col".
    QString selection() const
    {
        int l1, i1, l2, i2;
        memo1()->getSelection(&l1, &i1, &l2, &i2);
        if (l1 < 0) {
            memo1()->getCursorPosition(&l1, &i1);
            return QStringLiteral("%1:%2").arg(l1).arg(i1);
        }
        return QStringLiteral("%1:%2-%3:%4").arg(l1).arg(i1).arg(l2).arg(i2);
    }

    // The four Search items' states as the menu shows them when it opens.
    QString searchMenu()
    {
        Q_EMIT child<QMenu>(QStringLiteral("Search1"))->aboutToShow();
        QString states;
        for (const char *item : {"MnFind", "MnFindNext", "MnFindPrev", "MnReplace"})
            states += action(item)->isEnabled() ? u'1' : u'0';
        return states;
    }
};

template<class T>
T *child(const QWidget &w, const char *name)
{
    return w.findChild<T *>(QLatin1String(name));
}

// Types Text into the dialog's box Name, replacing what it held.
void typeInto(QDialog &d, const char *name, const QString &text)
{
    QWidget *box = child<QComboBox>(d, name)->lineEdit();
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

DialogScript::Step findDialog(const QString &text)
{
    return [text](QDialog &d) {
        typeInto(d, "cbSearchText", text);
        QTest::keyClick(child<QComboBox>(d, "cbSearchText")->lineEdit(), Qt::Key_Return);
    };
}

DialogScript::Step replaceDialog(const QString &search, const QString &replacement)
{
    return [=](QDialog &d) {
        typeInto(d, "cbSearchText", search);
        typeInto(d, "cbReplaceText", replacement);
        QTest::mouseClick(child<QPushButton>(d, "btnOK"), Qt::LeftButton);
    };
}

} // namespace

class TestTForm1Search : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Find and Replace need a macro beyond blanks on the macro page beside the tree; Find
    // Next and Find Previous a search text besides.
    void menuEnabling_data()
    {
        QTest::addColumn<QByteArray>("macro");
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("maximized");
        QTest::addColumn<QString>("searchText");
        QTest::addColumn<QString>("states");
        QTest::newRow("no search yet") << QByteArray("send 'x'") << 1 << false << QString() << "1001";
        QTest::newRow("a search text kept") << QByteArray("send 'x'") << 1 << false << "x" << "1111";
        QTest::newRow("blanks and empty lines only") << QByteArray(" \r\n\t\r\n ") << 1 << false << QString() << "0000";
        QTest::newRow("another page") << QByteArray("send 'x'") << 2 << false << "x" << "0000";
        QTest::newRow("tree maximized") << QByteArray("send 'x'") << 1 << true << "x" << "0000";
    }
    void menuEnabling()
    {
        QFETCH(QByteArray, macro);
        QFETCH(int, page);
        QFETCH(bool, maximized);
        QFETCH(QString, searchText);
        QFETCH(QString, states);
        Window w(macro);
        QVERIFY(w.showMacro());
        if (!searchText.isEmpty()) {
            DialogScript script({findDialog(searchText)});
            w.press(Qt::CTRL | Qt::Key_F);
            QVERIFY(script.done());
        }
        w.prompter.clear();
        w.pages()->setCurrentIndex(page);
        if (maximized)
            QVERIFY(TriggerAsUser(w.action("MnVTMaximize")));
        QCOMPARE(w.searchMenu(), states);
        // A disabled command's key does nothing.
        if (states == QLatin1String("0000")) {
            DialogScript none({});
            QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : &w.form;
            QTest::keyClick(target, Qt::Key_F, Qt::ControlModifier);
            QTest::keyClick(target, Qt::Key_F3);
            QVERIFY(none.shown().isEmpty());
            QVERIFY(w.prompter.boxes().isEmpty());
        }
    }

    // Ctrl+F finds from the caret, F3 the next hit, Shift+F3 back; past the last hit the
    // message, with the caret at the end of what was selected.
    void findNextAndPrevious()
    {
        Window w("wait 'a'\r\nsendln 'b'\r\nwait 'c'");
        QVERIFY(w.showMacro());
        QVERIFY(!w.panel(0)->text().isEmpty());
        DialogScript script({findDialog(QStringLiteral("wait"))});
        w.press(Qt::CTRL | Qt::Key_F);
        QVERIFY(script.done());
        QCOMPARE(script.shown(), QStringList{QStringLiteral("Search Text")});
        QCOMPARE(w.selection(), QStringLiteral("0:0-0:4"));
        // A run clears the status message.
        QCOMPARE(w.panel(0)->text(), QString());
        QVERIFY(w.backInEditor());
        w.press(Qt::Key_F3);
        QCOMPARE(w.selection(), QStringLiteral("2:0-2:4"));
        // Backwards from the caret at the hit's end: the same hit, then the one before.
        w.press(Qt::SHIFT | Qt::Key_F3);
        QCOMPARE(w.selection(), QStringLiteral("2:0-2:4"));
        w.press(Qt::SHIFT | Qt::Key_F3);
        QCOMPARE(w.selection(), QStringLiteral("0:0-0:4"));
        QVERIFY(w.prompter.boxes().isEmpty());
        w.memo1()->setSelection(2, 0, 2, 4);
        w.press(Qt::Key_F3);
        QCOMPARE(w.prompter.texts(), QStringList{NotFound});
        QCOMPARE(w.prompter.boxes().first().kind, Prompter::Kind::Warning);
        QCOMPARE(w.selection(), QStringLiteral("2:4"));
        // Searching moves nothing in the text: the connection holds no edits.
        QVERIFY(!w.modified());
    }

    // A replace run asks before each hit; what it replaced are the connection's unapplied
    // edits even though the focus was in the dialogs meanwhile, and Undo takes them back.
    void replaceMarksTheConnectionModified_data()
    {
        QTest::addColumn<QList<QByteArray>>("answers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("modified");
        QTest::newRow("yes, no, yes to all")
            << QList<QByteArray>{"btnReplace", "btnSkip", "btnReplaceAll"} << "x y x\r\nx" << true;
        QTest::newRow("all skipped") << QList<QByteArray>{"btnSkip", "btnSkip", "btnSkip", "btnSkip"}
                                     << "y y y\r\ny" << false;
        QTest::newRow("cancelled at once") << QList<QByteArray>{"btnCancel"} << "y y y\r\ny" << false;
    }
    void replaceMarksTheConnectionModified()
    {
        QFETCH(QList<QByteArray>, answers);
        QFETCH(QString, text);
        QFETCH(bool, modified);
        Window w("y y y\r\ny");
        QVERIFY(w.showMacro());
        QList<DialogScript::Step> steps{replaceDialog(QStringLiteral("y"), QStringLiteral("x"))};
        for (const QByteArray &answer : answers)
            steps << [answer](QDialog &d) {
                QTest::mouseClick(child<QPushButton>(d, answer.constData()), Qt::LeftButton);
            };
        DialogScript script(steps);
        w.press(Qt::CTRL | Qt::Key_R);
        QVERIFY(script.done());
        QCOMPARE(w.memo1()->text(), text);
        QCOMPARE(w.modified(), modified);
        QCOMPARE(w.action("BtnApply")->isEnabled(), modified);
        // Hits were found, so no "not found", whatever was answered.
        QVERIFY(w.prompter.boxes().isEmpty());
        if (modified) {
            QVERIFY(w.backInEditor());
            QVERIFY(TriggerAsUser(w.action("MnUndo")));
            QVERIFY(TriggerAsUser(w.action("MnUndo")));
            QCOMPARE(w.memo1()->text(), QStringLiteral("y y y\r\ny"));
        }
    }

    // A replacement equal to the search text asks nothing and changes nothing.
    void sameReplacementAsksNothing()
    {
        Window w("abc abc");
        QVERIFY(w.showMacro());
        DialogScript script({replaceDialog(QStringLiteral("abc"), QStringLiteral("abc"))});
        w.press(Qt::CTRL | Qt::Key_R);
        QVERIFY(script.done());
        QCOMPARE(script.shown(), QStringList{QStringLiteral("Replace text")});
        QVERIFY(w.prompter.boxes().isEmpty());
        QVERIFY(!w.modified());
    }
};

QTEST_MAIN(TestTForm1Search)
#include "tst_tform1_search.moc"
