#include "LoopbackUpdateServer.h"
#include "RunningMainWindow.h"
#include "TriggerAsUser.h"
#include "dialogs/widgets/TForm4.h"
#include "dialogs/widgets/TForm6.h"
#include "dialogs/widgets/TTestPrintPreviewDlg.h"
#include "mainwindow/ConnectionTreeModel.h"
#include "mainwindow/MacroEditor.h"
#include "mainwindow/MacroPage.h"
#include "mainwindow/ProgramMainBlock.h"
#include "mainwindow/TForm1.h"
#include "platform/ApplicationIdentity.h"
#include "platform/SystemInfo.h"
#include "platform/widgets/QsciIncludes.h"
#include "platform/NamedSemaphore.h"
#include "platform/Registry.h"
#include "platform/WindowMessages.h"
#include "shell/InstanceSemaphore.h"
#include "shell/ParamName.h"
#include "shell/ProgramRegKey.h"
#include "shell/ShellServices.h"
#include "support/FileBytes.h"
#include "support/ScriptedPrompter.h"
#include "support/TableBytes.h"
#include "support/TempProgramFolder.h"
#include "support/TempUserDirs.h"
#include "table/ColorSet.h"
#include "table/ConnectionTree.h"
#include "table/UrlCodec.h"
#include "updates/widgets/TForm2.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QVersionNumber>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeView>

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

// The files the build lays out beside the program: the stand-in TeraTerm, which records each
// start in ttermpro-calls/call-N (its arguments and copies of the files handed to it), and
// the sample teraterm.ini.
bool layOutTeraTerm(const TempProgramFolder &folder)
{
    const QString dist = qEnvironmentVariable("WEX_TEST_SOURCE_DIR") + QStringLiteral("/../../dist/teraterm/");
    const QString exe = folder.filePath(QStringLiteral("ttermpro.exe"));
    return QFile::copy(dist + QStringLiteral("ttermpro.exe"), exe)
        && QFile::setPermissions(exe, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner)
        && QFile::copy(dist + QStringLiteral("teraterm.ini"), folder.filePath(QStringLiteral("teraterm.ini")));
}

rVTNodeData connection(const QByteArray &name, qint32 level, const QByteArray &macro,
                       const QByteArray &colors = {})
{
    rVTNodeData d;
    d.Name = name;
    d.Level = level;
    d.Macro = UrlEncode(macro, true);
    d.Colors = colors;
    return d;
}

// The program's hidden top-level window of type T, made at start; null when there is none.
template<typename T>
T *secondaryWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *window = qobject_cast<T *>(w))
            return window;
    return nullptr;
}

// A record as the old format held it: Kind was stored too.
rVTNodeData record(const QByteArray &name, qint32 level, const QByteArray &colors)
{
    rVTNodeData d;
    d.Name = name;
    d.Level = level;
    d.Kind = 2;
    d.Colors = colors;
    return d;
}

// The rows the tree shows below Parent, each as its text and the depth of its record,
// children in brackets after their parent.
QString shownRows(const TForm1 &form, const QModelIndex &parent)
{
    QStringList rows;
    const ConnectionTreeModel &model = form.model();
    for (int r = 0; r < model.rowCount(parent); ++r) {
        const QModelIndex index = model.index(r, 0, parent);
        QString row = index.data().toString() + QLatin1Char(':')
            + QString::number(model.nodeFor(index)->data.Level);
        if (model.rowCount(index) > 0)
            row += QLatin1Char('(') + shownRows(form, index) + QLatin1Char(')');
        rows << row;
    }
    return rows.join(QLatin1Char(' '));
}

// Notes which of the program's windows have been shown.
class ShownWindows : public QObject
{
public:
    bool mainWindow = false;
    bool updateWindow = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            mainWindow |= qobject_cast<TForm1 *>(watched) != nullptr;
            updateWindow |= qobject_cast<TForm2 *>(watched) != nullptr;
        }
        return false;
    }
};

