#include "runner/ProgramFolder.h"

#include "platform/AppPaths.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

class TestProgramFolder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void makesSubfolders()
    {
        TempProgramFolder folder;
        ScriptedPrompter prompter;
        const QString logs = EnsureAppSubdir(QStringLiteral("Logs"), prompter);
        QCOMPARE(logs, folder.path() + QStringLiteral("/Logs"));
        QVERIFY(QFileInfo(logs).isDir());
        QCOMPARE(EnsureAppSubdir(QStringLiteral("Logs"), prompter), logs);
        QVERIFY(prompter.boxes().isEmpty());
        QCOMPARE(AppFilePath(QString()), folder.path() + QLatin1Char('/'));
    }

    void warnsWhenASubfolderCannotBeMade()
    {
        TempProgramFolder folder;
        QVERIFY(folder.write(QStringLiteral("Temp_TTL"), "a file in the way"));
        ScriptedPrompter prompter;
        QCOMPARE(EnsureAppSubdir(QStringLiteral("Temp_TTL"), prompter), QString());
        QCOMPARE(prompter.boxes().size(), 1);
        QCOMPARE(prompter.boxes()[0].kind, Prompter::Kind::Warning);
        QCOMPARE(prompter.boxes()[0].buttons, Prompter::Buttons::Ok);
        QCOMPARE(prompter.boxes()[0].text, QStringLiteral("Cannot create directory") + folder.path() + QStringLiteral("/Temp_TTL"));
        // One level only: a missing parent is not made either.
        prompter.clear();
        QCOMPARE(EnsureAppSubdir(QStringLiteral("a/b"), prompter), QString());
        QCOMPARE(prompter.boxes().size(), 1);
    }

    void checksForTeraTerm()
    {
        TempProgramFolder folder;
        ScriptedPrompter prompter;
        QVERIFY(!CheckTeraTermPresent(prompter));
        QCOMPARE(prompter.boxes().size(), 1);
        QCOMPARE(prompter.boxes()[0].kind, Prompter::Kind::Error);
        QCOMPARE(prompter.boxes()[0].text,
                 QStringLiteral("TTERMPRO.EXE not found.\rPlease move Vurozezi.exe into TeraTerm directory."));
        QVERIFY(QDir().mkpath(folder.filePath(QStringLiteral("ttermpro.exe"))));
        QVERIFY(!CheckTeraTermPresent(prompter));  // a folder of that name is no program
        QVERIFY(QDir().rmdir(folder.filePath(QStringLiteral("ttermpro.exe"))));
        QVERIFY(folder.write(QStringLiteral("ttermpro.exe"), "#!/bin/sh\n"));
        prompter.clear();
        QVERIFY(CheckTeraTermPresent(prompter));
        QVERIFY(prompter.boxes().isEmpty());
        QCOMPARE(TeraTermExePath(), folder.path() + QStringLiteral("/ttermpro.exe"));
    }

    void deletesOnlySlotFiles()
    {
        TempProgramFolder folder;
        for (const char *name : {"~macroC7.ttl", "~TTiniC7.ini", "~MACROC128.TTL", "~ttinic3.INI", "~macroC.ttl",
                                 "~Sites.QDZ", "other.txt", "~macroC1.txt", "macroC2.ttl", ".~macroC5.ttl"})
            QVERIFY(folder.write(QStringLiteral("Temp_TTL/") + QLatin1String(name), "x"));
        QVERIFY(QDir().mkpath(folder.filePath(QStringLiteral("Temp_TTL/~macroC9.ttl"))));
        QVERIFY(folder.write(QStringLiteral("kept.ttl"), "outside"));
        QVERIFY(QFile::link(folder.filePath(QStringLiteral("kept.ttl")), folder.filePath(QStringLiteral("Temp_TTL/~macroC4.ttl"))));
        ScriptedPrompter prompter;
        DeleteTempFiles(prompter);
        QVERIFY(prompter.boxes().isEmpty());
        QDir temp(folder.filePath(QStringLiteral("Temp_TTL")));
        QStringList left = temp.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        left.sort();
        QCOMPARE(left, (QStringList{QStringLiteral(".~macroC5.ttl"), QStringLiteral("macroC2.ttl"), QStringLiteral("other.txt"),
                                    QStringLiteral("~Sites.QDZ"), QStringLiteral("~macroC1.txt"), QStringLiteral("~macroC9.ttl")}));
        // The link went, the file it named stayed.
        QCOMPARE(folder.read(QStringLiteral("kept.ttl")), QByteArray("outside"));
    }

    void deletesNothingWithoutItsFolder()
    {
        TempProgramFolder folder;
        QVERIFY(folder.write(QStringLiteral("Temp_TTL"), "a file in the way"));
        ScriptedPrompter prompter;
        DeleteTempFiles(prompter);
        QCOMPARE(prompter.boxes().size(), 1);
        QCOMPARE(folder.read(QStringLiteral("Temp_TTL")), QByteArray("a file in the way"));
    }
};

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"
