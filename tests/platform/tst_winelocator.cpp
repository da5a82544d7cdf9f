#include "platform/WineLocator.h"
#include "support/FakeMachine.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using ExecutableKind::Machine;

// Which Wine runs which machine's programs, decided from the files of made-up machines laid
// out as the distributions lay out Wine; nothing is started.
class TestWineLocator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void choosesAWineForEachMachine_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("path");     // the PATH
        QTest::addColumn<QString>("for32");    // the loader for i386 programs; empty: none
        QTest::addColumn<QString>("for64");    // for x86-64 programs
        QTest::addColumn<bool>("installed");   // any Wine at all

        const QString path = QStringLiteral("/usr/local/bin:/usr/bin:/bin");
        QTest::newRow("Debian, wine64 only (apt install wine)")
            << FakeMachine::debian(false, true) << path << "" << "/usr/bin/wine" << true;
        QTest::newRow("Debian, wine32:i386 added")
            << FakeMachine::debian(true, true) << path << "/usr/bin/wine" << "/usr/lib/wine/wine64" << true;
        QTest::newRow("Debian, wine32 only") << FakeMachine::debian(true, false) << path << "/usr/bin/wine" << "" << true;
        QTest::newRow("Debian, the wrapper's loaders gone") << FakeMachine::debian(false, false) << path << "" << "" << false;
        QTest::newRow("Debian, wine64 without the wrapper")
            << QStringList{"usr/lib/wine/wine64: elf x86-64"} << path << "" << "/usr/lib/wine/wine64" << true;
        QTest::newRow("Debian, both loaders without the wrapper")
            << QStringList{"usr/lib/wine/wine64: elf x86-64", "usr/lib/wine/wine: elf i386"} << path
            << "/usr/lib/wine/wine" << "/usr/lib/wine/wine64" << true;
        QTest::newRow("Debian's wine-development")
            << QStringList{"usr/bin/wine-development: debian-wrapper /usr/lib/wine-development/wine /usr/lib/wine-development/wine64",
                           "usr/lib/wine-development/wine64: elf x86-64", "usr/lib/wine-development/wine: elf i386"}
            << path << "/usr/lib/wine-development/wine" << "/usr/lib/wine-development/wine64" << true;
        QTest::newRow("WineHQ's packages, the WoW64 pair in /opt")
            << QStringList{"opt/wine-stable/bin/wine: elf i386", "opt/wine-stable/bin/wine64: elf x86-64"} << path
            << "/opt/wine-stable/bin/wine" << "/opt/wine-stable/bin/wine64" << true;
        QTest::newRow("WineHQ's packages, linked onto the PATH")
            << QStringList{"opt/wine-devel/bin/wine: elf i386", "opt/wine-devel/bin/wine64: elf x86-64",
                           "usr/bin/wine64 -> /opt/wine-devel/bin/wine64"}
            << path << "/opt/wine-devel/bin/wine" << "/usr/bin/wine64" << true;
        QTest::newRow("older Fedora and Arch, the pair on the PATH")
            << QStringList{"usr/bin/wine: elf i386", "usr/bin/wine64: elf x86-64"} << path
            << "/usr/bin/wine" << "/usr/bin/wine64" << true;
        QTest::newRow("the new WoW64 build, one loader")
            << QStringList{"usr/bin/wine: elf x86-64", "usr/lib/wine/x86_64-unix/ntdll.so: file",
                           "usr/lib/wine/x86_64-windows/ntdll.dll: file", "usr/lib/wine/i386-windows/ntdll.dll: file"}
            << path << "/usr/bin/wine" << "/usr/bin/wine" << true;
        QTest::newRow("the new WoW64 build in lib64")
            << QStringList{"usr/bin/wine: elf x86-64", "usr/lib64/wine/x86_64-unix/ntdll.so: file",
                           "usr/lib64/wine/i386-windows/ntdll.dll: file"}
            << path << "/usr/bin/wine" << "/usr/bin/wine" << true;
        QTest::newRow("a 64-bit build alone")
            << QStringList{"usr/local/bin/wine: elf x86-64", "usr/local/lib/wine/x86_64-unix/ntdll.so: file",
                           "usr/local/lib/wine/x86_64-windows/ntdll.dll: file"}
            << path << "" << "/usr/local/bin/wine" << true;
        QTest::newRow("a 32-bit build alone") << QStringList{"usr/bin/wine: elf i386"} << path << "/usr/bin/wine" << "" << true;
        QTest::newRow("the user's own wrapper script")
            << QStringList{"home/u/bin/wine: script"} << "/home/u/bin:/usr/bin" << "/home/u/bin/wine" << "/home/u/bin/wine" << true;
        QTest::newRow("the PATH before the distribution's loaders")
            << (QStringList{"home/u/bin/wine: script"} + FakeMachine::debian(false, true)) << "/home/u/bin:/usr/bin"
            << "/home/u/bin/wine" << "/home/u/bin/wine" << true;
        QTest::newRow("a relative PATH entry is never searched")
            << QStringList{"bin/wine: script"} << "bin:." << "" << "" << false;
        QTest::newRow("an ARM Wine") << QStringList{"usr/bin/wine: elf arm64"} << path << "" << "" << true;
        QTest::newRow("a link that goes round")
            << QStringList{"usr/bin/wine -> /usr/bin/wine64", "usr/bin/wine64 -> /usr/bin/wine"} << path << "" << "" << false;
        QTest::newRow("no Wine") << QStringList{} << path << "" << "" << false;
    }

    void choosesAWineForEachMachine()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, path);
        QFETCH(QString, for32);
        QFETCH(QString, for64);
        QFETCH(bool, installed);
        QTemporaryDir dir;
        const FakeMachine machine(dir.path(), files, path);
        QVERIFY(machine.isReady());

        const auto found = [&](Machine m) {
            const std::optional<WineLoader> loader = WineLocator::loaderFor(m);
            return loader ? loader->path() : QString();
        };
        QCOMPARE(found(Machine::I386), for32.isEmpty() ? QString() : machine.file(for32));
        QCOMPARE(found(Machine::X86_64), for64.isEmpty() ? QString() : machine.file(for64));
        QCOMPARE(!WineLocator::loader().isEmpty(), installed);
        // No Wine runs ARM programs here.
        QVERIFY(!WineLocator::loaderFor(Machine::Arm64));
    }

    void readsOnlyWhatDebiansWrapperSays_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QStringList>("loaders");
        QTest::newRow("Debian's") << QByteArray("#!/bin/sh -e\n\nwine32=/usr/lib/wine/wine\nwine64=/usr/lib/wine/wine64\n")
                                  << QStringList{"/usr/lib/wine/wine", "/usr/lib/wine/wine64"};
        QTest::newRow("quoted") << QByteArray("#!/bin/sh\nwine32='/a/wine'\nwine64=\"/a/wine64\"\n")
                                << QStringList{"/a/wine", "/a/wine64"};
        QTest::newRow("the first of each counts") << QByteArray("#!/bin/sh\nwine32=/a\nwine64=/b\nwine32=/c\n")
                                                  << QStringList{"/a", "/b"};
        QTest::newRow("one loader named") << QByteArray("#!/bin/sh\nwine32=/a\n") << QStringList{};
        QTest::newRow("a variable") << QByteArray("#!/bin/sh\nwine32=$HOME/wine\nwine64=/b\n") << QStringList{};
        QTest::newRow("a command") << QByteArray("#!/bin/sh\nwine32=`which wine`\nwine64=/b\n") << QStringList{};
        QTest::newRow("a relative path") << QByteArray("#!/bin/sh\nwine32=wine\nwine64=/b\n") << QStringList{};
        QTest::newRow("no script") << QByteArray("wine32=/a\nwine64=/b\n") << QStringList{};
        QTest::newRow("empty") << QByteArray() << QStringList{};
    }

    void readsOnlyWhatDebiansWrapperSays()
    {
        QFETCH(QByteArray, script);
        QFETCH(QStringList, loaders);
        QCOMPARE(WineLoader::wrapperLoaders(script), loaders);
    }
};

QTEST_GUILESS_MAIN(TestWineLocator)
#include "tst_winelocator.moc"
