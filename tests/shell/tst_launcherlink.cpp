#include "platform/AppPaths.h"
#include "platform/AutoStart.h"
#include "platform/NamedSemaphore.h"
#include "platform/Registry.h"
#include "platform/ShellOpen.h"
#include "platform/WindowMessages.h"
#include "platform/WineLocator.h"
#include "platform/WineStarter.h"
#include "shell/LauncherLink.h"
#include "shell/LauncherMessages.h"
#include "shell/OptionsStore.h"
#include "shell/ParamName.h"
#include "shell/ProgramRegKey.h"
#include "shell/ProgramStartUp.h"
#include "shell/SingleInstance.h"
#include "support/FakeMachine.h"
#include "support/FakeWineLoader.h"
#include "support/FileBytes.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramFolder.h"
#include "support/TempUserDirs.h"
#include "support/WinePrefixLayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace LauncherMessages;

namespace {

struct Start
{
    QString program;
    QStringList arguments;
};

} // namespace

class TestLauncherLink : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void stageParameterFile_data();
    void stageParameterFile();
    void stageWithoutTempFolder();
    void stageNamelessArgument();
    void paramNameForArgument_data();
    void paramNameForArgument();

    void ensureLauncher_data();
    void ensureLauncher();
    void launcherReallyStarts();
    void windowsLauncherGoesThroughWine_data();
    void windowsLauncherGoesThroughWine();

    void launcherForAMachineNoWineRuns();
    void autoStartRefusedWhenNoWineRunsTheLauncher();
    void autoStart_data();
    void autoStart();

    void saveSettingsAndNotify();

private:
    TempUserDirs m_userDirs;
    std::unique_ptr<TempProgramFolder> m_folder;
    std::unique_ptr<Registry> m_registry;
    ScriptedPrompter m_prompter;
    QList<Start> m_starts;
};

void TestLauncherLink::initTestCase()
{
    // Nothing of the user's: registry, auto-start entry and locks all in the test's folder.
    QVERIFY(m_userDirs.isValid());
}

void TestLauncherLink::init()
{
    m_folder = std::make_unique<TempProgramFolder>();
    QVERIFY(m_folder->isValid());
    m_registry = m_userDirs.freshRegistry();
    QVERIFY(m_registry->isOpen());
    m_prompter.clear();
    m_starts.clear();
    ShellOpen::setStarterForTesting([this](const StartCommand &command) {
        m_starts.append({command.program, command.arguments});
        return true;
    });
}

void TestLauncherLink::cleanup()
{
    ShellOpen::setStarterForTesting(nullptr);
    SetAutoStart(false, m_prompter);
    m_registry.reset();
    m_folder.reset();
}

void TestLauncherLink::stageParameterFile_data()
{
    QTest::addColumn<QString>("source");      // "file", "dir" or "missing"
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("olderCopy");
    QTest::addColumn<bool>("copied");

    QTest::newRow("regular file") << "file" << "Sites.QDZ" << false << true;
    QTest::newRow("regular file over an older copy") << "file" << "Sites.QDZ" << true << true;
    QTest::newRow("a backslash is part of the name") << "file" << "a\\b.QDZ" << false << true;
    QTest::newRow("directory refused") << "dir" << "Folder.QDZ" << false << false;
    QTest::newRow("directory refused, older copy removed") << "dir" << "Folder.QDZ" << true << false;
    QTest::newRow("failed copy removes the older copy") << "missing" << "Gone.QDZ" << true << false;
}

void TestLauncherLink::stageParameterFile()
{
    QFETCH(QString, source);
    QFETCH(QString, name);
    QFETCH(bool, olderCopy);
    QFETCH(bool, copied);

    QTemporaryDir elsewhere;
    const QString from = elsewhere.filePath(name);
    const QByteArray bytes = "[table bytes]\r\n";
    if (source == QLatin1String("file"))
        QVERIFY(WriteFileBytes(from, bytes));
    else if (source == QLatin1String("dir"))
        QVERIFY(QDir().mkpath(from));
    const QString dest = m_folder->filePath(QStringLiteral("Temp_TTL/~") + name);
    if (olderCopy)
        QVERIFY(m_folder->write(QStringLiteral("Temp_TTL/~") + name, "older content"));

    QVERIFY(StageParameterFile(from, *m_registry, m_prompter));

    QVERIFY(m_prompter.boxes().isEmpty());
    QCOMPARE(ReadParamName(*m_registry), dest);
    QCOMPARE(QFileInfo(dest).isFile(), copied);
    if (copied) {
        QCOMPARE(ReadFileBytes(dest), bytes);
        QCOMPARE(QFile::permissions(dest) & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
                 QFileDevice::Permissions());
    }
    if (source == QLatin1String("dir"))
        QVERIFY(QFileInfo(from).isDir());
}

