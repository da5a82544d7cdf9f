#include "platform/ResolvedPath.h"
#include "platform/WinePrefix.h"
#include "support/WinePrefixLayout.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestWinePrefix : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findsThePrefixAFolderLiesIn_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("prefix");  // relative to the temp folder; empty: none

        QTest::newRow("TeraTerm's folder on drive C") << "user/.wine/drive_c/Program Files (x86)/teraterm" << "user/.wine";
        QTest::newRow("the prefix itself") << "user/.wine" << "user/.wine";
        QTest::newRow("a folder not made yet") << "user/.wine/drive_c/teraterm/Logs/new" << "user/.wine";
        QTest::newRow("the nearest of two") << "user/.wine/drive_c/inner/drive_c/tt" << "user/.wine/drive_c/inner";
        QTest::newRow("no dosdevices beside drive_c") << "half/drive_c/tt" << "";
        QTest::newRow("outside any prefix") << "opt/teraterm" << "";
        QTest::newRow("through a link into the prefix") << "link/teraterm" << "user/.wine";
    }

    void findsThePrefixAFolderLiesIn()
    {
        QFETCH(QString, folder);
        QFETCH(QString, prefix);
        QTemporaryDir dir;
        const QDir root(dir.path());
        QVERIFY(MakeWinePrefixLayout(root.filePath(QStringLiteral("user/.wine"))));
        QVERIFY(MakeWinePrefixLayout(root.filePath(QStringLiteral("user/.wine/drive_c/inner"))));
        QVERIFY(root.mkpath(QStringLiteral("half/drive_c/tt")));
        QVERIFY(root.mkpath(QStringLiteral("user/.wine/drive_c/Program Files (x86)/teraterm")));
        QVERIFY(root.mkpath(QStringLiteral("user/.wine/drive_c/inner/drive_c/tt")));
        QVERIFY(root.mkpath(QStringLiteral("opt/teraterm")));
        QVERIFY(QFile::link(root.filePath(QStringLiteral("user/.wine/drive_c/Program Files (x86)")),
                            root.filePath(QStringLiteral("link"))));

        const QString found = WinePrefix::containing(root.filePath(folder));
        QCOMPARE(found, prefix.isEmpty() ? QString() : ResolvedPath(root.filePath(prefix)));
        QCOMPARE(WinePrefix::containing(QString()), QString());
    }
};

QTEST_GUILESS_MAIN(TestWinePrefix)
#include "tst_wineprefix.moc"
