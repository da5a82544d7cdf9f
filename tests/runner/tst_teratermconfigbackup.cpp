#include "runner/TeraTermConfigBackup.h"

#include "platform/Registry.h"
#include "shell/ProgramRegKey.h"
#include "support/FakeTableHost.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramFolder.h"
#include "support/TempUserDirs.h"
#include "table/UrlCodec.h"

#include <QDir>
#include <QTest>

#include <memory>

namespace {

const QString BackupTime = QStringLiteral("Wednesday, 09-Dec-2026 09:24:13");

const QByteArray OriginalIni(
    "; TeraTerm settings\r\n"
    "Orphan=1\r\n"
    "[Tera Term]\r\n"
    "VTFont=Terminal,0,-12,255\r\n"
    "  Indented = spaced value\r\n"
    "Removed=gone\r\n"
    "\r\n"
    "[BG]\r\n"
    "BGEnable=on\r\n");

// What the user's TeraTerm holds later: a key changed, one deleted, one added.
const QByteArray LaterIni(
    "; TeraTerm settings\r\n"
    "Orphan=2\r\n"
    "[Tera Term]\r\n"
    "VTFont=Courier,0,-16,255\r\n"
    "  Indented = other\r\n"
    "Added=new\r\n"
    "\r\n"
    "[BG]\r\n"
    "BGEnable=off\r\n");

// A program folder, a registry and a prompter, and the backup routines over them with a
// clock the test sets.
struct Fixture
{
    TempUserDirs dirs;
    std::unique_ptr<Registry> registry = dirs.freshRegistry();
    TempProgramFolder folder;
    FakeTableHost host;
    ScriptedPrompter &prompter = host.scripted;
    QDateTime now = QDateTime(QDate(2026, 12, 9), QTime(9, 24, 13));
    TeraTermConfigBackup backup{folder.path(), *registry, host, [this] { return now; },
                                QLocale(QLocale::English)};

