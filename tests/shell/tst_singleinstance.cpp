#include "platform/AppPaths.h"
#include "platform/NamedSemaphore.h"
#include "platform/Registry.h"
#include "platform/WindowMessages.h"
#include "shell/HandOverReceiver.h"
#include "shell/InstanceSemaphore.h"
#include "shell/LauncherMessages.h"
#include "shell/ParamName.h"
#include "shell/ProgramStartUp.h"
#include "shell/SingleInstance.h"
#include "support/FileBytes.h"
#include "support/FakeHandOverWindow.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramFolder.h"
#include "support/TempUserDirs.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <sys/stat.h>

using namespace LauncherMessages;

namespace {

// Another start of the program, in its own process, against the same program folder,
// registry and runtime dir.
class Start
{
public:
    Start(const QStringList &arguments, const QString &workingDirectory = QString())
    {
        if (!workingDirectory.isEmpty())
            m_process.setWorkingDirectory(workingDirectory);
        m_process.start(QStringLiteral(INSTANCE_CHILD), QStringList{AppPaths::programDir()} + arguments);
        m_started = m_process.waitForStarted(30000);
        // Its message boxes, up to its verdict.
        while (m_started) {
            while (!m_process.canReadLine())
                if (!m_process.waitForReadyRead(30000))
                    return;
            const QString line = QString::fromUtf8(m_process.readLine()).chopped(1);
            if (line.startsWith(QLatin1String("bus "))) {
                m_busId = line.mid(4);
                continue;
            }
            if (line == QLatin1String("go-on") || line == QLatin1String("ended")) {
                m_verdict = line;
                return;
            }
            m_boxes << line;
        }
    }
    ~Start()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(30000);
        }
    }

    QString verdict() const { return m_verdict; }
    QStringList boxes() const { return m_boxes; }
    QString busId() const { return m_busId; }
    // Ends a start that went on, as its window would close.
    bool end()
    {
        m_process.closeWriteChannel();
        return m_process.waitForFinished(30000) && m_process.exitCode() == 0;
    }
    bool kill()
    {
        m_process.kill();   // SIGKILL: nothing of the child's own runs
        return m_process.waitForFinished(30000);
    }
    bool finished() { return m_process.waitForFinished(30000); }

private:
    QProcess m_process;
    bool m_started = false;
    QString m_verdict;
    QString m_busId;
    QStringList m_boxes;
};

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void secondStartHandsOver_data();
    void secondStartHandsOver();
    void startWhileAnotherProcessHolds();
    void killedHolderLeavesNoLock();
    void firstStartStartsLauncher_data();
    void firstStartStartsLauncher();
    void stagedCopyNeverFollowsALink_data();
    void stagedCopyNeverFollowsALink();

private:
    QString inFolders(QString text) const
    {
        return text.replace(QStringLiteral("{prog}"), m_folder->path())
            .replace(QStringLiteral("{src}"), m_source.path());
    }
    QStringList inFolders(QStringList list) const
    {
        for (QString &s : list)
            s = inFolders(s);
        return list;
    }

    TempUserDirs m_userDirs;
    QTemporaryDir m_source;   // where the user's table files are
    std::unique_ptr<TempProgramFolder> m_folder;
    std::unique_ptr<Registry> m_registry;
    std::unique_ptr<NamedSemaphore> m_launcher;
    ScriptedPrompter m_prompter;
};

