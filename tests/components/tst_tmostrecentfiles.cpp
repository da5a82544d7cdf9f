#include "components/TMostRecentFiles.h"
#include "platform/IniFile.h"
#include "platform/Registry.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramFolder.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

#include <optional>

using Hive = Registry::Hive;

namespace {

const QString Key = QStringLiteral("Software\\Quenid Solutions\\Wexmora");

// A list over a registry and a program folder of its own, without a store named yet (so it
// read and will write the ini file beside the program).
struct Fixture
{
    TempProgramFolder folder;
    QTemporaryDir regDir;
    Registry registry{regDir.filePath(QStringLiteral("reg.sqlite3"))};
    ScriptedPrompter prompter;
    std::optional<TMostRecentFiles> list;

    Fixture() { list.emplace(registry, prompter); }

    // Files that exist, by name, in the program folder.
    QString file(const QString &name) const
    {
        folder.write(name, "x");
        return folder.filePath(name);
    }
    void setFiles(const QStringList &files)
    {
        for (auto it = files.crbegin(); it != files.crend(); ++it)
            list->AddFile(*it);
    }
    QString defaultIni() const
    {
        return folder.filePath(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName()
                               + QStringLiteral(".ini"));
    }
};

} // namespace

class TestTMostRecentFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void maxFilesClamp_data()
    {
        QTest::addColumn<unsigned>("set");
        QTest::addColumn<unsigned>("readBack");
        QTest::addColumn<int>("changes");
        QTest::newRow("0 becomes 1") << 0u << 1u << 1;
        QTest::newRow("1 kept") << 1u << 1u << 1;
        QTest::newRow("8 kept") << 8u << 8u << 1;
        QTest::newRow("9 becomes 8") << 9u << 8u << 1;
        QTest::newRow("huge becomes 8") << 0xFFFFFFFFu << 8u << 1;
        QTest::newRow("the current value changes nothing") << 4u << 4u << 0;
    }
    void maxFilesClamp()
    {
        QFETCH(unsigned, set);
        QFETCH(unsigned, readBack);
        QFETCH(int, changes);
        Fixture f;
        QCOMPARE(f.list->MaxFiles(), 4u);
        QSignalSpy changed(&*f.list, &TMostRecentFiles::listChanged);
        f.list->setMaxFiles(set);
        QCOMPARE(f.list->MaxFiles(), readBack);
        QCOMPARE(changed.count(), changes);
    }

    void addFile_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<unsigned>("maxFiles");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("changes");

        const QStringList abcd{"/t/a", "/t/b", "/t/c", "/t/d"};
        QTest::newRow("to an empty list") << QStringList() << 4u << "/t/a" << QStringList{"/t/a"} << 1;
        QTest::newRow("the first again changes nothing") << abcd << 4u << "/t/a" << abcd << 0;
        QTest::newRow("the second swaps the two") << abcd << 4u << "/t/b" << QStringList{"/t/b", "/t/a", "/t/c", "/t/d"} << 1;
        QTest::newRow("a fifth drops the oldest") << abcd << 4u << "/t/e" << QStringList{"/t/e", "/t/a", "/t/b", "/t/c"} << 1;
        QTest::newRow("another letter case is another file") << abcd << 4u << "/t/A" << QStringList{"/t/A", "/t/a", "/t/b", "/t/c"} << 1;
        QTest::newRow("a lowered maximum cuts at the next add") << abcd << 2u << "/t/c" << QStringList{"/t/c", "/t/a"} << 1;
    }
    void addFile()
    {
        QFETCH(QStringList, before);
        QFETCH(unsigned, maxFiles);
        QFETCH(QString, added);
        QFETCH(QStringList, after);
        QFETCH(int, changes);
        Fixture f;
        f.setFiles(before);
        f.list->setMaxFiles(maxFiles);
        // Lowering the maximum keeps every entry until the next add.
        QCOMPARE(f.list->files(), before);
        QSignalSpy changed(&*f.list, &TMostRecentFiles::listChanged);
        f.list->AddFile(added);
        QCOMPARE(f.list->files(), after);
        QCOMPARE(changed.count(), changes);
    }

    void caption_data()
    {
        QTest::addColumn<bool>("fullPath");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("expected");
        QTest::newRow("full path") << true << "/home/u/Sites.QDZ" << "&2  /home/u/Sites.QDZ";
        QTest::newRow("name only") << false << "/home/u/Sites.QDZ" << "&2  Sites.QDZ";
        QTest::newRow("a colon is part of the name") << false << "/home/u/a:b.QDZ" << "&2  a:b.QDZ";
        QTest::newRow("an ampersand shows as itself") << true << "/R&D/x%1.QDZ" << "&2  /R&&D/x%1.QDZ";
    }
    void caption()
    {
        QFETCH(bool, fullPath);
        QFETCH(QString, file);
        QFETCH(QString, expected);
        Fixture f;
        f.setFiles({QStringLiteral("/first"), file});
        QSignalSpy changed(&*f.list, &TMostRecentFiles::listChanged);
        f.list->setShowFullPath(fullPath);
        QCOMPARE(changed.count(), fullPath ? 1 : 0);
        QCOMPARE(f.list->caption(1), expected);
    }

    void menuClick_data()
    {
        QTest::addColumn<int>("clicked");
        QTest::addColumn<bool>("onMenuClick");
        QTest::addColumn<bool>("onFileNotExist");
        QTest::addColumn<QStringList>("after");     // names in the program folder; "gone" was never made
        QTest::addColumn<QString>("reported");      // "open:<name>", "gone:<name>" or ""
        QTest::addColumn<QString>("message");

        const QStringList all{"a", "gone", "c"};
        QTest::newRow("an existing third entry moves to the top") << 2 << true << true << QStringList{"c", "a", "gone"} << "open:c" << "";
        QTest::newRow("the first stays where it is") << 0 << true << true << all << "open:a" << "";
        QTest::newRow("a vanished file is dropped and reported") << 1 << true << true << QStringList{"a", "c"} << "gone:gone" << "";
        QTest::newRow("a vanished file, no handler: the list says it") << 1 << true << false << QStringList{"a", "c"} << ""
                                                                       << "The file '\"%1\"' no longer exists.";
        QTest::newRow("without a click handler nothing happens") << 1 << false << true << all << "" << "";
        QTest::newRow("an index past the list") << 3 << true << true << all << "" << "";
    }
    void menuClick()
    {
        QFETCH(int, clicked);
        QFETCH(bool, onMenuClick);
        QFETCH(bool, onFileNotExist);
        QFETCH(QStringList, after);
        QFETCH(QString, reported);
        QFETCH(QString, message);
        Fixture f;
        const auto path = [&f](const QString &name) {
            return name == QLatin1String("gone") ? f.folder.filePath(name) : f.file(name);
        };
        f.setFiles({path("a"), path("gone"), path("c")});
        QString got;
        if (onMenuClick)
            f.list->setOnMenuClick([&](const QString &name) { got = "open:" + QFileInfo(name).fileName(); });
        if (onFileNotExist)
            f.list->setOnFileNotExist([&](const QString &name) { got = "gone:" + QFileInfo(name).fileName(); });
        f.list->MenuClick(clicked);
        QStringList expected;
        for (const QString &name : after)
            expected << path(name);
        QCOMPARE(f.list->files(), expected);
        QCOMPARE(got, reported);
        QCOMPARE(f.prompter.texts(), message.isEmpty() ? QStringList() : QStringList{message.arg(path("gone"))});
        for (const ScriptedPrompter::Box &box : f.prompter.boxes())
            QCOMPARE(box.kind, Prompter::Kind::Information);
    }

    void loadFromRegistry_data()
    {
        QTest::addColumn<QStringList>("values");   // MRU1, MRU2... ; "<none>" leaves one out, "<dword>" writes a number
        QTest::addColumn<QStringList>("loaded");
        QTest::newRow("an empty value is passed") << QStringList{"/a", "", "/c"} << QStringList{"/a", "/c"};
        QTest::newRow("a missing value ends the list") << QStringList{"/a", "<none>", "/c"} << QStringList{"/a"};
        QTest::newRow("a number is no entry") << QStringList{"<dword>", "/b"} << QStringList{"/b"};
        QTest::newRow("only MaxFiles are read") << QStringList{"/1", "/2", "/3", "/4", "/5"} << QStringList{"/1", "/2", "/3", "/4"};
        QTest::newRow("no key") << QStringList() << QStringList();
    }
    void loadFromRegistry()
    {
        QFETCH(QStringList, values);
        QFETCH(QStringList, loaded);
        Fixture f;
        for (int i = 0; i < values.size(); ++i) {
            const QString name = QStringLiteral("MRU%1").arg(i + 1);
            if (values[i] == QLatin1String("<dword>"))
                f.registry.writeDword(Hive::CurrentUser, Key, name, 7);
            else if (values[i] != QLatin1String("<none>"))
                f.registry.writeString(Hive::CurrentUser, Key, name, values[i]);
        }
        f.list->setRegPath(Key);
        QCOMPARE(f.list->files(), loaded);
    }

    // What the destruction writes: MaxFiles values, empty past the list, never fewer.
    void savesToRegistry_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<unsigned>("maxFiles");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("two of four") << QStringList{"/a", "/b"} << 4u << QStringList{"/a", "/b", "", ""};
        QTest::newRow("a lowered maximum writes the first ones") << QStringList{"/a", "/b", "/c"} << 2u << QStringList{"/a", "/b", "<none>", "<none>"};
    }
    void savesToRegistry()
    {
        QFETCH(QStringList, files);
        QFETCH(unsigned, maxFiles);
        QFETCH(QStringList, stored);
        Fixture f;
        f.list->setRegPath(Key);
        f.setFiles(files);
        f.list->setMaxFiles(maxFiles);
        f.list.reset();
        for (int i = 0; i < stored.size(); ++i) {
            const QString name = QStringLiteral("MRU%1").arg(i + 1);
            if (stored[i] == QLatin1String("<none>"))
                QVERIFY(!f.registry.valueExists(Hive::CurrentUser, Key, name));
            else
                QCOMPARE(f.registry.readString(Hive::CurrentUser, Key, name), stored[i]);
        }
        // The next run reads it back.
        f.list.emplace(f.registry, f.prompter);
        f.list->setRegPath(Key);
        QCOMPARE(f.list->files(), files.mid(0, maxFiles));
    }

    void iniFallback_data()
    {
        QTest::addColumn<QString>("iniFile");     // the property; the path is worked out from it
        QTest::addColumn<QString>("path");         // inside the program folder, or absolute
        QTest::newRow("program's name") << "" << "<default>";
        QTest::newRow("bare name in the program folder") << "recent.ini" << "recent.ini";
        QTest::newRow("path with a folder") << "<abs>" << "<abs>";
    }
    void iniFallback()
    {
        QFETCH(QString, iniFile);
        QFETCH(QString, path);
        QTemporaryDir elsewhere;
        const QString absolute = elsewhere.filePath(QStringLiteral("other.ini"));
        Fixture f;
        const QString resolved = path == QLatin1String("<default>") ? f.defaultIni()
                                 : path == QLatin1String("<abs>")   ? absolute
                                                                    : f.folder.filePath(path);
        f.list.reset();
        {
            IniFile ini(resolved);
            ini.writeString("MRU List", "1", "/x/one.QDZ");
            ini.writeString("mru list", "2", "\"/x/two.QDZ\"");
            ini.writeString("MRU List", "3", "");
            ini.writeString("MRU List", "4", "/x/four.QDZ");
            QVERIFY(ini.flush());
        }
        // Read once at creation (the program's own ini), or when named.
        f.list.emplace(f.registry, f.prompter);
        f.list->setIniFile(iniFile == QLatin1String("<abs>") ? absolute : iniFile);
        QCOMPARE(f.list->iniFilePath(), resolved);
        QCOMPARE(f.list->files(), (QStringList{"/x/one.QDZ", "/x/two.QDZ"}));

        // Written back there while no registry key is named, every key in its place.
        f.list->AddFile(QStringLiteral("/x/new.QDZ"));
        f.list.reset();
        const IniFile ini(resolved);
        QCOMPARE(ini.readString("MRU List", "1"), QByteArray("/x/new.QDZ"));
        QCOMPARE(ini.readString("MRU List", "3"), QByteArray("/x/two.QDZ"));
        QVERIFY(ini.hasKey("MRU List", "4"));
        QCOMPARE(ini.readString("MRU List", "4"), QByteArray());
    }

    // Naming the registry key replaces what the ini file gave; the ini file is not read again.
    void registryReplacesTheIniList()
    {
        Fixture f;
        f.list.reset();
        IniFile ini(f.defaultIni());
        ini.writeString("MRU List", "1", "/from/ini");
        QVERIFY(ini.flush());
        f.registry.writeString(Hive::CurrentUser, Key, QStringLiteral("MRU1"), QStringLiteral("/from/registry"));
        f.list.emplace(f.registry, f.prompter);
        QCOMPARE(f.list->files(), QStringList{"/from/ini"});
        f.list->setRegPath(Key);
        QCOMPARE(f.list->files(), QStringList{"/from/registry"});
        f.list->setIniFile(f.defaultIni());
        QCOMPARE(f.list->files(), QStringList{"/from/registry"});
    }
};

QTEST_GUILESS_MAIN(TestTMostRecentFiles)
#include "tst_tmostrecentfiles.moc"