void TestLauncherLink::stageWithoutTempFolder()
{
    // A file where the folder should be: the folder cannot be made.
    QVERIFY(m_folder->write(QStringLiteral("Temp_TTL"), "not a folder"));
    QVERIFY(WriteParamName(*m_registry, QStringLiteral("/before/Sites.QDZ")));
    QTemporaryDir elsewhere;
    const QString from = elsewhere.filePath(QStringLiteral("Sites.QDZ"));
    QVERIFY(WriteFileBytes(from, "table"));

    QVERIFY(!StageParameterFile(from, *m_registry, m_prompter));

    QCOMPARE(m_prompter.texts(),
             (QStringList{"Cannot create directory" + m_folder->filePath("Temp_TTL"),
                          "Failed to create temporary folder. The file cannot be imported."}));
    QCOMPARE(m_prompter.boxes().at(0).kind, Prompter::Kind::Warning);
    QCOMPARE(m_prompter.boxes().at(1).kind, Prompter::Kind::Error);
    QCOMPARE(ReadParamName(*m_registry), QStringLiteral("/before/Sites.QDZ"));
}

void TestLauncherLink::stageNamelessArgument()
{
    // "/" names no file: nothing is offered, but the running instance still comes forward.
    QVERIFY(WriteParamName(*m_registry, QStringLiteral("/")));
    QVERIFY(StageParameterFile(QStringLiteral("/"), *m_registry, m_prompter));
    QCOMPARE(ReadParamName(*m_registry), QString());
    QCOMPARE(QDir(m_folder->filePath(QStringLiteral("Temp_TTL"))).entryList(QDir::NoDotAndDotDot
                                                                          | QDir::AllEntries),
             QStringList());
}

void TestLauncherLink::paramNameForArgument_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("expected");

    const QString cwd = QDir::currentPath();
    QTest::newRow("update-check argument stays") << "upgradeCheck=true" << "upgradeCheck=true";
    QTest::newRow("other letter case is a file name")
        << "UpgradeCheck=true" << cwd + "/UpgradeCheck=true";
    QTest::newRow("relative path made absolute") << "Tables/Sites.QDZ" << cwd + "/Tables/Sites.QDZ";
    QTest::newRow("absolute path stays") << "/srv/Sites.QDZ" << "/srv/Sites.QDZ";
}

void TestLauncherLink::paramNameForArgument()
{
    QFETCH(QString, argument);
    QFETCH(QString, expected);
    QCOMPARE(ParamNameForArgument(argument), expected);
}

void TestLauncherLink::ensureLauncher_data()
{
    QTest::addColumn<QString>("launcher");    // "file", "dir", "missing" or "running"
    QTest::addColumn<bool>("started");
    QTest::addColumn<QString>("warning");

    QTest::newRow("not running: started") << "file" << true << QString();
    QTest::newRow("running: left alone") << "running" << false << QString();
    QTest::newRow("missing: warned") << "missing" << false << "File '{dir}/Wexmora.exe' not found.";
    QTest::newRow("a folder of that name is no launcher")
        << "dir" << false << "File 'Wexmora.exe' not found.";
}

