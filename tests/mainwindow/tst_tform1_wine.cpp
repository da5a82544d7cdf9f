#include "mainwindow/ConnectionTreeModel.h"
#include "mainwindow/TForm1.h"
#include "platform/AppPaths.h"
#include "runner/MacroRunner.h"
#include "support/FakeWineLoader.h"
#include "support/FileBytes.h"
#include "support/ScriptedPrompter.h"
#include "support/TempUserDirs.h"
#include "support/TempWinePrefix.h"
#include "table/ConnectionTree.h"
#include "table/UrlCodec.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTreeView>

#include <memory>

namespace {

const QByteArray kTeraTermIni("[Tera Term]\r\nVTColor=1,2,3,4,5,6\r\n\r\n[BG]\r\nBGEnable=on\r\n");
const QByteArray kGreen("0:255:0:0:0:0:255:255:0:0:0:0:0:255:255:0:0:0:0:255:255:0:0:0");

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
        : folder(prefix.driveC(QStringLiteral("Program Files (x86)/") + name))
    {
        QDir().mkpath(folder);
        AppPaths::setProgramDir(folder);
        QFile::copy(teraTerm, folder + QStringLiteral("/ttermpro.exe"));
        QFile::setPermissions(folder + QStringLiteral("/ttermpro.exe"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        WriteFileBytes(folder + QStringLiteral("/teraterm.ini"), kTeraTermIni);

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

} // namespace

class TestTForm1Wine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_prefix = std::make_unique<TempWinePrefix>();
        QVERIFY2(m_prefix->boot(), qPrintable(m_prefix->errorString()));
        QVERIFY(QFileInfo(QStringLiteral(WINE_STANDIN)).isFile());
    }

    // No Wine process outlives the test.
    void cleanupTestCase() { m_prefix.reset(); }

    void runsConnectionsInTeraTermUnderWine_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QByteArray>("ancestors");
        QTest::addColumn<QByteArray>("logName");
        QTest::newRow("Run F9") << QKeySequence(Qt::Key_F9) << QByteArray() << QByteArray("Cee_host_");
        QTest::newRow("Run branch Ctrl+F9") << QKeySequence(Qt::CTRL | Qt::Key_F9)
                                            << QByteArray("a Alpha\r\nb Bee\r\n") << QByteArray("Alpha_Bee_Cee_host_");
    }

    void runsConnectionsInTeraTermUnderWine()
    {
        QFETCH(QKeySequence, keys);
        QFETCH(QByteArray, ancestors);
        QFETCH(QByteArray, logName);
        const QString name = QString::fromUtf8("tera térm ") + QString::fromLatin1(QTest::currentDataTag());
        Window w(*m_prefix, name, QStringLiteral(WINE_STANDIN));

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

private:
    std::unique_ptr<TempWinePrefix> m_prefix;
};

QTEST_MAIN(TestTForm1Wine)
#include "tst_tform1_wine.moc"
