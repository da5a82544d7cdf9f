#include "platform/Registry.h"
#include "support/ScopedEnv.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <cstring>

using Hive = Registry::Hive;

namespace {

const QString kKey = QStringLiteral("Software\\Quenid Solutions\\Wexmora");

// Child mode: writes one string value into the store at Path and exits, as another program
// sharing the store would.
int writeFromChild(const QString &path, const QString &name, const QString &value)
{
    Registry reg(path);
    return reg.writeString(Hive::CurrentUser, kKey, name, value) ? 0 : 1;
}

// Runs raw SQL against the store, as the companion launcher does; the number of result rows,
// or -1 on an error.
int rawExec(const QString &path, const char *sql)
{
    sqlite3 *db = nullptr;
    int rows = 0;
    const auto count = [](void *n, int, char **, char **) {
        ++*static_cast<int *>(n);
        return 0;
    };
    const bool ok = sqlite3_open(QFile::encodeName(path).constData(), &db) == SQLITE_OK
                    && sqlite3_exec(db, sql, count, &rows, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok ? rows : -1;
}

} // namespace

class TestRegistry : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString dbPath() const { return m_dir.filePath(QStringLiteral("reg.sqlite3")); }

private Q_SLOTS:
    void init()
    {
        QFile::remove(dbPath());
        QFile::remove(dbPath() + QLatin1String("-wal"));
        QFile::remove(dbPath() + QLatin1String("-shm"));
    }

    void namesMatchWithoutCaseAndKeepSpelling_data()
    {
        QTest::addColumn<QString>("writtenKey");
        QTest::addColumn<QString>("writtenName");
        QTest::addColumn<QString>("readKey");
        QTest::addColumn<QString>("readName");
        QTest::newRow("value name") << kKey << "UseSameBackGround" << kKey << "UseSameBackground";
        QTest::newRow("key path") << kKey << "AutoSave"
                                  << "SOFTWARE\\quenid solutions\\WexMora" << "autosave";
        QTest::newRow("non-ASCII") << "Software\\Größe" << "ÄrgerÉtat" << "software\\GRÖßE"
                                   << "ärgerétat";
        QTest::newRow("default value") << kKey << "" << kKey.toUpper() << "";
    }
    void namesMatchWithoutCaseAndKeepSpelling()
    {
        QFETCH(QString, writtenKey);
        QFETCH(QString, writtenName);
        QFETCH(QString, readKey);
        QFETCH(QString, readName);
        Registry reg(dbPath());
        QVERIFY(reg.isOpen());
        QVERIFY(reg.writeDword(Hive::CurrentUser, writtenKey, writtenName, 1));
        QCOMPARE(reg.readDword(Hive::CurrentUser, readKey, readName), 1u);
        // Rewritten under the other spelling: still one value, named as first written.
        QVERIFY(reg.writeDword(Hive::CurrentUser, readKey, readName, 0));
        QCOMPARE(reg.readDword(Hive::CurrentUser, writtenKey, writtenName), 0u);
        QCOMPARE(reg.valueNames(Hive::CurrentUser, readKey), QStringList{writtenName});
        const QStringList parts = writtenKey.split(QLatin1Char('\\'));
        QCOMPARE(reg.subKeys(Hive::CurrentUser, QString()), QStringList{parts.first()});
    }

