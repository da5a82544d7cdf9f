#include "macrolang/MacroHelpContext.h"

#include <QTest>

class TestMacroHelpContext : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void contextOfWord_data()
    {
        QTest::addColumn<QByteArray>("word");
        QTest::addColumn<int>("context");
        QTest::newRow("command mixed case") << QByteArray("SendLn") << 10290;
        QTest::newRow("command upper case") << QByteArray("SENDLN") << 10290;
        QTest::newRow("command lower case") << QByteArray("sendln") << 10290;
        QTest::newRow("first command") << QByteArray("bplusrecv") << 10010;
        QTest::newRow("between the steps") << QByteArray("waitregex") << 10395;
        QTest::newRow("after it") << QByteArray("xmodemrecv") << 10400;
        QTest::newRow("last command") << QByteArray("yesnobox") << 11010;
        QTest::newRow("keyword without topic") << QByteArray("if") << 0;
        QTest::newRow("block end without topic") << QByteArray("endwhile") << 10540;
        QTest::newRow("command without topic") << QByteArray("findnext") << 0;
        QTest::newRow("system variable") << QByteArray("groupmatchstr7") << 20000;
        QTest::newRow("timeout") << QByteArray("timeout") << 20000;
        QTest::newRow("result upper case") << QByteArray("RESULT") << 20000;
        QTest::newRow("param digit not listed") << QByteArray("param1") << 0;
        QTest::newRow("user variable upper case") << QByteArray("$USER$") << 9010;
        QTest::newRow("user data before directories") << QByteArray("$logdir$$user$") << 9010;
        QTest::newRow("connection") << QByteArray("$connection$") << 9020;
        QTest::newRow("log file name") << QByteArray("$logfilename$") << 9020;
        QTest::newRow("variable inside a word") << QByteArray("x$ttdir$y") << 9030;
        QTest::newRow("command with arguments") << QByteArray("strlen(user)") << 0;
        QTest::newRow("command as part of a word") << QByteArray("sendlnx") << 0;
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("non-ASCII capital") << QByteArray("SËNDLN") << 0;
    }
    void contextOfWord()
    {
        QFETCH(QByteArray, word);
        QFETCH(int, context);
        QCOMPARE(MacroHelpContext(word), context);
    }

    // Ctrl+F1: TeraTerm's macro help for its words, the program's help for the rest.
    void topicOfWord_data()
    {
        QTest::addColumn<QByteArray>("word");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("context");
        QTest::newRow("command") << QByteArray("sendln") << "macro.hlp" << 10290;
        QTest::newRow("system variable") << QByteArray("inputstr") << "macro.hlp" << 20000;
        QTest::newRow("program variable") << QByteArray("$user$") << "Wexmora.hlp" << 9010;
        QTest::newRow("no topic of its own") << QByteArray("while") << "Wexmora.hlp" << 6050;
    }
    void topicOfWord()
    {
        QFETCH(QByteArray, word);
        QFETCH(QString, file);
        QFETCH(int, context);
        QCOMPARE(MacroHelpTopicFor(word), std::optional<MacroHelpTopic>(MacroHelpTopic{file, context}));
    }

    void emptyWordLeavesHelpAlone()
    {
        QCOMPARE(MacroHelpTopicFor(QByteArrayView()), std::nullopt);
    }

    // The table is read in order and each topic has one word.
    void tableRisesWithoutRepeats()
    {
        QSet<QByteArray> seen;
        qint32 previous = 0;
        for (const MacroHelpWord &w : MacroHelpWords()) {
            QVERIFY2(w.context > previous, w.word);
            QVERIFY2(!seen.contains(w.word), w.word);
            seen.insert(w.word);
            previous = w.context;
        }
    }
};

QTEST_GUILESS_MAIN(TestMacroHelpContext)
#include "tst_macrohelpcontext.moc"
