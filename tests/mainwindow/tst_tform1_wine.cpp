#include "WindowMachine.h"
#include "mainwindow/ConnectionTreeModel.h"
#include "mainwindow/GeneralSettingsPage.h"
#include "mainwindow/SettingsPage.h"
#include "mainwindow/TForm1.h"
#include "platform/AppPaths.h"
#include "platform/AutoStart.h"
#include "platform/ExecutableKind.h"
#include "platform/WineLocator.h"
#include "runner/MacroRunner.h"
#include "support/FakeMachine.h"
#include "support/FakeWineLoader.h"
#include "support/FileBytes.h"
#include "support/ScriptedPrompter.h"
#include "support/TempUserDirs.h"
#include "support/TempWinePrefix.h"
#include "table/ConnectionTree.h"
#include "table/UrlCodec.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QTreeView>

#include <memory>

namespace {

const QByteArray kTeraTermIni("[Tera Term]\r\nVTColor=1,2,3,4,5,6\r\n\r\n[BG]\r\nBGEnable=on\r\n");
const QByteArray kGreen("0:255:0:0:0:0:255:255:0:0:0:0:0:255:255:0:0:0:0:255:255:0:0:0");

// A TeraTerm folder on drive C of the prefix, holding TeraTerm (a copy of the stand-in) and
// its teraterm.ini; the program folder while the test runs.
QString TeraTermFolder(const TempWinePrefix &prefix, const QString &name, const QString &teraTerm)
{
    const QString folder = prefix.driveC(QStringLiteral("Program Files (x86)/") + name);
    QDir().mkpath(folder);
    AppPaths::setProgramDir(folder);
    QFile::copy(teraTerm, folder + QStringLiteral("/ttermpro.exe"));
    QFile::setPermissions(folder + QStringLiteral("/ttermpro.exe"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    WriteFileBytes(folder + QStringLiteral("/teraterm.ini"), kTeraTermIni);
    return folder;
}

rVTNodeData connection(const QByteArray &name, const QByteArray &macro, bool logSession = false)
{
    rVTNodeData d;
    d.Name = name;
    d.Macro = UrlEncode(macro, true);
    d.Colors = kGreen;
    d.LogSession = logSession;
    return d;
}

// The window over Alpha > Bee > Cee host, run from a TeraTerm folder on drive C of the test's
// Wine prefix; Cee host logs its sessions and names the folders TeraTerm is handed.
struct Window
{
    TempUserDirs dirs;
    ScriptedPrompter prompter;
    TForm1 form{&prompter};
    QString folder;
    ConnectionNode *cee = nullptr;

    Window(const TempWinePrefix &prefix, const QString &name, const QString &teraTerm)
        : folder(TeraTermFolder(prefix, name, teraTerm))
    {

        form.InitTree();
        ConnectionTree &tree = form.doc().tree();
        ConnectionNode *alpha = tree.addChild(form.doc().RootNode(), connection("Alpha", "a $CONNECTION$"));
        ConnectionNode *bee = tree.addChild(alpha, connection("Bee", "b $CONNECTION$"));
        cee = tree.addChild(bee, connection("Cee host", "connect '$CONNECTION$'\r\nsend '$LOGDIR$|$TTDIR$|$WINDIR$'", true));
        form.tree()->expandAll();
        form.show();
    }
    ~Window() { AppPaths::setProgramDir(QString()); }

    QString call(const char *file) const
    {
        return folder + QStringLiteral("/ttermpro-calls/call-1/") + QLatin1String(file);
    }
    // Clicks Cee host's row and presses Keys, as the user would.
    void runCee(const QKeySequence &keys)
    {
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTreeView *vt = form.tree();
        QTest::mouseClick(vt->viewport(), Qt::LeftButton, {}, vt->visualRect(form.model().indexFor(cee)).center());
        QTRY_VERIFY(form.findChild<QAction *>(QStringLiteral("MnExecuteAll"))->isEnabled());
        QTest::keySequence(vt, keys);
    }
};

// The window as the program makes it at start, from the options, in a TeraTerm folder of the
// prefix whose launcher is a Windows program (the 64-bit stand-in, which records its starts
// the same way, and starts faster where 32-bit code is emulated).
struct StartedWindow
{
    Machine machine;
    QString folder;

    StartedWindow(const TempWinePrefix &prefix, const QString &name)
        : folder(TeraTermFolder(prefix, name, QStringLiteral(WINE_STANDIN32)))
    {
        QFile::copy(QStringLiteral(WINE_STANDIN), launcher());
    }

    QString launcher() const { return folder + QStringLiteral("/Wexmora.exe"); }
    std::unique_ptr<TForm1> start() { return machine.start(); }
    static QCheckBox *runAtLogOn(const TForm1 &form) { return form.settingsPage()->general()->cbRunOnStart(); }
};

} // namespace

class TestTForm1Wine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_prefix = std::make_unique<TempWinePrefix>();
        QVERIFY2(m_prefix->boot(), qPrintable(m_prefix->errorString()));
        // TeraTerm's usual downloads are 32-bit programs: both machines run in the one prefix.
        QCOMPARE(ExecutableKind::windowsMachine(QStringLiteral(WINE_STANDIN32)).machine, ExecutableKind::Machine::I386);
        QCOMPARE(ExecutableKind::windowsMachine(QStringLiteral(WINE_STANDIN)).machine, ExecutableKind::Machine::X86_64);
    }

