// scripts/install as a user runs it: into a TeraTerm folder of a Wine prefix in a temporary
// home, with the XDG folders there too. TeraTerm's files must come through every install and
// uninstall byte for byte; the uninstall takes away exactly what the install wrote.
#include "platform/AutoStart.h"
#include "platform/XdgKeyFile.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Every file and folder under Root, by its path below Root: a folder as "/", a file as its
// permissions and bytes.
QMap<QString, QByteArray> Snapshot(const QString &root)
{
    QMap<QString, QByteArray> out;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        const QString name = QDir(root).relativeFilePath(path);
        if (info.isDir() && !info.isSymLink())
            out.insert(name, "/");
        else
            out.insert(name, QByteArray::number(int(info.permissions()), 16) + ':' + ReadFileBytes(path));
    }
    return out;
}

// TeraTerm as its installer leaves it, and a launcher beside it.
const QMap<QString, QByteArray> kTeraTermFiles{
    {"ttermpro.exe", QByteArray("MZ\x90\0\3\0\0\0 TeraTerm", 17)},
    {"teraterm.ini", "[Tera Term]\r\nVTColor=0,0,0,255,255,255\r\n"},
    {"ttermp.hlp", "?_\3\0help"},
    {"lang/Japanese.lng", "[Info]\r\nlanguage=Japanese\r\n"},
    {"Wexmora.exe", "MZ launcher"},
};

// A home of its own, with TeraTerm in Folder (below the home), and the user's settings.
struct Home
{
    QTemporaryDir dir;
    QString teraterm;

    explicit Home(const QString &folder) : teraterm(dir.filePath(QStringLiteral("home/") + folder))
    {
        for (auto it = kTeraTermFiles.cbegin(); it != kTeraTermFiles.cend(); ++it) {
            QDir().mkpath(QFileInfo(teraterm + QLatin1Char('/') + it.key()).path());
            WriteFileBytes(teraterm + QLatin1Char('/') + it.key(), it.value());
        }
        QDir().mkpath(dir.filePath(QStringLiteral("data")));
        QDir().mkpath(dir.filePath(QStringLiteral("config/wexmora")));
        WriteFileBytes(settings(), "the user's options");
    }

    QString data(const QString &name) const { return dir.filePath(QStringLiteral("data/") + name); }
    QString settings() const { return dir.filePath(QStringLiteral("config/wexmora/registry.sqlite3")); }
    QString entry() const { return data(QStringLiteral("applications/wexmora.desktop")); }

    // Runs scripts/install with Arguments; its output, and whether it succeeded.
    bool install(const QStringList &arguments, QString *output = nullptr, const QString &winePrefix = QString()) const
    {
        QProcess process;
        QProcessEnvironment env;
        env.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
        env.insert(QStringLiteral("HOME"), dir.filePath(QStringLiteral("home")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("WEX_INSTALL_BINARY"), QStringLiteral(PROGRAM_BINARY));
        if (!winePrefix.isEmpty())
            env.insert(QStringLiteral("WINEPREFIX"), winePrefix);
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(QStringLiteral("bash"), QStringList{QStringLiteral(INSTALL_COMMAND)} + arguments);
        process.waitForFinished();
        if (output)
            *output = QString::fromUtf8(process.readAll());
        return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }
};

} // namespace

class TestInstallCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void installsBesideTeraTermAndUninstallsExactly_data()
    {
        QTest::addColumn<QString>("folder");       // TeraTerm's folder below the home
        QTest::addColumn<bool>("named");           // given on the command line, else found
        QTest::addColumn<QString>("winePrefix");   // WINEPREFIX, below the home; empty: unset
        QTest::newRow("found in Program Files (x86)") << ".wine/drive_c/Program Files (x86)/teraterm" << false << "";
        QTest::newRow("found in Program Files") << ".wine/drive_c/Program Files/teraterm" << false << "";
        QTest::newRow("found in WINEPREFIX") << "tt prefix/drive_c/Program Files (x86)/teraterm" << false << "tt prefix";
        QTest::newRow("named, with a blank, quote, dollar and percent")
            << "my \"tera\" $term 100%" << true << "";
    }

    void installsBesideTeraTermAndUninstallsExactly()
    {
        QFETCH(QString, folder);
        QFETCH(bool, named);
        QFETCH(QString, winePrefix);
        Home home(folder);
        const QMap<QString, QByteArray> teraterm = Snapshot(home.teraterm);
        const QMap<QString, QByteArray> data = Snapshot(home.data(QString()));
        const QStringList where = named ? QStringList{home.teraterm} : QStringList{};
        const QString prefix = winePrefix.isEmpty() ? QString() : home.dir.filePath(QStringLiteral("home/") + winePrefix);
        QString output;

        QVERIFY2(home.install(where, &output, prefix), qPrintable(output));

        // Beside TeraTerm: the program, and nothing of TeraTerm's changed.
        QMap<QString, QByteArray> expected = teraterm;
        const QFileInfo program(home.teraterm + QStringLiteral("/Vurozezi.exe"));
        QVERIFY(program.isExecutable());
        expected.insert(QStringLiteral("Vurozezi.exe"), QByteArray::number(int(program.permissions()), 16) + ':'
                                                            + ReadFileBytes(QStringLiteral(PROGRAM_BINARY)));
        QCOMPARE(Snapshot(home.teraterm), expected);
        // The menu entry starts it, as a desktop reads the entry, and shows its icon.
        const QByteArray entry = ReadFileBytes(home.entry());
        const XdgKeyFile keys(entry);
        QCOMPARE(AutoStart::startedCommand(entry), QStringList{program.absoluteFilePath()});
        QCOMPARE(keys.value("Desktop Entry", "Icon"), QByteArray("wexmora"));
        QCOMPARE(keys.value("Desktop Entry", "StartupWMClass"), QByteArray("Wexmora"));
        QCOMPARE(ReadFileBytes(home.data(QStringLiteral("icons/hicolor/scalable/apps/wexmora.svg"))),
                 ReadFileBytes(QStringLiteral(PROGRAM_ICON)));
        const QString validate = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        QVERIFY2(!validate.isEmpty(), "desktop-file-validate (Debian: desktop-file-utils)");
        QCOMPARE(QProcess::execute(validate, {home.entry()}), 0);

        // Again: the earlier install's files are replaced, TeraTerm's still are not touched.
        QVERIFY2(home.install(where, &output, prefix), qPrintable(output));
        QCOMPARE(Snapshot(home.teraterm), expected);

        QVERIFY2(home.install(QStringList{QStringLiteral("--uninstall")} + where, &output, prefix), qPrintable(output));
        QCOMPARE(Snapshot(home.teraterm), teraterm);
        QCOMPARE(Snapshot(home.data(QString())), data);
        QCOMPARE(ReadFileBytes(home.settings()), QByteArray("the user's options"));

        // The settings go only when asked.
        QVERIFY2(home.install(where, &output, prefix), qPrintable(output));
        QVERIFY2(home.install({QStringLiteral("--uninstall"), QStringLiteral("--purge")}, &output, prefix),
                 qPrintable(output));
        QCOMPARE(Snapshot(home.teraterm), teraterm);
        QCOMPARE(Snapshot(home.data(QString())), data);
        QVERIFY(!QFileInfo::exists(home.settings()));
    }

    // A file the install did not write stays as it is; the install then writes nothing.
    void neverReplacesAFileItDidNotWrite_data()
    {
        QTest::addColumn<QString>("theirs");   // below the home
        QTest::newRow("a program of that name beside TeraTerm") << "tt/Vurozezi.exe";
        QTest::newRow("another desktop entry of that name") << "../data/applications/wexmora.desktop";
        QTest::newRow("another icon of that name") << "../data/icons/hicolor/scalable/apps/wexmora.svg";
    }

    void neverReplacesAFileItDidNotWrite()
    {
        QFETCH(QString, theirs);
        Home home(QStringLiteral("tt"));
        const QString path = QDir::cleanPath(home.dir.filePath(QStringLiteral("home/") + theirs));
        QDir().mkpath(QFileInfo(path).path());
        QVERIFY(WriteFileBytes(path, "someone else's"));
        const QMap<QString, QByteArray> before = Snapshot(home.dir.path());
        QString output;

        QVERIFY(!home.install({home.teraterm}, &output));

        QVERIFY2(output.contains(QStringLiteral("is not what this command wrote")), qPrintable(output));
        QCOMPARE(Snapshot(home.dir.path()), before);
    }

    // What the user changed since the install stays at the uninstall.
    void keepsWhatChangedSinceTheInstall()
    {
        Home home(QStringLiteral("tt"));
        QString output;
        QVERIFY2(home.install({home.teraterm}, &output), qPrintable(output));
        QVERIFY(WriteFileBytes(home.entry(), ReadFileBytes(home.entry()) + "NoDisplay=true\n"));

        QVERIFY2(home.install({QStringLiteral("--uninstall")}, &output), qPrintable(output));

        QVERIFY(output.contains(QStringLiteral("kept ") + home.entry()));
        QVERIFY(ReadFileBytes(home.entry()).endsWith("NoDisplay=true\n"));
        QVERIFY(!QFileInfo::exists(home.teraterm + QStringLiteral("/Vurozezi.exe")));
    }

    void saysWhenItFindsNoTeraTerm_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("none in the default prefix") << QStringList{} << "found no TeraTerm";
        QTest::newRow("a folder without ttermpro.exe") << QStringList{"elsewhere"} << "holds no ttermpro.exe";
        QTest::newRow("nothing installed to remove") << QStringList{"--uninstall"} << "nothing is installed";
    }

    void saysWhenItFindsNoTeraTerm()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        Home home(QStringLiteral("not in a prefix/teraterm"));
        QDir().mkpath(home.dir.filePath(QStringLiteral("home/elsewhere")));
        if (arguments == QStringList{QStringLiteral("elsewhere")})
            arguments = QStringList{home.dir.filePath(QStringLiteral("home/elsewhere"))};
        const QMap<QString, QByteArray> before = Snapshot(home.dir.path());
        QString output;

        QVERIFY(!home.install(arguments, &output));

        QVERIFY2(output.contains(message), qPrintable(output));
        QCOMPARE(Snapshot(home.dir.path()), before);
    }
};

QTEST_GUILESS_MAIN(TestInstallCommand)
#include "tst_installcommand.moc"
