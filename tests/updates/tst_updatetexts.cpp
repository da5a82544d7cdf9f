#include "updates/UpdateTexts.h"

#include <QTest>

class TestUpdateTexts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void convertsLineBreaksToCRLF_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << "" << "";
        QTest::newRow("no break") << "abc" << "abc";
        QTest::newRow("lone LF") << "a\nb" << "a\r\nb";
        QTest::newRow("CR LF kept") << "a\r\nb" << "a\r\nb";
        QTest::newRow("lone CR kept") << "a\rb" << "a\rb";
        QTest::newRow("LF first") << "\na" << "\r\na";
        QTest::newRow("LF last") << "a\n" << "a\r\n";
        QTest::newRow("two LF") << "\n\n" << "\r\n\r\n";
        QTest::newRow("LF CR") << "a\n\rb" << "a\r\n\rb";
        QTest::newRow("mixed") << "x\r\ny\nz\r\r\n" << "x\r\ny\r\nz\r\r\n";
        QTest::newRow("already converted twice") << "a\r\r\nb" << "a\r\r\nb";
    }

    void convertsLineBreaksToCRLF()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(UpdateTexts::ConvertLineBreaksToCRLF(text), expected);
        QCOMPARE(UpdateTexts::ConvertLineBreaksToCRLF(expected), expected);
    }

    void showsVersions_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("expected");
        QTest::newRow("installed TeraTerm")
            << UpdateTexts::InstalledTeraTermVersion({4, 106, 2, 7}) << "4.106";
        QTest::newRow("TeraTerm missing")
            << UpdateTexts::InstalledTeraTermVersion(UnknownFileVersion) << "99999.99999";
        QTest::newRow("installed program")
            << UpdateTexts::InstalledProgramVersion({2, 8, 1, 0}) << "2.8.1";
        QTest::newRow("installed program, release 0")
            << UpdateTexts::InstalledProgramVersion({2, 9, 0, 3}) << "2.9 (Beta)";
        QTest::newRow("latest TeraTerm") << UpdateTexts::LatestTeraTermVersion("4.106-2") << "4.106";
        QTest::newRow("latest program") << UpdateTexts::LatestProgramVersion("2.8-1") << "2.8.1";
        QTest::newRow("latest program, release 0")
            << UpdateTexts::LatestProgramVersion("3.0-0") << "3.0.0";
    }

    void showsVersions()
    {
        QFETCH(QString, shown);
        QFETCH(QString, expected);
        QCOMPARE(shown, expected);
    }
};

QTEST_GUILESS_MAIN(TestUpdateTexts)
#include "tst_updatetexts.moc"
