#include "support/NodeRecords.h"
#include "runner/MacroVariables.h"

#include "platform/AppPaths.h"
#include "platform/SystemInfo.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramFolder.h"
#include "support/WinePrefixLayout.h"
#include "table/ConnectionTree.h"

#include <QFileInfo>
#include <QTest>

namespace {

const QDateTime kNow(QDate(2026, 12, 10), QTime(9, 4, 5));

} // namespace

class TestMacroVariables : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void makesSafeLogFileNames_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("dot and colon") << QByteArray("srv.2:test") << QByteArray("srv%462%58test");
        QTest::newRow("blank") << QByteArray("Web server 1_") << QByteArray("Web_server_1_");
        QTest::newRow("kept as is") << QByteArray("A-z_09") << QByteArray("A-z_09");
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("quotes and slashes") << QByteArray("'\"/\\") << QByteArray("%39%34%47%92");
        QTest::newRow("percent") << QByteArray("%") << QByteArray("%37");
        QTest::newRow("8-bit byte") << QByteArray("\xe9") << QByteArray("%233");
        QTest::newRow("UTF-8 bytes") << QByteArray("caf\xc3\xa9") << QByteArray("caf%195%169");
        QTest::newRow("control byte") << QByteArray("\t") << QByteArray("%9");
    }

    void makesSafeLogFileNames()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, expected);
        QCOMPARE(SafeLogFileName(text), expected);
    }

    void filtersDialChars_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("dashes and blanks") << QByteArray("12-34, P5") << QByteArray("1234,P5");
        QTest::newRow("nothing left") << QByteArray("n/a") << QByteArray();
        QTest::newRow("every kept character") << QByteArray("0123456789*#+,Pp") << QByteArray("0123456789*#+,Pp");
        QTest::newRow("other letters") << QByteArray("x(555)Q") << QByteArray("555");
        QTest::newRow("8-bit bytes") << QByteArray("1\xb2" "3") << QByteArray("13");
    }

    void filtersDialChars()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, expected);
        QCOMPARE(FilterDialChars(text), expected);
    }

    void namesLogFiles()
    {
        QCOMPARE(LogBaseName("srv.2:test_", kNow), QByteArray("srv%462%58test_20261210090405.log"));
        QCOMPARE(LogBaseName("", QDateTime(QDate(2026, 1, 2), QTime(23, 0, 9))), QByteArray("20260102230009.log"));
        QCOMPARE(FirstWord("Web server 1"), QByteArray("Web"));
        QCOMPARE(FirstWord("Web"), QByteArray("Web"));
        QCOMPARE(FirstWord(" lead"), QByteArray());
    }

    void givesTipValues_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("focus");  // "web", "servers" (below the top node) or "" for none
        QTest::addColumn<QByteArray>("expected");  // <user>, <USER>, <lower>, <dir> stand for the system's values

        QTest::newRow("0 outside") << 0 << "web" << QByteArray();
        QTest::newRow("19 outside") << 19 << "web" << QByteArray();
        QTest::newRow("1 $USER$") << 1 << "web" << QByteArray("<USER>");
        QTest::newRow("2 $User$") << 2 << "web" << QByteArray("<user>");
        QTest::newRow("3 $CONNECTION$") << 3 << "web" << QByteArray("Web server 1");
        QTest::newRow("3 without focus") << 3 << "" << QByteArray();
        QTest::newRow("4 $user$") << 4 << "web" << QByteArray("<lower>");
        QTest::newRow("5 $name$") << 5 << "" << QByteArray("Jane Doe");
        QTest::newRow("6 $email$") << 6 << "" << QByteArray("jane@example.org");
        QTest::newRow("7 $phone$") << 7 << "" << QByteArray("1234,P5");
        QTest::newRow("8 $mobile$") << 8 << "" << QByteArray("+15550100");
        QTest::newRow("9 $pager$") << 9 << "" << QByteArray();
        QTest::newRow("10 $logdir$") << 10 << "" << QByteArray("<dir>/Logs/");
        QTest::newRow("11 $logit$") << 11 << "" << QByteArray("Opens log file");
        QTest::newRow("12 $connection$") << 12 << "web" << QByteArray("Web");
        QTest::newRow("12 without focus") << 12 << "" << QByteArray();
        QTest::newRow("13 $ttdir$") << 13 << "" << QByteArray("<dir>/");
        QTest::newRow("15 $LOGFILENAME$ full path") << 15 << "web" << QByteArray("<dir>/Logs/Servers_east_Web_server_1_20261210090405.log");
        QTest::newRow("15 without focus") << 15 << "" << QByteArray();
        QTest::newRow("16 $logfilename$ full path") << 16 << "web" << QByteArray("Servers_east_Web_server_1_20261210090405.log");
        QTest::newRow("16 below the top node") << 16 << "servers" << QByteArray("Servers_east_20261210090405.log");
        QTest::newRow("17 $PARENT$") << 17 << "web" << QByteArray("Servers east");
        QTest::newRow("17 parent is the top node") << 17 << "servers" << QByteArray();
        QTest::newRow("18 $parent$") << 18 << "web" << QByteArray("Servers");
        QTest::newRow("18 without focus") << 18 << "" << QByteArray();
    }

    void givesTipValues()
    {
        QFETCH(int, index);
        QFETCH(QString, focus);
        QFETCH(QByteArray, expected);
        TempProgramFolder folder;
        ConnectionTree tree;
        ConnectionNode *root = tree.addChild(nullptr, NamedRecord(""));
        ConnectionNode *servers = tree.addChild(root, NamedRecord("Servers east"));
        ConnectionNode *web = tree.addChild(servers, NamedRecord("Web server 1"));
        const ConnectionNode *focused = focus == QLatin1String("web") ? web
            : focus == QLatin1String("servers") ? servers : nullptr;
        const UserData user{QStringLiteral("Jane Doe"), QStringLiteral("jane@example.org"),
                            QStringLiteral("12-34, P5"), QStringLiteral("+1 (555) 0100"), QStringLiteral("n/a")};
        ScriptedPrompter prompter;
        const QString name = SystemInfo::userName();
        expected.replace("<USER>", name.toUpper().toUtf8())
            .replace("<user>", name.toUtf8())
            .replace("<lower>", name.toLower().toUtf8())
            .replace("<dir>", QFile::encodeName(folder.path()));
        QCOMPARE(GetMacroVariableValue(index, focused, user, prompter, [] { return kNow; }), expected);
        QVERIFY(prompter.boxes().isEmpty());
        // The tip of the log folder makes it, as a run would.
        QCOMPARE(QFileInfo(folder.filePath(QStringLiteral("Logs"))).isDir(), expected.contains("/Logs/"));
    }

    void tipOfTheWindowsFolder()
    {
        const QByteArray saved = qgetenv("WINDIR");
        qputenv("WINDIR", "C:\\Windows");
        QCOMPARE(GetWindowsDirWithSlash(), QByteArray("C:\\Windows\\"));
        qputenv("WINDIR", "/opt/win/");
        QCOMPARE(GetWindowsDirWithSlash(), QByteArray("/opt/win/"));
        qunsetenv("WINDIR");
        QCOMPARE(GetWindowsDirWithSlash(), QByteArray("/"));
        ScriptedPrompter prompter;
        QCOMPARE(GetMacroVariableValue(14, nullptr, UserData{}, prompter, [] { return kNow; }), QByteArray("/"));
        if (!saved.isNull())
            qputenv("WINDIR", saved);
    }

    void tipNamesFoldersAsAWindowsTeraTermSeesThem_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("10 $logdir$") << 10 << QByteArray("C:\\tt\\Logs\\");
        QTest::newRow("13 $ttdir$") << 13 << QByteArray("C:\\tt\\");
        QTest::newRow("14 $windir$") << 14 << QByteArray("C:\\windows\\");
        QTest::newRow("15 $LOGFILENAME$") << 15 << QByteArray("C:\\tt\\Logs\\Web_20261210090405.log");
    }

    void tipNamesFoldersAsAWindowsTeraTermSeesThem()
    {
        QFETCH(int, index);
        QFETCH(QByteArray, expected);
        TempProgramFolder folder;
        QVERIFY(MakeWinePrefixLayout(folder.path()));
        AppPaths::setProgramDir(folder.filePath(QStringLiteral("drive_c/tt")));
        QVERIFY(WriteWindowsExecutable(AppFilePath(QStringLiteral("ttermpro.exe"))));
        ConnectionTree tree;
        ConnectionNode *root = tree.addChild(nullptr, NamedRecord(""));
        const ConnectionNode *web = tree.addChild(root, NamedRecord("Web"));
        ScriptedPrompter prompter;
        QCOMPARE(GetMacroVariableValue(index, web, UserData{}, prompter, [] { return kNow; }), expected);
        QVERIFY(prompter.boxes().isEmpty());
    }

    void namesTheVariables()
    {
        QCOMPARE(QByteArray(MacroVariableNames[1]), QByteArray("$USER$"));
        QCOMPARE(QByteArray(MacroVariableNames[11]), QByteArray("$logit$"));
        QCOMPARE(QByteArray(MacroVariableNames[18]), QByteArray("$parent$"));
    }

    // The word a Ctrl+click lands on, as the value tip looks for a variable in it.
    void findsTheFirstVariableOfAWord_data()
    {
        QTest::addColumn<QByteArray>("word");
        QTest::addColumn<int>("index");
        QTest::newRow("upper-case user") << QByteArray("$USER$") << 1;
        QTest::newRow("lower-case user") << QByteArray("$user$") << 4;
        QTest::newRow("parent's first word") << QByteArray("$parent$") << 18;
        QTest::newRow("inside a longer word") << QByteArray("x$ttdir$macro.ttl") << 13;
        QTest::newRow("two names: the table's order") << QByteArray("$name$$User$") << 2;
        QTest::newRow("CONNECTION before connection") << QByteArray("$connection$$CONNECTION$") << 3;
        QTest::newRow("case counts") << QByteArray("$NAME$") << 0;
        QTest::newRow("no dollar signs") << QByteArray("user") << 0;
        QTest::newRow("empty") << QByteArray() << 0;
    }
    void findsTheFirstVariableOfAWord()
    {
        QFETCH(QByteArray, word);
        QFETCH(int, index);
        QCOMPARE(FirstMacroVariableIn(word), index);
    }
};

QTEST_GUILESS_MAIN(TestMacroVariables)
#include "tst_macrovariables.moc"
