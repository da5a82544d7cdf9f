#include "runner/MacroAssembler.h"

#include "runner/MacroVariables.h"
#include "runner/RunTarget.h"
#include "table/UrlCodec.h"

#include <QTest>

namespace {

rVTNodeData connection(const QByteArray &name, const QByteArray &macro)
{
    rVTNodeData d;
    d.Name = name;
    d.Macro = UrlEncode(macro, true);
    return d;
}

LinePassValues fixedValues()
{
    LinePassValues v;
    v.userName = "jDoe";
    v.userUpper = "JDOE";
    v.userLower = "jdoe";
    v.user.name = QStringLiteral("Jane Doe");
    v.user.email = QStringLiteral("jane@example.org");
    v.user.phone = QStringLiteral("12-34, P5");
    v.user.mobile = QStringLiteral("+1 (555) 0100");
    v.user.pager = QStringLiteral("n/a");
    v.logsFolder = "/tt/Logs/";
    v.ttDir = "/tt/";
    v.winDir = "C:\\Windows\\";
    v.logBaseName = "Srv_20261210090405.log";
    return v;
}

} // namespace

class TestMacroAssembler : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void splitsLines_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArrayList>("lines");
        QTest::newRow("empty") << QByteArray() << QByteArrayList{};
        QTest::newRow("one line") << QByteArray("a") << QByteArrayList{"a"};
        QTest::newRow("closing break makes no line") << QByteArray("a\r\n") << QByteArrayList{"a"};
        QTest::newRow("CRLF, LF and CR") << QByteArray("a\r\nb\nc\rd") << QByteArrayList{"a", "b", "c", "d"};
        QTest::newRow("empty lines kept") << QByteArray("a\r\n\r\nb\r\n\r\n") << QByteArrayList{"a", "", "b", ""};
        QTest::newRow("only a break") << QByteArray("\r\n") << QByteArrayList{""};
        QTest::newRow("CR CR LF") << QByteArray("a\r\r\nb") << QByteArrayList{"a", "", "b"};
        QTest::newRow("8-bit and NUL bytes kept") << QByteArray("\xe9\0x", 3) << QByteArrayList{QByteArray("\xe9\0x", 3)};
    }

    void splitsLines()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArrayList, lines);
        QCOMPARE(SplitMacroLines(text), lines);
        QCOMPARE(SplitMacroLines(JoinMacroLines(lines)), lines);
    }

    void buildsRunToCursorText_data()
    {
        QTest::addColumn<QByteArray>("editor");
        QTest::addColumn<int>("caretLine");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("caret on line 3") << QByteArray("l1\nl2\nl3\nl4") << 3 << QByteArray("l1\r\nl2\r\nl3\r\n");
        QTest::newRow("caret on line 1") << QByteArray("l1\r\nl2") << 1 << QByteArray("l1\r\n");
        QTest::newRow("caret on the last line") << QByteArray("l1\nl2") << 2 << QByteArray("l1\r\nl2\r\n");
        QTest::newRow("caret after a closing break") << QByteArray("l1\n") << 2 << QByteArray("l1\r\n\r\n");
        QTest::newRow("empty editor") << QByteArray() << 1 << QByteArray("\r\n");
        QTest::newRow("caret beyond the text") << QByteArray("l1") << 5 << QByteArray("l1\r\n");
    }

    void buildsRunToCursorText()
    {
        QFETCH(QByteArray, editor);
        QFETCH(int, caretLine);
        QFETCH(QByteArray, expected);
        QCOMPARE(BuildRunToCursorText(editor, caretLine), expected);
    }

    void replacesVariablesLineByLine_data()
    {
        QTest::addColumn<QByteArrayList>("lines");
        QTest::addColumn<QByteArrayList>("expected");
        QTest::addColumn<bool>("logIt");

        using L = QByteArrayList;
        QTest::newRow("$USER$ twice: first only") << L{"send '$USER$ $USER$'"} << L{"send 'JDOE $USER$'"} << false;
        QTest::newRow("$user$ and $USER$: $USER$ only") << L{"a $user$ b $USER$"} << L{"a $user$ b JDOE"} << false;
        QTest::newRow("$user$ lower case") << L{"$user$"} << L{"jdoe"} << false;
        QTest::newRow("$User$ as given") << L{"x $User$"} << L{"x jDoe"} << false;
        QTest::newRow("$User$ line 1, $USER$ line 5")
            << L{"$User$", "a", "b", "c", "$USER$"} << L{"jDoe", "a", "b", "c", "JDOE"} << false;
        QTest::newRow("$USER$ other case stays") << L{"$UsEr$"} << L{"$UsEr$"} << false;
        QTest::newRow("$name$ any case, indentation lost") << L{"  \t$NaMe$ here  "} << L{"Jane Doe here"} << false;
        QTest::newRow("indented line without variables kept") << L{"   keep  "} << L{"   keep  "} << false;
        QTest::newRow("$name$ first occurrence only") << L{"$name$ $NAME$"} << L{"Jane Doe $NAME$"} << false;
        QTest::newRow("$email$") << L{"$Email$"} << L{"jane@example.org"} << false;
        QTest::newRow("$phone$ filtered") << L{"dial $phone$"} << L{"dial 1234,P5"} << false;
        QTest::newRow("$mobile$ filtered") << L{"$MOBILE$"} << L{"+15550100"} << false;
        QTest::newRow("$pager$ filtered empty stays") << L{"  call $pager$"} << L{"  call $pager$"} << false;
        QTest::newRow("$logdir$") << L{"$LogDir$x.log"} << L{"/tt/Logs/x.log"} << false;
        QTest::newRow("$ttdir$") << L{"$ttdir$ttermpro.exe"} << L{"/tt/ttermpro.exe"} << false;
        QTest::newRow("$windir$") << L{"$WINDIR$notepad.exe"} << L{"C:\\Windows\\notepad.exe"} << false;
        QTest::newRow("$logfilename$ exact") << L{"'$logfilename$'"} << L{"'Srv_20261210090405.log'"} << false;
        QTest::newRow("$LOGFILENAME$ exact") << L{"'$LOGFILENAME$'"} << L{"'/tt/Logs/Srv_20261210090405.log'"} << false;
        QTest::newRow("$LogFileName$ stays") << L{"$LogFileName$"} << L{"$LogFileName$"} << false;
        QTest::newRow("$CONNECTION$ is not the line pass's") << L{"$CONNECTION$ $parent$"} << L{"$CONNECTION$ $parent$"} << false;
        QTest::newRow("every variable on one line")
            << L{"$USER$ $name$ $email$ $phone$ $mobile$ $LOGDIR$ $TTDIR$ $WINDIR$ $logfilename$ $LOGFILENAME$"}
            << L{"JDOE Jane Doe jane@example.org 1234,P5 +15550100 /tt/Logs/ /tt/ C:\\Windows\\ "
                 "Srv_20261210090405.log /tt/Logs/Srv_20261210090405.log"}
            << false;
        QTest::newRow("$LOGIT$ after blanks removes the line")
            << L{"a", "   $LOGIT$ and more", "b"} << L{"a", "b"} << true;
        QTest::newRow("$logit$ any case") << L{"$LogIt$"} << L{} << true;
        QTest::newRow("$LOGIT$ after a comment stays") << L{"; $LOGIT$"} << L{"; $LOGIT$"} << false;
        QTest::newRow("$LOGIT$ after a variable stays") << L{"$USER$ $LOGIT$"} << L{"JDOE $LOGIT$"} << false;
        QTest::newRow("$LOGIT$ on several lines") << L{"$LOGIT$", "x", "$logit$ 2"} << L{"x"} << true;
        QTest::newRow("a line that becomes $LOGIT$") << L{"$pager$$LOGIT$", "$email$ $LOGIT$"} << L{"$pager$$LOGIT$", "jane@example.org $LOGIT$"} << false;
    }

    void replacesVariablesLineByLine()
    {
        QFETCH(QByteArrayList, lines);
        QFETCH(QByteArrayList, expected);
        QFETCH(bool, logIt);
        QCOMPARE(RunLinePass(lines, fixedValues()), logIt);
        QCOMPARE(lines, expected);
    }

    void leavesEmptyUserFieldsInTheMacro()
    {
        LinePassValues v = fixedValues();
        v.user = UserData{QStringLiteral("  "), QString(), QStringLiteral("n/a"), QStringLiteral("-"), QString()};
        QByteArrayList lines{"$name$ $email$ $phone$ $mobile$ $pager$"};
        QVERIFY(!RunLinePass(lines, v));
        QCOMPARE(lines, QByteArrayList{"$name$ $email$ $phone$ $mobile$ $pager$"});
    }

    void missingLogsFolderGivesTheBareSeparator()
    {
        LinePassValues v = fixedValues();
        v.logsFolder = "/";
        QByteArrayList lines{"$LOGDIR$", "$LOGFILENAME$"};
        RunLinePass(lines, v);
        QCOMPARE(lines, (QByteArrayList{"/", "/Srv_20261210090405.log"}));
        QCOMPARE(RunLogOpenLine(v.logsFolder, v.logBaseName), QByteArray("logopen '/Srv_20261210090405.log' 0 0"));
    }

    void assemblesBranches_data()
    {
        QTest::addColumn<bool>("withAncestors");
        QTest::addColumn<bool>("emptyMiddle");
        QTest::addColumn<QByteArrayList>("lines");
        QTest::addColumn<QByteArray>("chain");

        QTest::newRow("branch run")
            << true << false
            // B's macro ends with a line break, so an empty line stands between B and C.
            << QByteArrayList{"connect 'Alpha one' |", "b Beta of Alpha one", "", "c Gamma three / Beta", "$Connection$ $Parent$"}
            << QByteArray("Alpha one_Beta two_Gamma three_");
        QTest::newRow("plain run")
            << false << false
            << QByteArrayList{"c Gamma three / Beta", "$Connection$ $Parent$"}
            << QByteArray("Gamma three_");
        QTest::newRow("ancestor without name or macro")
            << true << true
            << QByteArrayList{"connect 'Alpha one' |", "", "c Gamma three / ", "$Connection$ $Parent$"}
            << QByteArray("Alpha one_Gamma three_");
    }

    void assemblesBranches()
    {
        QFETCH(bool, withAncestors);
        QFETCH(bool, emptyMiddle);
        QFETCH(QByteArrayList, lines);
        QFETCH(QByteArray, chain);
        RunTarget target;
        target.chain = {connection("Alpha one", "connect '$CONNECTION$' $parent$|$PARENT$"),
                        emptyMiddle ? connection("", "") : connection("Beta two", "b $connection$ of $PARENT$\r\n"),
                        connection("Gamma three", "unused: the source is given")};
        const AssembledText text = BuildMacroText(
            target, "c $CONNECTION$ / $parent$\r\n$Connection$ $Parent$", withAncestors);
        QCOMPARE(text.lines, lines);
        QCOMPARE(text.logNameChain, chain);
    }

    void connectionBelowTheTopNodeHasNoParent()
    {
        RunTarget target;
        target.chain = {connection("Web server 1", "")};
        const AssembledText text = BuildMacroText(target, "[$connection$] [$CONNECTION$] [$PARENT$] [$parent$]", true);
        QCOMPARE(text.lines, QByteArrayList{"[Web] [Web server 1] [] []"});
        QCOMPARE(text.logNameChain, QByteArray("Web server 1_"));
    }

    void nameHoldingItsTokenEndsTheReplacement()
    {
        QCOMPARE(ReplaceConnectionToken("$CONNECTION$ $connection$", "$CONNECTION$ and $connection$",
                                        "$connection$", "$CONNECTION$"),
                 QByteArray("$CONNECTION$ $connection$ and $CONNECTION$ $connection$"));
        RunTarget target;
        target.chain = {connection("$PARENT$ $parent$", "x"), connection("$CONNECTION$", "y")};
        const AssembledText text = BuildMacroText(target, "$CONNECTION$/$PARENT$", true);
        // Tokens a name brought in are taken by the ancestor's own replacement, which ends too.
        QCOMPARE(text.lines, (QByteArrayList{"x", " / "}));
    }
};

QTEST_GUILESS_MAIN(TestMacroAssembler)
#include "tst_macroassembler.moc"
