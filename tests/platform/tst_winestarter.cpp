#include "platform/ResolvedPath.h"
#include "platform/ShellOpen.h"
#include "platform/WineLocator.h"
#include "platform/WineStarter.h"
#include "support/FileBytes.h"
#include "support/ScopedEnv.h"
#include "support/WinePrefixLayout.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A temp folder with a Wine prefix in "prefix", a folder "bin" that stands for the PATH, and
// a stand-in for Debian's loader at "lib/wine64". Wine itself never runs: the starter records.
struct Machine
{
    QTemporaryDir dir;
    ScopedEnv path{"PATH"};
    QList<StartCommand> starts;

    Machine()
    {
        QDir().mkpath(file(QStringLiteral("bin")));
        path.set(QFile::encodeName(file(QStringLiteral("bin"))));
        WineLocator::setFallbackLoaderForTesting(file(QStringLiteral("lib/wine64")));
        ShellOpen::setStarterForTesting([this](const StartCommand &command) {
            starts.append(command);
            return true;
        });
    }
    ~Machine()
    {
        ShellOpen::setStarterForTesting({});
        WineLocator::setFallbackLoaderForTesting(QString());
    }

    QString file(const QString &name) const { return dir.filePath(name); }
    bool program(const QString &name, const QByteArray &bytes = "#!/bin/sh\n") const
    {
        QDir().mkpath(QFileInfo(file(name)).path());
        return WriteFileBytes(file(name), bytes)
            && QFile::setPermissions(file(name), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
};

} // namespace

class TestWineStarter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findsWine_data()
    {
        QTest::addColumn<QStringList>("installed");  // under the temp folder
        QTest::addColumn<QString>("loader");         // empty: none

        QTest::newRow("wine on the PATH") << QStringList{"bin/wine", "bin/wine64", "lib/wine64"} << "bin/wine";
        QTest::newRow("wine64 on the PATH") << QStringList{"bin/wine64", "lib/wine64"} << "bin/wine64";
        QTest::newRow("Debian's loader off the PATH") << QStringList{"lib/wine64"} << "lib/wine64";
        QTest::newRow("not installed") << QStringList{} << "";
    }

    void findsWine()
    {
        QFETCH(QStringList, installed);
        QFETCH(QString, loader);
        Machine m;
        for (const QString &name : installed)
            QVERIFY(m.program(name));
        QCOMPARE(WineLocator::loader(), loader.isEmpty() ? QString() : m.file(loader));
    }

    void startsWindowsProgramsThroughWine_data()
    {
        QTest::addColumn<QString>("program");     // under the temp folder, or a bare name on the PATH
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("throughWine");
        QTest::addColumn<QString>("prefix");      // WINEPREFIX set for it; empty: the user's own

        const QByteArray pe("MZ\x90\0\3\0", 6);
        QTest::newRow("Windows TeraTerm in a prefix")
            << "prefix/drive_c/Program Files (x86)/teraterm/ttermpro.exe" << pe << true << "prefix";
        QTest::newRow("Windows TeraTerm outside any prefix") << "opt/teraterm/ttermpro.exe" << pe << true << "";
        QTest::newRow("a script stand-in in a prefix")
            << "prefix/drive_c/teraterm/ttermpro.exe" << QByteArray("#!/bin/sh\n") << false << "";
        QTest::newRow("a native program") << "opt/Wexmora.exe" << QByteArray("\x7f" "ELF") << false << "";
        QTest::newRow("one byte of a header") << "opt/ttermpro.exe" << QByteArray("M") << false << "";
        QTest::newRow("a Windows program found on the PATH") << "tool.exe" << pe << true << "";
    }

