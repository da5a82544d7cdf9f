#include "platform/ResolvedPath.h"
#include "platform/ShellOpen.h"
#include "platform/WineLocator.h"
#include "platform/WineStarter.h"
#include "support/FakeMachine.h"
#include "support/FileBytes.h"
#include "support/ScopedEnv.h"
#include "support/PeImage.h"
#include "support/WinePrefixLayout.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A temp folder with a Wine prefix in "prefix", and a made-up machine's root: its PATH is
// "/bin" there, and Debian keeps its loader off the PATH in "usr/lib/wine/wine64". The
// folder "bin" is also on this process's PATH, for programs named without a folder. Wine
// itself never runs: the starter records.
struct Machine
{
    QTemporaryDir dir;
    ScopedEnv path{"PATH"};
    QList<StartCommand> starts;

    Machine()
    {
        QDir().mkpath(file(QStringLiteral("bin")));
        path.set("/bin:" + QFile::encodeName(file(QStringLiteral("bin"))));
        WineLocator::setRootForTesting(dir.path());
        ShellOpen::setStarterForTesting([this](const StartCommand &command) {
            starts.append(command);
            return true;
        });
    }
    ~Machine()
    {
        ShellOpen::setStarterForTesting({});
        WineLocator::setRootForTesting(QString());
    }

    QString file(const QString &name) const { return dir.filePath(name); }
    bool program(const QString &name, const QByteArray &bytes = "#!/bin/sh\n") const
    {
        QDir().mkpath(QFileInfo(file(name)).path());
        return WriteFileBytes(file(name), bytes)
            && QFile::setPermissions(file(name), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
};

QByteArray windowsProgram(quint16 machine)
{
    PeImage image(PeImage::Options{.pe32Plus = machine == PeX86_64});
    image.put16(PeImage::PeHeader + 4, machine);
    return image.bytes;
}

} // namespace

class TestWineStarter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findsWine_data()
    {
        QTest::addColumn<QStringList>("installed");  // under the temp folder
        QTest::addColumn<QString>("loader");         // empty: none

        QTest::newRow("wine on the PATH") << QStringList{"bin/wine", "bin/wine64", "usr/lib/wine/wine64"} << "bin/wine";
        QTest::newRow("wine64 on the PATH") << QStringList{"bin/wine64", "usr/lib/wine/wine64"} << "bin/wine64";
        QTest::newRow("Debian's loader off the PATH") << QStringList{"usr/lib/wine/wine64"} << "usr/lib/wine/wine64";
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

        const QByteArray pe = windowsProgram(PeI386);
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
        QVERIFY(m.program(QStringLiteral("tt/ttermpro.exe"), windowsProgram(PeX86_64)));
        QVERIFY(m.program(QStringLiteral("tt/Wexmora.exe")));
        const QString exe = m.file(QStringLiteral("tt/ttermpro.exe"));

        QCOMPARE(WineStarter::startProblem(exe), WineLocator::missingWineMessage(exe));
        QVERIFY(!WineStarter::commandFor(exe, {}));
        QCOMPARE(ShellOpen::start(exe, {}), ShellOpen::StartResult::NotStartable);
        QVERIFY(!ShellOpen::startDetached(exe, {}));
        QVERIFY(m.starts.isEmpty());
        QCOMPARE(WineLocator::missingWineMessage(exe),
                 QStringLiteral("ttermpro.exe is a Windows program: Wine is needed to start it, and "
                                "Wine was not found.\rPlease install Wine (on Debian and Ubuntu: the "
                                "package \"wine\")."));
        // A native program starts as ever.
        QVERIFY(WineStarter::startProblem(m.file(QStringLiteral("tt/Wexmora.exe"))).isEmpty());
        QCOMPARE(ShellOpen::start(m.file(QStringLiteral("tt/Wexmora.exe")), {}), ShellOpen::StartResult::Started);
        QCOMPARE(m.starts.size(), 1);
    }

