#include "components/SearchSession.h"
#include "MacroWordChars.h"
#include "StringListDocument.h"
#include "support/ScriptedPrompter.h"

#include <QTest>

namespace {

const QString NotFound = QStringLiteral("Search string not found");

} // namespace

class TestSearchSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void menuState_data()
    {
        QTest::addColumn<bool>("macroPage");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("treeMaximized");
        QTest::addColumn<QString>("searchText");
        QTest::addColumn<bool>("find");
        QTest::addColumn<bool>("next");

        QTest::newRow("all set") << true << "a" << false << "a" << true << true;
        QTest::newRow("no search text yet") << true << "a" << false << "" << true << false;
        QTest::newRow("only blanks and empty lines") << true << "  \n\t\n \r" << false << "a" << false << false;
        QTest::newRow("one character after blank lines") << true << "\n\n  x" << false << "a" << true << true;
        QTest::newRow("another page") << false << "a" << false << "a" << false << false;
        QTest::newRow("tree maximized") << true << "a" << true << "a" << false << false;
    }
    void menuState()
    {
        QFETCH(bool, macroPage);
        QFETCH(QString, text);
        QFETCH(bool, treeMaximized);
        QFETCH(QString, searchText);
        QFETCH(bool, find);
        QFETCH(bool, next);
        ScriptedPrompter prompter;
        SearchSession session(prompter, IsMacroWordChar);
        session.settings().SearchText = searchText;
        const StringListDocument doc(text);
        const SearchSession::MenuState s = session.menuState(macroPage, doc, treeMaximized);
        QCOMPARE(s.find, find);
        QCOMPARE(s.replace, find);
        QCOMPARE(s.findNext, next);
        QCOMPARE(s.findPrevious, next);
    }

    void dialogSearchText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("selection within a line") << "a [bc| d" << "bc";
        QTest::newRow("selection made backwards") << "a |bc[ d" << "bc";
        QTest::newRow("selection over two lines") << "a [bc\nd| e" << "last";
        QTest::newRow("nothing selected") << "a b|c" << "last";
    }
    void dialogSearchText()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        ScriptedPrompter prompter;
        SearchSession session(prompter, IsMacroWordChar);
        session.settings().SearchText = QStringLiteral("last");
        QCOMPARE(session.dialogSearchText(StringListDocument(text)), expected);
    }

    // What a run says, and where it leaves the selection.
    void runMessages_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("search");
        QTest::addColumn<bool>("regex");
        QTest::addColumn<bool>("replace");
        QTest::addColumn<bool>("backwards");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("message");

        QTest::newRow("found: no message") << "|x abc" << "abc" << false << false << false << "x [abc|" << "";
        QTest::newRow("not found forwards: caret at the selection's end") << "[ab| abc" << "zz" << false << false << false << "ab| abc" << NotFound;
        QTest::newRow("not found backwards: caret at the selection's start") << "[ab| abc" << "zz" << false << false << true << "|ab abc" << NotFound;
        QTest::newRow("every hit skipped is no 'not found'") << "|abc abc" << "abc" << false << true << false << "abc [abc|" << "";
        QTest::newRow("invalid regex") << "[ab| (" << "(" << true << false << false << "[ab| (" << "Invalid regular expression: missing closing parenthesis at position 2";
    }
    void runMessages()
    {
        QFETCH(QString, text);
        QFETCH(QString, search);
        QFETCH(bool, regex);
        QFETCH(bool, replace);
        QFETCH(bool, backwards);
        QFETCH(QString, expected);
        QFETCH(QString, message);
        ScriptedPrompter prompter;
        SearchSession session(prompter, IsMacroWordChar);
        session.settings().SearchText = search;
        session.settings().ReplaceText = QStringLiteral("x");
        session.settings().RegularExpression = regex;
        session.settings().Backwards = backwards;
        StringListDocument doc(text);
        session.dialogAccepted(doc, replace, [](auto &&...) { return raSkip; });
        QCOMPARE(doc.marked(), expected);
        QCOMPARE(prompter.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        for (const ScriptedPrompter::Box &box : prompter.boxes())
            QCOMPARE(box.kind, Prompter::Kind::Warning);
    }

    // The first run after a dialog that does not start at the caret covers the whole text; every
    // later one starts at the caret.
    void continueFromCursor()
    {
        ScriptedPrompter prompter;
        SearchSession session(prompter, IsMacroWordChar);
        int runs = 0;
        session.setRunStarting([&runs] { ++runs; });
        StringListDocument doc(QStringLiteral("abc abc a|bc"));
        session.settings().SearchText = QStringLiteral("abc");
        session.settings().FromCursor = false;
        session.dialogAccepted(doc, false, {});
        QCOMPARE(doc.marked(), QStringLiteral("[abc| abc abc"));
        session.DoSearchReplace(doc, false, false);
        QCOMPARE(doc.marked(), QStringLiteral("abc [abc| abc"));
        session.DoSearchReplace(doc, false, false);
        session.DoSearchReplace(doc, false, false);
        QCOMPARE(doc.marked(), QStringLiteral("abc abc abc|"));
        QCOMPARE(prompter.texts(), QStringList{NotFound});
        QCOMPARE(runs, 4);
    }

    // A dialog closed with OK and no search text runs nothing, yet sets where the next run
    // starts.
    void emptySearchTextRunsNothing()
    {
        ScriptedPrompter prompter;
        SearchSession session(prompter, IsMacroWordChar);
        int runs = 0;
        session.setRunStarting([&runs] { ++runs; });
        StringListDocument doc(QStringLiteral("abc a|bc"));
        session.settings().FromCursor = false;
        const SearchOutcome outcome = session.dialogAccepted(doc, true, {});
        QCOMPARE(outcome.found, 0);
        QCOMPARE(runs, 0);
        QVERIFY(prompter.boxes().isEmpty());
        QCOMPARE(doc.marked(), QStringLiteral("abc a|bc"));
        session.settings().SearchText = QStringLiteral("abc");
        session.DoSearchReplace(doc, false, false);
        QCOMPARE(doc.marked(), QStringLiteral("[abc| abc"));
    }

    // The settings reach the run: case, whole words, selection only, regex.
    void settingsReachTheRun_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("search");
        QTest::addColumn<bool>("caseSensitive");
        QTest::addColumn<bool>("wholeWords");
        QTest::addColumn<bool>("inSelection");
        QTest::addColumn<bool>("regex");
        QTest::addColumn<QString>("expected");

        QTest::newRow("case") << "|User user" << "user" << true << false << false << false << "User [user|";
        QTest::newRow("whole words") << "|$user$ user" << "user" << false << true << false << false << "$user$ [user|";
        QTest::newRow("selection only") << "ab [ab ab| ab" << "ab" << false << false << true << false << "ab [ab| ab ab";
        QTest::newRow("regex") << "|a1 b22" << "b\\d+" << false << false << false << true << "a1 [b22|";
    }
    void settingsReachTheRun()
    {
        QFETCH(QString, text);
        QFETCH(QString, search);
        QFETCH(bool, caseSensitive);
        QFETCH(bool, wholeWords);
        QFETCH(bool, inSelection);
        QFETCH(bool, regex);
        QFETCH(QString, expected);
        ScriptedPrompter prompter;
        SearchSession session(prompter, IsMacroWordChar);
        SearchSettings &s = session.settings();
        s.SearchText = search;
        s.CaseSensitive = caseSensitive;
        s.WholeWords = wholeWords;
        s.InSelection = inSelection;
        s.RegularExpression = regex;
        StringListDocument doc(text);
        session.dialogAccepted(doc, false, {});
        QCOMPARE(doc.marked(), expected);
    }
};

QTEST_GUILESS_MAIN(TestSearchSession)
#include "tst_searchsession.moc"