    void valuesKeepTheirType_data()
    {
        QTest::addColumn<bool>("isString");
        QTest::addColumn<QString>("text");
        QTest::addColumn<quint32>("number");
        QTest::newRow("empty string") << true << QString() << 0u;
        QTest::newRow("path with blanks") << true << "/home/a b/\"Sites\".QDZ" << 0u;
        QTest::newRow("line ends, NUL, non-ASCII")
            << true << QStringLiteral("a\r\nb\n") + QChar(0) + QStringLiteral("é€😀") << 0u;
        QTest::newRow("zero") << false << QString() << 0u;
        QTest::newRow("yellow") << false << QString() << 0x0000FFFFu;
        QTest::newRow("minus one") << false << QString() << 0xFFFFFFFFu;
        QTest::newRow("system colour") << false << QString() << 0xFF000005u;
    }
    void valuesKeepTheirType()
    {
        QFETCH(bool, isString);
        QFETCH(QString, text);
        QFETCH(quint32, number);
        {
            Registry reg(dbPath());
            QVERIFY(isString ? reg.writeString(Hive::CurrentUser, kKey, "V", text)
                             : reg.writeDword(Hive::CurrentUser, kKey, "V", number));
        }
        Registry reg(dbPath());
        QVERIFY(reg.valueExists(Hive::CurrentUser, kKey, "v"));
        if (isString) {
            QCOMPARE(reg.readString(Hive::CurrentUser, kKey, "V"), text);
            QCOMPARE(reg.readDword(Hive::CurrentUser, kKey, "V"), std::nullopt);
        } else {
            QCOMPARE(reg.readDword(Hive::CurrentUser, kKey, "V"), number);
            QCOMPARE(reg.readString(Hive::CurrentUser, kKey, "V"), std::nullopt);
        }
    }

    void rewritingChangesTypeInPlace()
    {
        Registry reg(dbPath());
        QVERIFY(reg.writeString(Hive::CurrentUser, kKey, "First", "1"));
        QVERIFY(reg.writeDword(Hive::CurrentUser, kKey, "Second", 2));
        QVERIFY(reg.writeDword(Hive::CurrentUser, kKey, "FIRST", 7));
        QCOMPARE(reg.readString(Hive::CurrentUser, kKey, "First"), std::nullopt);
        QCOMPARE(reg.readDword(Hive::CurrentUser, kKey, "First"), 7u);
        QCOMPARE(reg.valueNames(Hive::CurrentUser, kKey), (QStringList{"First", "Second"}));
    }

    void missingThingsReadAsNothing()
    {
        Registry reg(dbPath());
        QVERIFY(reg.writeString(Hive::CurrentUser, kKey, "ParamName", "x"));
        QVERIFY(reg.keyExists(Hive::CurrentUser, QString()));
        QVERIFY(!reg.keyExists(Hive::CurrentUser, kKey + "\\Missing"));
        QCOMPARE(reg.readString(Hive::CurrentUser, kKey, "Other"), std::nullopt);
        QCOMPARE(reg.readString(Hive::CurrentUser, kKey + "\\Missing", "ParamName"), std::nullopt);
        // Hives are separate trees.
        QVERIFY(!reg.keyExists(Hive::LocalMachine, kKey));
        QCOMPARE(reg.readString(Hive::ClassesRoot, kKey, "ParamName"), std::nullopt);
        QVERIFY(reg.subKeys(Hive::LocalMachine, QString()).isEmpty());
        QVERIFY(!reg.deleteValue(Hive::CurrentUser, kKey, "Other"));
        QVERIFY(!reg.deleteKey(Hive::CurrentUser, kKey + "\\Missing"));
    }

    void keyPathsAreNormalised_data()
    {
        QTest::addColumn<QString>("spelling");
        QTest::newRow("leading") << "\\Software\\Quenid Solutions\\Wexmora";
        QTest::newRow("trailing") << "Software\\Quenid Solutions\\Wexmora\\";
        QTest::newRow("doubled") << "Software\\\\Quenid Solutions\\\\\\Wexmora";
    }
    void keyPathsAreNormalised()
    {
        QFETCH(QString, spelling);
        Registry reg(dbPath());
        QVERIFY(reg.createKey(Hive::CurrentUser, spelling));
        QVERIFY(reg.keyExists(Hive::CurrentUser, kKey));
        QCOMPARE(reg.subKeys(Hive::CurrentUser, "Software"), QStringList{"Quenid Solutions"});
        QCOMPARE(reg.subKeys(Hive::CurrentUser, "Software\\Quenid Solutions"),
                 QStringList{"Wexmora"});
    }

