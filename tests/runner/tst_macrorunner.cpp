#include "runner/MacroRunner.h"

#include "platform/AppPaths.h"
#include "platform/ShellOpen.h"
#include "runner/RunTarget.h"
#include "support/FakeWineLoader.h"
#include "support/FileBytes.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramFolder.h"
#include "support/WinePrefixLayout.h"
#include "table/ConnectionTree.h"
#include "table/UrlCodec.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

namespace {

const QByteArray kTeraTermIni(
    "; Tera Term configuration\r\n"
    "[Tera Term]\r\n"
    "VTFont=Terminal,0,-12,255\r\n"
    "VTColor=1,2,3,4,5,6\r\n"
    "VTBoldColor=7,8,9,10,11,12\r\n"
    "VTBlinkColor=13,14,15,16,17,18\r\n"
    "URLColor=19,20,21,22,23,24\r\n"
    "\r\n"
    "[BG]\r\n"
    "BGEnable=on\r\n");

const QByteArray kGreenOnBlack("0:255:0:0:0:0:255:255:0:0:0:0:0:255:255:0:0:0:0:255:255:0:0:0");

struct Start
{
    QString program;
    QStringList arguments;
    QString workingDirectory;
    QMap<QString, QString> environment;
};

rVTNodeData connection(const QByteArray &name, const QByteArray &macro)
{
    rVTNodeData d;
    d.Name = name;
    d.Macro = UrlEncode(macro, true);
    d.Colors = kGreenOnBlack;
    return d;
}

// A program folder with TeraTerm in it, a tree A > B > C below the top node and a runner
// whose starts are recorded instead of made.
struct Fixture
{
    TempProgramFolder folder;
    ScriptedPrompter prompter;
    MacroRunner runner{prompter};
    ConnectionTree tree;
    ConnectionNode *root = nullptr;
    ConnectionNode *a = nullptr;
    ConnectionNode *b = nullptr;
    ConnectionNode *c = nullptr;
    QList<Start> starts;
    bool startSucceeds = true;
    int clockReads = 0;

    Fixture()
    {
        folder.write(QStringLiteral("ttermpro.exe"), "#!/bin/sh\nexit 0\n");
        QFile::setPermissions(folder.filePath(QStringLiteral("ttermpro.exe")),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        folder.write(QStringLiteral("teraterm.ini"), kTeraTermIni);
        root = tree.addChild(nullptr);
        a = tree.addChild(root, connection("A", "a $CONNECTION$"));
        b = tree.addChild(a, connection("B", "b $CONNECTION$ $PARENT$"));
        c = tree.addChild(b, connection("C", "c $CONNECTION$ $parent$"));
        ShellOpen::setStarterForTesting([this](const StartCommand &command) {
            starts.append({command.program, command.arguments, command.workingDirectory, command.environment});
            return startSucceeds;
        });
        // Each reading is one second later: a run that read twice would name two files.
        runner.setClock([this] {
            return QDateTime(QDate(2026, 12, 10), QTime(9, 4, 5)).addSecs(clockReads++);
        });
    }
    ~Fixture() { ShellOpen::setStarterForTesting({}); }

    QString temp(const QString &name) const { return folder.filePath(QStringLiteral("Temp_TTL/") + name); }
    QByteArray tempFile(const QString &name) const { return folder.read(QStringLiteral("Temp_TTL/") + name); }

    bool run(ConnectionNode *node, const RunContext &context = {}, bool whole = true, bool ancestors = false)
    {
        return runner.RunMacro(whole, ancestors, QString(), RunTarget::fromNode(node, nullptr), context);
    }
};

// The fixture's TeraTerm as a Windows program in a Wine prefix inside its folder, and a
// stand-in for Wine's loader (the fixture only records what would be started).
struct WineFixture : Fixture
{
    FakeWineLoader wine{folder.filePath(QStringLiteral("bin"))};
    QString prefix = folder.filePath(QStringLiteral("prefix"));
    QString programDir = prefix + QString::fromUtf8("/drive_c/Program Files (x86)/tera térm");
    bool ready = wine.isReady() && MakeWinePrefixLayout(prefix)
        && WriteWindowsExecutable(programDir + QStringLiteral("/ttermpro.exe"))
        && WriteFileBytes(programDir + QStringLiteral("/teraterm.ini"), kTeraTermIni);