    QString path(const QString &name) const { return QDir::toNativeSeparators(folder.filePath(name)); }
    QByteArray stored(const QString &value) const
    {
        const auto text = registry->readString(ProgramRegHive, ProgramRegKey, value);
        return text ? UrlDecode(text->toUtf8()) : QByteArray("(none)");
    }
    // Writes Bytes as the folder's file Name; null bytes leave the file out.
    void place(const QString &name, const QByteArray &bytes) const
    {
        if (!bytes.isNull())
            folder.write(name, bytes);
    }
    QStringList files() const { return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
};

} // namespace

class TestTeraTermConfigBackup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void backupKeepsTheEntries_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QByteArray>("entries");
        QTest::newRow("lines before any section") << QByteArray("Top=1\r\n; c\r\n[Tera Term]\r\nA=1\r\n")
                                                  << QByteArray("[Tera Term]A=1\r\n");
        QTest::newRow("indented key") << QByteArray("[Tera Term]\r\n   key = value \t\r\n")
                                      << QByteArray("[Tera Term]key = value\r\n");
        QTest::newRow("comments, blank lines, lines without =")
            << QByteArray("[S]\r\n;X=1\r\n  ; Y=2\r\nnoequals\r\n\r\nB=2\r\n") << QByteArray("[S]B=2\r\n");
        QTest::newRow("indented section header") << QByteArray("  [BG] \r\nBGEnable=off\r\n")
                                                 << QByteArray("[BG]BGEnable=off\r\n");
        QTest::newRow("LF line ends, none at the end") << QByteArray("[S]\nA=1\n[T]\nB=2")
                                                       << QByteArray("[S]A=1\r\n[T]B=2\r\n");
        QTest::newRow("bytes beyond ASCII") << QByteArray("[S]\r\nName=Gr\xC3\xBC\xC3\x9F" "e\r\n")
                                            << QByteArray("[S]Name=Gr\xC3\xBC\xC3\x9F" "e\r\n");
        QTest::newRow("empty file") << QByteArray() << QByteArray();
    }
    void backupKeepsTheEntries()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QByteArray, entries);
        Fixture f;
        f.folder.write(QStringLiteral("teraterm.ini"), ini);
        QCOMPARE(f.backup.Backup(), TeraTermConfigBackup::Outcome::Done);
        QCOMPARE(f.stored(QStringLiteral("IniBackup")), BackupTime.toUtf8() + "\r\n" + entries);
        QCOMPARE(f.prompter.texts(), QStringList{"TeraTerm configuration was backed up successfully.\n"
                                                 "Backup time - " + BackupTime});
        QCOMPARE(f.prompter.boxes().first().kind, Prompter::Kind::Information);
    }

    void backupOfCygTerm_data()
    {
        QTest::addColumn<QByteArray>("cygterm");        // null: no file
        QTest::addColumn<QByteArray>("earlier");        // null: nothing stored before
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("file") << QByteArray("SHELL = /bin/bash\nTERM = xterm") << QByteArray()
                              << QByteArray("SHELL = /bin/bash\r\nTERM = xterm\r\n");
        QTest::newRow("empty file over an earlier one") << QByteArray("") << QByteArray("old\r\n") << QByteArray("");
        QTest::newRow("no file keeps the earlier one") << QByteArray() << QByteArray("old\r\n") << QByteArray("old\r\n");
        QTest::newRow("no file and nothing earlier") << QByteArray() << QByteArray() << QByteArray("(none)");
    }
    void backupOfCygTerm()
    {
        QFETCH(QByteArray, cygterm);
        QFETCH(QByteArray, earlier);
        QFETCH(QByteArray, stored);
        Fixture f;
        f.folder.write(QStringLiteral("teraterm.ini"), OriginalIni);
        f.place(QStringLiteral("cygterm.cfg"), cygterm);
        if (!earlier.isNull())
            QVERIFY(f.registry->writeString(ProgramRegHive, ProgramRegKey, QStringLiteral("CygTermBackup"),
                                            QString::fromLatin1(UrlEncode(earlier, true))));
        QCOMPARE(f.backup.Backup(), TeraTermConfigBackup::Outcome::Done);
        QCOMPARE(f.stored(QStringLiteral("CygTermBackup")), stored);
    }

    void backupFailures_data()
    {
        QTest::addColumn<bool>("iniPresent");
        QTest::addColumn<bool>("registryOpens");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no teraterm.ini") << false << true << "Cannot read file <teraterm.ini>.";
        QTest::newRow("registry refuses") << true << false << "Error writing registry.";
    }
    void backupFailures()
    {
        QFETCH(bool, iniPresent);
        QFETCH(bool, registryOpens);
        QFETCH(QString, reason);
        Fixture f;
        f.place(QStringLiteral("teraterm.ini"), iniPresent ? OriginalIni : QByteArray());
        Registry refusing{QString()};   // a store that is not open refuses every write
        Registry &registry = registryOpens ? *f.registry : refusing;
        TeraTermConfigBackup backup(f.folder.path(), registry, f.host, [&] { return f.now; }, QLocale(QLocale::English));

        QCOMPARE(backup.Backup(), TeraTermConfigBackup::Outcome::Failed);
        QCOMPARE(f.prompter.texts(), QStringList{"Failed to back up TeraTerm configuration.\n"
                                                 + reason.replace(QStringLiteral("<teraterm.ini>"), f.path(QStringLiteral("teraterm.ini")))});
        QCOMPARE(f.prompter.boxes().first().kind, Prompter::Kind::Error);
        QVERIFY(!f.registry->keyExists(ProgramRegHive, ProgramRegKey));
    }

    // A deleted key comes back, an added one stays, a changed one takes its stored value
    // (an indented key with the blank after "=" kept), and lines before any section are
    // never touched.
    void restoreWritesTheEntriesBack()
    {
        Fixture f;
        f.folder.write(QStringLiteral("teraterm.ini"), OriginalIni);
        QCOMPARE(f.backup.Backup(), TeraTermConfigBackup::Outcome::Done);
        f.folder.write(QStringLiteral("teraterm.ini"), LaterIni);
        f.now = QDateTime(QDate(2027, 1, 5), QTime(18, 7, 9));
        f.prompter.clear();

        QCOMPARE(f.backup.Restore(), TeraTermConfigBackup::Outcome::Done);
        QCOMPARE(f.folder.read(QStringLiteral("teraterm.ini")),
                 QByteArray("; TeraTerm settings\r\n"
                            "Orphan=2\r\n"
                            "[Tera Term]\r\n"
                            "VTFont=Terminal,0,-12,255\r\n"
                            "  Indented= spaced value\r\n"
                            "Added=new\r\n"
                            "Removed=gone\r\n"
                            "\r\n"
                            "[BG]\r\n"
                            "BGEnable=on\r\n"));
        const QString copy = QStringLiteral("teraterm_05Jan2027_180709.ini");
        QCOMPARE(f.folder.read(copy), LaterIni);
        QCOMPARE(f.prompter.boxes().size(), 2);
        QCOMPARE(f.prompter.boxes().at(0).kind, Prompter::Kind::Confirmation);
        QCOMPARE(f.prompter.boxes().at(0).buttons, Prompter::Buttons::YesNo);
        QCOMPARE(f.prompter.texts().at(0),
                 "Do you want to restore TeraTerm configuration backed up on " + BackupTime
                     + " ?\n\nCopy of current configuration file TeraTerm.ini will be created prior applying changes to it.");
        QCOMPARE(f.prompter.boxes().at(1).kind, Prompter::Kind::Information);
        QCOMPARE(f.prompter.texts().at(1), "Current TeraTerm.ini file was copied into file " + f.path(copy)
                                               + "\n\nTeraTerm configuration from " + BackupTime + " has been restored.");
    }

    void restoreOfCygTerm_data()
    {
        QTest::addColumn<QByteArray>("atBackup");    // null: no file
        QTest::addColumn<QByteArray>("atRestore");   // null: no file
        QTest::addColumn<QByteArray>("restored");
        QTest::newRow("none at either time") << QByteArray() << QByteArray() << QByteArray("");
        QTest::newRow("stored, none now") << QByteArray("a b\r\n") << QByteArray() << QByteArray("a b\r\n");
        QTest::newRow("stored, changed now") << QByteArray("a\r\n") << QByteArray("b\r\n") << QByteArray("a\r\n");
        QTest::newRow("none stored, one now") << QByteArray() << QByteArray("b\r\n") << QByteArray("");
    }
    void restoreOfCygTerm()
    {
        QFETCH(QByteArray, atBackup);
        QFETCH(QByteArray, atRestore);
        QFETCH(QByteArray, restored);
        Fixture f;
        f.folder.write(QStringLiteral("teraterm.ini"), OriginalIni);
        f.place(QStringLiteral("cygterm.cfg"), atBackup);
        QCOMPARE(f.backup.Backup(), TeraTermConfigBackup::Outcome::Done);
        QFile::remove(f.folder.filePath(QStringLiteral("cygterm.cfg")));
        f.place(QStringLiteral("cygterm.cfg"), atRestore);
        f.now = f.now.addSecs(60);

        QCOMPARE(f.backup.Restore(), TeraTermConfigBackup::Outcome::Done);
        QCOMPARE(f.folder.read(QStringLiteral("cygterm.cfg")), restored);
        const QString copy = QStringLiteral("cygterm_09Dec2026_092513.cfg");
        QCOMPARE(f.files().contains(copy), !atRestore.isNull());
        if (!atRestore.isNull())
            QCOMPARE(f.folder.read(copy), atRestore);
    }

    // The second restore in one second finds the first one's copy: the copy of the user's
    // own configuration is kept, the second gets a name beside it.
    void twoRestoresInOneSecondKeepBothCopies()
    {
        Fixture f;
        f.folder.write(QStringLiteral("teraterm.ini"), OriginalIni);
        f.folder.write(QStringLiteral("cygterm.cfg"), "x\r\n");
        QCOMPARE(f.backup.Backup(), TeraTermConfigBackup::Outcome::Done);
        f.folder.write(QStringLiteral("teraterm.ini"), LaterIni);
        f.folder.write(QStringLiteral("cygterm.cfg"), "later\r\n");
        QCOMPARE(f.backup.Restore(), TeraTermConfigBackup::Outcome::Done);
        const QByteArray onceRestored = f.folder.read(QStringLiteral("teraterm.ini"));
        f.prompter.clear();

        QCOMPARE(f.backup.Restore(), TeraTermConfigBackup::Outcome::Done);
        QCOMPARE(f.folder.read(QStringLiteral("teraterm_09Dec2026_092413.ini")), LaterIni);
        QCOMPARE(f.folder.read(QStringLiteral("teraterm_09Dec2026_092413_1.ini")), onceRestored);
        QCOMPARE(f.folder.read(QStringLiteral("cygterm_09Dec2026_092413.cfg")), QByteArray("later\r\n"));
        QCOMPARE(f.folder.read(QStringLiteral("cygterm_09Dec2026_092413_1.cfg")), QByteArray("x\r\n"));
        QVERIFY(f.prompter.texts().last().startsWith(
            "Current TeraTerm.ini file was copied into file " + f.path(QStringLiteral("teraterm_09Dec2026_092413_1.ini")) + "\n\n"));
        QCOMPARE(f.files(), QStringList({"cygterm.cfg", "cygterm_09Dec2026_092413.cfg", "cygterm_09Dec2026_092413_1.cfg",
                                         "teraterm.ini", "teraterm_09Dec2026_092413.ini", "teraterm_09Dec2026_092413_1.ini"}));
    }

    void declinedRestoreChangesNothing()
    {
        Fixture f;
        f.folder.write(QStringLiteral("teraterm.ini"), OriginalIni);
        QCOMPARE(f.backup.Backup(), TeraTermConfigBackup::Outcome::Done);
        f.folder.write(QStringLiteral("teraterm.ini"), LaterIni);
        f.prompter.clear();
        f.prompter.queue(Prompter::No);

        QCOMPARE(f.backup.Restore(), TeraTermConfigBackup::Outcome::Declined);
        QCOMPARE(f.files(), QStringList{"teraterm.ini"});
        QCOMPARE(f.folder.read(QStringLiteral("teraterm.ini")), LaterIni);
        QCOMPARE(f.prompter.boxes().size(), 1);
    }

    // What enables Restore, and what a restore says without a backup.
    void storedBackup_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<bool>("stored");
        QTest::newRow("no program key") << "" << false;
        QTest::newRow("key without the value") << "key" << false;
        QTest::newRow("empty value") << "empty" << false;
        QTest::newRow("value of the other type") << "number" << false;
        QTest::newRow("a backup") << "backup" << true;
    }
    void storedBackup()
    {
        QFETCH(QString, setup);
        QFETCH(bool, stored);
        Fixture f;
        f.folder.write(QStringLiteral("teraterm.ini"), OriginalIni);
        const QString value = QStringLiteral("IniBackup");
        if (setup == QLatin1String("key"))
            QVERIFY(f.registry->createKey(ProgramRegHive, ProgramRegKey));
        else if (setup == QLatin1String("empty"))
            QVERIFY(f.registry->writeString(ProgramRegHive, ProgramRegKey, value, QString()));
        else if (setup == QLatin1String("number"))
            QVERIFY(f.registry->writeDword(ProgramRegHive, ProgramRegKey, value, 1));
        else if (setup == QLatin1String("backup"))
            QCOMPARE(f.backup.Backup(), TeraTermConfigBackup::Outcome::Done);
        QCOMPARE(TeraTermConfigBackup::ReadTTConfigBackup(*f.registry), stored);
        if (setup.isEmpty())
            QVERIFY(!f.registry->keyExists(ProgramRegHive, ProgramRegKey));   // asking made no key
        if (stored)
            return;
        QCOMPARE(f.backup.Restore(), TeraTermConfigBackup::Outcome::NoBackup);
        QCOMPARE(f.prompter.texts(), QStringList{"Failed to restore TeraTerm configuration.\nError reading registry."});
        QCOMPARE(f.files(), QStringList{"teraterm.ini"});
    }

    // The backup is read from a store that may have been edited by hand: a line that does not
    // begin with a section in brackets is no entry, and the others are still written back.
    void restoreSkipsLinesNamingNoSection()
    {
        Fixture f;
        f.folder.write(QStringLiteral("teraterm.ini"), LaterIni);
        const QByteArray stored = BackupTime.toUtf8()
            + "\r\n]Orphan=9\r\nBG]BGEnable=wrong\r\n[Tera Term\r\n\r\n[BG]BGEnable=kept\r\n";
        QVERIFY(f.registry->writeString(ProgramRegHive, ProgramRegKey, QStringLiteral("IniBackup"),
                                        QString::fromLatin1(UrlEncode(stored, true))));
        QCOMPARE(f.backup.Restore(), TeraTermConfigBackup::Outcome::Done);
        QByteArray expected = LaterIni;
        expected.replace("BGEnable=off", "BGEnable=kept");
        QCOMPARE(f.folder.read(QStringLiteral("teraterm.ini")), expected);
    }

    void restoreWithoutTeraTermIni()
    {
        Fixture f;
        f.folder.write(QStringLiteral("teraterm.ini"), OriginalIni);
        QCOMPARE(f.backup.Backup(), TeraTermConfigBackup::Outcome::Done);
        QFile::remove(f.folder.filePath(QStringLiteral("teraterm.ini")));
        f.prompter.clear();

        QCOMPARE(f.backup.Restore(), TeraTermConfigBackup::Outcome::Failed);
        QCOMPARE(f.prompter.texts(), QStringList{"Failed to restore TeraTerm configuration.\nCannot read file "
                                                 + f.path(QStringLiteral("teraterm.ini")) + "."});
        QVERIFY(f.files().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestTeraTermConfigBackup)
#include "tst_teratermconfigbackup.moc"
