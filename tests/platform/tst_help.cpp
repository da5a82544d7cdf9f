#include "platform/AppPaths.h"
#include "platform/Help.h"
#include "platform/ShellOpen.h"
#include "platform/WineLocator.h"
#include "support/FakeMachine.h"
#include "support/FakeWineLoader.h"
#include "support/FileBytes.h"
#include "support/WinePrefixLayout.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The program's folder inside a Wine prefix ("prefix/drive_c/tt") or outside any ("opt/tt"),
// with a stand-in for Wine's loader and the starts and opens recorded, never made.
struct Machine
{
    QTemporaryDir dir;
    FakeWineLoader wine{dir.filePath(QStringLiteral("bin"))};
    QList<StartCommand> starts;
    QStringList opened;

    explicit Machine(bool inPrefix)
    {
        MakeWinePrefixLayout(dir.filePath(QStringLiteral("prefix")));
        const QString folder = dir.filePath(inPrefix ? QStringLiteral("prefix/drive_c/tt") : QStringLiteral("opt/tt"));
        QDir().mkpath(folder);
        AppPaths::setProgramDir(folder);
        ShellOpen::setStarterForTesting([this](const StartCommand &c) {
            starts.append(c);
            return true;
        });
        ShellOpen::setOpenerForTesting([this](const QString &target) {
            opened << target;
            return true;
        });
    }
    ~Machine()
    {
        ShellOpen::setStarterForTesting({});
        ShellOpen::setOpenerForTesting({});
        Help::setViewerForTesting({});
        AppPaths::setProgramDir(QString());
    }

    bool helpFile(const QString &name) const { return WriteFileBytes(AppFilePath(name), "?_\3\0"); }
};

} // namespace