    WineFixture() { AppPaths::setProgramDir(programDir); }
};

QFileDevice::Permissions groupAndOthers()
{
    return QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
        | QFileDevice::WriteOther | QFileDevice::ExeOther;
}

} // namespace

class TestMacroRunner : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsTeraTermWithBothFiles()
    {
        Fixture f;
        QVERIFY(f.run(f.c));
        QVERIFY(f.prompter.boxes().isEmpty());
        QCOMPARE(f.starts.size(), 1);
        QCOMPARE(f.starts[0].program, f.folder.path() + QStringLiteral("/ttermpro.exe"));
        QCOMPARE(f.starts[0].arguments,
                 (QStringList{QStringLiteral("/F=") + f.temp(QStringLiteral("~TTiniC1.ini")),
                              QStringLiteral("/M=") + f.temp(QStringLiteral("~macroC1.ttl"))}));
        QCOMPARE(f.starts[0].workingDirectory, QString());
        QCOMPARE(f.tempFile(QStringLiteral("~macroC1.ttl")), QByteArray("c C B\r\n"));
        QVERIFY(QFileInfo(f.folder.filePath(QStringLiteral("Logs"))).isDir());
    }

    void parameterTextOfSlot3()
    {
        QCOMPARE(TeraTermParameterText(SlotIniFile(QStringLiteral("/tt/Temp_TTL"), 3),
                                       SlotMacroFile(QStringLiteral("/tt/Temp_TTL"), 3)),
                 QStringLiteral(" /F=\"/tt/Temp_TTL/~TTiniC3.ini\"  /M=\"/tt/Temp_TTL/~macroC3.ttl\""));
        QCOMPARE(TeraTermArguments(QStringLiteral("/t t/i.ini"), QStringLiteral("/t t/m.ttl")),
                 (QStringList{QStringLiteral("/F=/t t/i.ini"), QStringLiteral("/M=/t t/m.ttl")}));
    }

    void cyclesThroughTheSlots()
    {
        Fixture f;
        QStringList macroFiles;
        for (int i = 1; i <= 129; ++i) {
            QVERIFY(f.run(f.a));
            macroFiles << f.starts.last().arguments[1];
            if (i == 1) {
                // An export between two runs takes no slot.
                QVERIFY(f.runner.RunMacro(true, true, f.folder.filePath(QStringLiteral("out.ttl")),
                                          RunTarget::fromNode(f.a, nullptr), RunContext{}));
                QCOMPARE(f.starts.size(), 1);
                QCOMPARE(f.runner.runSlots().next(), 2);
            }
        }
        QCOMPARE(macroFiles[0], QStringLiteral("/M=") + f.temp(QStringLiteral("~macroC1.ttl")));
        QCOMPARE(macroFiles[1], QStringLiteral("/M=") + f.temp(QStringLiteral("~macroC2.ttl")));
        QCOMPARE(macroFiles[127], QStringLiteral("/M=") + f.temp(QStringLiteral("~macroC128.ttl")));
        QCOMPARE(macroFiles[128], QStringLiteral("/M=") + f.temp(QStringLiteral("~macroC1.ttl")));
        QVERIFY(QFileInfo::exists(f.temp(QStringLiteral("~TTiniC128.ini"))));
        QVERIFY(!QFileInfo::exists(f.temp(QStringLiteral("~macroC129.ttl"))));
        QCOMPARE(f.runner.runSlots().next(), 2);
    }

    void takesTheMacroFromTheEditorOnlyForTheCurrentNode_data()
    {
        QTest::addColumn<bool>("isCurrent");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<bool>("whole");
        QTest::addColumn<QByteArray>("macro");
        QTest::newRow("current with edits") << true << true << true << QByteArray("edited C\r\nline 2\r\n");
        QTest::newRow("current without edits") << true << false << true << QByteArray("c C B\r\n");
        QTest::newRow("another node while the current has edits") << false << true << true << QByteArray("c C B\r\n");
        QTest::newRow("run to cursor with edits") << true << true << false << QByteArray("to cursor C\r\n");
        QTest::newRow("run to cursor without edits") << false << false << false << QByteArray("to cursor C\r\n");
    }