    void subKeysAndValuesInCreationOrder()
    {
        Registry reg(dbPath());
        for (const char *name : {"Strings", "Comment", "Keyword", "Attr"})
            QVERIFY(reg.createKey(Hive::CurrentUser, kKey + "\\" + name));
        QVERIFY(reg.createKey(Hive::CurrentUser, kKey + "\\comment"));  // exists already
        for (const char *name : {"MRU2", "MRU1", "", "Zeta"})
            QVERIFY(reg.writeString(Hive::CurrentUser, kKey, name, "v"));
        QCOMPARE(reg.subKeys(Hive::CurrentUser, kKey),
                 (QStringList{"Strings", "Comment", "Keyword", "Attr"}));
        QCOMPARE(reg.valueNames(Hive::CurrentUser, kKey),
                 (QStringList{"MRU2", "MRU1", "", "Zeta"}));
    }

    void deleteKeyRemovesTheWholeBranch()
    {
        Registry reg(dbPath());
        QVERIFY(reg.writeString(Hive::ClassesRoot, ".QDZ", "", "Wexmora File"));
        QVERIFY(reg.writeString(Hive::ClassesRoot, "Wexmora File\\shell\\open\\command", "",
                                "\"/opt/w/Wexmora\" \"%1\""));
        QVERIFY(reg.writeDword(Hive::ClassesRoot, "Wexmora File", "Flags", 3));
        QVERIFY(reg.createKey(Hive::ClassesRoot, "Wexmora File\\DefaultIcon"));
        QVERIFY(reg.createKey(Hive::ClassesRoot, "Wexmora Filer"));

        QVERIFY(reg.deleteKey(Hive::ClassesRoot, "WEXMORA FILE"));
        QVERIFY(!reg.keyExists(Hive::ClassesRoot, "Wexmora File"));
        QVERIFY(!reg.keyExists(Hive::ClassesRoot, "Wexmora File\\shell\\open\\command"));
        QCOMPARE(reg.subKeys(Hive::ClassesRoot, QString()), (QStringList{".QDZ", "Wexmora Filer"}));
        QCOMPARE(reg.readString(Hive::ClassesRoot, ".QDZ", ""), QStringLiteral("Wexmora File"));
        // Created again, the key starts empty: nothing of the old branch is left over.
        QVERIFY(reg.createKey(Hive::ClassesRoot, "Wexmora File"));
        QVERIFY(reg.valueNames(Hive::ClassesRoot, "Wexmora File").isEmpty());
        QVERIFY(reg.subKeys(Hive::ClassesRoot, "Wexmora File").isEmpty());
        // A hive itself cannot be deleted.
        QVERIFY(!reg.deleteKey(Hive::ClassesRoot, "\\"));
        QVERIFY(reg.keyExists(Hive::ClassesRoot, ".QDZ"));
    }

    void deleteValue()
    {
        Registry reg(dbPath());
        QVERIFY(reg.writeString(Hive::CurrentUser, "Run", "Wexmora.exe", "/opt/w/Wexmora.exe"));
        QVERIFY(reg.writeString(Hive::CurrentUser, "Run", "Other", "x"));
        QVERIFY(reg.deleteValue(Hive::CurrentUser, "run", "WEXMORA.EXE"));
        QVERIFY(!reg.valueExists(Hive::CurrentUser, "Run", "Wexmora.exe"));
        QCOMPARE(reg.valueNames(Hive::CurrentUser, "Run"), QStringList{"Other"});
    }

    void transactionIsAllOrNothingToAnotherReader()
    {
        Registry writer(dbPath());
        Registry reader(dbPath());
        QVERIFY(writer.writeDword(Hive::CurrentUser, kKey, "WinTop", 1));
        QVERIFY(writer.beginTransaction());
        QVERIFY(!writer.beginTransaction());
        QVERIFY(writer.writeDword(Hive::CurrentUser, kKey, "WinTop", 100));
        QVERIFY(writer.writeString(Hive::CurrentUser, kKey, "VarName", "Ann"));
        QVERIFY(writer.createKey(Hive::CurrentUser, kKey + "\\Comment"));
        // The writer sees its own writes, the reader none of them yet.
        QCOMPARE(writer.readDword(Hive::CurrentUser, kKey, "WinTop"), 100u);
        QCOMPARE(reader.readDword(Hive::CurrentUser, kKey, "WinTop"), 1u);
        QCOMPARE(reader.readString(Hive::CurrentUser, kKey, "VarName"), std::nullopt);
        QVERIFY(!reader.keyExists(Hive::CurrentUser, kKey + "\\Comment"));
        QVERIFY(writer.commit());
        QVERIFY(!writer.commit());
        QCOMPARE(reader.readDword(Hive::CurrentUser, kKey, "WinTop"), 100u);
        QCOMPARE(reader.readString(Hive::CurrentUser, kKey, "VarName"), QStringLiteral("Ann"));
        QVERIFY(reader.keyExists(Hive::CurrentUser, kKey + "\\Comment"));
    }