void TestSingleInstance::initTestCase()
{
    // Inherited by the child starts, so both sides share registry and locks.
    QVERIFY(m_userDirs.isValid());
    QVERIFY(m_source.isValid());
    QFile f(m_source.filePath(QStringLiteral("Sites.QDZ")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[the user's table]");
}

void TestSingleInstance::init()
{
    m_folder = std::make_unique<TempProgramFolder>();
    QVERIFY(m_folder->isValid());
    m_registry = m_userDirs.freshRegistry();
    QVERIFY(m_registry->isOpen());
    m_prompter.clear();
    // The launcher runs, unless a test says otherwise.
    m_launcher = std::make_unique<NamedSemaphore>(LauncherSemaphore);
    QCOMPARE(m_launcher->tryAcquire(), NamedSemaphore::Result::Created);
}

void TestSingleInstance::cleanup()
{
    InstanceSemaphoreHandle().release();
    m_launcher.reset();
    m_registry.reset();
    m_folder.reset();
}

void TestSingleInstance::secondStartHandsOver_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("inSourceFolder");   // started in the folder of the user's files
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QString>("paramAfter");

    const QString ask = QStringLiteral("Do you want to import file Sites.QDZ into Wexmora?");
    QTest::newRow("no argument: only to the front")
        << QStringList() << false << int(Prompter::Yes) << QStringList() << QStringList{"front"}
        << QString();
    QTest::newRow("file, answered No: nothing imported, value cleared")
        << QStringList{"{src}/Sites.QDZ"} << false << int(Prompter::No) << QStringList{ask}
        << QStringList{"front"} << QString();
    QTest::newRow("file, answered Yes: the staged copy is imported")
        << QStringList{"{src}/Sites.QDZ"} << false << int(Prompter::Yes) << QStringList{ask}
        << QStringList{"front", "import:{prog}/Temp_TTL/~Sites.QDZ"} << QString();
    QTest::newRow("relative file name")
        << QStringList{"Sites.QDZ"} << true << int(Prompter::Yes) << QStringList{ask}
        << QStringList{"front", "import:{prog}/Temp_TTL/~Sites.QDZ"} << QString();
    QTest::newRow("update-check argument is handed over like a file")
        << QStringList{"upgradeCheck=true"} << false << int(Prompter::Yes)
        << QStringList{"Cannot import file upgradeCheck=true. File not found."}
        << QStringList{"front"} << "{prog}/Temp_TTL/~upgradeCheck=true";
}

void TestSingleInstance::secondStartHandsOver()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, inSourceFolder);
    QFETCH(int, answer);
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, calls);
    QFETCH(QString, paramAfter);

    WindowMessages messages;
    if (!messages.isConnected())
        QSKIP("no session bus; scripts/test runs the suite under dbus-run-session");
    QVERIFY(ProgramStartUp({}, *m_registry, m_prompter, messages));
    FakeHandOverWindow window;
    HandOverReceiver receiver(*m_registry, m_prompter, window);
    receiver.attach(messages);
    QSignalSpy spy(&messages, &WindowMessages::received);
    m_prompter.queue(Prompter::Answer(answer));

    Start second(inFolders(arguments), inSourceFolder ? m_source.path() : QString());
    QCOMPARE(second.verdict(), QStringLiteral("ended"));
    QCOMPARE(second.boxes(), QStringList());
    QVERIFY(second.finished());

    QTRY_VERIFY(!window.calls.isEmpty());
    // The bus is the session's, shared with other tests: the hand-over must be the child's.
    QStringList handOverSenders;
    for (const QList<QVariant> &args : spy)
        if (args.at(0).toString() == InstanceMessage)
            handOverSenders << args.at(3).toString();
    QCOMPARE(handOverSenders, QStringList{second.busId()});
    QCOMPARE(m_prompter.texts(), boxes);
    QCOMPARE(window.calls, inFolders(calls));
    QCOMPARE(ReadParamName(*m_registry), inFolders(paramAfter));
    if (!arguments.isEmpty() && arguments.first().endsWith(QLatin1String("Sites.QDZ")))
        QCOMPARE(m_folder->read(QStringLiteral("Temp_TTL/~Sites.QDZ")), QByteArray("[the user's table]"));
}

void TestSingleInstance::startWhileAnotherProcessHolds()
{
    WindowMessages messages;
    Start first({});
    QCOMPARE(first.verdict(), QStringLiteral("go-on"));

    QVERIFY(!ProgramStartUp({m_source.filePath(QStringLiteral("Sites.QDZ"))}, *m_registry,
                            m_prompter, messages));
    QVERIFY(!InstanceSemaphoreHandle().isHeld());
    QCOMPARE(ReadParamName(*m_registry), m_folder->filePath(QStringLiteral("Temp_TTL/~Sites.QDZ")));

    // Once the first one's window has closed, the next start is the only one.
    QVERIFY(first.end());
    QVERIFY(ProgramStartUp({}, *m_registry, m_prompter, messages));
    QVERIFY(InstanceSemaphoreHandle().isHeld());
    QVERIFY(m_prompter.boxes().isEmpty());
}