    void takesTheMacroFromTheEditorOnlyForTheCurrentNode()
    {
        QFETCH(bool, isCurrent);
        QFETCH(bool, modified);
        QFETCH(bool, whole);
        QFETCH(QByteArray, macro);
        Fixture f;
        RunContext context;
        context.editorText = "edited $CONNECTION$\nline 2";
        context.runToCursorText = "to cursor $CONNECTION$\r\n";
        context.currentNodeModified = modified;
        // Logging asked for, but a run to the cursor never adds the closing line.
        context.logSession = !whole;
        RunTarget target = RunTarget::fromNode(f.c, isCurrent ? f.c : f.b);
        QVERIFY(f.runner.RunMacro(whole, false, QString(), target, context));
        QCOMPARE(f.tempFile(QStringLiteral("~macroC1.ttl")), macro);
    }

    void runsABranchWithOneLogFileName()
    {
        Fixture f;
        f.c->data.Macro = UrlEncode("c $logfilename$\r\n$LOGIT$\r\nlog '$LOGFILENAME$'", true);
        QVERIFY(f.run(f.c, RunContext{}, true, true));
        const QByteArray logs = QFile::encodeName(f.folder.path()) + "/Logs/";
        QCOMPARE(f.tempFile(QStringLiteral("~macroC1.ttl")),
                 "a A\r\nb B A\r\nc A_B_C_20261210090405.log\r\nlog '" + logs + "A_B_C_20261210090405.log'\r\n"
                 "logopen '" + logs + "A_B_C_20261210090405.log' 0 0\r\n");
        QCOMPARE(f.clockReads, 1);
    }

    void closesWithLogOpenWhenTheBoxIsChecked()
    {
        Fixture f;
        RunContext context;
        context.logSession = true;
        QVERIFY(f.run(f.c, context));
        QCOMPARE(f.tempFile(QStringLiteral("~macroC1.ttl")),
                 "c C B\r\nlogopen '" + QFile::encodeName(f.folder.path()) + "/Logs/C_20261210090405.log' 0 0\r\n");
    }

    void writesTheIniCopy_data()
    {
        QTest::addColumn<bool>("noColors");
        QTest::addColumn<bool>("font");
        QTest::addColumn<int>("colorSource");  // 0 current node's stored set, 1 the page's set, 2 no current node
        QTest::addColumn<QByteArray>("expected");

        const QByteArray green("VTColor=0,255,0,0,0,0\r\nVTBoldColor=255,255,0,0,0,0\r\n"
                               "VTBlinkColor=0,255,255,0,0,0\r\nURLColor=0,255,255,0,0,0\r\n");
        const QByteArray own("VTColor=1,2,3,4,5,6\r\nVTBoldColor=7,8,9,10,11,12\r\n"
                             "VTBlinkColor=13,14,15,16,17,18\r\nURLColor=19,20,21,22,23,24\r\n");
        const QByteArray page("VTColor=9,9,9,9,9,9\r\nVTBoldColor=9,9,9,9,9,9\r\n"
                              "VTBlinkColor=9,9,9,9,9,9\r\nURLColor=9,9,9,9,9,9\r\n");
        const auto ini = [](const QByteArray &font, const QByteArray &colors) {
            return "; Tera Term configuration\r\n[Tera Term]\r\nVTFont=" + font + "\r\n" + colors
                + "\r\n[BG]\r\nBGEnable=off\r\n";
        };
        QTest::newRow("stored colours") << false << false << 0 << ini("Terminal,0,-12,255", green);
        QTest::newRow("page's colours while edited") << false << false << 1 << ini("Terminal,0,-12,255", page);
        QTest::newRow("TeraTerm's colours without a current node") << false << false << 2 << ini("Terminal,0,-12,255", own);
        QTest::newRow("colours off, background still off") << true << false << 0 << ini("Terminal,0,-12,255", own);
        QTest::newRow("editor font") << false << true << 0 << ini("Courier New,0,-13,255", green);
    }

    void writesTheIniCopy()
    {
        QFETCH(bool, noColors);
        QFETCH(bool, font);
        QFETCH(int, colorSource);
        QFETCH(QByteArray, expected);
        Fixture f;
        RunContext context;
        context.options.noColors = noColors;
        context.options.useEditorFont = font;
        context.options.fontName = "Courier New";
        context.options.fontHeight = -13;
        context.colors.bytes.fill(9);
        if (colorSource != 2)
            context.currentNodeColors = f.c->data.Colors;
        context.currentNodeModified = colorSource == 1;
        QVERIFY(f.run(f.b, context));
        QCOMPARE(f.tempFile(QStringLiteral("~TTiniC1.ini")), expected);
        QCOMPARE(f.folder.read(QStringLiteral("teraterm.ini")), kTeraTermIni);
    }