    void rollbackDropsEveryWrite()
    {
        Registry writer(dbPath());
        Registry reader(dbPath());
        QVERIFY(writer.writeString(Hive::CurrentUser, kKey, "VarName", "Ann"));
        QVERIFY(writer.beginTransaction());
        QVERIFY(writer.writeString(Hive::CurrentUser, kKey, "VarName", "Bob"));
        QVERIFY(writer.writeDword(Hive::CurrentUser, kKey + "\\New", "X", 1));
        QVERIFY(writer.deleteKey(Hive::CurrentUser, "Software"));
        writer.rollback();
        for (Registry *r : {&writer, &reader}) {
            QCOMPARE(r->readString(Hive::CurrentUser, kKey, "VarName"), QStringLiteral("Ann"));
            QVERIFY(!r->keyExists(Hive::CurrentUser, kKey + "\\New"));
        }
        // Writes after the rollback are single writes again, seen at once.
        QVERIFY(writer.writeString(Hive::CurrentUser, kKey, "VarName", "Cid"));
        QCOMPARE(reader.readString(Hive::CurrentUser, kKey, "VarName"), QStringLiteral("Cid"));
    }

    void unfinishedTransactionIsDroppedWithTheObject()
    {
        {
            Registry writer(dbPath());
            QVERIFY(writer.beginTransaction());
            QVERIFY(writer.writeString(Hive::CurrentUser, kKey, "VarName", "Ann"));
        }
        Registry reader(dbPath());
        QCOMPARE(reader.readString(Hive::CurrentUser, kKey, "VarName"), std::nullopt);
    }

