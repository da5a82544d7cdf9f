#include "platform/AutoStart.h"
#include "support/FileBytes.h"
#include "support/ScopedEnv.h"

#include <QDir>
#include <QFile>
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
