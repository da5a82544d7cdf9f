#include "macrolang/MacroWordAt.h"

#include <QTest>

class TestMacroWordAt : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wordAt_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("index");
        QTest::addColumn<QByteArray>("word");
        QTest::newRow("program variable") << QByteArray("sendln $user$") << 9 << QByteArray("$user$");
        QTest::newRow("before the first character") << QByteArray("sendln $user$") << 7 << QByteArray("$user$");
        QTest::newRow("after the last character") << QByteArray("sendln $user$") << 13 << QByteArray("$user$");
        QTest::newRow("assignment") << QByteArray("if x=1 then") << 4 << QByteArray("x=1");
        QTest::newRow("call with brackets") << QByteArray("strlen(name)") << 3 << QByteArray("strlen(name)");
        QTest::newRow("between blanks") << QByteArray("a  b") << 2 << QByteArray();
        QTest::newRow("quote ends a word") << QByteArray("wait'x'") << 2 << QByteArray("wait");
        QTest::newRow("comma ends a word") << QByteArray("a,bc") << 3 << QByteArray("bc");
        QTest::newRow("label colon is no word character") << QByteArray(":pswd") << 1 << QByteArray("pswd");
        QTest::newRow("non-ASCII is no word character") << QByteArray("ab\xC3\xBC" "cd") << 1 << QByteArray("ab");
        QTest::newRow("empty line") << QByteArray() << 0 << QByteArray();
        QTest::newRow("index past the line") << QByteArray("abc") << 4 << QByteArray();
        QTest::newRow("negative index") << QByteArray("abc") << -1 << QByteArray();
    }
    void wordAt()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, index);
        QFETCH(QByteArray, word);
        QCOMPARE(MacroWordAt(line, index), word);
    }
};

QTEST_GUILESS_MAIN(TestMacroWordAt)
#include "tst_macrowordat.moc"
