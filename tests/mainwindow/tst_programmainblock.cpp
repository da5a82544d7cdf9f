#include "mainwindow/ProgramMainBlock.h"
#include "mainwindow/TForm1.h"
#include "platform/NamedSemaphore.h"
#include "platform/Registry.h"
#include "platform/WindowMessages.h"
#include "shell/InstanceSemaphore.h"
#include "shell/ParamName.h"
#include "shell/ProgramRegKey.h"
#include "shell/ShellServices.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramFolder.h"
#include "support/TempUserDirs.h"

#include <QApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

// A program folder and user dirs in temp folders; the launcher counts as running, so no
// start of it is attempted.
struct Machine
{
    TempUserDirs dirs;
    TempProgramFolder folder;
    std::unique_ptr<Registry> registry = dirs.freshRegistry();
    WindowMessages messages;
    ShellServices services{*registry, messages, InstanceSemaphoreHandle()};
    ScriptedPrompter prompter;
    NamedSemaphore launcher{QStringLiteral("WexmoraSemaphore")};

    Machine() { launcher.tryAcquire(); }
    ~Machine() { InstanceSemaphoreHandle().release(); }

    bool received(const QSignalSpy &spy, const QString &name) const
    {
        for (const QList<QVariant> &message : spy)
            if (message.at(0).toString() == name)
                return true;
        return false;
    }
};

TForm1 *mainWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *form = qobject_cast<TForm1 *>(w))
            return form;
    return nullptr;
}

} // namespace

class TestProgramMainBlock : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void withoutTeraTermEndsAfterSayingSo();
    void laterStartHandsItsFileOverAndEnds();
    void runsUntilTheLauncherAsksItToStop();
};

void TestProgramMainBlock::withoutTeraTermEndsAfterSayingSo()
{
    Machine machine;
    QVERIFY(machine.folder.write(QStringLiteral("Temp_TTL/~macroC1.ttl"), "x"));

    QCOMPARE(ProgramMainBlock({}, machine.services, &machine.prompter), 1);
    QCOMPARE(machine.prompter.boxes().size(), 1);
    QCOMPARE(machine.prompter.boxes().first().kind, Prompter::Kind::Error);
    QCOMPARE(machine.prompter.boxes().first().text,
             QStringLiteral("TTERMPRO.EXE not found.\rPlease move Vurozezi.exe into TeraTerm directory."));
    QVERIFY(!mainWindow());
    // It ended before clearing anything.
    QVERIFY(QFile::exists(machine.folder.filePath(QStringLiteral("Temp_TTL/~macroC1.ttl"))));
}

void TestProgramMainBlock::laterStartHandsItsFileOverAndEnds()
{
    Machine machine;
    QVERIFY(machine.folder.write(QStringLiteral("ttermpro.exe"), "stand-in"));
    QVERIFY(machine.folder.write(QStringLiteral("Sites.QDZ"), "QDZ21"));
    NamedSemaphore running(QStringLiteral("VurozeziSemaphore"));
    QCOMPARE(running.tryAcquire(), NamedSemaphore::Result::Created);
    QSignalSpy spy(&machine.messages, &WindowMessages::received);

    QCOMPARE(ProgramMainBlock({machine.folder.filePath(QStringLiteral("Sites.QDZ"))},
                              machine.services, &machine.prompter), 0);
    QVERIFY(machine.prompter.boxes().isEmpty());
    QVERIFY(!mainWindow());
    const QString staged = machine.folder.filePath(QStringLiteral("Temp_TTL/~Sites.QDZ"));
    QCOMPARE(ReadParamName(*machine.registry), staged);
    QCOMPARE(machine.folder.read(QStringLiteral("Temp_TTL/~Sites.QDZ")), QByteArray("QDZ21"));
    if (machine.messages.isConnected())
        QTRY_VERIFY(machine.received(spy, QStringLiteral("VurozeziMessage")));
}

void TestProgramMainBlock::runsUntilTheLauncherAsksItToStop()
{
    Machine machine;
    if (!machine.messages.isConnected())
        QSKIP("no session bus");
    QVERIFY(machine.folder.write(QStringLiteral("ttermpro.exe"), "stand-in"));
    QVERIFY(machine.folder.write(QStringLiteral("Temp_TTL/~macroC3.ttl"), "x"));
    QSignalSpy spy(&machine.messages, &WindowMessages::received);

    bool shown = false;
    bool tempFilesLeft = true;
    QTimer::singleShot(0, this, [&] {
        const TForm1 *form = mainWindow();
        shown = form && form->isVisible();
        tempFilesLeft = QFile::exists(machine.folder.filePath(QStringLiteral("Temp_TTL/~macroC3.ttl")));
        machine.messages.broadcast(QStringLiteral("VurozeziStopMessage"));
    });
    // A guard only: the stop request normally ends the loop long before.
    bool guardFired = false;
    QTimer::singleShot(60000, this, [&guardFired] {
        guardFired = true;
        QApplication::quit();
    });

    QCOMPARE(ProgramMainBlock({}, machine.services, &machine.prompter), 0);
    QVERIFY(!guardFired);
    QVERIFY(shown);
    QVERIFY(!tempFilesLeft);
    QVERIFY(!mainWindow());
    QVERIFY(machine.prompter.boxes().isEmpty());
    QVERIFY(!NamedSemaphore::exists(QStringLiteral("VurozeziSemaphore")));
    QVERIFY(machine.registry->valueExists(ProgramRegHive, ProgramRegKey, QStringLiteral("WinWidth")));
    QTRY_VERIFY(machine.received(spy, QStringLiteral("WexmoraRRMessage")));
}

QTEST_MAIN(TestProgramMainBlock)
#include "tst_programmainblock.moc"
