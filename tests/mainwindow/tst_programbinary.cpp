// The built program itself, started as a user starts it, in a TeraTerm folder of its own.
#include "LoopbackUpdateServer.h"
#include "platform/NamedSemaphore.h"
#include "platform/Registry.h"
#include "platform/WindowMessages.h"
#include "shell/ProgramRegKey.h"
#include "support/TempUserDirs.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

bool received(const QSignalSpy &spy, const QString &name)
{
    for (const QList<QVariant> &message : spy)
        if (message.at(0).toString() == name)
            return true;
    return false;
}

// The machine around the program: user dirs and a registry of its own, the test's session
// bus, the launcher counting as running (so none is started and none is missed), and a
// TeraTerm folder holding a copy of the program and a stand-in "ttermpro.exe" (no Windows
// executable, so of no known version); the program takes its folder from where its file lies.
struct Machine
{
    TempUserDirs dirs;
    WindowMessages messages;
    QSignalSpy spy{&messages, &WindowMessages::received};
    std::unique_ptr<Registry> registry = dirs.freshRegistry();
    NamedSemaphore launcher{QStringLiteral("WexmoraSemaphore")};
    QTemporaryDir teraterm;
    QString program = teraterm.filePath(QStringLiteral("Vurozezi.exe"));

    bool layOut()
    {
        QFile stub(teraterm.filePath(QStringLiteral("ttermpro.exe")));
        return QFile::copy(QStringLiteral(PROGRAM_BINARY), program) && stub.open(QIODevice::WriteOnly)
            && launcher.tryAcquire() == NamedSemaphore::Result::Created;
    }
};

// Asks the program to stop, as the launcher does, until it has ended; stop requests that
// arrive before it listens are lost.
void stop(QProcess &program, WindowMessages &messages)
{
    for (int i = 0; i < 150 && program.state() != QProcess::NotRunning; ++i) {
        messages.broadcast(QStringLiteral("VurozeziStopMessage"));
        program.waitForFinished(200);
    }
}

} // namespace

class TestProgramBinary : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsOnceAndEndsWhenAskedToStop();
    void upgradeCheckStartRunsTheCheckAlone();
};

void TestProgramBinary::startsOnceAndEndsWhenAskedToStop()
{
    Machine m;
    if (!m.messages.isConnected())
        QSKIP("no session bus");
    QVERIFY(m.layOut());
    const QString &program = m.program;
    const std::unique_ptr<Registry> &registry = m.registry;

    QProcess first;
    first.setProcessChannelMode(QProcess::ForwardedChannels);
    first.start(program, {});
    QVERIFY(first.waitForStarted(30000));
    // The window has been made once it has stored the system family.
    QTRY_VERIFY_WITH_TIMEOUT(registry->readDword(ProgramRegHive, ProgramRegKey, QStringLiteral("NT")).has_value()
                                 || first.state() == QProcess::NotRunning,
                             30000);
    QCOMPARE(first.state(), QProcess::Running);

    QProcess second;
    second.start(program, {});
    QVERIFY(second.waitForFinished(30000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QTRY_VERIFY(received(m.spy, QStringLiteral("VurozeziMessage")));
    QCOMPARE(first.state(), QProcess::Running);

    stop(first, m.messages);
    QCOMPARE(first.state(), QProcess::NotRunning);
    QCOMPARE(first.exitStatus(), QProcess::NormalExit);
    QCOMPARE(first.exitCode(), 0);
    QTRY_VERIFY(received(m.spy, QStringLiteral("WexmoraRRMessage")));
    QVERIFY(registry->valueExists(ProgramRegHive, ProgramRegKey, QStringLiteral("WinWidth")));
}

void TestProgramBinary::upgradeCheckStartRunsTheCheckAlone()
{
    Machine m;
    if (!m.messages.isConnected())
        QSKIP("no session bus");
    QVERIFY(m.layOut());
    // The program's own version is the build's, 2.8.1.
    LoopbackUpdateServer server;
    server.serve({{UpdateFiles::TT, LoopbackHttpServer::ok("4.106-2")},
                  {UpdateFiles::W, LoopbackHttpServer::ok("2.8-1")}});
    const std::unique_ptr<Registry> &registry = m.registry;

    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(m.program, {QStringLiteral("upgradeCheck=true")});
    QVERIFY(process.waitForStarted(30000));
    // The check runs at once and its window waits for the user.
    QTRY_VERIFY_WITH_TIMEOUT(registry->readString(ProgramRegHive, ProgramRegKey, QStringLiteral("WexmoraLatestVersion"))
                                     == QStringLiteral("2.8-1")
                                 || process.state() == QProcess::NotRunning,
                             30000);
    QCOMPARE(process.state(), QProcess::Running);
    QCOMPARE(server.paths(), (QList<QByteArray>{UpdateFiles::TT, UpdateFiles::W}));
    QCOMPARE(registry->readString(ProgramRegHive, ProgramRegKey, QStringLiteral("TTLatestVersion")),
             std::optional<QString>(QStringLiteral("4.106-2")));

    // The launcher's stop request closes it; the program ends with its options saved.
    stop(process, m.messages);
    QCOMPARE(process.state(), QProcess::NotRunning);
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    QTRY_VERIFY(received(m.spy, QStringLiteral("WexmoraRRMessage")));
    QVERIFY(registry->valueExists(ProgramRegHive, ProgramRegKey, QStringLiteral("WinWidth")));
    QCOMPARE(server.paths().size(), 2);
}

QTEST_MAIN(TestProgramBinary)
#include "tst_programbinary.moc"