    void slotFilesAreTheOwnersOnly()
    {
        Fixture f;
        QVERIFY(f.folder.write(QStringLiteral("Temp_TTL/~macroC1.ttl"), "old"));
        QVERIFY(QFile::setPermissions(f.temp(QStringLiteral("~macroC1.ttl")),
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther));
        QVERIFY(f.run(f.c));
        for (const char *name : {"~macroC1.ttl", "~TTiniC1.ini"}) {
            const QFileInfo info(f.temp(QLatin1String(name)));
            QVERIFY(info.isFile());
            QCOMPARE(info.permissions() & groupAndOthers(), QFileDevice::Permissions());
        }
    }

    void exportsWithoutASlot()
    {
        Fixture f;
        const QString out = f.folder.filePath(QStringLiteral("export.ttl"));
        QVERIFY(f.folder.write(QStringLiteral("export.ttl"), "previous"));
        RunContext context;
        context.logSession = true;
        QVERIFY(f.runner.RunMacro(true, true, out, RunTarget::fromNode(f.c, nullptr), context));
        QCOMPARE(f.folder.read(QStringLiteral("export.ttl")), QByteArray("a A\r\nb B A\r\nc C B\r\nlogopen 'A_B_C_.log' 0 0\r\n"));
        QVERIFY(f.starts.isEmpty());
        QCOMPARE(f.runner.runSlots().next(), 1);
        QVERIFY(QDir(f.folder.filePath(QStringLiteral("Temp_TTL"))).isEmpty());
        QVERIFY(f.prompter.boxes().isEmpty());
    }

    void exportNeedsTeraTermButNotTempTtl()
    {
        Fixture f;
        QVERIFY(QFile::remove(f.folder.filePath(QStringLiteral("ttermpro.exe"))));
        const QString out = f.folder.filePath(QStringLiteral("export.ttl"));
        QVERIFY(!f.runner.RunMacro(true, true, out, RunTarget::fromNode(f.c, nullptr), RunContext{}));
        QVERIFY(!QFileInfo::exists(out));
        QCOMPARE(f.prompter.texts(), QStringList{QStringLiteral("TTERMPRO.EXE not found.\rPlease move Vurozezi.exe into TeraTerm directory.")});

        Fixture g;
        QVERIFY(g.folder.write(QStringLiteral("Temp_TTL"), "in the way"));
        const QString out2 = g.folder.filePath(QStringLiteral("export.ttl"));
        QVERIFY(g.runner.RunMacro(true, false, out2, RunTarget::fromNode(g.c, nullptr), RunContext{}));
        QCOMPARE(g.folder.read(QStringLiteral("export.ttl")), QByteArray("c C B\r\n"));
        QCOMPARE(g.prompter.boxes().size(), 1);  // the warning about Temp_TTL only
    }

    void exportToAnUnwritablePlaceSaysSo()
    {
        Fixture f;
        const QString out = f.folder.filePath(QStringLiteral("no/such/folder/export.ttl"));
        QVERIFY(!f.runner.RunMacro(true, true, out, RunTarget::fromNode(f.c, nullptr), RunContext{}));
        QCOMPARE(f.prompter.boxes().size(), 1);
        QCOMPARE(f.prompter.boxes()[0].kind, Prompter::Kind::Error);
        QVERIFY(f.prompter.boxes()[0].text.startsWith(QStringLiteral("Cannot create file \"") + out + QStringLiteral("\".")));
    }

    void stopsWithoutTeraTerm()
    {
        Fixture f;
        QVERIFY(QFile::remove(f.folder.filePath(QStringLiteral("ttermpro.exe"))));
        QVERIFY(!f.run(f.c));
        QCOMPARE(f.prompter.texts(), QStringList{QStringLiteral("TTERMPRO.EXE not found.\rPlease move Vurozezi.exe into TeraTerm directory.")});
        QVERIFY(!QFileInfo::exists(f.folder.filePath(QStringLiteral("Temp_TTL"))));
        QVERIFY(f.starts.isEmpty());
        QCOMPARE(f.runner.runSlots().next(), 1);
    }