void TestLauncherLink::ensureLauncher()
{
    QFETCH(QString, launcher);
    QFETCH(bool, started);
    QFETCH(QString, warning);

    NamedSemaphore launcherHolds(LauncherSemaphore);
    if (launcher == QLatin1String("running"))
        QCOMPARE(launcherHolds.tryAcquire(), NamedSemaphore::Result::Created);
    if (launcher == QLatin1String("file") || launcher == QLatin1String("running"))
        QVERIFY(m_folder->write(QStringLiteral("Wexmora.exe"), "#!/bin/sh\n"));
    else if (launcher == QLatin1String("dir"))
        QVERIFY(QDir().mkpath(m_folder->filePath(QStringLiteral("Wexmora.exe"))));

    EnsureLauncherRunning(m_prompter);

    QCOMPARE(m_starts.size(), started ? 1 : 0);
    if (started) {
        QCOMPARE(m_starts.first().program, m_folder->filePath(QStringLiteral("Wexmora.exe")));
        QCOMPARE(m_starts.first().arguments, QStringList());
    }
    if (warning.isEmpty()) {
        QVERIFY(m_prompter.boxes().isEmpty());
    } else {
        QCOMPARE(m_prompter.texts(), QStringList{warning.replace("{dir}", m_folder->path())});
        QCOMPARE(m_prompter.boxes().first().kind, Prompter::Kind::Warning);
        QCOMPARE(m_prompter.boxes().first().buttons, Prompter::Buttons::Ok);
    }
    // The probe never keeps the launcher's semaphore from the launcher.
    if (launcher != QLatin1String("running"))
        QVERIFY(!NamedSemaphore::exists(LauncherSemaphore));
}

void TestLauncherLink::launcherReallyStarts()
{
    ShellOpen::setStarterForTesting(nullptr);
    const QString exe = m_folder->filePath(QStringLiteral("Wexmora.exe"));
    QVERIFY(m_folder->write(QStringLiteral("Wexmora.exe"),
                            "#!/bin/sh\necho \"started $#\" >> \"$0.log\"\n"));
    QVERIFY(QFile::setPermissions(exe, QFile::permissions(exe) | QFileDevice::ExeOwner));

    EnsureLauncherRunning(m_prompter);

    QTRY_COMPARE(ReadFileBytes(exe + QStringLiteral(".log")), QByteArray("started 0\n"));
    QVERIFY(m_prompter.boxes().isEmpty());
}

void TestLauncherLink::windowsLauncherGoesThroughWine_data()
{
    QTest::addColumn<bool>("wineInstalled");
    QTest::newRow("Wine installed") << true;
    QTest::newRow("Wine missing") << false;
}

void TestLauncherLink::windowsLauncherGoesThroughWine()
{
    QFETCH(bool, wineInstalled);
    const FakeWineLoader wine(m_folder->filePath(QStringLiteral("bin")), wineInstalled);
    QVERIFY(wine.isReady());
    const QString exe = m_folder->filePath(QStringLiteral("Wexmora.exe"));
    QVERIFY(WriteWindowsExecutable(exe));

    EnsureLauncherRunning(m_prompter);

    if (wineInstalled) {
        QCOMPARE(m_starts.size(), 1);
        QCOMPARE(m_starts.first().program, wine.path());
        QCOMPARE(m_starts.first().arguments, QStringList{exe});
        QVERIFY(m_prompter.boxes().isEmpty());
    } else {
        // Said once, plainly; start-up goes on.
        QVERIFY(m_starts.isEmpty());
        QCOMPARE(m_prompter.texts(), QStringList{WineLocator::missingWineMessage(exe)});
        QCOMPARE(m_prompter.boxes().first().kind, Prompter::Kind::Error);
    }
}

// A 32-bit launcher where only 64-bit Wine is installed: told what to install, not started.
void TestLauncherLink::launcherForAMachineNoWineRuns()
{
    const FakeMachine debian(m_folder->filePath(QStringLiteral("root")), FakeMachine::debian(false, true));
    QVERIFY(debian.isReady());
    const QString exe = m_folder->filePath(QStringLiteral("Wexmora.exe"));
    QVERIFY(WriteWindowsExecutable(exe, PeI386));

    EnsureLauncherRunning(m_prompter);

    QVERIFY(m_starts.isEmpty());
    QCOMPARE(m_prompter.boxes().size(), 1);
    QCOMPARE(m_prompter.boxes().first().kind, Prompter::Kind::Error);
    QVERIFY2(m_prompter.texts().first().startsWith(
                 QStringLiteral("Wexmora.exe is a 32-bit Windows program (i386), and no Wine on this computer")),
             qPrintable(m_prompter.texts().first()));
}

