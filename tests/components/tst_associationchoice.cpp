#include "components/AssociationChoice.h"
#include "components/TMILAssociate.h"
#include "platform/DesktopFileTypes.h"
#include "platform/Registry.h"
#include "platform/ShellOpen.h"
#include "support/HiveDump.h"
#include "support/ScriptedPrompter.h"
#include "support/TempUserDirs.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

using Hive = Registry::Hive;

namespace {

const QString kProgram = QStringLiteral("/opt/teraterm/Vurozezi.exe");

void setUp(TMILAssociate &assoc)
{
    SetUpProgramAssociation(assoc, kProgram);
}

} // namespace

class TestAssociationChoice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { ShellOpen::setStarterForTesting([](auto &&...) { return true; }); }
    void cleanup() { ShellOpen::setStarterForTesting({}); }

    void tickingAndClearingTheBox()
    {
        TempUserDirs dirs;
        const auto reg = dirs.freshRegistry();
        TMILAssociate assoc(*reg);
        setUp(assoc);
        ScriptedPrompter prompter;

        QVERIFY(ApplyAssociationChoice(assoc, true, prompter));
        // The program's own type key, and the extension's type that opens with the program.
        QStringList expected({".QDZ", ".QDZ|=QDZfile", "QDZfile", "QDZfile|=Wexmora File",
                              "QDZfile\\DefaultIcon", "QDZfile\\DefaultIcon|=" + kProgram + ",0",
                              "QDZfile\\Shell", "QDZfile\\Shell\\Open", "QDZfile\\Shell\\Open\\Command",
                              "QDZfile\\Shell\\Open\\Command|=" + kProgram + " \"%1\"",
                              "Vurozezi", "Vurozezi|=Wexmora File",
                              "Vurozezi\\DefaultIcon", "Vurozezi\\DefaultIcon|=" + kProgram + ",0",
                              "Vurozezi\\Shell", "Vurozezi\\Shell\\Open", "Vurozezi\\Shell\\Open\\Command",
                              "Vurozezi\\Shell\\Open\\Command|=" + kProgram + " \"%1\""});
        expected.sort();
        QCOMPARE(DumpHive(*reg, Hive::ClassesRoot), expected);
        QVERIFY(QFileInfo::exists(DesktopFileTypes::desktopEntryPath("QDZfile")));

        QVERIFY(!ApplyAssociationChoice(assoc, false, prompter));
        QCOMPARE(DumpHive(*reg, Hive::ClassesRoot), QStringList());
        QVERIFY(!QFileInfo::exists(DesktopFileTypes::desktopEntryPath("QDZfile")));
        QVERIFY(prompter.boxes().isEmpty());
    }

    // The box shows what is really there after a failure, and the user hears of it.
    void failuresReachTheUser_data()
    {
        QTest::addColumn<QString>("broken");
        QTest::addColumn<bool>("associatedAfter");
        QTest::newRow("registry refuses writes") << "registry" << false;
        QTest::newRow("desktop settings cannot be written") << "desktop" << true;
    }
    void failuresReachTheUser()
    {
        QFETCH(QString, broken);
        QFETCH(bool, associatedAfter);
        TempUserDirs dirs;
        std::unique_ptr<Registry> reg;
        if (broken == "registry") {
            // A store that could not be opened refuses every write.
            reg = std::make_unique<Registry>(QString());
            QVERIFY(!reg->isOpen());
        } else {
            reg = dirs.freshRegistry();
            // mimeapps.list is taken by a folder.
            QVERIFY(QDir().mkpath(DesktopFileTypes::mimeAppsPath()));
        }
        TMILAssociate assoc(*reg);
        setUp(assoc);
        ScriptedPrompter prompter;

        QCOMPARE(ApplyAssociationChoice(assoc, true, prompter), associatedAfter);
        QCOMPARE(prompter.boxes().size(), 1);
        QCOMPARE(prompter.boxes().first().kind, Prompter::Kind::Error);
        QCOMPARE(prompter.boxes().first().text,
                 QStringLiteral("The association of QDZ files with Wexmora could not be changed "
                                "completely: the registry or the desktop's file type settings "
                                "refused a write."));
    }
};

QTEST_GUILESS_MAIN(TestAssociationChoice)
#include "tst_associationchoice.moc"
