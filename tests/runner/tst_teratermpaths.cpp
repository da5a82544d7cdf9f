#include "platform/AppPaths.h"
#include "runner/TeraTermPaths.h"
#include "support/FileBytes.h"
#include "support/ScopedEnv.h"
#include "support/WinePrefixLayout.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestTeraTermPaths : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { AppPaths::setProgramDir(QString()); }

    void namesFilesAsTeraTermSeesThem_data()
    {
        QTest::addColumn<QString>("folder");       // the program folder, under the temp folder
        QTest::addColumn<bool>("windowsTeraTerm"); // else the build's stand-in script
        QTest::addColumn<QString>("ttDir");        // "<dir>" is the program folder as Linux names it
        QTest::addColumn<QString>("macroFile");
        QTest::addColumn<QString>("noFolder");     // a folder that could not be made

        QTest::newRow("Windows TeraTerm on drive C")
            << "prefix/drive_c/Program Files (x86)/tera term" << true << "C:\\Program Files (x86)\\tera term\\"
            << "C:\\Program Files (x86)\\tera term\\Temp_TTL\\~macroC1.ttl" << "\\";
        QTest::newRow("the stand-in in a prefix")
            << "prefix/drive_c/tt" << false << "<dir>/" << "<dir>/Temp_TTL/~macroC1.ttl" << "/";
        QTest::newRow("Windows TeraTerm outside any prefix")
            << "opt/tt" << true << "<dir>/" << "<dir>/Temp_TTL/~macroC1.ttl" << "/";
    }

    void namesFilesAsTeraTermSeesThem()
    {
        QFETCH(QString, folder);
        QFETCH(bool, windowsTeraTerm);
        QFETCH(QString, ttDir);
        QFETCH(QString, macroFile);
        QFETCH(QString, noFolder);
        QTemporaryDir dir;
        ScopedEnv windir("WINDIR");
        windir.set("/opt/win");
        QVERIFY(MakeWinePrefixLayout(dir.filePath(QStringLiteral("prefix"))));
        const QString programDir = dir.filePath(folder);
        QVERIFY(QDir().mkpath(programDir));
        AppPaths::setProgramDir(programDir);
        const QString exe = AppFilePath(QStringLiteral("ttermpro.exe"));
        QVERIFY(windowsTeraTerm ? WriteWindowsExecutable(exe) : WriteFileBytes(exe, "#!/bin/sh\n"));

        const TeraTermPaths paths = TeraTermPaths::forProgramFolder();
        const bool throughWine = !ttDir.startsWith(QLatin1String("<dir>"));
        QCOMPARE(paths.throughWine(), throughWine);
        QCOMPARE(paths.folder(AppFilePath(QString())), std::optional<QString>(QString(ttDir).replace("<dir>", programDir)));
        QCOMPARE(paths.file(AppFilePath(QStringLiteral("Temp_TTL/~macroC1.ttl"))),
                 std::optional<QString>(QString(macroFile).replace("<dir>", programDir)));
        QCOMPARE(paths.folder(QString()), std::optional<QString>(noFolder));
        QCOMPARE(paths.windowsDir(), throughWine ? QByteArray("C:\\windows\\") : QByteArray("/opt/win/"));
        QCOMPARE(paths.bytes(QString::fromUtf8("C:\\tt\\é")), QByteArray("C:\\tt\\\xc3\xa9"));
    }
};

QTEST_GUILESS_MAIN(TestTeraTermPaths)
#include "tst_teratermpaths.moc"