    void stopsWithoutTempTtl()
    {
        Fixture f;
        QVERIFY(f.folder.write(QStringLiteral("Temp_TTL"), "in the way"));
        QVERIFY(!f.run(f.c));
        QCOMPARE(f.prompter.texts(),
                 (QStringList{QStringLiteral("Cannot create directory") + f.folder.path() + QStringLiteral("/Temp_TTL"),
                              QStringLiteral("Failed to create Temp_TTL direcory. Cannot execute the macro.")}));
        QCOMPARE(f.prompter.boxes()[0].kind, Prompter::Kind::Warning);
        QCOMPARE(f.prompter.boxes()[1].kind, Prompter::Kind::Error);
        QVERIFY(f.starts.isEmpty());
        QCOMPARE(f.runner.runSlots().next(), 1);
    }

    void goesOnWithoutLogs()
    {
        Fixture f;
        QVERIFY(f.folder.write(QStringLiteral("Logs"), "in the way"));
        RunContext context;
        context.logSession = true;
        QVERIFY(f.run(f.c, context));
        QCOMPARE(f.prompter.texts(), QStringList{QStringLiteral("Cannot create directory") + f.folder.path() + QStringLiteral("/Logs")});
        QCOMPARE(f.tempFile(QStringLiteral("~macroC1.ttl")), QByteArray("c C B\r\nlogopen '/C_20261210090405.log' 0 0\r\n"));
        QCOMPARE(f.starts.size(), 1);
    }

    void stopsWithoutTeraTermsIni()
    {
        Fixture f;
        QVERIFY(QFile::remove(f.folder.filePath(QStringLiteral("teraterm.ini"))));
        QVERIFY(!f.run(f.c));
        QCOMPARE(f.prompter.boxes().size(), 1);
        QCOMPARE(f.prompter.boxes()[0].kind, Prompter::Kind::Error);
        QVERIFY(f.prompter.boxes()[0].text.startsWith(QStringLiteral("Cannot open file \"") + f.folder.path() + QStringLiteral("/teraterm.ini\".")));
        QVERIFY(f.starts.isEmpty());
        // The macro file stays written and the slot is used up.
        QCOMPARE(f.tempFile(QStringLiteral("~macroC1.ttl")), QByteArray("c C B\r\n"));
        QVERIFY(!QFileInfo::exists(f.temp(QStringLiteral("~TTiniC1.ini"))));
        QCOMPARE(f.runner.runSlots().next(), 2);
    }

    void saysWhenTeraTermCannotBeStarted()
    {
        Fixture f;
        f.startSucceeds = false;
        QVERIFY(!f.run(f.c));
        QCOMPARE(f.prompter.texts(), QStringList{QStringLiteral("Failed to start ") + f.folder.path()
                                                 + QStringLiteral("/ttermpro.exe. Cannot execute the macro.")});
        QCOMPARE(f.prompter.boxes()[0].kind, Prompter::Kind::Error);
        QCOMPARE(f.runner.runSlots().next(), 2);
    }

    void refusesPathsThatCannotBePassed_data()
    {
        QTest::addColumn<QString>("folderName");
        QTest::addColumn<bool>("logging");
        QTest::addColumn<bool>("runs");
        QTest::newRow("double quote") << QStringLiteral("tt\"x") << false << false;
        QTest::newRow("single quote with logging") << QStringLiteral("tt'x") << true << false;
        QTest::newRow("single quote without logging") << QStringLiteral("tt'x") << false << true;
        QTest::newRow("blanks") << QStringLiteral("Tera Term 5") << true << true;
    }

