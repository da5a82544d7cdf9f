#include "platform/DesktopFileTypes.h"
#include "platform/Registry.h"
#include "platform/ShellOpen.h"
#include "support/FileBytes.h"
#include "support/ScopedEnv.h"
#include "support/TempUserDirs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using Hive = Registry::Hive;

namespace {

const DesktopFileTypes::Handler kHandler{QStringLiteral("/opt/Tera Term/Vurozezi.exe"),
                                         QStringLiteral("Open"), QStringLiteral("Wexmora")};

void associate(Registry &reg, const QString &ext, const QString &type, const QString &command)
{
    reg.writeString(Hive::ClassesRoot, ext, "", type);
    reg.writeString(Hive::ClassesRoot, type, "", "Wexmora File");
    reg.writeString(Hive::ClassesRoot, type + "\\Shell\\Open\\Command", "", command);
}

// Runs a tool of the desktop and answers its exit code, or -1 when it could not run.
int run(const QString &tool, const QStringList &args, QByteArray *output = nullptr)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStandardPaths::findExecutable(tool), args);
    if (!p.waitForFinished(60000))
        return -1;
    if (output)
        *output = p.readAll();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

} // namespace

class TestDesktopFileTypes : public QObject
{
    Q_OBJECT

private:
    QStringList m_started;

private Q_SLOTS:
    void init()
    {
        m_started.clear();
        ShellOpen::setStarterForTesting([this](const StartCommand &command) {
            m_started << QFileInfo(command.program).fileName() + ' ' + command.arguments.join(' ');
            return true;
        });
    }
    void cleanup() { ShellOpen::setStarterForTesting({}); }

