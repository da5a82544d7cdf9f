#include "platform/AutoStart.h"
#include "platform/ResolvedPath.h"
#include "support/FakeMachine.h"
#include "support/FileBytes.h"
#include "support/ScopedEnv.h"
#include "support/WinePrefixLayout.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestAutoStart : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_config;

    bool writeEntry(const QByteArray &bytes)
    {
        QDir().mkpath(m_config.filePath("autostart"));
        return WriteFileBytes(AutoStart::entryPath(), bytes);
    }

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        QCOMPARE(AutoStart::entryPath(), m_config.filePath("autostart/Wexmora.desktop"));
    }
    void cleanup() { QFile::remove(AutoStart::entryPath()); }

    void awkwardPathsRoundTrip_data()
    {
        QTest::addColumn<QString>("launcher");
        QTest::addColumn<QString>("execValue");  // as the file holds it
        QTest::newRow("plain") << "/opt/w/Wexmora.exe" << R"("/opt/w/Wexmora.exe")";
        QTest::newRow("blank") << "/home/a b/Tera Term/Wexmora.exe"
                               << R"("/home/a b/Tera Term/Wexmora.exe")";
        QTest::newRow("quote") << R"(/x/"q"/Wexmora.exe)" << R"("/x/\\"q\\"/Wexmora.exe")";
        QTest::newRow("percent") << "/x/100%/%f %%u.exe" << R"("/x/100%%/%%f %%%%u.exe")";
        QTest::newRow("dollar, backtick") << "/x/$HOME/`id`.exe" << R"("/x/\\$HOME/\\`id\\`.exe")";
        QTest::newRow("backslash") << R"(/x/a\b\\c.exe)" << R"("/x/a\\\\b\\\\\\\\c.exe")";
        QTest::newRow("semicolon, ampersand") << "/x/a;b&c|d.exe" << R"("/x/a;b&c|d.exe")";
        QTest::newRow("line end, tab") << "/x/a\nb\tc.exe" << R"("/x/a\nb\tc.exe")";
        QTest::newRow("non-ASCII") << "/x/Größe €/Wexmora.exe" << R"("/x/Größe €/Wexmora.exe")";
    }
    void awkwardPathsRoundTrip()
    {
        QFETCH(QString, launcher);
        QFETCH(QString, execValue);
        QVERIFY(!AutoStart::isOn(launcher));
        QVERIFY(AutoStart::setOn(launcher, true));
        QVERIFY(AutoStart::isOn(launcher));
        QFile file(AutoStart::entryPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("[Desktop Entry]\n"));
        QVERIFY(bytes.contains("\nType=Application\n"));
        QVERIFY2(bytes.contains("\nExec=" + execValue.toUtf8() + "\n"), bytes.constData());
        file.close();
        QVERIFY(AutoStart::setOn(launcher, false));
        QVERIFY(!QFile::exists(AutoStart::entryPath()));
        QVERIFY(!AutoStart::isOn(launcher));
        QVERIFY(AutoStart::setOn(launcher, false));  // off already
    }

    void onOnlyForExactlyThisLauncher_data()
    {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<bool>("on");
        const QByteArray head = "[Desktop Entry]\nType=Application\nName=Wexmora\n";
        QTest::newRow("ours") << head + "Exec=\"/opt/w/Wexmora.exe\"\n" << true;
        QTest::newRow("unquoted, with arguments") << head + "Exec=/opt/w/Wexmora.exe --tray %U\n"
                                                  << true;
        QTest::newRow("hidden") << head + "Exec=\"/opt/w/Wexmora.exe\"\nHidden=true\n" << false;
        QTest::newRow("not hidden") << head + "Hidden=false\nExec=\"/opt/w/Wexmora.exe\"\n"
                                    << true;
        QTest::newRow("other folder") << head + "Exec=\"/old/w/Wexmora.exe\"\n" << false;
        QTest::newRow("other case") << head + "Exec=\"/opt/w/wexmora.exe\"\n" << false;
        QTest::newRow("longer name") << head + "Exec=\"/opt/w/Wexmora.exe.old\"\n" << false;
        QTest::newRow("prefix of a quoted path")
            << head + "Exec=\"/opt/w/Wexmora.exe\"x\n" << false;
        QTest::newRow("unclosed quote") << head + "Exec=\"/opt/w/Wexmora.exe\n" << false;
        QTest::newRow("other group") << QByteArray("[Other]\nExec=/opt/w/Wexmora.exe\n") << false;
        QTest::newRow("no Exec") << head << false;
        QTest::newRow("CR LF") << QByteArray("[Desktop Entry]\r\nExec=/opt/w/Wexmora.exe\r\n")
                               << true;
    }
    void onOnlyForExactlyThisLauncher()
    {
        QFETCH(QByteArray, entry);
        QFETCH(bool, on);
        QVERIFY(writeEntry(entry));
        QCOMPARE(AutoStart::isOn("/opt/w/Wexmora.exe"), on);
    }

    void turningOnReplacesAnOlderEntry()
    {
        QVERIFY(writeEntry("[Desktop Entry]\nExec=\"/old/w/Wexmora.exe\"\nHidden=true\n"));
        QVERIFY(AutoStart::setOn("/opt/w/Wexmora.exe", true));
        QVERIFY(AutoStart::isOn("/opt/w/Wexmora.exe"));
        QVERIFY(!AutoStart::isOn("/old/w/Wexmora.exe"));
        QVERIFY(!AutoStart::isOn(QString()));
        QVERIFY(!AutoStart::setOn(QString(), true));
    }

    // A Windows launcher in a prefix starts at log-on through Wine in that prefix. The entry
    // is run the way a desktop runs it (GLib's launcher, as GNOME's and Xfce's sessions do),
    // with nothing set but a PATH: the recorded start is what the desktop does.
    void windowsLauncherStartsThroughWineAtLogOn_data()
    {
        QTest::addColumn<QString>("prefixName");
        QTest::newRow("plain") << ".wine";
        QTest::newRow("blank and percent") << "wine prefix 100%";
        QTest::newRow("quote, dollar, backtick and backslash") << "p\"$HOME`id`\\x";
    }
    void windowsLauncherStartsThroughWineAtLogOn()
    {
        QFETCH(QString, prefixName);
        QTemporaryDir dir;
        const QString record = dir.filePath("started");
        const FakeMachine machine(dir.filePath("root"), {});
        QVERIFY(machine.isReady());
        const QString wine = machine.file("/usr/bin/wine");
        QVERIFY(QDir().mkpath(QFileInfo(wine).path()));
        QVERIFY(WriteFileBytes(wine, "#!/bin/sh\nprintf '%s\\n' \"WINEPREFIX=$WINEPREFIX\" \"$@\" > '"
                                         + QFile::encodeName(record) + "'\n"));
        QVERIFY(QFile::setPermissions(wine, QFile::permissions(wine) | QFileDevice::ExeOwner));
        const QString prefix = dir.filePath(prefixName);
        QVERIFY(MakeWinePrefixLayout(prefix));
        const QString launcher = prefix + "/drive_c/Program Files (x86)/teraterm/Wexmora.exe";
        QVERIFY(WriteWindowsExecutable(launcher));

        QVERIFY(AutoStart::setOn(launcher, true));
        QVERIFY(AutoStart::isOn(launcher));
        QCOMPARE(AutoStart::startedCommand(ReadFileBytes(AutoStart::entryPath())),
                 (QStringList{"env", "WINEPREFIX=" + ResolvedPath(prefix), wine, launcher}));

        const QString gio = QStandardPaths::findExecutable("gio", {"/usr/bin", "/bin"});
        QVERIFY2(!gio.isEmpty(), "gio (Debian: libglib2.0-bin) runs the entry as a desktop does");
        QProcess desktop;
        QProcessEnvironment bare;
        bare.insert("PATH", "/usr/bin:/bin");
        desktop.setProcessEnvironment(bare);
        desktop.start(gio, {"launch", AutoStart::entryPath()});
        QVERIFY(desktop.waitForFinished());
        QCOMPARE(desktop.exitCode(), 0);
        QTRY_COMPARE(QString::fromUtf8(ReadFileBytes(record)),
                     "WINEPREFIX=" + ResolvedPath(prefix) + "\n" + launcher + "\n");
    }

    // Read back, an entry counts as the launcher's when it would start the launcher: a
    // Windows launcher only through Wine (an older entry that names it alone fails at every
    // log-on), a native one only as itself.
    void onOnlyWhenTheEntryStartsTheLauncher_data()
    {
        QTest::addColumn<bool>("windowsLauncher");
        QTest::addColumn<QByteArray>("exec");   // %1: the launcher, quoted
        QTest::addColumn<bool>("on");
        QTest::newRow("Windows, through Wine in its prefix") << true << QByteArray("env \"WINEPREFIX=/p\" \"/usr/bin/wine\" %1") << true;
        QTest::newRow("Windows, through wine64") << true << QByteArray("/usr/lib/wine/wine64 %1 %U") << true;
        QTest::newRow("Windows, through wine-stable, env unquoted") << true << QByteArray("env WINEPREFIX=/p LANG=C wine-stable %1") << true;
        QTest::newRow("Windows, named alone") << true << QByteArray("%1") << false;
        QTest::newRow("Windows, through another program") << true << QByteArray("env WINEPREFIX=/p /usr/bin/mono %1") << false;
        QTest::newRow("Windows, another file through Wine") << true << QByteArray("wine \"/p/Other.exe\"") << false;
        QTest::newRow("Windows, env alone") << true << QByteArray("env WINEPREFIX=/p") << false;
        QTest::newRow("native, alone") << false << QByteArray("%1") << true;
        QTest::newRow("native, through Wine") << false << QByteArray("wine %1") << false;
        QTest::newRow("native, after env") << false << QByteArray("env A=1 %1 --tray") << true;
    }
    void onOnlyWhenTheEntryStartsTheLauncher()
    {
        QFETCH(bool, windowsLauncher);
        QFETCH(QByteArray, exec);
        QFETCH(bool, on);
        QTemporaryDir dir;
        const QString launcher = dir.filePath("tera term/Wexmora.exe");
        QVERIFY(QDir().mkpath(dir.filePath("tera term")));
        QVERIFY(windowsLauncher ? WriteWindowsExecutable(launcher) : WriteFileBytes(launcher, "#!/bin/sh\n"));
        QVERIFY(writeEntry("[Desktop Entry]\nType=Application\nExec="
                           + exec.replace("%1", AutoStart::quoteExecArgument(launcher).toUtf8()) + "\n"));
        QCOMPARE(AutoStart::isOn(launcher), on);
    }

    // With no Wine here to run it, a Windows launcher gets no entry that would fail at log-on.
    void noEntryWhenNoWineRunsTheLauncher()
    {
        QTemporaryDir dir;
        const FakeMachine machine(dir.filePath("root"), FakeMachine::debian(false, true));
        QVERIFY(machine.isReady());
        const QString launcher = dir.filePath("tt/Wexmora.exe");
        QVERIFY(WriteWindowsExecutable(launcher, PeI386));
        QVERIFY(!AutoStart::setOn(launcher, true));
        QVERIFY(!QFile::exists(AutoStart::entryPath()));
        QVERIFY(!AutoStart::isOn(launcher));
    }

    void unwritableConfigFails()
    {
        ScopedEnv config("XDG_CONFIG_HOME");
        QTemporaryDir dir;
        QFile blocker(dir.filePath("file"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        config.set(QFile::encodeName(dir.filePath("file")));
        QVERIFY(!AutoStart::setOn("/opt/w/Wexmora.exe", true));
        QVERIFY(!AutoStart::isOn("/opt/w/Wexmora.exe"));
    }
};

QTEST_GUILESS_MAIN(TestAutoStart)
#include "tst_autostart.moc"