class TestHelp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensTheFileBesideTheProgram_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("context");
        QTest::newRow("TeraTerm's help") << "ttermp.hlp" << 0;
        QTest::newRow("a macro word's topic") << "macro.hlp" << 10290;
        QTest::newRow("the program's own help") << "Wexmora.hlp" << 6050;
    }

    void opensTheFileBesideTheProgram()
    {
        QFETCH(QString, name);
        QFETCH(int, context);
        Machine m(false);
        QVERIFY(m.helpFile(name));
        QStringList files;
        QList<int> contexts;
        Help::setViewerForTesting([&](const QString &file, int c) {
            files << file;
            contexts << c;
            return Help::Result::Opened;
        });
        QCOMPARE(Help::open(name, context), Help::Result::Opened);
        QCOMPARE(files, QStringList{AppFilePath(name)});
        QCOMPARE(contexts, QList<int>{context});
    }

    void aMissingFileIsReported()
    {
        Machine m(true);
        int viewed = 0;
        Help::setViewerForTesting([&](const QString &, int) {
            ++viewed;
            return Help::Result::Opened;
        });
        QCOMPARE(Help::open(QStringLiteral("ttermp.hlp")), Help::Result::FileMissing);
        // A folder of that name is no help file either.
        QVERIFY(QDir().mkpath(AppFilePath(QStringLiteral("macro.hlp"))));
        QCOMPARE(Help::open(QStringLiteral("macro.hlp"), 10290), Help::Result::FileMissing);
        QCOMPARE(viewed, 0);
        Help::setViewerForTesting({});
        QCOMPARE(Help::open(QStringLiteral("ttermp.hlp")), Help::Result::FileMissing);
        QVERIFY(m.starts.isEmpty());
        QVERIFY(m.opened.isEmpty());
    }

    // Every failure tells the user which file or what is missing; only an opened file is
    // silent.
    void failureMessages_data()
    {
        QTest::addColumn<Help::Result>("result");
        QTest::addColumn<QString>("expected");   // %1 stands for the file's path
        QTest::newRow("opened") << Help::Result::Opened << QString();
        QTest::newRow("file missing") << Help::Result::FileMissing << "The help file %1 was not found.";
        QTest::newRow("not opened") << Help::Result::NotOpened << "The help file %1 could not be opened.";
        QTest::newRow("Wine missing") << Help::Result::ViewerNotStartable
                                      << WineLocator::missingWineMessage(QStringLiteral("winhlp32.exe"));
    }

    void failureMessages()
    {
        QFETCH(Help::Result, result);
        QFETCH(QString, expected);
        Machine m(false);
        const QString path = AppFilePath(QStringLiteral("macro.hlp"));
        QCOMPARE(Help::failureMessage(result, QStringLiteral("macro.hlp")),
                 expected.contains(QLatin1String("%1")) ? expected.arg(path) : expected);
    }

    void choosesTheViewer_data()
    {
        QTest::addColumn<bool>("inPrefix");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("winhelp");  // else the desktop's handler

        QTest::newRow("help file in a prefix") << true << "ttermp.hlp" << true;
        QTest::newRow("upper-case extension in a prefix") << true << "MACRO.HLP" << true;
        QTest::newRow("help file outside any prefix") << false << "ttermp.hlp" << false;
        QTest::newRow("another kind of file in a prefix") << true << "teraterm.chm" << false;
    }

    void choosesTheViewer()
    {
        QFETCH(bool, inPrefix);
        QFETCH(QString, name);
        QFETCH(bool, winhelp);
        Machine m(inPrefix);
        QVERIFY(m.helpFile(name));

        QCOMPARE(Help::open(name, 10290), Help::Result::Opened);

        if (!winhelp) {
            QCOMPARE(m.opened, QStringList{AppFilePath(name)});
            QVERIFY(m.starts.isEmpty());
            return;
        }
        QVERIFY(m.opened.isEmpty());
        QCOMPARE(m.starts.size(), 1);
        const StartCommand &c = m.starts.first();
        QCOMPARE(c.program, m.wine.path());
        // The viewer takes a file, and no context number, on its command line.
        QCOMPARE(c.arguments, (QStringList{QStringLiteral("winhlp32.exe"), QStringLiteral("C:\\tt\\") + name}));
        QCOMPARE(QDir(c.environment.value(QStringLiteral("WINEPREFIX"))).canonicalPath(),
                 QDir(m.dir.filePath(QStringLiteral("prefix"))).canonicalPath());
    }

    // Wine's help viewer is the prefix's own copy, of the prefix's machine: it needs a Wine
    // that runs that machine.
    void theViewerNeedsAWineForThePrefixsMachine_data()
    {
        QTest::addColumn<quint16>("viewer");   // the machine of the prefix's winhlp32.exe
        QTest::addColumn<QString>("wine");     // the Wine it starts with; empty: none
        QTest::newRow("a 64-bit prefix") << PeX86_64 << "/usr/bin/wine";
        QTest::newRow("a 32-bit prefix") << PeI386 << "";
    }

    void theViewerNeedsAWineForThePrefixsMachine()
    {
        QFETCH(quint16, viewer);
        QFETCH(QString, wine);
        QTemporaryDir dir;
        const FakeMachine debian(dir.filePath(QStringLiteral("root")), FakeMachine::debian(false, true));
        QVERIFY(debian.isReady());
        const QString prefix = dir.filePath(QStringLiteral("prefix"));
        QVERIFY(MakeWinePrefixLayout(prefix));
        QVERIFY(WriteWindowsExecutable(prefix + QStringLiteral("/drive_c/windows/system32/winhlp32.exe"), viewer));
        QVERIFY(QDir().mkpath(prefix + QStringLiteral("/drive_c/tt")));
        AppPaths::setProgramDir(prefix + QStringLiteral("/drive_c/tt"));
        QVERIFY(WriteFileBytes(AppFilePath(QStringLiteral("ttermp.hlp")), "?_\3\0"));
        QList<StartCommand> starts;
        ShellOpen::setStarterForTesting([&starts](const StartCommand &c) {
            starts.append(c);
            return true;
        });

        const Help::Result result = Help::open(QStringLiteral("ttermp.hlp"));
        const QString message = Help::failureMessage(result, QStringLiteral("ttermp.hlp"));
        ShellOpen::setStarterForTesting({});
        AppPaths::setProgramDir(QString());

        if (wine.isEmpty()) {
            QCOMPARE(result, Help::Result::ViewerNotStartable);
            QVERIFY(starts.isEmpty());
            QVERIFY2(message.startsWith(QStringLiteral("winhlp32.exe is a 32-bit Windows program (i386), and no "
                                                       "Wine on this computer runs 32-bit programs.")),
                     qPrintable(message));
            return;
        }
        QCOMPARE(result, Help::Result::Opened);
        QCOMPARE(starts.size(), 1);
        QCOMPARE(starts.first().program, debian.file(wine));
        QCOMPARE(starts.first().arguments, (QStringList{QStringLiteral("winhlp32.exe"), QStringLiteral("C:\\tt\\ttermp.hlp")}));
    }

    void withoutWineAHelpFileInAPrefixIsNotOpened()
    {
        Machine m(true);
        QVERIFY(m.helpFile(QStringLiteral("ttermp.hlp")));
        QVERIFY(m.wine.uninstall());
        QCOMPARE(Help::open(QStringLiteral("ttermp.hlp")), Help::Result::ViewerNotStartable);
        QVERIFY(m.starts.isEmpty());
        QVERIFY(m.opened.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestHelp)
#include "tst_help.moc"
