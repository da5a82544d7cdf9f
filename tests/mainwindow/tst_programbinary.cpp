// The built program itself, started as a user starts it, in a TeraTerm folder of its own.
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

} // namespace

class TestProgramBinary : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsOnceAndEndsWhenAskedToStop();
};

void TestProgramBinary::startsOnceAndEndsWhenAskedToStop()
{
    TempUserDirs dirs;
    WindowMessages messages;
    if (!messages.isConnected())
        QSKIP("no session bus");
    // The program takes its folder from where its file lies: a copy in a TeraTerm folder.
    QTemporaryDir teraterm;
    const QString program = teraterm.filePath(QStringLiteral("Vurozezi.exe"));
    QVERIFY(QFile::copy(QStringLiteral(PROGRAM_BINARY), program));
    QFile stub(teraterm.filePath(QStringLiteral("ttermpro.exe")));
    QVERIFY(stub.open(QIODevice::WriteOnly));
    stub.close();
    // The launcher counts as running, so none is started and none is missed.
    NamedSemaphore launcher(QStringLiteral("WexmoraSemaphore"));
    QCOMPARE(launcher.tryAcquire(), NamedSemaphore::Result::Created);
    QSignalSpy spy(&messages, &WindowMessages::received);
    std::unique_ptr<Registry> registry = dirs.freshRegistry();

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
    QTRY_VERIFY(received(spy, QStringLiteral("VurozeziMessage")));
    QCOMPARE(first.state(), QProcess::Running);

    // Stop requests that arrive before the window listens are lost: ask until it goes.
    for (int i = 0; i < 150 && first.state() != QProcess::NotRunning; ++i) {
        messages.broadcast(QStringLiteral("VurozeziStopMessage"));
        first.waitForFinished(200);
    }
    QCOMPARE(first.state(), QProcess::NotRunning);
    QCOMPARE(first.exitStatus(), QProcess::NormalExit);
    QCOMPARE(first.exitCode(), 0);
    QTRY_VERIFY(received(spy, QStringLiteral("WexmoraRRMessage")));
    QVERIFY(registry->valueExists(ProgramRegHive, ProgramRegKey, QStringLiteral("WinWidth")));
}

QTEST_MAIN(TestProgramBinary)
#include "tst_programbinary.moc"