    void refusesPathsThatCannotBePassed()
    {
        QFETCH(QString, folderName);
        QFETCH(bool, logging);
        QFETCH(bool, runs);
        Fixture f;
        const QString dir = f.folder.filePath(folderName);
        QVERIFY(QDir().mkpath(dir));
        QVERIFY(QFile::copy(f.folder.filePath(QStringLiteral("ttermpro.exe")), dir + QStringLiteral("/ttermpro.exe")));
        QVERIFY(QFile::copy(f.folder.filePath(QStringLiteral("teraterm.ini")), dir + QStringLiteral("/teraterm.ini")));
        AppPaths::setProgramDir(dir);
        RunContext context;
        context.logSession = logging;
        QCOMPARE(f.run(f.c, context), runs);
        QCOMPARE(f.starts.size(), runs ? 1 : 0);
        if (runs) {
            QVERIFY(f.prompter.boxes().isEmpty());
            return;
        }
        QCOMPARE(f.prompter.boxes().size(), 1);
        QCOMPARE(f.prompter.boxes()[0].kind, Prompter::Kind::Error);
        QVERIFY(f.prompter.boxes()[0].text.endsWith(QStringLiteral(" holds a quote character that cannot be passed to TeraTerm. Cannot execute the macro.")));
        QVERIFY(QDir(dir + QStringLiteral("/Temp_TTL")).isEmpty());
        QCOMPARE(f.runner.runSlots().next(), 1);
    }

    void handsAWindowsTeraTermItsWindowsPaths_data()
    {
        QTest::addColumn<bool>("exporting");
        QTest::newRow("run") << false;
        QTest::newRow("export") << true;
    }

    void handsAWindowsTeraTermItsWindowsPaths()
    {
        QFETCH(bool, exporting);
        WineFixture f;
        QVERIFY(f.ready);
        f.c->data.Macro = UrlEncode("c $LOGDIR$|$TTDIR$|$WINDIR$\r\nlog '$LOGFILENAME$'", true);
        RunContext context;
        context.logSession = true;
        const QString out = f.folder.filePath(QStringLiteral("export.ttl"));
        QVERIFY(f.runner.RunMacro(true, false, exporting ? out : QString(), RunTarget::fromNode(f.c, nullptr), context));
        QVERIFY(f.prompter.boxes().isEmpty());

        const QByteArray tt = QString::fromUtf8("C:\\Program Files (x86)\\tera térm\\").toUtf8();
        const QByteArray head = "c " + tt + "Logs\\|" + tt + "|C:\\windows\\\r\nlog '" + tt + "Logs\\C_20261210090405.log'\r\n";
        if (exporting) {
            QCOMPARE(ReadFileBytes(out), head + "logopen 'C_.log' 0 0\r\n");
            QVERIFY(f.starts.isEmpty());
            return;
        }
        QCOMPARE(ReadFileBytes(f.programDir + QStringLiteral("/Temp_TTL/~macroC1.ttl")),
                 head + "logopen '" + tt + "Logs\\C_20261210090405.log' 0 0\r\n");
        QCOMPARE(f.starts.size(), 1);
        const Start &start = f.starts.first();
        QCOMPARE(start.program, f.wine.path());
        const QString temp = QString::fromUtf8("C:\\Program Files (x86)\\tera térm\\Temp_TTL\\");
        QCOMPARE(start.arguments, (QStringList{f.programDir + QStringLiteral("/ttermpro.exe"),
                                               QStringLiteral("/F=") + temp + QStringLiteral("~TTiniC1.ini"),
                                               QStringLiteral("/M=") + temp + QStringLiteral("~macroC1.ttl")}));
        QCOMPARE(QDir(start.environment.value(QStringLiteral("WINEPREFIX"))).canonicalPath(), QDir(f.prefix).canonicalPath());
        // This program keeps its own files under their Linux names.
        QVERIFY(QFileInfo(f.programDir + QStringLiteral("/Temp_TTL/~TTiniC1.ini")).isFile());
    }

    // The box says what to install for TeraTerm's machine.
    void withoutWineNothingIsMade_data()
    {
        QTest::addColumn<quint16>("machine");
        QTest::addColumn<QString>("text");
        QTest::newRow("32-bit TeraTerm")
            << PeI386
            << "ttermpro.exe is a 32-bit Windows program (i386): Wine is needed to start it, and Wine was not "
               "found.\rPlease install Wine with its 32-bit part (on Debian and Ubuntu for amd64, as root: "
               "dpkg --add-architecture i386, then apt-get update, then apt-get install wine wine32:i386).";
        QTest::newRow("64-bit TeraTerm")
            << PeX86_64
            << "ttermpro.exe is a Windows program: Wine is needed to start it, and Wine was not found.\rPlease "
               "install Wine (on Debian and Ubuntu: the package \"wine\").";
    }

