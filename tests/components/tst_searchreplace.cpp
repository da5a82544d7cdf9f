#include "components/SearchReplace.h"
#include "MacroWordChars.h"
#include "StringListDocument.h"

#include <QTest>

Q_DECLARE_METATYPE(SearchOptions)

namespace {

SearchRequest request(const QString &search, const QString &replace, SearchOptions options, bool regex)
{
    SearchRequest r;
    r.searchText = search;
    r.replaceText = replace;
    r.options = options;
    r.engine = regex ? SearchPattern::Engine::RegularExpression : SearchPattern::Engine::PlainText;
    r.isWordChar = IsMacroWordChar;
    return r;
}

constexpr SearchOptions ReplaceAll = ssoReplace | ssoReplaceAll;

} // namespace

class TestSearchReplace : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A run without prompting: where it looks, what it selects or replaces.
    void run_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("search");
        QTest::addColumn<QString>("replace");
        QTest::addColumn<SearchOptions>("options");
        QTest::addColumn<bool>("regex");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("found");

        const SearchOptions none;
        // Range and direction.
        QTest::newRow("forward: a hit starting at the caret") << "x |abc abc" << "abc" << "" << none << false << "x [abc| abc" << 1;
        QTest::newRow("forward: hits before the caret are passed") << "abc a|bc abc" << "abc" << "" << none << false << "abc abc [abc|" << 1;
        QTest::newRow("forward: next line") << "ab|c\nxx\n  abc" << "abc" << "" << none << false << "abc\nxx\n  [abc|" << 1;
        QTest::newRow("backward: a hit ending at the caret") << "abc abc| abc" << "abc" << "" << SearchOptions(ssoBackwards) << false << "abc |abc[ abc" << 1;
        QTest::newRow("backward: previous line") << "abc\nx|yz abc" << "abc" << "" << SearchOptions(ssoBackwards) << false << "|abc[\nxyz abc" << 1;
        QTest::newRow("no wrap-around forward") << "abc a|bc" << "abc" << "" << none << false << "abc a|bc" << 0;
        QTest::newRow("no wrap-around backward") << "ab|c abc" << "abc" << "" << SearchOptions(ssoBackwards) << false << "ab|c abc" << 0;
        QTest::newRow("entire scope forward ignores the caret") << "abc ab|c" << "abc" << "" << SearchOptions(ssoEntireScope) << false << "[abc| abc" << 1;
        QTest::newRow("entire scope backward starts at the end") << "ab|c abc x" << "abc" << "" << (ssoEntireScope | ssoBackwards) << false << "abc |abc[ x" << 1;
        QTest::newRow("a hit never spans a line break") << "|ab\ncd" << "b\nc" << "" << none << false << "|ab\ncd" << 0;
        QTest::newRow("selection only: first hit inside") << "abc [abc abc| abc" << "abc" << "" << SearchOptions(ssoSelectedOnly) << false << "abc [abc| abc abc" << 1;
        QTest::newRow("selection only backward: last hit inside") << "abc [abc abc| abc" << "abc" << "" << (ssoSelectedOnly | ssoBackwards) << false << "abc abc |abc[ abc" << 1;
        QTest::newRow("selection only: a hit partly outside is none") << "ab[c abc ab|c" << "abc" << "" << SearchOptions(ssoSelectedOnly) << false << "abc [abc| abc" << 1;
        QTest::newRow("selection only without a selection: from the caret") << "abc a|bc abc" << "abc" << "" << SearchOptions(ssoSelectedOnly) << false << "abc abc [abc|" << 1;
        // Case and whole words.
        QTest::newRow("case ignored by default") << "|x ABC" << "abc" << "" << none << false << "x [ABC|" << 1;
        QTest::newRow("match case") << "|x ABC abc" << "abc" << "" << SearchOptions(ssoMatchCase) << false << "x ABC [abc|" << 1;
        QTest::newRow("whole words: $user$ is one word") << "|$user$ a user," << "user" << "" << SearchOptions(ssoWholeWord) << false << "$user$ a [user|," << 1;
        QTest::newRow("whole words: the whole $user$") << "|users $user$" << "$user$" << "" << SearchOptions(ssoWholeWord) << false << "users [$user$|" << 1;
        QTest::newRow("whole words: not inside a longer word") << "|users user_1" << "user" << "" << SearchOptions(ssoWholeWord) << false << "|users user_1" << 0;
        QTest::newRow("whole words after a rejected overlap") << "|aaa aa" << "aa" << "" << SearchOptions(ssoWholeWord) << false << "aaa [aa|" << 1;
        // Regular expressions.
        QTest::newRow("regex ignores case by default") << "|x FOO12" << "fo+\\d" << "" << none << true << "x [FOO1|2" << 1;
        QTest::newRow("regex: $ anchors at the line's end") << "a|b\nb" << "b$" << "" << none << true << "a[b|\nb" << 1;
        QTest::newRow("regex: ^ anchors at a line's start") << "a|b\nb" << "^b" << "" << none << true << "ab\n[b|" << 1;
        QTest::newRow("regex honours whole words") << "|$user$ user" << "u\\w+" << "" << SearchOptions(ssoWholeWord) << true << "$user$ [user|" << 1;
        QTest::newRow("regex sees the line before the caret") << "ab|c bc" << "(?<=a)bc" << "" << none << true << "ab|c bc" << 0;
        // Empty matches: a search from the caret always moves on.
        QTest::newRow("empty match at the caret is passed") << "|ab\ncd" << "^" << "" << none << true << "ab\n|cd" << 1;
        QTest::newRow("empty match backward at the caret is passed") << "ab\n|cd" << "^" << "" << SearchOptions(ssoBackwards) << true << "|ab\ncd" << 1;
        QTest::newRow("empty match at the start of the whole scope") << "ab\nc|d" << "^" << "" << SearchOptions(ssoEntireScope) << true << "|ab\ncd" << 1;
        QTest::newRow("a non-empty match beats an empty one") << "|bxx" << "x*" << "" << none << true << "b[xx|" << 1;
        // Replacing.
        QTest::newRow("replace all from the caret") << "a a| a a" << "a" << "b" << ReplaceAll << false << "a a b b|" << 2;
        QTest::newRow("replace only the first") << "|a a" << "a" << "b" << SearchOptions(ssoReplace) << false << "b| a" << 1;
        QTest::newRow("longer text moves the later hits") << "|a a a" << "a" << "xyz" << ReplaceAll << false << "xyz xyz xyz|" << 3;
        QTest::newRow("shorter text moves the later hits") << "|abc abc abc" << "abc" << "x" << ReplaceAll << false << "x x x|" << 3;
        QTest::newRow("backward replace all") << "a a a|" << "a" << "xyz" << (ReplaceAll | ssoBackwards) << false << "xyz| xyz xyz" << 3;
        QTest::newRow("replace all in the selection") << "a [a a| a" << "a" << "bb" << (ReplaceAll | ssoSelectedOnly) << false << "a bb bb| a" << 2;
        QTest::newRow("replace all in a selection over lines") << "a [a\na a| a" << "a" << "bb" << (ReplaceAll | ssoSelectedOnly) << false << "a bb\nbb bb| a" << 3;
        QTest::newRow("replacement with line breaks") << "|a,b,c\nd,e" << "," << "\r\n" << ReplaceAll << false << "a\nb\nc\nd\n|e" << 3;
        QTest::newRow("line breaks in the selection's last line") << "[a,b,c|,d" << "," << "\n" << (ReplaceAll | ssoSelectedOnly) << false << "a\nb\n|c,d" << 2;
        QTest::newRow("regex groups") << "|a=1 b=22" << "(\\w+)=(\\d+)" << "$2=$1" << ReplaceAll << true << "1=a 22=b|" << 2;
        QTest::newRow("regex whole match and braces") << "|ab" << "(a)(b)" << "<$&,${2}${1},$0>" << ReplaceAll << true << "<ab,ba,ab>|" << 1;
        QTest::newRow("regex empty matches replace once each") << "|abc" << "x*" << "-" << ReplaceAll << true << "-a-b-c-|" << 4;
        QTest::newRow("regex ^ prefixes every line") << "|ab\n\ncd" << "^" << "> " << (ReplaceAll | ssoEntireScope) << true << "> ab\n> \n> |cd" << 3;
    }
    void run()
    {
        QFETCH(QString, text);
        QFETCH(QString, search);
        QFETCH(QString, replace);
        QFETCH(SearchOptions, options);
        QFETCH(bool, regex);
        QFETCH(QString, expected);
        QFETCH(int, found);

        StringListDocument doc(text);
        const SearchOutcome outcome = SearchReplace(doc, request(search, replace, options, regex));
        QCOMPARE(doc.marked(), expected);
        QCOMPARE(outcome.found, found);
        QCOMPARE(outcome.replaced, options.testFlag(ssoReplace) ? found : 0);
        QVERIFY(outcome.patternError.isEmpty());
    }

    void invalidRegexSearchesNothing_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::newRow("open group") << "a(b";
        QTest::newRow("open class") << "[ab";
        QTest::newRow("nothing to repeat") << "*a";
        QTest::newRow("unknown modifier") << "(?g)a";
    }
    void invalidRegexSearchesNothing()
    {
        QFETCH(QString, pattern);
        StringListDocument doc(QStringLiteral("|a(b [ab *a"));
        const SearchOutcome outcome = SearchReplace(doc, request(pattern, "x", ReplaceAll, true));
        QVERIFY(!outcome.patternError.isEmpty());
        QCOMPARE(outcome.found, 0);
        QCOMPARE(doc.marked(), QStringLiteral("|a(b [ab *a"));
        QVERIFY(doc.undoSteps().isEmpty());
    }

    // The question before each replacement: its answers, where it is asked, what undoes as one.
    void prompt_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("search");
        QTest::addColumn<QString>("replace");
        QTest::addColumn<bool>("backwards");
        QTest::addColumn<QString>("answers");   // R replace, S skip, A replace all, C cancel
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("askedAt");   // line:column of each question
        QTest::addColumn<QList<int>>("undoSteps");
        QTest::addColumn<int>("found");
        QTest::addColumn<bool>("cancelled");

        QTest::newRow("skip, replace, replace all") << "|a a a a" << "a" << "xyz" << false << "SRA"
                                                    << "a xyz xyz xyz|" << "0:0 0:2 0:6" << QList<int>{1, 2} << 4 << false;
        QTest::newRow("replace all on the last line's hits") << "|a\na a" << "a" << "bb" << false << "RA"
                                                              << "bb\nbb bb|" << "0:0 1:0" << QList<int>{1, 2} << 3 << false;
        QTest::newRow("cancel stops at once") << "|a a a" << "a" << "b" << false << "RC"
                                               << "b [a| a" << "0:0 0:2" << QList<int>{1} << 2 << true;
        QTest::newRow("every hit skipped") << "|a a" << "a" << "b" << false << "SS"
                                            << "a [a|" << "0:0 0:2" << QList<int>{} << 2 << false;
        QTest::newRow("backward, replace then skip") << "a a|" << "a" << "bcd" << true << "RS"
                                                      << "|a[ bcd" << "0:2 0:0" << QList<int>{1} << 2 << false;
        QTest::newRow("after a line break the rest moves down") << "|a;b;c" << ";" << "\n" << false << "RR"
                                                                 << "a\nb\n|c" << "0:1 1:1" << QList<int>{1, 1} << 2 << false;
    }
    void prompt()
    {
        QFETCH(QString, text);
        QFETCH(QString, search);
        QFETCH(QString, replace);
        QFETCH(bool, backwards);
        QFETCH(QString, answers);
        QFETCH(QString, expected);
        QFETCH(QString, askedAt);
        QFETCH(QList<int>, undoSteps);
        QFETCH(int, found);
        QFETCH(bool, cancelled);

        StringListDocument doc(text);
        QStringList asked;
        bool hitSelected = true;
        const ReplacePrompt ask = [&](const QString &s, const QString &r, int line, int column) {
            // The hit is selected while the question is asked about it.
            hitSelected = hitSelected && s == search && r == replace && doc.selectionStart() == TextPosition{line, column}
                          && doc.selectionEnd() == TextPosition{line, column + int(s.size())};
            asked << QStringLiteral("%1:%2").arg(line).arg(column);
            switch (answers.at(asked.size() - 1).toLatin1()) {
            case 'R': return raReplace;
            case 'S': return raSkip;
            case 'A': return raReplaceAll;
            default: return raCancel;
            }
        };
        SearchOptions options = ssoReplace | ssoReplaceAll | ssoPrompt;
        if (backwards)
            options |= ssoBackwards;
        const SearchOutcome outcome = SearchReplace(doc, request(search, replace, options, false), ask);
        QCOMPARE(doc.marked(), expected);
        QCOMPARE(asked.join(u' '), askedAt);
        QVERIFY(hitSelected);
        QCOMPARE(doc.undoSteps(), undoSteps);
        QCOMPARE(outcome.found, found);
        QCOMPARE(outcome.cancelled, cancelled);
    }

    // Replace all without a question is one undo step.
    void replaceAllIsOneUndoStep()
    {
        StringListDocument doc(QStringLiteral("|a a\na"));
        const SearchOutcome outcome = SearchReplace(doc, request("a", "b", ReplaceAll, false));
        QCOMPARE(outcome.replaced, 3);
        QCOMPARE(doc.undoSteps(), QList<int>{3});
    }
};

QTEST_GUILESS_MAIN(TestSearchReplace)
#include "tst_searchreplace.moc"