    // No Wine process outlives the test.
    void cleanupTestCase() { m_prefix.reset(); }

    void runsConnectionsInTeraTermUnderWine_data()
    {
        QTest::addColumn<QString>("standIn");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QByteArray>("ancestors");
        QTest::addColumn<QByteArray>("logName");
        const QString tt32 = QStringLiteral(WINE_STANDIN32);
        const QString tt64 = QStringLiteral(WINE_STANDIN);
        QTest::newRow("32-bit, Run F9") << tt32 << QKeySequence(Qt::Key_F9) << QByteArray() << QByteArray("Cee_host_");
        QTest::newRow("64-bit, Run F9") << tt64 << QKeySequence(Qt::Key_F9) << QByteArray() << QByteArray("Cee_host_");
        QTest::newRow("32-bit, Run branch Ctrl+F9") << tt32 << QKeySequence(Qt::CTRL | Qt::Key_F9)
                                                    << QByteArray("a Alpha\r\nb Bee\r\n") << QByteArray("Alpha_Bee_Cee_host_");

    }

    void runsConnectionsInTeraTermUnderWine()
    {
        QFETCH(QString, standIn);
        QFETCH(QKeySequence, keys);
        QFETCH(QByteArray, ancestors);
        QFETCH(QByteArray, logName);
        const QString name = QString::fromUtf8("tera térm ") + QString::fromLatin1(QTest::currentDataTag());
        Window w(*m_prefix, name, standIn);

        w.runCee(keys);

        // What the Windows program saw, through the Windows file API.
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(w.call("checks")).isFile(), 240000);
        QVERIFY(w.prompter.boxes().isEmpty());
        QCOMPARE(ReadFileBytes(w.call("checks")), QByteArray("F=exists\nM=exists\nlogopen folder=exists\n"));
        const QString tt = QStringLiteral("C:\\Program Files (x86)\\") + name + QLatin1Char('\\');
        QCOMPARE(QString::fromUtf8(ReadFileBytes(w.call("args"))),
                 QStringLiteral("/F=") + tt + QStringLiteral("Temp_TTL\\~TTiniC1.ini\n/M=") + tt
                     + QStringLiteral("Temp_TTL\\~macroC1.ttl\n"));
        const QByteArray ttBytes = tt.toUtf8();
        const QByteArray macro = ReadFileBytes(w.call("macro"));
        const QByteArray expected = ancestors + "connect 'Cee host'\r\nsend '" + ttBytes + "Logs\\|" + ttBytes
            + "|C:\\windows\\'\r\nlogopen '" + ttBytes + "Logs\\" + logName;
        QVERIFY2(macro.startsWith(expected), macro.constData());
        QVERIFY2(macro.endsWith(".log' 0 0\r\n"), macro.constData());
        QVERIFY(ReadFileBytes(w.call("ini")).contains("VTColor=0,255,0,0,0,0"));
    }

    void theBuildsStandInStillStartsDirectly()
    {
        const QString standIn = qEnvironmentVariable("WEX_TEST_SOURCE_DIR") + QStringLiteral("/../../dist/teraterm/ttermpro.exe");
        Window w(*m_prefix, QStringLiteral("stand-in"), standIn);

        w.runCee(QKeySequence(Qt::Key_F9));

        // Started as it is, it sees the Linux paths.
        QTRY_VERIFY_WITH_TIMEOUT(ReadFileBytes(w.call("macro")).endsWith("' 0 0\r\n"), 120000);
        QCOMPARE(QString::fromUtf8(ReadFileBytes(w.call("args"))),
                 QStringLiteral("/F=") + w.folder + QStringLiteral("/Temp_TTL/~TTiniC1.ini\n/M=") + w.folder
                     + QStringLiteral("/Temp_TTL/~macroC1.ttl\n"));
        QVERIFY(ReadFileBytes(w.call("macro")).contains("logopen '" + QFile::encodeName(w.folder) + "/Logs/Cee_host_"));
        QVERIFY(w.prompter.boxes().isEmpty());
    }

    void withoutWineTheUserIsToldWhatToInstall()
    {
        const FakeWineLoader noWine(m_prefix->driveC(QStringLiteral("no-wine-here")), false);
        Window w(*m_prefix, QStringLiteral("no wine"), QStringLiteral(WINE_STANDIN));

        w.runCee(QKeySequence(Qt::Key_F9));

        QCOMPARE(w.prompter.boxes().size(), 1);
        QCOMPARE(w.prompter.boxes().first().kind, Prompter::Kind::Error);
        QCOMPARE(w.prompter.boxes().first().text,
                 QStringLiteral("ttermpro.exe is a Windows program: Wine is needed to start it, and Wine "
                                "was not found.\rPlease install Wine (on Debian and Ubuntu: the package "
                                "\"wine\")."));
        // Nothing else: no run folders, no files, no start.
        QVERIFY(!QFileInfo::exists(w.folder + QStringLiteral("/Temp_TTL")));
        QVERIFY(!QFileInfo::exists(w.folder + QStringLiteral("/ttermpro-calls")));
        QCOMPARE(w.form.macroRunner().runSlots().next(), 1);
    }

    // Debian's "apt install wine" brings no 32-bit Wine: F9 on a 32-bit TeraTerm says so and
    // what to install, before any run slot or file is used.
    void noWineForA32BitTeraTermIsToldBeforeAnythingIsWritten()
    {
        const FakeMachine debian(m_prefix->driveC(QStringLiteral("debian-wine64")), FakeMachine::debian(false, true));
        QVERIFY(debian.isReady());
        Window w(*m_prefix, QStringLiteral("no wine32"), QStringLiteral(WINE_STANDIN32));

        w.runCee(QKeySequence(Qt::Key_F9));

        QCOMPARE(w.prompter.boxes().size(), 1);
        QCOMPARE(w.prompter.boxes().first().kind, Prompter::Kind::Error);
        QCOMPARE(w.prompter.boxes().first().text,
                 QStringLiteral("ttermpro.exe is a 32-bit Windows program (i386), and no Wine on this computer "
                                "runs 32-bit programs.\rPlease install Wine's 32-bit part (on Debian and Ubuntu "
                                "for amd64, as root: dpkg --add-architecture i386, then apt-get update, then "
                                "apt-get install wine32:i386)."));
        QVERIFY(!QFileInfo::exists(w.folder + QStringLiteral("/Temp_TTL/~macroC1.ttl")));
        QVERIFY(!QFileInfo::exists(w.folder + QStringLiteral("/Temp_TTL/~TTiniC1.ini")));
        QVERIFY(!QFileInfo::exists(w.folder + QStringLiteral("/ttermpro-calls")));
        QCOMPARE(w.form.macroRunner().runSlots().next(), 1);
    }

    // "Run at log on to Windows" for a Windows launcher: the entry starts it through Wine in
    // its prefix when a desktop runs it with nothing else set, and reads back as on after a
    // restart.
    void theLauncherStartsThroughWineAtLogOn()
    {
        StartedWindow window(*m_prefix, QStringLiteral("log on"));
        {
            const auto form = window.start();
            QVERIFY(form);
            QCheckBox *box = StartedWindow::runAtLogOn(*form);
            QVERIFY(box->isVisible());
            QVERIFY(!box->isChecked());
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->height() / 2, box->height() / 2));
            QVERIFY(box->isChecked());
            QVERIFY(window.machine.prompter.boxes().isEmpty());
        }
        const std::optional<QStringList> command = AutoStart::startedCommand(ReadFileBytes(AutoStart::entryPath()));
        QVERIFY(command);
        QCOMPARE(command->size(), 4);
        QCOMPARE(command->at(0), QStringLiteral("env"));
        QCOMPARE(command->at(1), QStringLiteral("WINEPREFIX=") + QDir(m_prefix->path()).canonicalPath());
        QVERIFY(WineLocator::isLoaderName(QFileInfo(command->at(2)).fileName()));
        QCOMPARE(command->at(3), window.launcher());

        // As the desktop runs it at log-on.
        QProcess desktop;
        QProcessEnvironment bare;
        bare.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
        bare.insert(QStringLiteral("HOME"), QDir::homePath());
        desktop.setProcessEnvironment(bare);
        desktop.start(QStringLiteral("gio"), {QStringLiteral("launch"), AutoStart::entryPath()});
        QVERIFY2(desktop.waitForFinished(), "gio (Debian: libglib2.0-bin) runs the entry as a desktop does");
        QCOMPARE(desktop.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(window.folder + QStringLiteral("/ttermpro-calls/call-1/checks")).isFile(), 240000);

        const auto again = window.start();
        QVERIFY(again);
        QVERIFY(StartedWindow::runAtLogOn(*again)->isChecked());
    }

private:
    std::unique_ptr<TempWinePrefix> m_prefix;
};

QTEST_MAIN(TestTForm1Wine)
#include "tst_tform1_wine.moc"
