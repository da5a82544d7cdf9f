#include "platform/ResolvedPath.h"
#include "platform/WineDriveMap.h"
#include "support/WinePrefixLayout.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

// A prefix as Wine lays it out, with drives the user made: D: for a folder outside it, E:
// for a folder on drive C. And the text of the temp folder as drive Z: shows it.
struct Machine
{
    QTemporaryDir dir;
    QString prefix = dir.filePath(QStringLiteral("home/.wine"));
    QString data = dir.filePath(QStringLiteral("srv/data"));
    bool ready = MakeWinePrefixLayout(prefix) && QDir().mkpath(data)
        && QFile::link(data, prefix + QStringLiteral("/dosdevices/d:"))
        && QDir().mkpath(prefix + QStringLiteral("/drive_c/shared"))
        && QFile::link(QStringLiteral("../drive_c/shared"), prefix + QStringLiteral("/dosdevices/e:"));

    QString onZ() const { return QStringLiteral("Z:") + ResolvedPath(dir.path()).replace(QLatin1Char('/'), QLatin1Char('\\')); }
    QString expand(QString text) const
    {
        return text.replace(QLatin1String("<prefix>"), prefix).replace(QLatin1String("<tmp>"), dir.path());
    }
};

} // namespace

class TestWineDriveMap : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void mapsLinuxPathsToWindowsPaths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("windows");  // "<Z>" stands for the temp folder on drive Z:; empty: none

        QTest::newRow("file on drive C")
            << "<prefix>/drive_c/Program Files (x86)/teraterm/Temp_TTL/~macroC1.ttl"
            << "C:\\Program Files (x86)\\teraterm\\Temp_TTL\\~macroC1.ttl";
        QTest::newRow("drive C itself") << "<prefix>/drive_c" << "C:\\";
        QTest::newRow("a closing separator") << "<prefix>/drive_c/windows/" << "C:\\windows";
        QTest::newRow("a log file not made yet") << "<prefix>/drive_c/tt/Logs/Web_20261210090405.log"
                                                 << "C:\\tt\\Logs\\Web_20261210090405.log";
        QTest::newRow("outside the prefix, through Z:") << "<tmp>/outside/teraterm.ini" << "<Z>\\outside\\teraterm.ini";
        QTest::newRow("the prefix itself, through Z:") << "<prefix>" << "<Z>\\home\\.wine";
        QTest::newRow("the user's drive, more specific than Z:") << "<tmp>/srv/data/logs/a.log" << "D:\\logs\\a.log";
        QTest::newRow("the user's drive on drive C, more specific than C:")
            << "<prefix>/drive_c/shared/notes/a.txt" << "E:\\notes\\a.txt";
        QTest::newRow("a name that only begins like the user's drive")
            << "<tmp>/srv/database/a.log" << "<Z>\\srv\\database\\a.log";
        QTest::newRow("spaces and non-ASCII names")
            << QString::fromUtf8("<prefix>/drive_c/Tera Term é€ 日本/my macro ü.ttl")
            << QString::fromUtf8("C:\\Tera Term é€ 日本\\my macro ü.ttl");
        QTest::newRow("through a link into drive C") << "<tmp>/shortcut/Logs" << "C:\\teraterm\\Logs";
        QTest::newRow("a colon Windows names cannot hold") << "<prefix>/drive_c/a:b/x.ttl" << "";
        QTest::newRow("a backslash in a Linux name") << "<prefix>/drive_c/a\\b/x.ttl" << "";
        QTest::newRow("a control character") << "<prefix>/drive_c/a\tb" << "";
    }

    void mapsLinuxPathsToWindowsPaths()
    {
        QFETCH(QString, path);
        QFETCH(QString, windows);
        Machine m;
        QVERIFY(m.ready);
        QVERIFY(QDir().mkpath(m.prefix + QStringLiteral("/drive_c/teraterm")));
        QVERIFY(QFile::link(m.prefix + QStringLiteral("/drive_c/teraterm"), m.dir.filePath(QStringLiteral("shortcut"))));
        const WineDriveMap map = WineDriveMap::forPrefix(m.prefix);

        const std::optional<QString> got = map.windowsPath(m.expand(path));
        if (windows.isEmpty()) {
            QVERIFY2(!got, qPrintable(got.value_or(QString())));
            return;
        }
        QVERIFY(got);
        QCOMPARE(*got, windows.replace(QLatin1String("<Z>"), m.onZ()));
    }

    void aPathNoDriveShowsHasNoName()
    {
        Machine m;
        QVERIFY(m.ready);
        QVERIFY(QFile::remove(m.prefix + QStringLiteral("/dosdevices/z:")));
        const WineDriveMap map = WineDriveMap::forPrefix(m.prefix);
        QVERIFY(!map.windowsPath(m.dir.filePath(QStringLiteral("outside/x.ini"))));
        QCOMPARE(map.windowsPath(m.prefix + QStringLiteral("/drive_c/x.ini")), std::optional<QString>(QStringLiteral("C:\\x.ini")));
        QVERIFY(!WineDriveMap().windowsPath(QStringLiteral("/tmp")));
    }

    void readsOnlyTheDriveLinks()
    {
        Machine m;
        QVERIFY(m.ready);
        const QString devices = m.prefix + QStringLiteral("/dosdevices/");
        QVERIFY(QFile::link(QStringLiteral("/dev/ttyS0"), devices + QStringLiteral("com1")));
        QVERIFY(QFile::link(QStringLiteral("/dev/sda1"), devices + QStringLiteral("c::")));
        // A drive whose folder has gone.
        QVERIFY(QDir().mkpath(m.dir.filePath(QStringLiteral("gone"))));
        QVERIFY(QFile::link(m.dir.filePath(QStringLiteral("gone")), devices + QStringLiteral("x:")));
        QVERIFY(QDir().rmdir(m.dir.filePath(QStringLiteral("gone"))));
        QVERIFY(QFile(devices + QStringLiteral("f:")).open(QIODevice::WriteOnly));
        QVERIFY(QFile::link(QStringLiteral("../drive_c"), devices + QStringLiteral("y:")));

        const WineDriveMap map = WineDriveMap::forPrefix(m.prefix);
        QString letters;
        for (const WineDriveMap::Drive &d : map.drives())
            letters += d.letter;
        QCOMPARE(letters, QStringLiteral("CDEYZ"));
        // Two drives showing one folder: the lower letter names it.
        QCOMPARE(map.windowsPath(m.prefix + QStringLiteral("/drive_c/a")), std::optional<QString>(QStringLiteral("C:\\a")));
    }

    void namesDriveEntries_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("letter");
        QTest::newRow("c:") << "c:" << "C";
        QTest::newRow("upper case") << "D:" << "D";
        QTest::newRow("raw device") << "c::" << "";
        QTest::newRow("serial port") << "com1" << "";
        QTest::newRow("no letter") << "1:" << "";
        QTest::newRow("non-ASCII letter") << QString::fromUtf8("é:") << "";
        QTest::newRow("empty") << "" << "";
    }

    void namesDriveEntries()
    {
        QFETCH(QString, entry);
        QFETCH(QString, letter);
        const QChar got = WineDriveMap::driveLetter(entry);
        QCOMPARE(got.isNull() ? QString() : QString(got), letter);
    }
};

QTEST_GUILESS_MAIN(TestWineDriveMap)
#include "tst_winedrivemap.moc"
