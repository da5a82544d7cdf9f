#include "mainwindow/core/SmartTabs.h"

#include <QStringList>
#include <QTest>

Q_DECLARE_METATYPE(std::optional<int>)

namespace {

LineTextFunction linesOf(const QStringList &lines)
{
    return [lines](int line) { return lines.value(line); };
}

} // namespace

// The caret stands on the last line of Lines at Column; TABs are 4 wide.
class TestSmartTabs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void smartTabColumn_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("column");
        QTest::addColumn<std::optional<int>>("target");
        QTest::newRow("start of line: the word after the first") << QStringList{"if x  then", ""} << 0 << std::optional(3);
        QTest::newRow("inside a word: the next word") << QStringList{"if x  then", "ab"} << 4 << std::optional(6);
        QTest::newRow("in blanks: the word after them") << QStringList{"if x  then", "abcde"} << 5 << std::optional(6);
        QTest::newRow("on the last word: none after it") << QStringList{"if x  then", "abcdefg"} << 7 << std::optional<int>();
        QTest::newRow("past the line above: the line before it")
            << QStringList{"send 'a' 'b'", "x", "abc"} << 3 << std::optional(5);
        QTest::newRow("no line above reaches: an ordinary TAB")
            << QStringList{"ab", "abc"} << 3 << std::optional<int>();
        QTest::newRow("first line: an ordinary TAB") << QStringList{"abc"} << 0 << std::optional<int>();
        QTest::newRow("a TAB above counts to its stop") << QStringList{"if\tx", ""} << 0 << std::optional(4);
    }
    void smartTabColumn()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, column);
        QFETCH(std::optional<int>, target);
        QCOMPARE(SmartTabColumn(int(lines.size()) - 1, column, linesOf(lines), 4), target);
    }

    void smartBackspaceColumn_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("column");
        QTest::addColumn<std::optional<int>>("target");
        QTest::newRow("to the indent of a line above")
            << QStringList{"if a", "  if b", "    x", "    "} << 4 << std::optional(2);
        QTest::newRow("inside the indent too") << QStringList{"if a", "  x", "    y"} << 3 << std::optional(2);
        QTest::newRow("blank lines are passed over")
            << QStringList{"  a", "", "      ", "    b"} << 4 << std::optional(2);
        QTest::newRow("nothing indented less: all the way") << QStringList{"    a", "    b"} << 4 << std::optional(0);
        QTest::newRow("text before the caret: an ordinary Backspace")
            << QStringList{"a", "  bc"} << 3 << std::optional<int>();
        QTest::newRow("at the start: an ordinary Backspace") << QStringList{"a", "b"} << 0 << std::optional<int>();
        QTest::newRow("a TAB indent counts to its stop") << QStringList{"  a", "\tb"} << 4 << std::optional(2);
    }
    void smartBackspaceColumn()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, column);
        QFETCH(std::optional<int>, target);
        QCOMPARE(SmartBackspaceColumn(int(lines.size()) - 1, column, linesOf(lines), 4), target);
    }

    void expandTabs_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expanded");
        QTest::newRow("none") << "a b" << "a b";
        QTest::newRow("to the next stop") << "a\tb" << "a   b";
        QTest::newRow("on a stop: a whole width") << "abcd\tb" << "abcd    b";
        QTest::newRow("two") << "\t\tx" << "        x";
    }
    void expandTabs()
    {
        QFETCH(QString, text);
        QFETCH(QString, expanded);
        QCOMPARE(ExpandTabs(text, 4), expanded);
    }
};

QTEST_GUILESS_MAIN(TestSmartTabs)
#include "tst_smarttabs.moc"
