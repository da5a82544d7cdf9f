#include "components/TMILAssociate.h"
#include "platform/DesktopFileTypes.h"
#include "platform/Registry.h"
#include "platform/ShellOpen.h"
#include "support/FileBytes.h"
#include "support/HiveDump.h"
#include "support/ScopedEnv.h"
#include "support/TempUserDirs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <sqlite3.h>

using Hive = Registry::Hive;

namespace {

const QString kProgram = QStringLiteral("/opt/Tera Term/Vurozezi.exe");
const QString kShell = kProgram + QStringLiteral(" \"%1\"");
const QString kIcon = kProgram + QStringLiteral(",0");

// The hive a clean Associate(".QDZ") leaves.
QStringList associatedHive(const QString &extKey = QStringLiteral(".QDZ"),
                           const QString &type = QStringLiteral("QDZfile"))
{
    QStringList lines{extKey,
                      extKey + "|=" + type,
                      type,
                      type + "|=Wexmora File",
                      type + "\\DefaultIcon",
                      type + "\\DefaultIcon|=" + kIcon,
                      type + "\\Shell",
                      type + "\\Shell\\Open",
                      type + "\\Shell\\Open\\Command",
                      type + "\\Shell\\Open\\Command|=" + kShell};
    lines.sort();
    return lines;
}

// Another program's registration of the extension.
void writeOtherProgram(Registry &reg)
{
    reg.writeString(Hive::ClassesRoot, ".QDZ", "", "OtherType");
    reg.writeString(Hive::ClassesRoot, "OtherType", "", "Other Document");
    reg.writeString(Hive::ClassesRoot, "OtherType\\DefaultIcon", "", "/usr/bin/other,1");
    reg.writeString(Hive::ClassesRoot, "OtherType\\Shell\\Open\\Command", "", "/usr/bin/other %1");
    reg.writeString(Hive::ClassesRoot, "OtherType\\Shell\\Edit\\Command", "", "/usr/bin/other -e %1");
}

// Keys at the hive's top level that a type named "" or "\" would reach.
void writeRootBait(Registry &reg)
{
    reg.writeString(Hive::ClassesRoot, "DefaultIcon", "", "keep");
    reg.writeString(Hive::ClassesRoot, "Shell\\Open\\Command", "", "keep");
    reg.writeString(Hive::ClassesRoot, "QuickView", "", "keep");
}

} // namespace

class TestTMILAssociate : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempUserDirs> m_dirs;
    std::unique_ptr<Registry> m_reg;
    std::unique_ptr<TMILAssociate> m_assoc;
    std::unique_ptr<ScopedEnv> m_path;
    QStringList m_started;  // programs the desktop's cache refresh started

    QStringList hive() const { return DumpHive(*m_reg, Hive::ClassesRoot); }
    QString mimeApps() const
    {
        return QString::fromUtf8(ReadFileBytes(DesktopFileTypes::mimeAppsPath()));
    }