    // The machine field of the program's header picks the Wine; a program that no Wine here
    // runs is not started, and the user is told why and what to install.
    void startsEachMachineWithAWineThatRunsIt_data()
    {
        QTest::addColumn<QStringList>("files");   // the made-up machine
        QTest::addColumn<quint16>("machine");     // the program's PE machine field; 0: no PE header
        QTest::addColumn<QString>("loader");      // the Wine it starts with; empty: not started
        QTest::addColumn<QString>("problem");

        const QString no32 = QStringLiteral(
            "ttermpro.exe is a 32-bit Windows program (i386), and no Wine on this computer runs 32-bit "
            "programs.\rPlease install Wine's 32-bit part (on Debian and Ubuntu for amd64, as root: "
            "dpkg --add-architecture i386, then apt-get update, then apt-get install wine32:i386).");
        QTest::newRow("i386, Debian's wine64 alone") << FakeMachine::debian(false, true) << PeI386 << "" << no32;
        QTest::newRow("i386, Debian's wine64 without the wrapper")
            << QStringList{"usr/lib/wine/wine64: elf x86-64"} << PeI386 << "" << no32;
        QTest::newRow("i386, Debian with wine32") << FakeMachine::debian(true, true) << PeI386 << "/usr/bin/wine" << "";
        QTest::newRow("x86-64, Debian with wine32") << FakeMachine::debian(true, true) << PeX86_64 << "/usr/lib/wine/wine64" << "";
        QTest::newRow("x86-64, Debian's wine64 alone") << FakeMachine::debian(false, true) << PeX86_64 << "/usr/bin/wine" << "";
        QTest::newRow("x86-64, Debian's wine32 alone")
            << FakeMachine::debian(true, false) << PeX86_64 << ""
            << "ttermpro.exe is a 64-bit Windows program (x86-64), and no Wine on this computer runs 64-bit "
               "programs.\rPlease install Wine's 64-bit part (on Debian and Ubuntu: the package \"wine64\").";
        QTest::newRow("i386, no Wine")
            << QStringList{} << PeI386 << ""
            << "ttermpro.exe is a 32-bit Windows program (i386): Wine is needed to start it, and Wine was not "
               "found.\rPlease install Wine with its 32-bit part (on Debian and Ubuntu for amd64, as root: "
               "dpkg --add-architecture i386, then apt-get update, then apt-get install wine wine32:i386).";
        QTest::newRow("x86-64, no Wine")
            << QStringList{} << PeX86_64 << ""
            << "ttermpro.exe is a Windows program: Wine is needed to start it, and Wine was not found.\rPlease "
               "install Wine (on Debian and Ubuntu: the package \"wine\").";
        QTest::newRow("ARM64") << FakeMachine::debian(true, true) << PeArm64 << ""
                               << "ttermpro.exe is a Windows program for 64-bit ARM (ARM64) (machine 0xAA64); Wine runs "
                                  "only x86 programs here (32-bit i386 and 64-bit x86-64).\rPlease use the x86 "
                                  "version of ttermpro.exe.";
        QTest::newRow("an unknown machine") << FakeMachine::debian(true, true) << quint16(0x0200) << ""
                                            << "ttermpro.exe is a Windows program for an unknown machine (machine "
                                               "0x0200); Wine runs only x86 programs here (32-bit i386 and 64-bit "
                                               "x86-64).\rPlease use the x86 version of ttermpro.exe.";
        QTest::newRow("no PE header") << FakeMachine::debian(true, true) << quint16(0) << ""
                                      << "ttermpro.exe is not a Windows program that Wine can start: its PE header is "
                                         "missing or damaged.";
    }

    void startsEachMachineWithAWineThatRunsIt()
    {
        QFETCH(QStringList, files);
        QFETCH(quint16, machine);
        QFETCH(QString, loader);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        const FakeMachine fake(dir.filePath(QStringLiteral("root")), files);
        QVERIFY(fake.isReady());
        QList<StartCommand> starts;
        ShellOpen::setStarterForTesting([&starts](const StartCommand &command) {
            starts.append(command);
            return true;
        });
        const QString exe = dir.filePath(QStringLiteral("teraterm/ttermpro.exe"));
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("teraterm"))));
        QVERIFY(machine ? WriteWindowsExecutable(exe, machine) : WriteFileBytes(exe, QByteArray("MZ\x90\0\3\0", 6)));

        QCOMPARE(WineStarter::startProblem(exe), problem);
        const ShellOpen::StartResult result = ShellOpen::start(exe, {QStringLiteral("/F=a.ini")});
        ShellOpen::setStarterForTesting({});

        if (loader.isEmpty()) {
            QCOMPARE(result, ShellOpen::StartResult::NotStartable);
            QVERIFY(starts.isEmpty());
            return;
        }
        QCOMPARE(result, ShellOpen::StartResult::Started);
        QCOMPARE(starts.size(), 1);
        QCOMPARE(starts.first().program, fake.file(loader));
        QCOMPARE(starts.first().arguments, (QStringList{exe, QStringLiteral("/F=a.ini")}));
    }

    void runsWhatWineBringsInAPrefix()
    {
        Machine m;
        QVERIFY(m.program(QStringLiteral("usr/lib/wine/wine64")));
        const std::optional<StartCommand> c = WineStarter::builtinCommand(
            QStringLiteral("/home/u/.wine"), QStringLiteral("winhlp32.exe"), {QStringLiteral("C:\\tt\\ttermp.hlp")});
        QVERIFY(c);
        QCOMPARE(c->program, m.file(QStringLiteral("usr/lib/wine/wine64")));
        QCOMPARE(c->arguments, (QStringList{QStringLiteral("winhlp32.exe"), QStringLiteral("C:\\tt\\ttermp.hlp")}));
        QCOMPARE(c->environment.value(QStringLiteral("WINEPREFIX")), QStringLiteral("/home/u/.wine"));
        QVERIFY(QFile::remove(m.file(QStringLiteral("usr/lib/wine/wine64"))));
        QVERIFY(!WineStarter::builtinCommand(QStringLiteral("/home/u/.wine"), QStringLiteral("winhlp32.exe"), {}));
    }
};

QTEST_GUILESS_MAIN(TestWineStarter)
#include "tst_winestarter.moc"
