#include "components/PrintHeader.h"
#include "support/NodeRecords.h"
#include "table/ConnectionTree.h"

#include <QTest>

class TestPrintHeader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pathTextRunsFromTheConnectionUp()
    {
        ConnectionTree tree;
        ConnectionNode *root = tree.addChild(tree.invisibleRoot(), NamedRecord("This computer"));
        ConnectionNode *sites = tree.addChild(root, NamedRecord("Sites"));
        ConnectionNode *lab = tree.addChild(sites, NamedRecord("Lab"));
        ConnectionNode *db = tree.addChild(lab, NamedRecord("Db"));
        ConnectionNode *legacy = tree.addChild(root, NamedRecord(QByteArray("caf\xe9")));  // Windows-1252

        QCOMPARE(GetNodePathText(tree, db), QStringLiteral("/Db/Lab/Sites"));
        QCOMPARE(GetNodePathText(tree, sites), QStringLiteral("/Sites"));
        QCOMPARE(GetNodePathText(tree, root), QStringLiteral("/"));
        QCOMPARE(GetNodePathText(tree, legacy), QStringLiteral("/café"));
    }

    void headerTexts()
    {
        QCOMPARE(PrintHeader::forMacro("/home/u/sites.QDZ", "/Db/Lab").fileText,
                 QStringLiteral("File: /home/u/sites.QDZ"));
        QCOMPARE(PrintHeader::forMacro(QString(), "/").fileText, QStringLiteral("File: "));
        QCOMPARE(PrintHeader::forMacro(QString(), "/").macroText, QStringLiteral("Macro: /"));
    }

    void placeholders_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("pageCount");
        QTest::addColumn<QString>("expanded");
        QTest::newRow("page item") << PrintPageItem << 2 << 5 << "Page 2 of 5";
        QTest::newRow("date and time") << PrintDateTimeItem << 1 << 1 << "1/18/06 07:05:09";
        QTest::newRow("each placeholder once") << "$PAGECOUNT$$PAGENUM$$PAGECOUNT$" << 3 << 12
                                               << "12312";
    }
    void placeholders()
    {
        QFETCH(QString, item);
        QFETCH(int, page);
        QFETCH(int, pageCount);
        QFETCH(QString, expanded);
        const QDateTime when(QDate(2006, 1, 18), QTime(7, 5, 9));
        QCOMPARE(ExpandPrintPlaceholders(item, page, pageCount, when, QLocale(QLocale::English, QLocale::UnitedStates)),
                 expanded);
    }
};

QTEST_GUILESS_MAIN(TestPrintHeader)
#include "tst_printheader.moc"