private Q_SLOTS:
    void init()
    {
        m_dirs = std::make_unique<TempUserDirs>();
        m_reg = m_dirs->freshRegistry();
        m_assoc = std::make_unique<TMILAssociate>(*m_reg);
        // As the main window sets it up.
        m_assoc->setKeyName("Vurozezi");
        m_assoc->setPathToApp(kProgram);
        m_assoc->setIconPath(kProgram);
        m_assoc->setShell(kShell);
        m_assoc->setTypeName("Wexmora File");
        // The desktop's cache tools are installed (as stand-ins that are never run).
        const QString bin = m_dirs->path() + "/bin";
        QVERIFY(QDir().mkpath(bin));
        for (const char *tool : {"update-mime-database", "update-desktop-database"}) {
            QVERIFY(WriteFileBytes(bin + '/' + tool, "#!/bin/sh\n"));
            QVERIFY(QFile::setPermissions(bin + '/' + tool, QFile::ReadOwner | QFile::ExeOwner));
        }
        m_path = std::make_unique<ScopedEnv>("PATH");
        m_path->set(QFile::encodeName(bin));
        m_started.clear();
        ShellOpen::setStarterForTesting([this](const StartCommand &command) {
            m_started << QFileInfo(command.program).fileName();
            return true;
        });
    }
    void cleanup()
    {
        ShellOpen::setStarterForTesting({});
        m_path.reset();
        m_assoc.reset();
        m_reg.reset();
        m_dirs.reset();
    }

    void defaultsOfANewComponent()
    {
        const TMILAssociate fresh(*m_reg);
        QCOMPARE(fresh.Icon(), 0);
        QCOMPARE(fresh.ShellCmd(), QStringLiteral("Open"));
        QVERIFY(!fresh.ShowInNew());
        QVERIFY(!fresh.QuickView());
        QVERIFY(fresh.KeyName().isEmpty());
    }

    void extensionFormsOnACleanHive_data()
    {
        QTest::addColumn<QString>("ext");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("type");
        QTest::newRow("bare") << "QDZ" << ".QDZ" << "QDZfile";
        QTest::newRow("dotted") << ".QDZ" << ".QDZ" << "QDZfile";
        QTest::newRow("file name") << "table.QDZ" << ".QDZ" << "QDZfile";
        QTest::newRow("several dots") << "a.b.c" << ".b.c" << "b.cfile";
        QTest::newRow("lower case") << "qdz" << ".qdz" << "qdzfile";
    }
    void extensionFormsOnACleanHive()
    {
        QFETCH(QString, ext);
        QFETCH(QString, key);
        QFETCH(QString, type);
        QCOMPARE(TMILAssociate::NormalizeExtension(ext), key);
        QVERIFY(!m_assoc->IsAssociated(ext));
        QVERIFY(m_assoc->Associate(ext));
        QCOMPARE(hive(), associatedHive(key, type));
        QVERIFY(m_assoc->IsAssociated(ext));
        QVERIFY(m_assoc->Unassociate(ext));
        QCOMPARE(hive(), QStringList());
        QVERIFY(!m_assoc->IsAssociated(ext));
    }

    void keysMatchWithoutRegardToCase()
    {
        QVERIFY(m_assoc->Associate(".QDZ"));
        QVERIFY(m_assoc->IsAssociated("qdz"));
        QVERIFY(m_assoc->Unassociate(".Qdz"));
        QCOMPARE(hive(), QStringList());
    }

    void flagsAndIconIndex_data()
    {
        QTest::addColumn<bool>("showInNew");
        QTest::addColumn<bool>("quickView");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QStringList>("extra");
        QTest::newRow("plain") << false << false << 0 << QStringList();
        QTest::newRow("shown in New") << true << false << 0
                                      << QStringList{".QDZ\\ShellNew", ".QDZ\\ShellNew|NullFile="};
        QTest::newRow("quick view") << false << true << 0
                                    << QStringList{"QDZfile\\QuickView", "QDZfile\\QuickView|=*"};
        QTest::newRow("icon 3") << false << false << 3 << QStringList();
    }
    void flagsAndIconIndex()
    {
        QFETCH(bool, showInNew);
        QFETCH(bool, quickView);
        QFETCH(int, icon);
        QFETCH(QStringList, extra);
        m_assoc->setShowInNew(showInNew);
        m_assoc->setQuickView(quickView);
        m_assoc->setIcon(icon);
        QVERIFY(m_assoc->Associate(".QDZ"));
        QStringList expected = associatedHive() + extra;
        expected.replaceInStrings(kIcon, kProgram + "," + QString::number(icon));
        expected.sort();
        QCOMPARE(hive(), expected);
        QVERIFY(m_assoc->Unassociate(".QDZ"));
        QCOMPARE(hive(), QStringList());
    }

    void isAssociatedComparesTheIconEntry_data()
    {
        QTest::addColumn<QString>("pathToApp");
        QTest::addColumn<bool>("associated");
        QTest::newRow("same path") << kProgram << true;
        QTest::newRow("prefix of the icon path") << "/opt/Tera Term/" << true;
        QTest::newRow("other letter case") << "/OPT/Tera Term/Vurozezi.exe" << false;
        QTest::newRow("other program") << "/usr/bin/other" << false;
        QTest::newRow("empty") << "" << false;
    }
    void isAssociatedComparesTheIconEntry()
    {
        QFETCH(QString, pathToApp);
        QFETCH(bool, associated);
        QVERIFY(m_assoc->Associate(".QDZ"));
        m_assoc->setPathToApp(pathToApp);
        QCOMPARE(m_assoc->IsAssociated(".QDZ"), associated);
    }

    void takeoverIsGivenBackWhole()
    {
        writeOtherProgram(*m_reg);
        m_reg->writeString(Hive::ClassesRoot, ".QDZ\\ShellNew", "NullFile", "");
        const QStringList before = hive();
        QVERIFY(!m_assoc->IsAssociated(".QDZ"));

        QVERIFY(m_assoc->Associate(".QDZ"));
        const auto read = [this](const QString &key, const QString &name) {
            return m_reg->readString(Hive::ClassesRoot, key, name).value_or("<missing>");
        };
        QVERIFY(m_assoc->IsAssociated(".QDZ"));
        QCOMPARE(read(".QDZ", ""), QStringLiteral("OtherType"));
        QCOMPARE(read("OtherType", ""), QStringLiteral("Other Document"));
        QCOMPARE(read("OtherType\\DefaultIcon", ""), kIcon);
        QCOMPARE(read("OtherType\\DefaultIcon", "OldAssociation"), QStringLiteral("/usr/bin/other,1"));
        QCOMPARE(read("OtherType\\Shell\\Open\\Command", ""), kShell);
        QCOMPARE(read("OtherType\\Shell\\Open\\Command", "OldAssociation"),
                 QStringLiteral("/usr/bin/other %1"));
        QVERIFY(!m_reg->keyExists(Hive::ClassesRoot, ".QDZ\\ShellNew"));  // ShowInNew is off
        QVERIFY(!m_reg->keyExists(Hive::ClassesRoot, "QDZfile"));

        QVERIFY(m_assoc->Unassociate(".QDZ"));
        QStringList expected = before;
        expected.removeAll(".QDZ\\ShellNew");
        expected.removeAll(".QDZ\\ShellNew|NullFile=");
        QCOMPARE(hive(), expected);
        QVERIFY(!m_assoc->IsAssociated(".QDZ"));
    }

    void takeoverOfATypeWithoutDescriptionOrIcon()
    {
        m_reg->writeString(Hive::ClassesRoot, ".QDZ", "", "OtherType");
        m_reg->writeString(Hive::ClassesRoot, "OtherType", "", "");
        m_reg->writeString(Hive::ClassesRoot, "OtherType\\Shell\\Edit\\Command", "", "other -e %1");

        QVERIFY(m_assoc->Associate(".QDZ"));
        QCOMPARE(m_reg->readString(Hive::ClassesRoot, "OtherType", ""), QStringLiteral("Wexmora File"));
        // What was kept is empty, but it was kept: giving back must not delete the type.
        QCOMPARE(m_reg->readString(Hive::ClassesRoot, "OtherType\\DefaultIcon", "OldAssociation"),
                 QString(""));
        QVERIFY(m_assoc->Unassociate(".QDZ"));

        QCOMPARE(hive(), QStringList({".QDZ", ".QDZ|=OtherType", "OtherType",
                                      "OtherType\\DefaultIcon", "OtherType\\DefaultIcon|=",
                                      "OtherType\\Shell", "OtherType\\Shell\\Edit",
                                      "OtherType\\Shell\\Edit\\Command",
                                      "OtherType\\Shell\\Edit\\Command|=other -e %1",
                                      "OtherType\\Shell\\Open", "OtherType\\Shell\\Open\\Command",
                                      "OtherType\\Shell\\Open\\Command|=", "OtherType|=Wexmora File"}));
    }

    void extensionNamingAMissingTypeGetsIt()
    {
        m_reg->writeString(Hive::ClassesRoot, ".QDZ", "", "GoneType");
        QVERIFY(m_assoc->Associate(".QDZ"));
        QCOMPARE(hive(), associatedHive(".QDZ", "GoneType"));
        QVERIFY(m_assoc->Unassociate(".QDZ"));
        QCOMPARE(hive(), QStringList());
    }

    void secondAssociateKeepsItsOwnValues()
    {
        QVERIFY(m_assoc->Associate(".QDZ"));
        QVERIFY(m_assoc->Associate(".QDZ"));
        QCOMPARE(m_reg->readString(Hive::ClassesRoot, "QDZfile\\DefaultIcon", "OldAssociation"), kIcon);
        QCOMPARE(m_reg->readString(Hive::ClassesRoot, "QDZfile\\Shell\\Open\\Command", "OldAssociation"),
                 kShell);
        QVERIFY(m_assoc->Unassociate(".QDZ"));
        QVERIFY(m_assoc->IsAssociated(".QDZ"));
        QCOMPARE(hive(), associatedHive());
        QVERIFY(m_assoc->Unassociate(".QDZ"));
        QCOMPARE(hive(), QStringList());
    }

    void unassociateOfAMissingExtensionWritesNothing()
    {
        writeOtherProgram(*m_reg);
        const QStringList before = hive();
        QVERIFY(m_assoc->Unassociate(".XYZ"));
        QCOMPARE(hive(), before);
    }

    // What must never be touched: keys outside the extension's own, anything at the hive's
    // root, and another program's type.
    void guards_data()
    {
        QTest::addColumn<QString>("ext");
        QTest::addColumn<QString>("extDefault");  // null: no extension key
        QTest::newRow("empty extension") << "" << QString();
        QTest::newRow("only a dot") << "." << QString();
        QTest::newRow("extension with a separator") << "a\\b" << QString();
        QTest::newRow("extension naming no type") << ".QDZ" << "";
        QTest::newRow("extension naming the root") << ".QDZ" << "\\";
        QTest::newRow("another program's type, nothing kept") << ".QDZ" << "OtherType";
    }
    void guards()
    {
        QFETCH(QString, ext);
        QFETCH(QString, extDefault);
        writeRootBait(*m_reg);
        writeOtherProgram(*m_reg);
        if (!extDefault.isNull())
            m_reg->writeString(Hive::ClassesRoot, ".QDZ", "", extDefault);
        const QStringList before = hive();
        const bool takeover = extDefault == "OtherType";

        QVERIFY(m_assoc->Unassociate(ext));
        QCOMPARE(hive(), before);
        if (takeover)
            return;  // Associate would rightly take the type over
        QVERIFY(m_assoc->Associate(ext));
        QVERIFY(!m_assoc->IsAssociated(ext));
        QCOMPARE(hive(), before);
        QVERIFY(m_assoc->Unassociate(ext));
        QCOMPARE(hive(), before);
    }

    void registerAndUnregisterTheProgramsType()
    {
        writeRootBait(*m_reg);
        const QStringList before = hive();
        m_assoc->setQuickView(true);
        QVERIFY(m_assoc->RegisterFileType());
        QCOMPARE(m_reg->readString(Hive::ClassesRoot, "Vurozezi", ""), QStringLiteral("Wexmora File"));
        QCOMPARE(m_reg->readString(Hive::ClassesRoot, "Vurozezi\\DefaultIcon", ""), kIcon);
        QCOMPARE(m_reg->readString(Hive::ClassesRoot, "Vurozezi\\Shell\\Open\\Command", ""), kShell);
        QCOMPARE(m_reg->readString(Hive::ClassesRoot, "Vurozezi\\QuickView", ""), QStringLiteral("*"));
        m_assoc->setQuickView(false);
        QVERIFY(m_assoc->RegisterFileType());
        QVERIFY(!m_reg->keyExists(Hive::ClassesRoot, "Vurozezi\\QuickView"));
        QVERIFY(m_assoc->UnregisterFileType());
        QCOMPARE(hive(), before);

        m_assoc->setKeyName(QString());
        QVERIFY(m_assoc->RegisterFileType());
        QVERIFY(m_assoc->UnregisterFileType());
        QCOMPARE(hive(), before);
    }

    void everyOperationNotifiesOnce_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("notifications");
        QTest::newRow("RegisterFileType") << "register" << 1;
        QTest::newRow("UnregisterFileType of nothing") << "unregister" << 1;
        QTest::newRow("Associate") << "associate" << 1;
        QTest::newRow("Unassociate of a missing extension") << "unassociate" << 1;
        QTest::newRow("Associate of an empty extension") << "associate empty" << 1;
        QTest::newRow("IsAssociated") << "ask" << 0;
    }
    void everyOperationNotifiesOnce()
    {
        QFETCH(QString, operation);
        QFETCH(int, notifications);
        int calls = 0;
        m_assoc->setNotifierForTesting([&calls] {
            ++calls;
            return true;
        });
        if (operation == "register")
            m_assoc->RegisterFileType();
        else if (operation == "unregister")
            m_assoc->UnregisterFileType();
        else if (operation == "associate")
            m_assoc->Associate(".QDZ");
        else if (operation == "unassociate")
            m_assoc->Unassociate(".XYZ");
        else if (operation == "associate empty")
            m_assoc->Associate("");
        else
            m_assoc->IsAssociated(".QDZ");
        QCOMPARE(calls, notifications);
    }

    void aRefusedWriteEndsTheOperation()
    {
        // The store refuses to create any key named Command, as a store without rights
        // would refuse the first write it gets.
        sqlite3 *db = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(Registry::defaultPath()).constData(), &db), SQLITE_OK);
        QCOMPARE(sqlite3_exec(db,
                              "CREATE TRIGGER refuse BEFORE INSERT ON keys WHEN NEW.name = 'Command'"
                              " BEGIN SELECT RAISE(ABORT, 'refused'); END;",
                              nullptr, nullptr, nullptr),
                 SQLITE_OK);
        sqlite3_close(db);
        m_assoc->setQuickView(true);

        QVERIFY(!m_assoc->Associate(".QDZ"));
        // What was written before the refusal stays; nothing after it is written.
        QCOMPARE(hive(), QStringList({".QDZ", ".QDZ|=QDZfile", "QDZfile", "QDZfile\\DefaultIcon",
                                      "QDZfile\\DefaultIcon|=" + kIcon, "QDZfile|=Wexmora File"}));
    }

    void desktopFollowsEachOperation()
    {
        const QString package = DesktopFileTypes::packagePath("QDZfile");
        const QString entry = DesktopFileTypes::desktopEntryPath("QDZfile");
        QVERIFY(m_assoc->RegisterFileType());
        QVERIFY(!QFileInfo::exists(package));  // a type no extension names is not shown

        QVERIFY(m_assoc->Associate(".QDZ"));
        const QByteArray xml = ReadFileBytes(package);
        QVERIFY2(xml.contains("<mime-type type=\"application/x-qdzfile\">"), xml.constData());
        QVERIFY(xml.contains("<comment>Wexmora File</comment>"));
        QVERIFY(xml.contains("<glob pattern=\"*.qdz\"/>"));
        const QByteArray desktop = ReadFileBytes(entry);
        QVERIFY2(desktop.contains("\nExec=\"/opt/Tera Term/Vurozezi.exe\" %f\n"), desktop.constData());
        QVERIFY(desktop.contains("\nMimeType=application/x-qdzfile;\n"));
        QVERIFY(!desktop.contains("X-Wexmora-Previous-Default"));
        QCOMPARE(mimeApps(), QStringLiteral("[Default Applications]\n"
                                            "application/x-qdzfile=wexmora-type-qdzfile.desktop;\n"));
        QCOMPARE(m_started, QStringList({"update-mime-database", "update-desktop-database"}));

        m_started.clear();
        QVERIFY(m_assoc->Unassociate(".QDZ"));
        QVERIFY(!QFileInfo::exists(package));
        QVERIFY(!QFileInfo::exists(entry));
        QCOMPARE(mimeApps(), QStringLiteral("[Default Applications]\n"));
        QCOMPARE(m_started, QStringList({"update-mime-database", "update-desktop-database"}));

        m_started.clear();
        QVERIFY(m_assoc->UnregisterFileType());
        QCOMPARE(m_started, QStringList());  // nothing changed, nothing to refresh
    }

    void theUsersDefaultIsKeptAndGivenBack_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("chosenMeanwhile");  // a default the user picks while associated
        QTest::addColumn<QString>("after");
        const QString other = QStringLiteral("# mine\n[Default Applications]\n"
                                             "text/plain=editor.desktop;\n"
                                             "application/x-qdzfile=viewer.desktop;other.desktop;\n"
                                             "\n[Added Associations]\nimage/png=gimp.desktop;\n");
        QTest::newRow("another default") << other << QString() << other;
        QTest::newRow("chosen anew meanwhile")
            << other << "chosen.desktop;" << QString(other).replace("viewer.desktop;other.desktop;", "chosen.desktop;");
        QTest::newRow("no file before") << QString() << QString() << "[Default Applications]\n";
    }
    void theUsersDefaultIsKeptAndGivenBack()
    {
        QFETCH(QString, before);
        QFETCH(QString, chosenMeanwhile);
        QFETCH(QString, after);
        if (!before.isNull()) {
            QVERIFY(QDir().mkpath(QFileInfo(DesktopFileTypes::mimeAppsPath()).path()));
            QVERIFY(WriteFileBytes(DesktopFileTypes::mimeAppsPath(), before.toUtf8()));
        }
        QVERIFY(m_assoc->Associate(".QDZ"));
        QVERIFY(mimeApps().contains("\napplication/x-qdzfile=wexmora-type-qdzfile.desktop;\n"));
        QVERIFY(mimeApps().contains("text/plain=editor.desktop;") || before.isNull());
        // A second Associate keeps the default from before the first.
        QVERIFY(m_assoc->Associate(".QDZ"));
        if (!chosenMeanwhile.isEmpty()) {
            QVERIFY(WriteFileBytes(DesktopFileTypes::mimeAppsPath(),
                                   mimeApps().replace("wexmora-type-qdzfile.desktop;", chosenMeanwhile).toUtf8()));
        }
        QVERIFY(m_assoc->Unassociate(".QDZ"));
        QVERIFY(m_assoc->Unassociate(".QDZ"));
        QCOMPARE(mimeApps(), after);
    }

    void takenOverTypeIsShownUnderItsOwnName()
    {
        writeOtherProgram(*m_reg);
        QVERIFY(m_assoc->Associate(".QDZ"));
        QVERIFY(ReadFileBytes(DesktopFileTypes::packagePath("OtherType"))
                    .contains("<mime-type type=\"application/x-othertype\">"));
        QVERIFY(ReadFileBytes(DesktopFileTypes::packagePath("OtherType"))
                    .contains("<comment>Other Document</comment>"));
        QVERIFY(m_assoc->Unassociate(".QDZ"));
        QVERIFY(!QFileInfo::exists(DesktopFileTypes::packagePath("OtherType")));
        QVERIFY(!QFileInfo::exists(DesktopFileTypes::desktopEntryPath("OtherType")));
    }
};

QTEST_GUILESS_MAIN(TestTMILAssociate)
#include "tst_tmilassociate.moc"
