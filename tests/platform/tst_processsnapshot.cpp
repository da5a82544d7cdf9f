#include "platform/ProcessSnapshot.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// One made-up process folder: its command name, its executable (a link, dangling as for
// other users' processes) and its arguments.
struct FakeProcess
{
    QString folder;
    QByteArray comm;
    QString exe;
    QList<QByteArray> arguments;
};

bool writeProcess(const QDir &root, const FakeProcess &p)
{
    if (!root.mkdir(p.folder))
        return false;
    const QDir dir(root.filePath(p.folder));
    if (!p.comm.isNull() && !WriteFileBytes(dir.filePath("comm"), p.comm + '\n'))
        return false;
    if (!p.exe.isEmpty() && !QFile::link(p.exe, dir.filePath("exe")))
        return false;
    QByteArray cmdline;
    for (const QByteArray &a : p.arguments)
        cmdline += a + '\0';
    return p.arguments.isEmpty() || WriteFileBytes(dir.filePath("cmdline"), cmdline);
}

} // namespace

Q_DECLARE_METATYPE(FakeProcess)

class TestProcessSnapshot : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { ProcessSnapshot::setRootForTesting(QString()); }

    void findsTeraTermByAnyOfItsNames_data()
    {
        QTest::addColumn<FakeProcess>("process");
        QTest::addColumn<bool>("running");
        QTest::newRow("command name") << FakeProcess{"17", "ttermpro.exe", {}, {}} << true;
        QTest::newRow("command name in capitals") << FakeProcess{"17", "TTERMPRO.EXE", {}, {}} << true;
        QTest::newRow("executable")
            << FakeProcess{"17", {}, "/opt/Tera Term/TtermPro.exe", {}} << true;
        QTest::newRow("under Wine")
            << FakeProcess{"4242", "wine64-preload", "/usr/lib/wine/wine64-preloader",
                           {"C:\\Program Files\\teraterm\\ttermpro.exe", "/M=x.ttl"}}
            << true;
        QTest::newRow("started by its loader")
            << FakeProcess{"4242", "wine64", "/usr/lib/wine/wine64",
                           {"wine64", "/home/u/.wine/drive_c/teraterm/TTERMPRO.exe"}}
            << true;
        QTest::newRow("by the preloader")
            << FakeProcess{"4242", "wine64-preload", "/usr/lib/wine/wine64-preloader",
                           {"/usr/lib/wine/wine64-preloader", "C:\\teraterm\\ttermpro.exe"}}
            << true;
        QTest::newRow("a script started as itself")
            << FakeProcess{"99", "ttermpro.exe", "/usr/bin/dash", {"/bin/sh", "/tt/ttermpro.exe", "/F=a"}}
            << true;
        // Only a loader's argument is the program that runs: any other program's arguments
        // are files it works on.
        QTest::newRow("a file handed to the shell")
            << FakeProcess{"99", "sh", "/usr/bin/dash", {"/bin/sh", "/tt/ttermpro.exe", "/F=a"}}
            << false;
        QTest::newRow("a file shown by a pager")
            << FakeProcess{"99", "less", "/usr/bin/less", {"less", "ttermpro.exe"}} << false;
        QTest::newRow("a file edited")
            << FakeProcess{"99", "vim", "/usr/bin/vim", {"vim", "/home/u/.wine/drive_c/teraterm/ttermpro.exe"}}
            << false;
        QTest::newRow("a loader's later argument")
            << FakeProcess{"99", "wine", "/usr/bin/wine", {"wine", "notepad.exe", "ttermpro.exe"}} << false;
        QTest::newRow("named only as a later argument")
            << FakeProcess{"99", "vim", "/usr/bin/vim", {"vim", "-R", "ttermpro.exe"}} << false;
        QTest::newRow("a longer name")
            << FakeProcess{"99", "ttermpro.exe.bak", "/x/xttermpro.exe", {"/x/ttermpro.exe2"}}
            << false;
        QTest::newRow("a folder that is no process")
            << FakeProcess{"self", "ttermpro.exe", {}, {"ttermpro.exe"}} << false;
        QTest::newRow("nothing readable") << FakeProcess{"5", {}, {}, {}} << false;
    }

    void findsTeraTermByAnyOfItsNames()
    {
        QFETCH(FakeProcess, process);
        QFETCH(bool, running);
        QTemporaryDir root;
        QVERIFY(writeProcess(QDir(root.path()), FakeProcess{"1", "systemd", "/usr/lib/systemd/systemd",
                                                            {"/sbin/init", "splash"}}));
        QVERIFY(writeProcess(QDir(root.path()), process));
        ProcessSnapshot::setRootForTesting(root.path());
        QCOMPARE(ProcessSnapshot::IsProcessRunning("TTERMPRO.EXE"), running);
    }

    // Real processes: a program file named ttermpro.exe started as itself is TeraTerm (the
    // kernel names it so even when it is a script); the same file handed to another program
    // is that program's file.
    void seesARealProcess_data()
    {
        QTest::addColumn<QString>("program");     // empty: the file itself
        QTest::addColumn<bool>("running");
        QTest::newRow("started as itself") << QString() << true;
        QTest::newRow("read by the shell") << "/bin/sh" << false;
    }
    void seesARealProcess()
    {
        QFETCH(QString, program);
        QFETCH(bool, running);
        QTemporaryDir dir;
        const QString exe = dir.filePath("TTermPro.exe");
        QVERIFY(WriteFileBytes(exe, "#!/bin/sh\nsleep 60\n"));
        QVERIFY(QFile::setPermissions(exe, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QProcess process;
        if (program.isEmpty())
            process.start(exe, {});
        else
            process.start(program, {exe});
        QVERIFY(process.waitForStarted());
        const QStringList names =
            ProcessSnapshot::ProcessEntryExeNames(QStringLiteral("/proc/%1").arg(process.processId()));
        // The whole table may hold other tests' stand-ins (they run in parallel), so only a
        // process that should be seen is looked for there.
        const bool seen = ProcessSnapshot::IsProcessRunning("ttermpro.exe");
        process.kill();
        process.waitForFinished();
        if (running)
            QVERIFY(seen);
        QCOMPARE(names.contains("TTermPro.exe"), running);
    }
};

QTEST_GUILESS_MAIN(TestProcessSnapshot)
#include "tst_processsnapshot.moc"