void TestLauncherLink::autoStartRefusedWhenNoWineRunsTheLauncher()
{
    const FakeMachine debian(m_folder->filePath(QStringLiteral("root")), FakeMachine::debian(false, true));
    QVERIFY(debian.isReady());
    QVERIFY(WriteWindowsExecutable(m_folder->filePath(QStringLiteral("Wexmora.exe")), PeI386));

    QVERIFY(!SetAutoStart(true, m_prompter));

    QCOMPARE(m_prompter.texts(), QStringList{WineStarter::startProblem(m_folder->filePath(QStringLiteral("Wexmora.exe")))});
    QVERIFY(!m_prompter.texts().first().isEmpty());
    QVERIFY(!IsAutoStartOn());
    QVERIFY(!QFileInfo::exists(AutoStart::entryPath()));
}

void TestLauncherLink::autoStart_data()
{
    QTest::addColumn<QString>("folderName");
    QTest::newRow("plain folder") << "TeraTerm";
    QTest::newRow("blank and percent") << "Tera Term 100%";
    QTest::newRow("quote, dollar and backslash") << "Tera\"Term$HOME\\x";
}

void TestLauncherLink::autoStart()
{
    QFETCH(QString, folderName);
    const QString here = m_folder->filePath(folderName);
    const QString moved = m_folder->filePath(folderName + QStringLiteral(" moved"));
    QVERIFY(QDir().mkpath(here));
    QVERIFY(QDir().mkpath(moved));
    AppPaths::setProgramDir(here);

    QVERIFY(!IsAutoStartOn());
    QVERIFY(SetAutoStart(true, m_prompter));
    QVERIFY(IsAutoStartOn());

    // The launcher moved: the entry names another copy, so it shows as off here.
    AppPaths::setProgramDir(moved);
    QVERIFY(!IsAutoStartOn());
    QVERIFY(SetAutoStart(true, m_prompter));
    QVERIFY(IsAutoStartOn());
    AppPaths::setProgramDir(here);
    QVERIFY(!IsAutoStartOn());

    QVERIFY(SetAutoStart(false, m_prompter));
    AppPaths::setProgramDir(moved);
    QVERIFY(!IsAutoStartOn());
    QVERIFY(SetAutoStart(false, m_prompter));   // already off
}

void TestLauncherLink::saveSettingsAndNotify()
{
    WindowMessages messages;
    if (!messages.isConnected())
        QSKIP("no session bus; scripts/test runs the suite under dbus-run-session");
    QSignalSpy spy(&messages, &WindowMessages::received);
    // The session bus is shared with other tests: only this process's messages count.
    const auto names = [&] {
        QStringList out;
        for (const QList<QVariant> &args : spy)
            if (messages.isOwn(args.at(3).toString()))
                out << args.at(0).toString();
        return out;
    };

    ProgramOptions options = LoadSettings(*m_registry, LoadEnvironment());
    options.VarName = QStringLiteral("Ann");
    QVERIFY(SaveSettingsAndNotify(*m_registry, options, SaveEnvironment(), messages));
    QCOMPARE(m_registry->readString(ProgramRegHive, ProgramRegKey, QStringLiteral("VarName")),
             std::optional<QString>(QStringLiteral("Ann")));
    QTRY_COMPARE(names(), QStringList{SettingsChangedMessage});

    // A refused save changes nothing the launcher would reload: no message. The marker,
    // sent after, shows that nothing came before it.
    QVERIFY(m_folder->write(QStringLiteral("blocker"), "a file, not a folder"));
    Registry broken(m_folder->filePath(QStringLiteral("blocker/registry.sqlite3")));
    QVERIFY(!broken.isOpen());
    spy.clear();
    QVERIFY(!SaveSettingsAndNotify(broken, options, SaveEnvironment(), messages));
    QVERIFY(messages.broadcast(QStringLiteral("marker")));
    QTRY_COMPARE(names(), QStringList{"marker"});
}

QTEST_GUILESS_MAIN(TestLauncherLink)
#include "tst_launcherlink.moc"