    void valueWrittenByAnotherProcessIsSeenAtTheNextRead()
    {
        Registry reg(dbPath());
        QVERIFY(reg.writeString(Hive::CurrentUser, kKey, "ParamName", "old"));
        QCOMPARE(reg.readString(Hive::CurrentUser, kKey, "ParamName"), QStringLiteral("old"));
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {"--write-value", dbPath(), "PARAMNAME", "/tmp/Temp_TTL/~Sites.QDZ"});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(reg.readString(Hive::CurrentUser, kKey, "ParamName"),
                 QStringLiteral("/tmp/Temp_TTL/~Sites.QDZ"));
        QCOMPARE(reg.valueNames(Hive::CurrentUser, kKey), QStringList{"ParamName"});
    }

    // What the companion launcher relies on: the documented tables, read and written by SQL.
    void storeLayoutIsTheDocumentedOne()
    {
        {
            Registry reg(dbPath());
            QVERIFY(reg.writeDword(Hive::CurrentUser, kKey, "SelectLast", 1));
        }
        QCOMPARE(rawExec(dbPath(), R"(
            INSERT INTO vals (key, name, fold, type, data)
              SELECT id, 'DblClickAction', 'dblclickaction', 4, 3 FROM keys WHERE fold = 'wexmora';
            INSERT INTO vals (key, name, fold, type, data)
              SELECT id, 'NextCheck', 'nextcheck', 4, -1 FROM keys WHERE fold = 'wexmora';
            INSERT INTO vals (key, name, fold, type, data)
              SELECT id, 'Broken', 'broken', 4, '12' FROM keys WHERE fold = 'wexmora';
            INSERT INTO vals (key, name, fold, type, data)
              SELECT id, 'Huge', 'huge', 4, 4294967296 FROM keys WHERE fold = 'wexmora';
            SELECT 1 FROM keys h JOIN keys s ON s.parent = h.id
              WHERE h.parent = 0 AND h.name = 'HKEY_CURRENT_USER' AND s.name = 'Software';
            SELECT 1 FROM pragma_journal_mode WHERE journal_mode = 'wal';
        )"), 2);
        Registry reg(dbPath());
        QCOMPARE(reg.readDword(Hive::CurrentUser, kKey, "dblclickaction"), 3u);
        QCOMPARE(reg.readDword(Hive::CurrentUser, kKey, "NextCheck"), 0xFFFFFFFFu);
        QCOMPARE(reg.readDword(Hive::CurrentUser, kKey, "Broken"), std::nullopt);
        QCOMPARE(reg.readDword(Hive::CurrentUser, kKey, "Huge"), std::nullopt);
        QCOMPARE(reg.readDword(Hive::CurrentUser, kKey, "SelectLast"), 1u);
    }

    void storeThatCannotBeOpenedRefusesEverything_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder is a file") << "folder is a file";
        QTest::newRow("not a database") << "not a database";
        QTest::newRow("empty path") << "empty path";
    }
    void storeThatCannotBeOpenedRefusesEverything()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QString path;
        if (kind == "folder is a file") {
            QFile blocker(dir.filePath("blocker"));
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            path = dir.filePath("blocker/wexmora/registry.sqlite3");
        } else if (kind == "not a database") {
            path = dir.filePath("registry.sqlite3");
            QFile garbage(path);
            QVERIFY(garbage.open(QIODevice::WriteOnly));
            garbage.write(QByteArray(4096, 'x'));
        }
        Registry reg(path);
        QVERIFY(!reg.isOpen());
        QVERIFY(!reg.keyExists(Hive::CurrentUser, QString()));
        QVERIFY(!reg.createKey(Hive::CurrentUser, kKey));
        QVERIFY(!reg.writeString(Hive::CurrentUser, kKey, "A", "x"));
        QVERIFY(!reg.writeDword(Hive::CurrentUser, kKey, "B", 1));
        QCOMPARE(reg.readString(Hive::CurrentUser, kKey, "A"), std::nullopt);
        QCOMPARE(reg.readDword(Hive::CurrentUser, kKey, "B"), std::nullopt);
        QVERIFY(!reg.valueExists(Hive::CurrentUser, kKey, "A"));
        QVERIFY(reg.subKeys(Hive::CurrentUser, QString()).isEmpty());
        QVERIFY(reg.valueNames(Hive::CurrentUser, kKey).isEmpty());
        QVERIFY(!reg.deleteValue(Hive::CurrentUser, kKey, "A"));
        QVERIFY(!reg.deleteKey(Hive::CurrentUser, kKey));
        QVERIFY(!reg.beginTransaction());
        QVERIFY(!reg.commit());
        reg.rollback();
    }

    void defaultPathFollowsXdgConfigHome()
    {
        ScopedEnv config("XDG_CONFIG_HOME");
        ScopedEnv home("HOME");
        QTemporaryDir dir;
        config.set(QFile::encodeName(dir.filePath("cfg")));
        QCOMPARE(Registry::defaultPath(), dir.filePath("cfg/wexmora/registry.sqlite3"));
        {
            Registry reg;
            QVERIFY(reg.writeDword(Hive::CurrentUser, kKey, "NT", 1));
        }
        const QFile::Permissions mode = QFile::permissions(Registry::defaultPath());
        QVERIFY(mode & QFile::ReadOwner);
        QVERIFY(!(mode & (QFile::ReadGroup | QFile::ReadOther)));
        // A relative value is ignored, as the XDG rules say.
        config.set("relative/cfg");
        home.set(QFile::encodeName(dir.path()));
        QCOMPARE(Registry::defaultPath(), dir.filePath(".config/wexmora/registry.sqlite3"));
    }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 5 && std::strcmp(argv[1], "--write-value") == 0)
        return writeFromChild(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                              QString::fromLocal8Bit(argv[4]));
    TestRegistry test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_registry.moc"