    void startsWindowsProgramsThroughWine()
    {
        QFETCH(QString, program);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, throughWine);
        QFETCH(QString, prefix);
        Machine m;
        QVERIFY(MakeWinePrefixLayout(m.file(QStringLiteral("prefix"))));
        QVERIFY(m.program(QStringLiteral("bin/wine")));
        const bool bare = !program.contains(QLatin1Char('/'));
        QVERIFY(m.program(bare ? QStringLiteral("bin/") + program : program, bytes));
        const QString named = bare ? program : m.file(program);
        const QString file = bare ? m.file(QStringLiteral("bin/") + program) : m.file(program);

        QCOMPARE(ShellOpen::start(named, {QStringLiteral("/F=a b.ini"), QString()}, QStringLiteral("/w")),
                 ShellOpen::StartResult::Started);

        QCOMPARE(m.starts.size(), 1);
        const StartCommand &c = m.starts.first();
        QCOMPARE(c.workingDirectory, QStringLiteral("/w"));
        if (throughWine) {
            QCOMPARE(c.program, m.file(QStringLiteral("bin/wine")));
            QCOMPARE(c.arguments, (QStringList{file, QStringLiteral("/F=a b.ini"), QString()}));
        } else {
            QCOMPARE(c.program, named);
            QCOMPARE(c.arguments, (QStringList{QStringLiteral("/F=a b.ini"), QString()}));
        }
        QMap<QString, QString> environment;
        if (!prefix.isEmpty())
            environment.insert(QStringLiteral("WINEPREFIX"), ResolvedPath(m.file(prefix)));
        QCOMPARE(c.environment, environment);
    }

    void withoutWineAWindowsProgramDoesNotStart()
    {
        Machine m;
        QVERIFY(m.program(QStringLiteral("tt/ttermpro.exe"), "MZ"));
        QVERIFY(m.program(QStringLiteral("tt/Wexmora.exe")));
        const QString exe = m.file(QStringLiteral("tt/ttermpro.exe"));

        QVERIFY(WineStarter::wineMissingFor(exe));
        QVERIFY(!WineStarter::commandFor(exe, {}));
        QCOMPARE(ShellOpen::start(exe, {}), ShellOpen::StartResult::WineMissing);
        QVERIFY(!ShellOpen::startDetached(exe, {}));
        QVERIFY(m.starts.isEmpty());
        QCOMPARE(WineLocator::missingWineMessage(exe),
                 QStringLiteral("ttermpro.exe is a Windows program: Wine is needed to start it, and "
                                "Wine was not found.\rPlease install Wine (on Debian and Ubuntu: the "
                                "package \"wine\")."));
        // A native program starts as ever.
        QVERIFY(!WineStarter::wineMissingFor(m.file(QStringLiteral("tt/Wexmora.exe"))));
        QCOMPARE(ShellOpen::start(m.file(QStringLiteral("tt/Wexmora.exe")), {}), ShellOpen::StartResult::Started);
        QCOMPARE(m.starts.size(), 1);
    }

    void runsWhatWineBringsInAPrefix()
    {
        Machine m;
        QVERIFY(m.program(QStringLiteral("lib/wine64")));
        const std::optional<StartCommand> c = WineStarter::builtinCommand(
            QStringLiteral("/home/u/.wine"), QStringLiteral("winhlp32.exe"), {QStringLiteral("C:\\tt\\ttermp.hlp")});
        QVERIFY(c);
        QCOMPARE(c->program, m.file(QStringLiteral("lib/wine64")));
        QCOMPARE(c->arguments, (QStringList{QStringLiteral("winhlp32.exe"), QStringLiteral("C:\\tt\\ttermp.hlp")}));
        QCOMPARE(c->environment.value(QStringLiteral("WINEPREFIX")), QStringLiteral("/home/u/.wine"));
        QVERIFY(QFile::remove(m.file(QStringLiteral("lib/wine64"))));
        QVERIFY(!WineStarter::builtinCommand(QStringLiteral("/home/u/.wine"), QStringLiteral("winhlp32.exe"), {}));
    }
};

QTEST_GUILESS_MAIN(TestWineStarter)
#include "tst_winestarter.moc"