    void commandRuns_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("runs");
        QTest::newRow("plain path with blanks") << "/opt/Tera Term/Vurozezi.exe \"%1\"" << true;
        QTest::newRow("quoted path") << "\"/opt/Tera Term/Vurozezi.exe\" \"%1\"" << true;
        QTest::newRow("no argument") << "/opt/Tera Term/Vurozezi.exe" << true;
        QTest::newRow("longer name") << "/opt/Tera Term/Vurozezi.exe2 %1" << false;
        QTest::newRow("other program") << "/usr/bin/other %1" << false;
        QTest::newRow("other letter case") << "/opt/tera term/Vurozezi.exe %1" << false;
        QTest::newRow("empty") << "" << false;
    }
    void commandRuns()
    {
        QFETCH(QString, command);
        QFETCH(bool, runs);
        QCOMPARE(DesktopFileTypes::commandRuns(command, kHandler.program), runs);
        QVERIFY(!DesktopFileTypes::commandRuns(command, QString()));
    }

    // The files written are what the desktop's own tools accept.
    void desktopToolsAcceptTheFiles()
    {
        TempUserDirs dirs;
        const auto reg = dirs.freshRegistry();
        associate(*reg, ".QDZ", "QDZfile", kHandler.program + " \"%1\"");
        reg->writeString(Hive::ClassesRoot, ".QD2", "", "QDZfile");
        QVERIFY(DesktopFileTypes::follow(*reg, kHandler));

        const QString mimeDir = dirs.path() + "/data/mime";
        QByteArray output;
        QCOMPARE(run("update-mime-database", {mimeDir}, &output), 0);
        const QByteArray globs = ReadFileBytes(mimeDir + "/globs2");
        QVERIFY2(globs.contains(":application/x-qdzfile:*.qdz\n"), globs.constData());
        QVERIFY2(globs.contains(":application/x-qdzfile:*.qd2\n"), globs.constData());
        const QString entry = DesktopFileTypes::desktopEntryPath("QDZfile");
        QCOMPARE(run("desktop-file-validate", {entry}, &output), 0);
        QVERIFY2(output.trimmed().isEmpty(), output.constData());
    }

    void cacheToolsRunOnlyWhenInstalledAndNeeded()
    {
        TempUserDirs dirs;
        const auto reg = dirs.freshRegistry();
        ScopedEnv path("PATH");
        const QString bin = dirs.path() + "/bin";
        QVERIFY(QDir().mkpath(bin));
        path.set(QFile::encodeName(bin));

        associate(*reg, ".QDZ", "QDZfile", kHandler.program + " %1");
        QVERIFY(DesktopFileTypes::follow(*reg, kHandler));  // no tools: nothing fails
        QCOMPARE(m_started, QStringList());

        QVERIFY(WriteFileBytes(bin + "/update-mime-database", "#!/bin/sh\n"));
        QVERIFY(QFile::setPermissions(bin + "/update-mime-database", QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY(DesktopFileTypes::follow(*reg, kHandler));
        QCOMPARE(m_started, QStringList());  // nothing changed

        reg->deleteKey(Hive::ClassesRoot, ".QDZ");
        QVERIFY(DesktopFileTypes::follow(*reg, kHandler));
        QCOMPARE(m_started, QStringList({"update-mime-database " + dirs.path() + "/data/mime"}));
    }

    void onlyTheProgramsOwnTypesAreShown()
    {
        TempUserDirs dirs;
        const auto reg = dirs.freshRegistry();
        associate(*reg, ".TXT", "txtfile", "/usr/bin/editor \"%1\"");
        associate(*reg, ".QDZ", "QDZfile", kHandler.program + " \"%1\"");
        reg->writeString(Hive::ClassesRoot, ".BAD", "", "\\");  // names the root
        reg->writeString(Hive::ClassesRoot, ".A*B", "", "QDZfile");  // no glob can hold it
        QVERIFY(DesktopFileTypes::follow(*reg, kHandler));
        const QStringList entries = QDir(dirs.path() + "/data/applications").entryList(QDir::Files);
        QCOMPARE(entries, QStringList{"wexmora-type-qdzfile.desktop"});
        const QByteArray xml = ReadFileBytes(DesktopFileTypes::packagePath("QDZfile"));
        QCOMPARE(xml.count("<glob "), 1);
    }

    void leftoversOfAnEarlierRunGo()
    {
        TempUserDirs dirs;
        const auto reg = dirs.freshRegistry();
        const QString entry = DesktopFileTypes::desktopEntryPath("Gone");
        const QString package = DesktopFileTypes::packagePath("Gone");
        QVERIFY(QDir().mkpath(QFileInfo(entry).path()));
        QVERIFY(QDir().mkpath(QFileInfo(package).path()));
        QVERIFY(WriteFileBytes(entry, "[Desktop Entry]\nX-Wexmora-Previous-Default=old.desktop;\n"));
        QVERIFY(WriteFileBytes(package, "<mime-info/>"));
        QVERIFY(QDir().mkpath(QFileInfo(DesktopFileTypes::mimeAppsPath()).path()));
        QVERIFY(WriteFileBytes(DesktopFileTypes::mimeAppsPath(),
                               "[Default Applications]\napplication/x-gone=wexmora-type-gone.desktop;\n"));
        QVERIFY(DesktopFileTypes::follow(*reg, kHandler));
        QVERIFY(!QFileInfo::exists(entry));
        QVERIFY(!QFileInfo::exists(package));
        QCOMPARE(ReadFileBytes(DesktopFileTypes::mimeAppsPath()),
                 QByteArray("[Default Applications]\napplication/x-gone=old.desktop;\n"));
    }

    void names_data()
    {
        QTest::addColumn<QString>("typeKey");
        QTest::addColumn<QString>("mimeType");
        QTest::addColumn<QString>("desktopFile");
        QTest::newRow("plain") << "QDZfile" << "application/x-qdzfile" << "wexmora-type-qdzfile.desktop";
        QTest::newRow("odd characters") << "My Type_1/2" << "application/x-my-type-1-2"
                                        << "wexmora-type-my-type-1-2.desktop";
        QTest::newRow("kept punctuation") << "a.b+c-d" << "application/x-a.b+c-d" << "wexmora-type-a.b+c-d.desktop";
    }
    void names()
    {
        QFETCH(QString, typeKey);
        QFETCH(QString, mimeType);
        QFETCH(QString, desktopFile);
        QCOMPARE(DesktopFileTypes::mimeTypeForClass(typeKey), mimeType);
        QCOMPARE(DesktopFileTypes::desktopFileForClass(typeKey), desktopFile);
    }
};

QTEST_GUILESS_MAIN(TestDesktopFileTypes)
#include "tst_desktopfiletypes.moc"