    void withoutWineNothingIsMade()
    {
        QFETCH(quint16, machine);
        QFETCH(QString, text);
        WineFixture f;
        QVERIFY(f.ready);
        QVERIFY(WriteWindowsExecutable(f.programDir + QStringLiteral("/ttermpro.exe"), machine));
        QVERIFY(f.wine.uninstall());
        QVERIFY(!f.run(f.c));
        QCOMPARE(f.prompter.texts(), QStringList{text});
        QCOMPARE(f.prompter.boxes().first().kind, Prompter::Kind::Error);
        QVERIFY(f.starts.isEmpty());
        QVERIFY(!QFileInfo::exists(f.programDir + QStringLiteral("/Temp_TTL")));
        QVERIFY(!QFileInfo::exists(f.programDir + QStringLiteral("/Logs")));
        QCOMPARE(f.runner.runSlots().next(), 1);
    }

    void refusesFoldersTeraTermHasNoNameFor()
    {
        WineFixture f;
        QVERIFY(f.ready);
        // Windows names cannot hold a colon: Wine would show the folder under a made-up name.
        const QString odd = f.prefix + QStringLiteral("/drive_c/tera:term");
        QVERIFY(QDir().mkpath(odd));
        QVERIFY(QFile::copy(f.programDir + QStringLiteral("/ttermpro.exe"), odd + QStringLiteral("/ttermpro.exe")));
        QVERIFY(QFile::copy(f.programDir + QStringLiteral("/teraterm.ini"), odd + QStringLiteral("/teraterm.ini")));
        AppPaths::setProgramDir(odd);
        QVERIFY(!f.run(f.c));
        QCOMPARE(f.prompter.boxes().size(), 1);
        QCOMPARE(f.prompter.boxes().first().kind, Prompter::Kind::Error);
        QVERIFY(f.prompter.boxes().first().text.startsWith(QStringLiteral("The path ") + odd + QStringLiteral("/Logs has no Windows name in the Wine prefix ")));
        QVERIFY(f.starts.isEmpty());
        QCOMPARE(f.runner.runSlots().next(), 1);
    }

    void buildsTargetsFromTheTree()
    {
        Fixture f;
        const RunTarget t = RunTarget::fromNode(f.c, f.c);
        QCOMPARE(t.chain.size(), 3);
        QCOMPARE(t.chain[0].Name, QByteArray("A"));
        QCOMPARE(t.connection().Name, QByteArray("C"));
        QVERIFY(t.isCurrentNode);
        QVERIFY(!RunTarget::fromNode(f.c, f.b).isCurrentNode);
        QCOMPARE(RunTarget::fromNode(f.a, nullptr).chain.size(), 1);
        QCOMPARE(RunTarget::fromNode(f.root, nullptr).chain.size(), 1);
        QVERIFY(RunTarget::fromNode(nullptr, nullptr).chain.isEmpty());
        QVERIFY(!f.runner.RunMacro(true, false, QString(), RunTarget{}, RunContext{}));
    }

    void findsRunnableSelections_data()
    {
        QTest::addColumn<QStringList>("selected");
        QTest::addColumn<bool>("expected");
        QTest::newRow("nothing selected") << QStringList{} << true;
        QTest::newRow("macros") << QStringList{QStringLiteral("a"), QStringLiteral("c")} << true;
        QTest::newRow("top node not examined") << QStringList{QStringLiteral("root"), QStringLiteral("a")} << true;
        QTest::newRow("separator") << QStringList{QStringLiteral("a"), QStringLiteral("sep")} << false;
        QTest::newRow("empty macro") << QStringList{QStringLiteral("empty"), QStringLiteral("a")} << false;
    }

    void findsRunnableSelections()
    {
        QFETCH(QStringList, selected);
        QFETCH(bool, expected);
        Fixture f;
        ConnectionNode *sep = f.tree.addChild(f.root, connection(SeparatorText, "x"));
        ConnectionNode *empty = f.tree.addChild(f.root, connection("E", ""));
        QList<ConnectionNode *> nodes;
        for (const QString &s : selected)
            nodes << (s == QLatin1String("a") ? f.a : s == QLatin1String("c") ? f.c
                      : s == QLatin1String("root") ? f.root : s == QLatin1String("sep") ? sep : empty);
        QCOMPARE(SelectionHasRunnableMacros(nodes), expected);
    }
};

QTEST_GUILESS_MAIN(TestMacroRunner)
#include "tst_macrorunner.moc"
