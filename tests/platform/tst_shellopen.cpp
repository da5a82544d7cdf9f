#include "platform/ShellOpen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Start
{
    QString program;
    QStringList arguments;
    QString workingDirectory;
};

// A program that writes its working directory and each argument, NUL-terminated, to the file
// named by its first argument, then renames it into place so the reader sees it whole.
const char kRecorder[] = "#!/bin/sh\n"
                         "out=$1\n"
                         "shift\n"
                         "{ pwd; printf '\\0'; for a in \"$@\"; do printf '%s\\0' \"$a\"; done; }"
                         " > \"$out.part\"\n"
                         "mv \"$out.part\" \"$out\"\n";

} // namespace

class TestShellOpen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup()
    {
        ShellOpen::setStarterForTesting({});
        ShellOpen::setOpenerForTesting({});
    }

    void detachedProgramGetsItsArgumentsExactly()
    {
        QTemporaryDir dir;
        // The program's own path is awkward too.
        const QString program = dir.filePath("Tera Term $HOME;\"x\"/ttermpro.exe");
        QVERIFY(QDir().mkpath(QFileInfo(program).path()));
        QFile script(program);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(kRecorder);
        script.close();
        QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const QString work = dir.filePath("work dir 'q'");
        QVERIFY(QDir().mkpath(work));

        const QString out = dir.filePath("args");
        const QStringList args{"/F=\"/tmp/a b/teraterm.ini\"", "", "  ", "$HOME", "`id`",
                               "a;b && c | d > e", "'single' \"double\" \\back\\",
                               "line\nbreak", "*", "%1 %%", "-x", "é€"};
        QVERIFY(ShellOpen::startDetached(program, QStringList{out} + args, work));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(out), 30000);
        QFile result(out);
        QVERIFY(result.open(QIODevice::ReadOnly));
        QList<QByteArray> got = result.readAll().split('\0');
        QCOMPARE(got.takeLast(), QByteArray());  // after the last terminator
        QCOMPARE(QString::fromUtf8(got.takeFirst()).trimmed(), work);
        QStringList received;
        for (const QByteArray &a : std::as_const(got))
            received << QString::fromUtf8(a);
        QCOMPARE(received, args);
    }

    void commandsCarryTheirEnvironment()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath("env");
        StartCommand command{"/bin/sh",
                             {"-c", "printf '%s|%s' \"$WINEPREFIX\" \"$HOME\" > \"$1.part\"; mv \"$1.part\" \"$1\"", "sh", out},
                             dir.path(),
                             {{"WINEPREFIX", "/home/u/.wine drive"}}};
        QVERIFY(ShellOpen::run(command));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(out), 30000);
        QFile result(out);
        QVERIFY(result.open(QIODevice::ReadOnly));
        // Set on top of the rest of ours, which the program keeps.
        QCOMPARE(result.readAll(), "/home/u/.wine drive|" + qgetenv("HOME"));
    }

    void failedStartsAnswerFalse()
    {
        QTemporaryDir dir;
        QVERIFY(!ShellOpen::startDetached(dir.filePath("missing.exe"), {}));
        QVERIFY(!ShellOpen::startDetached(QString(), {}));
        QVERIFY(!ShellOpen::openDocument(QString()));
    }

    void starterHookSeesEveryStart()
    {
        QList<Start> starts;
        bool answer = false;
        ShellOpen::setStarterForTesting([&](const StartCommand &command) {
            starts.append({command.program, command.arguments, command.workingDirectory});
            return answer;
        });
        QVERIFY(!ShellOpen::startDetached("/opt/w/Wexmora.exe", {}, QString()));
        answer = true;
        QVERIFY(ShellOpen::startDetached("ttermpro.exe", {"/M=\"a b.ttl\""}, "/opt/w"));
        QCOMPARE(starts.size(), 2);
        QCOMPARE(starts.at(0).program, QStringLiteral("/opt/w/Wexmora.exe"));
        QVERIFY(starts.at(0).arguments.isEmpty());
        QCOMPARE(starts.at(1).arguments, QStringList{"/M=\"a b.ttl\""});
        QCOMPARE(starts.at(1).workingDirectory, QStringLiteral("/opt/w"));
    }

    // Without an opener hook, documents go to xdg-open through the starter.
    void documentsGoToTheDesktopOpener_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("passed");
        QTest::newRow("url") << "https://example.org/a?b=c" << "https://example.org/a?b=c";
        QTest::newRow("absolute path") << "/opt/w/Wexmora.hlp" << "/opt/w/Wexmora.hlp";
        QTest::newRow("relative path like an option")
            << "--help" << QDir::current().absoluteFilePath("--help");
    }
    void documentsGoToTheDesktopOpener()
    {
        QFETCH(QString, target);
        QFETCH(QString, passed);
        QList<Start> starts;
        ShellOpen::setStarterForTesting([&](const StartCommand &command) {
            starts.append({command.program, command.arguments, command.workingDirectory});
            return true;
        });
        QVERIFY(ShellOpen::openDocument(target));
        QCOMPARE(starts.size(), 1);
        QCOMPARE(starts.at(0).program, QStringLiteral("xdg-open"));
        QCOMPARE(starts.at(0).arguments, QStringList{passed});
    }

    void openerHookReplacesTheDesktop()
    {
        QStringList opened;
        int starts = 0;
        ShellOpen::setStarterForTesting([&](const StartCommand &) {
            ++starts;
            return true;
        });
        ShellOpen::setOpenerForTesting([&](const QString &target) {
            opened << target;
            return false;
        });
        QVERIFY(!ShellOpen::openDocument("/opt/w/Wexmora.hlp"));
        QCOMPARE(opened, QStringList{"/opt/w/Wexmora.hlp"});
        QCOMPARE(starts, 0);
        ShellOpen::setOpenerForTesting({});
        QVERIFY(ShellOpen::openDocument("/opt/w/Wexmora.hlp"));
        QCOMPARE(starts, 1);
    }
};

QTEST_GUILESS_MAIN(TestShellOpen)
#include "tst_shellopen.moc"
