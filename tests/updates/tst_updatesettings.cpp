#include "platform/Registry.h"
#include "shell/ProgramRegKey.h"
#include "support/TempUserDirs.h"
#include "updates/UpdateSettings.h"

#include <QTest>

class TestUpdateSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void countsDaysAsTheLauncherDoes_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("day");
        QTest::newRow("day zero") << QDate(1899, 12, 30) << 0;
        QTest::newRow("1900") << QDate(1900, 1, 1) << 2;
        QTest::newRow("after a leap day") << QDate(2024, 3, 1) << 45352;
        QTest::newRow("year 2038") << QDate(2038, 1, 20) << 50425;
    }

    void countsDaysAsTheLauncherDoes()
    {
        QFETCH(QDate, date);
        QFETCH(int, day);
        QCOMPARE(UpdateSettings::DayNumber(date), day);
    }

    // The interval chosen on a day gives the day of the next check; "never" gives that day.
    void nextCheckFollowsTheInterval_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("nextCheck");
        const int today = 45352;
        QTest::newRow("every day") << 0 << today + 1;
        QTest::newRow("every 3 days") << 1 << today + 3;
        QTest::newRow("every 7 days") << 2 << today + 7;
        QTest::newRow("every 14 days") << 3 << today + 14;
        QTest::newRow("every 30 days") << 4 << today + 30;
        QTest::newRow("never") << 5 << today;
        QTest::newRow("no selection") << -1 << today;
    }

    void nextCheckFollowsTheInterval()
    {
        QFETCH(int, index);
        QFETCH(int, nextCheck);
        TempUserDirs dirs;
        const std::unique_ptr<Registry> registry = dirs.freshRegistry();
        QVERIFY(UpdateSettings::SaveNextUpdateCheck(
            *registry, UpdateSettings::NextUpdateCheck(index, QDate(2024, 3, 1))));
        QCOMPARE(registry->readDword(ProgramRegHive, ProgramRegKey, "NextCheck"),
                 std::optional<quint32>(nextCheck));
    }

    void latestVersionsAreStoredTogether()
    {
        TempUserDirs dirs;
        const std::unique_ptr<Registry> registry = dirs.freshRegistry();
        QVERIFY(!registry->keyExists(ProgramRegHive, ProgramRegKey));
        QVERIFY(UpdateSettings::SaveLatestVersions(*registry, "4.106-2", QString()));
        QCOMPARE(registry->readString(ProgramRegHive, ProgramRegKey, "TTLatestVersion"),
                 std::optional<QString>("4.106-2"));
        QCOMPARE(registry->readString(ProgramRegHive, ProgramRegKey, "WexmoraLatestVersion"),
                 std::optional<QString>(""));
        QVERIFY(UpdateSettings::SaveLatestVersions(*registry, "4.107-0", "2.8-1"));
        QCOMPARE(registry->readString(ProgramRegHive, ProgramRegKey, "TTLatestVersion"),
                 std::optional<QString>("4.107-0"));
        QCOMPARE(registry->readString(ProgramRegHive, ProgramRegKey, "WexmoraLatestVersion"),
                 std::optional<QString>("2.8-1"));
    }

    void aRefusingRegistryKeepsNothing()
    {
        Registry closed(QStringLiteral("/proc/no such folder/registry.sqlite3"));
        QVERIFY(!closed.isOpen());
        QVERIFY(!UpdateSettings::SaveLatestVersions(closed, "4.106-2", "2.8-1"));
        QVERIFY(!UpdateSettings::SaveNextUpdateCheck(closed, 45353));
    }
};

QTEST_GUILESS_MAIN(TestUpdateSettings)
#include "tst_updatesettings.moc"