TForm2 *RunningUpdateWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *updates = qobject_cast<TForm2 *>(w))
            return updates;
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
    void f9RunsTheConnectionInTeraTermsFolder();
    void convertsTheOldTableItWasStartedWith();
    void upgradeCheckStartShowsTheUpdateWindowAlone_data();
    void upgradeCheckStartShowsTheUpdateWindowAlone();
    void helpMenuOpensTheAboutAndLicenceWindows();
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
    QVERIFY(!RunningMainWindow());
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
    QVERIFY(!RunningMainWindow());
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
        const TForm1 *form = RunningMainWindow();
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
    QVERIFY(!RunningMainWindow());
    QVERIFY(machine.prompter.boxes().isEmpty());
    QVERIFY(!NamedSemaphore::exists(QStringLiteral("VurozeziSemaphore")));
    QVERIFY(machine.registry->valueExists(ProgramRegHive, ProgramRegKey, QStringLiteral("WinWidth")));
    QTRY_VERIFY(machine.received(spy, QStringLiteral("WexmoraRRMessage")));
}

void TestProgramMainBlock::f9RunsTheConnectionInTeraTermsFolder()
{
    Machine machine;
    QVERIFY(layOutTeraTerm(machine.folder));
    const QByteArray teratermIni = machine.folder.read(QStringLiteral("teraterm.ini"));
    // The last table, with the connection "Bee host" below "Alpha" in green on black, and the
    // user's phone number: all as a previous run left them.
    const QByteArray green("0:255:0:0:0:0:255:255:0:0:0:0:0:255:255:0:0:0:0:255:255:0:0:0");
    const QString table = machine.folder.filePath(QStringLiteral("Sites.QDZ"));
    QVERIFY(WriteFileBytes(table, TableFileBytes({
        connection("Alpha", 1, "a $CONNECTION$\r\n"),
        connection("Bee host", 2, "connect '$CONNECTION$' $USER$\r\nsend '$PARENT$'\r\n  wait '$phone$'\r\n  keep\r\n",
                   green)})));
    QVERIFY(machine.registry->writeString(ProgramRegHive, ProgramRegKey, QStringLiteral("LastQDZFile"), table));
    QVERIFY(machine.registry->writeString(ProgramRegHive, ProgramRegKey, QStringLiteral("VarPhone"),
                                          QStringLiteral("12-34, P5")));

    QByteArray macro;
    QStringList arguments;
    QByteArray ini;
    QTimer::singleShot(0, this, [&] {
        TForm1 *form = RunningMainWindow();
        if (!form || !QTest::qWaitForWindowActive(form))
            return QApplication::quit();
        ConnectionNode *bee = form->doc().tree().nodeAtAbsoluteIndex(2);
        if (bee && bee->data.Name == "Bee host") {
            QTreeView *vt = form->tree();
            vt->expandAll();
            QTest::mouseClick(vt->viewport(), Qt::LeftButton, {},
                              vt->visualRect(form->model().indexFor(bee)).center());
            QTest::keyClick(vt, Qt::Key_F9);
            const QString call = machine.folder.filePath(QStringLiteral("ttermpro-calls/call-1/"));
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(call + QStringLiteral("macro")), 10000);
            macro = ReadFileBytes(call + QStringLiteral("macro"));
            ini = ReadFileBytes(call + QStringLiteral("ini"));
            arguments = QString::fromUtf8(ReadFileBytes(call + QStringLiteral("args")))
                            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        }
        form->close();
    });
    // A guard only: the window normally closes long before.
    QTimer::singleShot(60000, this, [] { QApplication::quit(); });

    QCOMPARE(ProgramMainBlock({}, machine.services, &machine.prompter), 0);
    QVERIFY(machine.prompter.boxes().isEmpty());

    // One start of TeraTerm, with the ini copy and the macro file of slot 1.
    const QString temp = machine.folder.filePath(QStringLiteral("Temp_TTL/"));
    QCOMPARE(arguments, (QStringList{QStringLiteral("/F=") + temp + QStringLiteral("~TTiniC1.ini"),
                                     QStringLiteral("/M=") + temp + QStringLiteral("~macroC1.ttl")}));
    QCOMPARE(QDir(machine.folder.filePath(QStringLiteral("ttermpro-calls")))
                 .entryList(QDir::Dirs | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("call-1")});
    // The stored macro with its variables replaced; an unchanged line keeps its indentation.
    QCOMPARE(macro, "connect 'Bee host' " + SystemInfo::userName().toUpper().toUtf8()
                        + "\r\nsend 'Alpha'\r\nwait '1234,P5'\r\n  keep\r\n");
    // The connection's colours and no background image in the copy; TeraTerm's own file as it was.
    QVERIFY(ini.contains("VTColor=0,255,0,0,0,0"));
    QVERIFY(ini.contains("BGEnable=off"));
    QVERIFY(ini.contains("Language=English"));
    QCOMPARE(machine.folder.read(QStringLiteral("teraterm.ini")), teratermIni);
    // Closing the window deleted the slot's files.
    QVERIFY(!QFile::exists(temp + QStringLiteral("~macroC1.ttl")));
    QVERIFY(!QFile::exists(temp + QStringLiteral("~TTiniC1.ini")));

    // The next start shows the connection worked on last, and F9 runs it without a click.
    QString shown;
    bool runOffered = false;
    bool ranAgain = false;
    QByteArray again;
    QTimer::singleShot(0, this, [&] {
        TForm1 *form = RunningMainWindow();
        if (!form || !QTest::qWaitForWindowActive(form))
            return QApplication::quit();
        shown = form->macroPage()->Memo1()->text();
        QAction *run = form->findChild<QAction *>(QStringLiteral("MnExecute"));
        runOffered = run && QTest::qWaitFor([run] { return run->isEnabled(); });
        QTest::keyClick(form->tree(), Qt::Key_F9);
        const QString call = machine.folder.filePath(QStringLiteral("ttermpro-calls/call-2/macro"));
        ranAgain = QTest::qWaitFor([&call] { return QFile::exists(call); }, 10000);
        again = ReadFileBytes(call);
        form->close();
    });
    QTimer::singleShot(60000, this, [] { QApplication::quit(); });

    QCOMPARE(ProgramMainBlock({}, machine.services, &machine.prompter), 0);
    QVERIFY(machine.prompter.boxes().isEmpty());
    QCOMPARE(shown, QStringLiteral("connect '$CONNECTION$' $USER$\r\nsend '$PARENT$'\r\n  wait '$phone$'\r\n  keep"));
    QVERIFY(runOffered);
    QVERIFY(ranAgain);
    QCOMPARE(again, macro);
}