void TestSingleInstance::killedHolderLeavesNoLock()
{
    WindowMessages messages;
    {
        Start crashed({});
        QCOMPARE(crashed.verdict(), QStringLiteral("go-on"));
        QVERIFY(crashed.kill());
    }
    QVERIFY(ProgramStartUp({}, *m_registry, m_prompter, messages));

    // And this start holds it now for the next one.
    Start later({});
    QCOMPARE(later.verdict(), QStringLiteral("ended"));
}

void TestSingleInstance::firstStartStartsLauncher_data()
{
    QTest::addColumn<bool>("launcherPresent");
    QTest::addColumn<QStringList>("boxes");

    QTest::newRow("launcher started") << true << QStringList();
    QTest::newRow("launcher missing: warned, start goes on")
        << false << QStringList{"warning: File '{prog}/Wexmora.exe' not found."};
}

void TestSingleInstance::firstStartStartsLauncher()
{
    QFETCH(bool, launcherPresent);
    QFETCH(QStringList, boxes);

    m_launcher.reset();   // the launcher does not run
    const QString exe = m_folder->filePath(QStringLiteral("Wexmora.exe"));
    if (launcherPresent) {
        QVERIFY(m_folder->write(QStringLiteral("Wexmora.exe"),
                                "#!/bin/sh\necho \"started $#\" >> \"$0.log\"\n"));
        QVERIFY(QFile::setPermissions(exe, QFile::permissions(exe) | QFileDevice::ExeOwner));
    }

    Start first({});
    QCOMPARE(first.boxes(), inFolders(boxes));
    QCOMPARE(first.verdict(), QStringLiteral("go-on"));
    if (launcherPresent)
        QTRY_COMPARE(m_folder->read(QStringLiteral("Wexmora.exe.log")), QByteArray("started 0\n"));
    QVERIFY(first.end());
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"

void TestSingleInstance::stagedCopyNeverFollowsALink_data()
{
    // What stood at "Temp_TTL/~Sites.QDZ" before the hand-over.
    QTest::addColumn<QString>("planted");
    QTest::newRow("a link to another file") << "link";
    QTest::newRow("a link to nowhere") << "dangling";
    QTest::newRow("an older copy readable by all") << "readable";
    QTest::newRow("nothing") << "";
}

void TestSingleInstance::stagedCopyNeverFollowsALink()
{
    QFETCH(QString, planted);
    const mode_t oldMask = ::umask(022);
    const QString temp = m_folder->filePath(QStringLiteral("Temp_TTL"));
    QVERIFY(QDir().mkpath(temp));
    const QString dest = temp + QStringLiteral("/~Sites.QDZ");
    QTemporaryDir elsewhere;
    const QString victim = elsewhere.filePath(QStringLiteral("victim"));
    QVERIFY(WriteFileBytes(victim, "not to be touched"));
    if (planted == QLatin1String("link"))
        QVERIFY(QFile::link(victim, dest));
    else if (planted == QLatin1String("dangling"))
        QVERIFY(QFile::link(elsewhere.filePath(QStringLiteral("made-through-the-link")), dest));
    else if (planted == QLatin1String("readable"))
        QVERIFY(WriteFileBytes(dest, "older") && ::chmod(QFile::encodeName(dest).constData(), 0644) == 0);

    const bool staged = StageParameterFile(m_source.filePath(QStringLiteral("Sites.QDZ")), *m_registry, m_prompter);
    ::umask(oldMask);
    QVERIFY(staged);
    QCOMPARE(ReadParamName(*m_registry), dest);
    QVERIFY(!QFileInfo(dest).isSymLink());
    QCOMPARE(m_folder->read(QStringLiteral("Temp_TTL/~Sites.QDZ")), QByteArray("[the user's table]"));
    struct stat st {};
    QCOMPARE(::lstat(QFile::encodeName(dest).constData(), &st), 0);
    QCOMPARE(int(st.st_mode & 0777), 0600);
    QCOMPARE(ReadFileBytes(victim), QByteArray("not to be touched"));
    QVERIFY(!QFileInfo::exists(elsewhere.filePath(QStringLiteral("made-through-the-link"))));
}
