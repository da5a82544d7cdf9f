#include "table/ScheduleRule.h"

#include <QTest>

class TestScheduleRule : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void normalizes_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("normal");
        QTest::addColumn<int>("corrections");

        QTest::newRow("one moved into range, one duplicate") << 1 << "70,5,5" << "5,59" << 2;
        QTest::newRow("two moved, then equal") << 1 << "80,70" << "59" << 3;
        QTest::newRow("not a number") << 2 << "x" << "23" << 1;
        QTest::newRow("day of month below range") << 3 << "0" << "1" << 1;
        QTest::newRow("day of week sorted and clamped") << 5 << "9,1" << "1,7" << 1;
        QTest::newRow("trailing comma is an empty token") << 1 << "5," << "5,59" << 1;
        QTest::newRow("leading comma") << 4 << ",3" << "3,12" << 1;
        QTest::newRow("star anywhere") << 1 << "3,*" << "*" << 0;
        QTest::newRow("empty") << 2 << "" << "*" << 0;
        QTest::newRow("already normal") << 1 << "0,15,30,45" << "0,15,30,45" << 0;
        QTest::newRow("unsorted only") << 2 << "8,3" << "3,8" << 0;
        QTest::newRow("leading zeros read as numbers") << 2 << "007,08" << "7,8" << 0;
        QTest::newRow("minus sign is below range") << 1 << "-5" << "0" << 1;
        QTest::newRow("blank inside a number") << 1 << "1 2" << "59" << 1;
        QTest::newRow("beyond 32 bits") << 1 << "99999999999" << "59" << 1;
        QTest::newRow("largest 32-bit number") << 3 << "2147483647" << "31" << 1;
        QTest::newRow("smallest 32-bit number") << 3 << "-2147483648" << "1" << 1;
        QTest::newRow("bare sign") << 4 << "-" << "12" << 1;
        QTest::newRow("other field numbers mean day of week") << 9 << "8" << "7" << 1;
    }
    void normalizes()
    {
        QFETCH(int, which);
        QFETCH(QString, text);
        QFETCH(QString, normal);
        QFETCH(int, corrections);

        int counted = 10;   // corrections add to what earlier fields counted
        QCOMPARE(ScheduleRule::NormalizeScheduleField(which, text, counted), normal);
        QCOMPARE(counted - 10, corrections);
    }

    void verificationMessages_data()
    {
        QTest::addColumn<int>("corrections");
        QTest::addColumn<QString>("message");
        QTest::newRow("none") << 0 << "All fields are entered correctly.";
        QTest::newRow("one") << 1 << "1 invalid entry corrected.";
        QTest::newRow("two") << 2 << "2 invalid entries corrected.";
        QTest::newRow("many") << 12 << "12 invalid entries corrected.";
    }
    void verificationMessages()
    {
        QFETCH(int, corrections);
        QFETCH(QString, message);
        QCOMPARE(ScheduleRule::verificationMessage(corrections), message);
    }

    void splitsStoredRules_data()
    {
        QTest::addColumn<QByteArray>("rule");
        QTest::addColumn<QStringList>("fields");

        QTest::newRow("stored form") << QByteArray("=0,30 8 * * 1,2,3,4,5")
                                     << QStringList{"0,30", "8", "*", "*", "1,2,3,4,5"};
        QTest::newRow("two blanks give an empty field")
            << QByteArray("=5  * * 1") << QStringList{"5", "", "*", "*", "1"};
        QTest::newRow("blanks around the last field")
            << QByteArray("=* * * * 7  ") << QStringList{"*", "*", "*", "*", "7"};
        QTest::newRow("too few blanks leave the rest to the last field")
            << QByteArray("=5 6") << QStringList{"5", "", "", "", "6"};
        QTest::newRow("empty") << QByteArray() << QStringList{"", "", "", "", ""};
    }
    void splitsStoredRules()
    {
        QFETCH(QByteArray, rule);
        QFETCH(QStringList, fields);
        const ScheduleRule::Fields shown = ScheduleRule::ShowScheduleFields(rule);
        QCOMPARE(QStringList(shown.begin(), shown.end()), fields);
    }

    void buildsTheStoredRule()
    {
        const ScheduleRule::Fields fields{" 0,30", "8 ", "*", "*", "1,2,3,4,5"};
        QCOMPARE(ScheduleRule::buildRule(true, fields), QByteArray("=0,30 8 * * 1,2,3,4,5"));
        QCOMPARE(ScheduleRule::buildRule(false, fields), QByteArray());
        // What is built is what the page shows again.
        const ScheduleRule::Fields again = ScheduleRule::ShowScheduleFields(ScheduleRule::buildRule(true, fields));
        QCOMPARE(again[0], QStringLiteral("0,30"));
        QCOMPARE(again[4], QStringLiteral("1,2,3,4,5"));
    }

    void keepsOnlyFieldCharacters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kept");
        QTest::newRow("digits, star and comma") << "0,5*" << "0,5*";
        QTest::newRow("letters, blanks and signs") << "a1 -2+b" << "12";
        QTest::newRow("non-ASCII digits") << QString::fromUtf8("\u0663,4") << ",4";
        QTest::newRow("line break") << "1\n2" << "12";
    }
    void keepsOnlyFieldCharacters()
    {
        QFETCH(QString, text);
        QFETCH(QString, kept);
        QCOMPARE(ScheduleRule::fieldCharactersOf(text), kept);
    }
};

QTEST_GUILESS_MAIN(TestScheduleRule)
#include "tst_schedulerule.moc"