void TestProgramMainBlock::convertsTheOldTableItWasStartedWith()
{
    Machine machine;
    TempProgramFolder &folder = machine.folder;
    ScriptedPrompter &prompter = machine.prompter;
    QVERIFY(folder.write(QStringLiteral("ttermpro.exe"), "stand-in"));

    // Old colour texts hold the normal, bold and blink elements only.
    const QByteArray oldA = "1:2:3:4:5:6:7:8:9:10:11:12:13:14:15:16:17:18";
    const QByteArray oldB = "200:200:200:0:128:128:255:255:0:0:128:128:0:255:255:0:128:128";
    const QByteArray original = TableFileBytes(
        "QDZ20", 3, {record("Alpha", 1, oldA), record("Beta", 2, oldB), record("Gamma", 1, oldA)});
    QVERIFY(folder.write(QStringLiteral("Sites.QDZ"), original));
    const QString path = folder.filePath(QStringLiteral("Sites.QDZ"));

    QString rows;
    QString caption;
    QTimer::singleShot(0, this, [&] {
        if (TForm1 *form = RunningMainWindow()) {
            const QModelIndex top = form->model().index(0, 0, QModelIndex());
            rows = top.data().toString() + QLatin1Char('(') + shownRows(*form, top) + QLatin1Char(')');
            caption = form->windowTitle();
            form->close();
        }
    });
    // A guard only: closing the window normally ends the loop long before.
    bool guardFired = false;
    QTimer::singleShot(60000, this, [&guardFired] {
        guardFired = true;
        QApplication::quit();
    });

    QCOMPARE(ProgramMainBlock({path}, machine.services, &prompter), 0);
    QVERIFY(!guardFired);

    QCOMPARE(prompter.boxes().size(), 1);
    const ScriptedPrompter::Box notice = prompter.boxes().first();
    QCOMPARE(notice.kind, Prompter::Kind::Information);
    QCOMPARE(notice.buttons, Prompter::Buttons::Ok);
    QCOMPARE(notice.text, QStringLiteral("The file Sites.QDZ was created by earlier versions of Wexmora and has old "
                                         "format.\nIt will be backed up into Sites.QDZ.bak and converted prior "
                                         "opening.\n\rPress Ok to continue."));
    QCOMPARE(folder.read(QStringLiteral("Sites.QDZ.bak")), original);

    // Rewritten in the current format: every colour text widened by the URL element, blue on
    // the normal element's background; the depths as the tree gave them, Kind dropped.
    const QByteArray wideA = oldA + ":0:0:255:4:5:6";
    const QByteArray wideB = oldB + ":0:0:255:0:128:128";
    auto converted = [](const QByteArray &name, qint32 level, const QByteArray &colors) {
        rVTNodeData d = record(name, level, colors);
        d.Kind = 0;
        return d;
    };
    QCOMPARE(folder.read(QStringLiteral("Sites.QDZ")),
             TableFileBytes("QDZ21", 3, {converted("Alpha", 1, wideA), converted("Beta", 2, wideB),
                                         converted("Gamma", 1, wideA)}));

    QCOMPARE(rows, QStringLiteral("This computer (") + SystemInfo::computerName()
                       + QStringLiteral(")(Alpha:1(Beta:2) Gamma:1)"));
    QCOMPARE(caption, QStringLiteral("Wexmora Configuration - [Sites.QDZ]"));
}

