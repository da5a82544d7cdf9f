#include "platform/FileChooser.h"

#include <QtTest>

class TestFileChooser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nameFilters_data();
    void nameFilters();
    void defaultExtension_data();
    void defaultExtension();
    void upperExtension_data();
    void upperExtension();
};

void TestFileChooser::nameFilters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("qt");

    QTest::newRow("table files") << "Wexmora file (*.QDZ)|*.QDZ|All files (*.*)|*.*"
                                 << QStringList{"Wexmora file (*.QDZ *.qdz)", "All files (*)"};
    QTest::newRow("three kinds") << "Wexmora file (*.QDZ)|*.QDZ|Tenvask file (*.KPV)|*.KPV|All files (*.*)|*.*"
                                 << QStringList{"Wexmora file (*.QDZ *.qdz)", "Tenvask file (*.KPV *.kpv)",
                                                "All files (*)"};
    QTest::newRow("several patterns, a description without a list")
        << "Macros|*.TTL;*.txt" << QStringList{"Macros (*.TTL *.ttl *.txt *.TXT)"};
    QTest::newRow("a dangling description is dropped") << "Wexmora file (*.QDZ)|*.QDZ|All files"
                                                       << QStringList{"Wexmora file (*.QDZ *.qdz)"};
}

void TestFileChooser::nameFilters()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, qt);
    QCOMPARE(FileDialogNameFilters(filter), qt);
}

void TestFileChooser::defaultExtension_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("result");
    QTest::newRow("no extension") << "/tmp/a/table" << "/tmp/a/table.qdz";
    QTest::newRow("own extension") << "/tmp/a/table.kpv" << "/tmp/a/table.kpv";
    QTest::newRow("dot in a folder name only") << "/tmp/a.b/table" << "/tmp/a.b/table.qdz";
    QTest::newRow("empty stays empty") << "" << "";
}

void TestFileChooser::defaultExtension()
{
    QFETCH(QString, name);
    QFETCH(QString, result);
    QCOMPARE(AddDefaultExtension(name, QStringLiteral("qdz")), result);
    QCOMPARE(AddDefaultExtension(name, QString()), name);
}

void TestFileChooser::upperExtension_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("ext");
    QTest::newRow("lower case") << "/x/e.kpv" << ".KPV";
    QTest::newRow("last of several") << "/x/e.kpv.qdz" << ".QDZ";
    QTest::newRow("none") << "/x.kpv/e" << "";
}

void TestFileChooser::upperExtension()
{
    QFETCH(QString, name);
    QFETCH(QString, ext);
    QCOMPARE(UpperFileExtension(name), ext);
}

QTEST_GUILESS_MAIN(TestFileChooser)
#include "tst_filechooser.moc"
