#include "WindowMachine.h"
#include "components/AssociationChoice.h"
#include "components/TMILAssociate.h"
#include "mainwindow/GeneralSettingsPage.h"
#include "mainwindow/SettingsPage.h"
#include "platform/DesktopFileTypes.h"
#include "platform/ShellOpen.h"
#include "support/HiveDump.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QTabWidget>

using Hive = Registry::Hive;

namespace {

QString program()
{
    return QCoreApplication::applicationFilePath();
}

QByteArray mimeApps()
{
    return ReadFileBytes(DesktopFileTypes::mimeAppsPath());
}

// The default the desktop gives table files, as mimeapps.list names it.
QByteArray tableFileDefault()
{
    return DesktopFileTypes::mimeTypeForClass(QStringLiteral("QDZfile")).toUtf8() + '='
        + DesktopFileTypes::desktopFileForClass(QStringLiteral("QDZfile")).toUtf8() + ';';
}

} // namespace

class TestTForm1Association : public QObject
{
    Q_OBJECT

    static QCheckBox *box(const TForm1 &form)
    {
        return form.settingsPage()->general()->cbAssociateExt();
    }

private Q_SLOTS:
    // The desktop's caches are not refreshed from tests.
    void init() { ShellOpen::setStarterForTesting([](auto &&...) { return true; }); }
    void cleanup() { ShellOpen::setStarterForTesting({}); }

    // The box shows at start whether table files open with this program.
    void showsTheStateAtStart_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("nothing registered") << "" << false;
        QTest::newRow("associated with the program") << "program" << true;
        QTest::newRow("another program's type") << "other" << false;
    }
    void showsTheStateAtStart()
    {
        QFETCH(QString, before);
        QFETCH(bool, ticked);
        Machine machine;
        TMILAssociate earlier(*machine.registry);
        SetUpProgramAssociation(earlier, before == QLatin1String("other") ? QStringLiteral("/opt/other/viewer")
                                                                         : program());
        if (!before.isEmpty())
            QVERIFY(earlier.Associate(QStringLiteral(".QDZ")));
        const QStringList hive = DumpHive(*machine.registry, Hive::ClassesRoot);

        const auto form = machine.start();
        QVERIFY(form);
        QCOMPARE(box(*form)->text(), QStringLiteral("Associate extention QDZ with Wexmora"));
        QCOMPARE(box(*form)->isChecked(), ticked);
        // Looking writes nothing.
        QCOMPARE(DumpHive(*machine.registry, Hive::ClassesRoot), hive);
    }

    // Ticking the box makes table files open with the program, on the desktop as in the
    // class hive; clearing it takes all of that away again.
    void theBoxDrivesTheAssociation()
    {
        Machine machine;
        const auto form = machine.start();
        QVERIFY(form);
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QCOMPARE(form->findChild<QTabWidget *>(QStringLiteral("PG"))->currentIndex(), 0);
        QCheckBox *associate = box(*form);
        QVERIFY(associate->isVisible());

        QTest::mouseClick(associate, Qt::LeftButton);
        QVERIFY(associate->isChecked());
        const QString exe = program();
        const QStringList hive = DumpHive(*machine.registry, Hive::ClassesRoot);
        QVERIFY(hive.contains(QStringLiteral(".QDZ|=QDZfile")));
        QVERIFY(hive.contains(QStringLiteral("QDZfile|=Wexmora File")));
        QVERIFY(hive.contains(QStringLiteral("QDZfile\\DefaultIcon|=") + exe + QStringLiteral(",0")));
        QVERIFY(hive.contains(QStringLiteral("QDZfile\\Shell\\Open\\Command|=") + exe + QStringLiteral(" \"%1\"")));
        QVERIFY(hive.contains(QFileInfo(exe).completeBaseName() + QStringLiteral("|=Wexmora File")));
        QVERIFY(QFileInfo::exists(DesktopFileTypes::desktopEntryPath(QStringLiteral("QDZfile"))));
        QVERIFY(QFileInfo::exists(DesktopFileTypes::packagePath(QStringLiteral("QDZfile"))));
        QVERIFY(mimeApps().contains(tableFileDefault()));

        QTest::mouseClick(associate, Qt::LeftButton);
        QVERIFY(!associate->isChecked());
        QCOMPARE(DumpHive(*machine.registry, Hive::ClassesRoot), QStringList());
        QVERIFY(!QFileInfo::exists(DesktopFileTypes::desktopEntryPath(QStringLiteral("QDZfile"))));
        QVERIFY(!QFileInfo::exists(DesktopFileTypes::packagePath(QStringLiteral("QDZfile"))));
        QVERIFY(!mimeApps().contains(tableFileDefault()));
        QVERIFY(machine.prompter.boxes().isEmpty());
    }

    // A write that fails is told, and the box shows what is really there afterwards.
    void aFailedWriteIsToldAndTheBoxShowsTheTruth()
    {
        Machine machine;
        // mimeapps.list is taken by a folder: the desktop's settings cannot be written.
        QVERIFY(QDir().mkpath(DesktopFileTypes::mimeAppsPath()));
        const auto form = machine.start();
        QVERIFY(form);
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTest::mouseClick(box(*form), Qt::LeftButton);
        QCOMPARE(machine.prompter.boxes().size(), 1);
        QCOMPARE(machine.prompter.boxes().first().kind, Prompter::Kind::Error);
        // The class hive took the association: the box says so.
        QVERIFY(box(*form)->isChecked());
        QVERIFY(DumpHive(*machine.registry, Hive::ClassesRoot).contains(QStringLiteral(".QDZ|=QDZfile")));
    }
};

QTEST_MAIN(TestTForm1Association)
#include "tst_tform1_association.moc"