void TestProgramMainBlock::upgradeCheckStartShowsTheUpdateWindowAlone_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("checkAlone");
    QTest::newRow("the check alone") << QStringList{"upgradeCheck=true"} << true;
    QTest::newRow("other letter case") << QStringList{"UpgradeCheck=true"} << false;
    QTest::newRow("with a second argument") << QStringList{"upgradeCheck=true", "more"} << false;
}

void TestProgramMainBlock::upgradeCheckStartShowsTheUpdateWindowAlone()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, checkAlone);
    Machine machine;
    if (!machine.messages.isConnected())
        QSKIP("no session bus");
    QVERIFY(machine.folder.write(QStringLiteral("ttermpro.exe"), "stand-in"));
    QVERIFY(machine.folder.write(QStringLiteral("Temp_TTL/~macroC3.ttl"), "x"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.8.1"));
    LoopbackUpdateServer server;
    server.serve({{UpdateFiles::TT, LoopbackHttpServer::ok("4.106-2")},
                  {UpdateFiles::W, LoopbackHttpServer::ok("2.8-1")}});
    QSignalSpy spy(&machine.messages, &WindowMessages::received);
    ShownWindows shown;
    qApp->installEventFilter(&shown);

    bool modal = false;
    bool tempFilesLeft = true;
    QString outcome;
    QTimer::singleShot(0, this, [&] {
        tempFilesLeft = QFile::exists(machine.folder.filePath(QStringLiteral("Temp_TTL/~macroC3.ttl")));
        TForm2 *updates = RunningUpdateWindow();
        if (updates && updates->isVisible()) {
            modal = QApplication::activeModalWidget() == updates;
            auto *button = updates->findChild<QPushButton *>(QStringLiteral("Button1"));
            if (QTest::qWaitFor([button] { return button->text() == QLatin1String("Close"); }, 20000))
                outcome = updates->findChild<QPlainTextEdit *>(QStringLiteral("Memo1"))->toPlainText();
            QTest::mouseClick(button, Qt::LeftButton);
        } else if (TForm1 *form = RunningMainWindow()) {
            form->close();
        }
    });
    // A guard only: closing the window normally ends the loop long before.
    bool guardFired = false;
    QTimer::singleShot(60000, this, [&guardFired] {
        guardFired = true;
        QApplication::quit();
    });

    QCOMPARE(ProgramMainBlock(arguments, machine.services, &machine.prompter), 0);
    qApp->removeEventFilter(&shown);
    QVERIFY(!guardFired);
    QCOMPARE(shown.updateWindow, checkAlone);
    QCOMPARE(shown.mainWindow, !checkAlone);
    QCOMPARE(modal, checkAlone);
    QCOMPARE(outcome, checkAlone ? QStringLiteral("Both TeraTerm and Wexmora versions on this PC are up to "
                                                  "date.\n\nNo upgrade is necessary.")
                                 : QString());
    QCOMPARE(server.paths().size(), checkAlone ? 2 : 0);
    QCOMPARE(machine.registry->readString(ProgramRegHive, ProgramRegKey, QStringLiteral("TTLatestVersion")),
             checkAlone ? std::optional<QString>(QStringLiteral("4.106-2")) : std::nullopt);
    // Either way the temporary files of earlier runs went first, and the windows went with the
    // options saved, the launcher told and the instance released, without a question.
    QVERIFY(!tempFilesLeft);
    QVERIFY(!RunningMainWindow());
    QVERIFY(!RunningUpdateWindow());
    QVERIFY(machine.prompter.boxes().isEmpty());
    QVERIFY(!NamedSemaphore::exists(QStringLiteral("VurozeziSemaphore")));
    QVERIFY(machine.registry->valueExists(ProgramRegHive, ProgramRegKey, QStringLiteral("WinWidth")));
    QTRY_VERIFY(machine.received(spy, QStringLiteral("WexmoraRRMessage")));
}

// The windows made at start open from the Help menu, modally; the licence also from the
// about window, over it.
void TestProgramMainBlock::helpMenuOpensTheAboutAndLicenceWindows()
{
    Machine machine;
    QVERIFY(machine.folder.write(QStringLiteral("ttermpro.exe"), "stand-in"));
    // As the program names itself: the version is the build's.
    SetApplicationIdentity();

    QStringList seen;
    QTimer::singleShot(0, this, [&] {
        TForm1 *form = RunningMainWindow();
        auto *licence = secondaryWindow<TForm4>();
        auto *about = secondaryWindow<TForm6>();
        if (!form || !licence || !about || !secondaryWindow<TTestPrintPreviewDlg>()
            || !QTest::qWaitForWindowActive(form))
            return QApplication::quit();
        const auto modal = [](QWidget *w) {
            return QApplication::activeModalWidget() == w && w->isVisible() ? QStringLiteral("modal")
                                                                              : QStringLiteral("not modal");
        };
        const auto close = [](QWidget *w) {
            QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("Button1")), Qt::LeftButton);
        };
        seen << (licence->isVisible() || about->isVisible() ? QStringLiteral("shown at start")
                                                             : QStringLiteral("hidden at start"));
        QTimer::singleShot(0, about, [&, about, licence] {
            seen << QStringLiteral("about ") + modal(about) + QLatin1Char(' ')
                    + about->findChild<QLabel *>(QStringLiteral("Label30"))->text();
            QTimer::singleShot(0, licence, [&, licence] {
                seen << QStringLiteral("licence ") + modal(licence);
                close(licence);
            });
            QTest::mouseClick(about->findChild<QLabel *>(QStringLiteral("Label10")), Qt::LeftButton);
            seen << QStringLiteral("back to about ") + modal(about);
            close(about);
        });
        if (!TriggerAsUser(form->findChild<QAction *>(QStringLiteral("MnAbout"))))
            seen << QStringLiteral("MnAbout disabled");
        QTimer::singleShot(0, licence, [&, licence] {
            seen << QStringLiteral("licence ") + modal(licence) + QLatin1Char(' ') + licence->windowTitle();
            close(licence);
        });
        if (!TriggerAsUser(form->findChild<QAction *>(QStringLiteral("MnFreeWareLicense"))))
            seen << QStringLiteral("MnFreeWareLicense disabled");
        seen << (licence->isVisible() || about->isVisible() ? QStringLiteral("left open")
                                                             : QStringLiteral("all closed"));
        form->close();
    });
    QTimer::singleShot(60000, this, [] { QApplication::quit(); });

    QCOMPARE(ProgramMainBlock({}, machine.services, &machine.prompter), 0);
    QVERIFY(machine.prompter.boxes().isEmpty());
    const QVersionNumber version = QVersionNumber::fromString(ProgramVersion());
    QVERIFY(version.microVersion() != 0);
    const QString versionLine = QStringLiteral("Version %1.%2  (Release %3)")
                                    .arg(version.majorVersion()).arg(version.minorVersion()).arg(version.microVersion());
    TForm4 licenceText;
    QCOMPARE(seen, (QStringList{QStringLiteral("hidden at start"), QStringLiteral("about modal ") + versionLine,
                                QStringLiteral("licence modal"), QStringLiteral("back to about modal"),
                                QStringLiteral("licence modal ") + licenceText.windowTitle(),
                                QStringLiteral("all closed")}));
}

QTEST_MAIN(TestProgramMainBlock)
#include "tst_programmainblock.moc"
