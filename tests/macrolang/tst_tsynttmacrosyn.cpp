#include "macrolang/MacroHelpContext.h"
#include "macrolang/MacroWords.h"
#include "macrolang/TSynTTMacroSyn.h"

#include <QTest>

#include <vector>

namespace {

// One letter per token kind, in kind order: Comment, Identifier, Key, Labels, WexmoraVars,
// Null, Space, String, sYmbol, system Variable, Unknown.
const char KindLetters[] = "CIKLWNSQYVU";

QString shown(QByteArrayView bytes)
{
    QString out;
    for (const char c : bytes) {
        const uchar u = uchar(c);
        if (u == '\\')
            out += QStringLiteral("\\\\");
        else if (u < 32 || u >= 127)
            out += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
        else
            out += QLatin1Char(c);
    }
    return out;
}

// The tokens of Line as "text|kind". A token that does not start where the one before it
// ended, or an end of line before the line's end, shows as a "gap" entry.
QStringList tokens(QByteArrayView line)
{
    QStringList out;
    TSynTTMacroSyn scanner;
    qsizetype expected = 0;
    for (scanner.SetLine(line); !scanner.GetEol(); scanner.Next()) {
        if (scanner.GetTokenPos() != expected || scanner.GetTokenLength() <= 0)
            out << QStringLiteral("gap at %1").arg(expected);
        out << shown(scanner.GetToken()) + QLatin1Char('|') + QLatin1Char(KindLetters[int(scanner.GetTokenID())]);
        expected = scanner.GetTokenPos() + scanner.GetTokenLength();
    }
    if (expected != line.size() || scanner.GetTokenPos() != line.size())
        out << QStringLiteral("gap at %1").arg(expected);
    return out;
}

} // namespace

