#include "components/SearchSettings.h"
#include "dialogs/widgets/TTextReplaceDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

namespace {

std::unique_ptr<TTextSearchDialog> makeDialog(bool replace)
{
    if (replace)
        return std::make_unique<TTextReplaceDialog>();
    return std::make_unique<TTextSearchDialog>();
}

template<class T>
T *child(const QWidget &w, const char *name)
{
    return w.findChild<T *>(QLatin1String(name));
}

// Shows Dialog, types Text into the focused text box, as a user does, and closes with Key.
void typeAndClose(TTextSearchDialog &dialog, const QString &text, Qt::Key key)
{
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QWidget *focused = QApplication::focusWidget();
    QVERIFY(focused);
    QTest::keyClick(focused, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(focused, Qt::Key_Delete);
    QTest::keyClicks(focused, text);
    QTest::keyClick(focused, key);
}

} // namespace

class TestTTextSearchDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each option is the state of its control, both ways.
    void optionsAreTheControls_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("option");
        QTest::newRow("backwards") << "rbBackward" << 0;
        QTest::newRow("case") << "cbSearchCaseSensitive" << 1;
        QTest::newRow("from caret") << "cbSearchFromCursor" << 2;
        QTest::newRow("selection") << "cbSearchSelectedOnly" << 3;
        QTest::newRow("whole words") << "cbSearchWholeWords" << 4;
        QTest::newRow("regex") << "cbRegularExpression" << 5;
    }
    void optionsAreTheControls()
    {
        QFETCH(QString, control);
        QFETCH(int, option);
        TTextSearchDialog d;
        const std::function<bool()> get[] = {
            [&] { return d.SearchBackwards(); },      [&] { return d.SearchCaseSensitive(); },
            [&] { return d.SearchFromCursor(); },     [&] { return d.SearchInSelection(); },
            [&] { return d.SearchWholeWords(); },     [&] { return d.SearchRegularExpression(); }};
        const std::function<void(bool)> set[] = {
            [&](bool v) { d.setSearchBackwards(v); },  [&](bool v) { d.setSearchCaseSensitive(v); },
            [&](bool v) { d.setSearchFromCursor(v); }, [&](bool v) { d.setSearchInSelection(v); },
            [&](bool v) { d.setSearchWholeWords(v); }, [&](bool v) { d.setSearchRegularExpression(v); }};
        auto *button = d.findChild<QAbstractButton *>(control);
        QVERIFY(button);
        QVERIFY(!get[option]());
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(get[option]());
        set[option](false);
        QVERIFY(!button->isChecked());
        set[option](true);
        QVERIFY(button->isChecked());
        QCOMPARE(child<QRadioButton>(d, "rbForward")->isChecked(), option != 0);
    }

    // The settings go into the dialog and come back unchanged; a history written after the
    // text keeps the text.
    void settingsRoundTrip_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::newRow("search") << false;
        QTest::newRow("replace") << true;
    }
    void settingsRoundTrip()
    {
        QFETCH(bool, replace);
        SearchSettings in;
        in.Backwards = true;
        in.CaseSensitive = true;
        in.FromCursor = false;
        in.InSelection = true;
        in.WholeWords = true;
        in.RegularExpression = true;
        in.SearchText = QStringLiteral("kept");
        in.SearchTextHistory = QStringLiteral("one\r\ntwo");
        in.ReplaceText = QStringLiteral("with");
        in.ReplaceTextHistory = QStringLiteral("r1\r\nr2");
        const auto d = makeDialog(replace);
        d->loadSettings(in, QStringLiteral("shown"));
        QCOMPARE(child<QComboBox>(*d, "cbSearchText")->currentText(), QStringLiteral("shown"));
        SearchSettings out;
        d->saveSettings(out);
        QCOMPARE(out.Backwards, true);
        QCOMPARE(out.CaseSensitive, true);
        QCOMPARE(out.FromCursor, false);
        QCOMPARE(out.InSelection, true);
        QCOMPARE(out.WholeWords, true);
        QCOMPARE(out.RegularExpression, true);
        QCOMPARE(out.SearchText, QStringLiteral("shown"));
        QCOMPARE(out.SearchTextHistory, in.SearchTextHistory);
        QCOMPARE(out.ReplaceText, replace ? in.ReplaceText : QString());
        QCOMPARE(out.ReplaceTextHistory, replace ? in.ReplaceTextHistory : QString());
    }

    void historyReadsBackTen()
    {
        TTextReplaceDialog d;
        QStringList twelve;
        for (int i = 1; i <= 12; ++i)
            twelve << QString::number(i);
        d.setSearchTextHistory(twelve.join(QStringLiteral("\n")));
        d.setReplaceTextHistory(twelve.join(QStringLiteral("\r")));
        const QString ten = twelve.mid(0, 10).join(QStringLiteral("\r\n"));
        QCOMPARE(d.SearchTextHistory(), ten);
        QCOMPARE(d.ReplaceTextHistory(), ten);
        // The list a user opens holds all of them.
        QCOMPARE(child<QComboBox>(d, "cbSearchText")->count(), 12);
    }

    // Closing with OK puts the typed text at the top of the history; Cancel changes nothing.
    void closingUpdatesHistory_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("history");
        QTest::addColumn<int>("result");
        QTest::newRow("new text, Enter") << "new" << int(Qt::Key_Return) << "new\r\none\r\ntwo\r\nfoo" << int(QDialog::Accepted);
        QTest::newRow("third in another case") << "FOO" << int(Qt::Key_Enter) << "FOO\r\none\r\ntwo" << int(QDialog::Accepted);
        QTest::newRow("Escape keeps the history") << "new" << int(Qt::Key_Escape) << "one\r\ntwo\r\nfoo" << int(QDialog::Rejected);
        QTest::newRow("an empty text is not added") << "" << int(Qt::Key_Return) << "one\r\ntwo\r\nfoo" << int(QDialog::Accepted);
    }
    void closingUpdatesHistory()
    {
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QString, history);
        QFETCH(int, result);
        TTextSearchDialog d;
        d.setSearchText(QStringLiteral("old"));
        d.setSearchTextHistory(QStringLiteral("one\r\ntwo\r\nfoo"));
        typeAndClose(d, typed, Qt::Key(key));
        QCOMPARE(d.result(), result);
        QCOMPARE(d.SearchTextHistory(), history);
        if (result == QDialog::Accepted)
            QCOMPARE(d.SearchText(), typed);
    }

    // The replace dialog does the same for both texts, the search text first.
    void replaceDialogUpdatesBothHistories()
    {
        TTextReplaceDialog d;
        d.setSearchTextHistory(QStringLiteral("a\r\nb"));
        d.setReplaceTextHistory(QStringLiteral("x\r\nB"));
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("b"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), child<QComboBox>(d, "cbReplaceText"));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("b"));
        QTest::mouseClick(child<QPushButton>(d, "btnOK"), Qt::LeftButton);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.SearchTextHistory(), QStringLiteral("b\r\na"));
        QCOMPARE(d.ReplaceTextHistory(), QStringLiteral("b\r\nx"));
        QCOMPARE(d.SearchText(), QStringLiteral("b"));
        QCOMPARE(d.ReplaceText(), QStringLiteral("b"));
    }

    // The dialog opens with the search text focused; Cancel comes first in the tab order.
    void focusAndTabOrder()
    {
        TTextSearchDialog d;
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        auto *text = child<QComboBox>(d, "cbSearchText");
        QCOMPARE(QApplication::focusWidget(), text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), child<QPushButton>(d, "btnCancel"));
    }
};

QTEST_MAIN(TestTTextSearchDialog)
#include "tst_ttextsearchdialog.moc"