class TestTSynTTMacroSyn : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lineToTokens_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QStringList>("expected");
        auto row = [](const char *name, const QByteArray &line, const QStringList &expected) {
            QTest::newRow(name) << line << expected;
        };
        row("keyword lower", "if", {"if|K"});
        row("keyword upper", "IF", {"IF|K"});
        row("keyword mixed", "If", {"If|K"});
        row("program variable upper", "$NAME$", {"$NAME$|W"});
        row("param digit 1", "param1", {"param1|V"});
        row("param digit 9", "param9", {"param9|V"});
        row("param alone", "param", {"param|I"});
        row("groupmatchstr 0", "groupmatchstr0", {"groupmatchstr0|V"});
        row("assignment without blanks", "x=1", {"x=1|I"});
        row("bracketed comparison", "(a<>b)", {"(a<>b)|I"});
        row("assignment with blanks", "a = 1", {"a|I", " |S", "=|Y", " |S", "1|U"});
        row("number", "123", {"1|U", "2|U", "3|U"});
        row("brackets", ")(", {")(|Y"});
        row("two percent", "%%", {"%%|Y"});
        row("minus one", "-1", {"-1|Y"});
        row("lone dollar", "$", {"$|Y"});
        row("three operators", "<<<", {"<<<|I"});
        row("logical words", "a and b or not c xor d",
            {"a|I", " |S", "and|Y", " |S", "b|I", " |S", "or|Y", " |S", "not|Y", " |S", "c|I", " |S", "xor|Y", " |S", "d|I"});
        row("variable unclosed", "$name", {"$name|I"});
        row("variable in percent", "%name%", {"%name%|W"});
        row("variable in brackets", "(name)", {"(name)|W"});
        row("hash above the table", "zzzzzzzz", {"zzzzzzzz|I"});
        row("word then digits", "str2int", {"str2int|K"});
        row("string to line end", "wait 'abc", {"wait|K", " |S", "'abc|Q"});
        row("strings of both quotes", "wait \"yes/no\" 'a;\"b'",
            {"wait|K", " |S", "\"yes/no\"|Q", " |S", "'a;\"b'|Q"});
        row("label", ":pswd", {":pswd|L"});
        row("label then comment", ":pswd ; x", {":pswd |L", "; x|C"});
        row("colon and blank", ": x", {": |L", "x|I"});
        row("tab inside a label", ":a\tb c", {":a\\x09b |L", "c|I"});
        row("label inside a word", "x:y", {"x|I", ":y|L"});
        row("hash sign", "# x", {"#|U", " |S", "x|I"});
        row("comment after a word", "abc;def", {"abc|I", ";def|C"});
        row("blanks and tabs", "\t  x", {"\\x09  |S", "x|I"});
        row("control characters", "\x01\x1f" "a", {"\\x01\\x1f|S", "a|I"});
        row("empty line", "", {});
        row("comment over a CR", "; x\ry", {"; x\\x0dy|C"});
        row("CR LF inside a line", "a\r\nb", {"a|I", "\\x0d\\x0a|S", "b|I"});
        row("string ends at a CR", "'ab\rc'", {"'ab|Q", "\\x0d|S", "c|I", "'|Q"});
        row("non-ASCII in a string", "'Grüße'", {"'Gr\\xc3\\xbc\\xc3\\x9fe'|Q"});
        row("two-byte character", "ü", {"\\xc3\\xbc|U"});
        row("three-byte character", "€x", {"\\xe2\\x82\\xac|U", "x|I"});
        row("four-byte character", "\xF0\x9F\x98\x80", {"\\xf0\\x9f\\x98\\x80|U"});
        row("lone lead byte at the end", "x\xC3", {"x|I", "\\xc3|U"});
        row("truncated sequence", "\xE2\x82", {"\\xe2|U", "\\x82|U"});
        row("overlong form", "\xC0\x80", {"\\xc0|U", "\\x80|U"});
        row("surrogate", "\xED\xA0\x80", {"\\xed|U", "\\xa0|U", "\\x80|U"});
        row("beyond the last code point", "\xF4\x90\x80\x80", {"\\xf4|U", "\\x90|U", "\\x80|U", "\\x80|U"});
        row("embedded NUL", QByteArray("a\0b", 3), {"a|I", "\\x00|U", "b|I"});
        row("NUL inside a string", QByteArray("'ab\0cd'", 7), {"'ab|Q", "\\x00|U", "cd|I", "'|Q"});
        row("NUL inside a comment", QByteArray("; c\0d", 5), {"; c|C", "\\x00|U", "d|I"});
    }
    void lineToTokens()
    {
        QFETCH(QByteArray, line);
        QFETCH(QStringList, expected);
        QCOMPARE(tokens(line), expected);

        // The editor's styling gives every byte the attribute of its token.
        std::vector<char> styles(size_t(line.size()), char(0x7F));
        TSynTTMacroSyn::StyleLine(line, styles.data());
        TSynTTMacroSyn scanner;
        for (scanner.SetLine(line); !scanner.GetEol(); scanner.Next())
            for (qsizetype i = scanner.GetTokenPos(); i < scanner.GetTokenPos() + scanner.GetTokenLength(); ++i)
                QCOMPARE(int(styles[size_t(i)]), int(*TSynTTMacroSyn::AttributeOf(scanner.GetTokenID())));
    }

    void listedWordsClassifyToTheirKind()
    {
        for (const MacroWords::Word &w : MacroWords::listed()) {
            for (const QByteArray &spelling : {QByteArray(w.text), QByteArray(w.text).toUpper()}) {
                const QChar kind = QLatin1Char(KindLetters[int(w.kind)]);
                QCOMPARE(tokens(spelling), QStringList{QString::fromLatin1(spelling) + QLatin1Char('|') + kind});
            }
        }
    }

    void helpWordsAreKeyWords()
    {
        for (const MacroHelpWord &w : MacroHelpWords())
            QCOMPARE(tokens(w.word), QStringList{QString::fromLatin1(w.word) + QStringLiteral("|K")});
    }

    // A listed word with more characters after it is no longer that word.
    void listedWordsOneLongerAreIdentifiers()
    {
        for (const MacroWords::Word &w : MacroWords::listed()) {
            const QByteArray longer = QByteArray(w.text) + "q";
            QCOMPARE(tokens(longer), QStringList{QString::fromLatin1(longer) + QStringLiteral("|I")});
        }
    }

    void megabyteWordRunIsOneIdentifier()
    {
        const QByteArray run(1 << 20, 'z');
        TSynTTMacroSyn scanner;
        scanner.SetLine(run);
        QCOMPARE(scanner.GetTokenID(), TtkTokenKind::tkIdentifier);
        QCOMPARE(scanner.GetTokenLength(), run.size());
        scanner.Next();
        QVERIFY(scanner.GetEol());
    }
};

QTEST_GUILESS_MAIN(TestTSynTTMacroSyn)
#include "tst_tsynttmacrosyn.moc"
