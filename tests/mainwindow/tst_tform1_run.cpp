#include "mainwindow/ColorsPage.h"
#include "mainwindow/ConnectionTreeModel.h"
#include "mainwindow/GeneralSettingsPage.h"
#include "mainwindow/MacroEditor.h"
#include "mainwindow/MacroEditorSettingsPage.h"
#include "mainwindow/MacroPage.h"
#include "mainwindow/SettingsPage.h"
#include "mainwindow/TForm1.h"
#include "mainwindow/UserDataPage.h"
#include "MainWindowFixture.h"
#include "platform/DesktopArranger.h"
#include "platform/SystemInfo.h"
#include "platform/widgets/QsciIncludes.h"
#include "runner/MacroRunner.h"
#include "runner/RunAllSelected.h"
#include "support/ScriptedFileChooser.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramFolder.h"
#include "support/TempUserDirs.h"
#include "table/ColorSet.h"
#include "table/ConnectionTree.h"
#include "table/TreeRules.h"
#include "table/UrlCodec.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

namespace {

using Call = DesktopArranger::Call;

const QByteArray kTeraTermIni(
    "[Tera Term]\r\n"
    "VTFont=Terminal,0,-12,255\r\n"
    "VTColor=1,2,3,4,5,6\r\n"
    "VTBoldColor=7,8,9,10,11,12\r\n"
    "VTBlinkColor=13,14,15,16,17,18\r\n"
    "URLColor=19,20,21,22,23,24\r\n"
    "\r\n"
    "[BG]\r\n"
    "BGEnable=on\r\n");

// Normal text green on black, and white on blue: two connections' own colours. Delta has
// none of its own.
const QByteArray kGreen("0:255:0:0:0:0:255:255:0:0:0:0:0:255:255:0:0:0:0:255:255:0:0:0");
const QByteArray kBlue("255:255:255:0:0:128:255:255:0:0:0:0:0:255:255:0:0:0:0:255:255:0:0:0");

// The macro of "Cee host": its name, the user's name, two user-data fields (the phone
// through the dial filter, on an indented line that loses its indentation) and a line that
// keeps it.
const QByteArray kCeeMacro("connect '$CONNECTION$' $USER$\r\n"
                           "send '$name$'\r\n"
                           "  wait '$phone$'\r\n"
                           "  keep\r\n");

rVTNodeData connection(const QByteArray &name, const QByteArray &macro, const QByteArray &colors)
{
    rVTNodeData d;
    d.Name = name;
    d.Macro = UrlEncode(macro, true);
    d.Colors = colors;
    return d;
}

QByteArray userUpper()
{
    return SystemInfo::userName().toUpper().toUtf8();
}

// The lines of Cee host's macro as a run writes them, the first Count of them.
QByteArray ceeLines(int count = 4)
{
    const QList<QByteArray> lines{"connect 'Cee host' " + userUpper(), "send 'Ann Smith'",
                                  "wait '1234,P5'", "  keep"};
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out += lines[i] + "\r\n";
    return out;
}

// Alpha's and Bee's macros in front of Cee host's in a branch run.
const QByteArray kAncestorLines("a Alpha\r\nb Bee Alpha\r\n");

// The program's folder with the stand-in TeraTerm of the build, which records each start in
// ttermpro-calls/call-N (its arguments and copies of the files it was handed), and the
// window as the program starts it, shown and active, over Alpha > Bee > Cee host, Delta and
// a separator below the top node.
struct Window : MainWindowFixture
{
    DesktopArranger desktop;
    ConnectionNode *alpha = nullptr;
    ConnectionNode *bee = nullptr;
    ConnectionNode *cee = nullptr;
    ConnectionNode *delta = nullptr;
    ConnectionNode *separator = nullptr;
    // The stand-in and teraterm.ini are in place (the test runs with WEX_TEST_SOURCE_DIR).
    bool ready = false;

    Window()
    {
        const QString standIn = qEnvironmentVariable("WEX_TEST_SOURCE_DIR")
            + QStringLiteral("/../../dist/teraterm/ttermpro.exe");
        ready = QFile::copy(standIn, program.filePath(QStringLiteral("ttermpro.exe")))
            && QFile::setPermissions(program.filePath(QStringLiteral("ttermpro.exe")),
                                     QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner)
            && program.write(QStringLiteral("teraterm.ini"), kTeraTermIni);
        DesktopArranger::setInstanceForTesting(&desktop);

        ConnectionTree &tree = doc().tree();
        ConnectionNode *root = doc().RootNode();
        alpha = tree.addChild(root, connection("Alpha", "a $CONNECTION$", kBlue));
        bee = tree.addChild(alpha, connection("Bee", "b $CONNECTION$ $PARENT$", kBlue));
        cee = tree.addChild(bee, connection("Cee host", kCeeMacro, kGreen));
        delta = tree.addChild(root, connection("Delta", "d $CONNECTION$", {}));
        separator = tree.addChild(root, connection(SeparatorText, {}, {}));
        form.tree()->expandAll();

        UserDataPage *user = form.settingsPage()->userData();
        user->Edit1()->setText(QStringLiteral("Ann Smith"));
        user->Edit3()->setText(QStringLiteral("12-34, P5"));
    }
    ~Window() { DesktopArranger::setInstanceForTesting(nullptr); }

    QString temp(const QString &name) const { return program.filePath(QStringLiteral("Temp_TTL/") + name); }
    QString callFile(int n, const char *name) const
    {
        return program.filePath(QStringLiteral("ttermpro-calls/call-%1/").arg(n) + QLatin1String(name));
    }
    QByteArray calledMacro(int n) const { return program.read(QStringLiteral("ttermpro-calls/call-%1/macro").arg(n)); }
    QByteArray calledIni(int n) const { return program.read(QStringLiteral("ttermpro-calls/call-%1/ini").arg(n)); }
    QStringList calledArgs(int n) const
    {
        return QString::fromUtf8(program.read(QStringLiteral("ttermpro-calls/call-%1/args").arg(n)))
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    int callCount() const
    {
        return static_cast<int>(QDir(program.filePath(QStringLiteral("ttermpro-calls")))
                                    .entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
    }
};

} // namespace

class TestTForm1Run : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void runCommands_data();
    void runCommands();
    void unappliedEditsAreTheShownConnections_data();
    void unappliedEditsAreTheShownConnections();
    void runOptionsReachTheIniCopy_data();
    void runOptionsReachTheIniCopy();
    void exportMacroWritesTheBranch();
    void runAllSelectedStartsEachWithItsOwnValues_data();
    void runAllSelectedStartsEachWithItsOwnValues();
    void runAllSelectedEndsWithItsTable_data();
    void runAllSelectedEndsWithItsTable();
    void failuresAreReported_data();
    void failuresAreReported();
    void nothingRunnableIsPassedOver_data();
    void nothingRunnableIsPassedOver();
};

void TestTForm1Run::runCommands_data()
{
    QTest::addColumn<QString>("command");     // the action or button that starts it
    QTest::addColumn<QKeySequence>("keys");   // pressed instead when not empty
    QTest::addColumn<bool>("inEditor");       // typed in the macro editor with the caret on line 2
    QTest::addColumn<QByteArray>("macro");

    const QByteArray whole = ceeLines();
    const QByteArray toCaret = ceeLines(2);
    QTest::newRow("Run F9") << "MnExecute" << QKeySequence(Qt::Key_F9) << false << whole;
    QTest::newRow("Run button") << "BtnExec" << QKeySequence() << false << whole;
    QTest::newRow("Run in the tree's menu") << "pmRun" << QKeySequence() << false << whole;
    QTest::newRow("Run to cursor F8") << "MnExecSel" << QKeySequence(Qt::Key_F8) << true << toCaret;
    QTest::newRow("Run to cursor button") << "BtnExecSel" << QKeySequence() << true << toCaret;
    QTest::newRow("Run to cursor beside the editor") << "SpeedButton1" << QKeySequence() << true << toCaret;
    QTest::newRow("Run branch Ctrl+F9") << "MnExecuteAll" << QKeySequence(Qt::CTRL | Qt::Key_F9) << false
                                        << kAncestorLines + whole;
    QTest::newRow("Run branch button") << "BtnExecAll" << QKeySequence() << false << kAncestorLines + whole;
    QTest::newRow("Run branch in the tree's menu") << "pmRunBranch" << QKeySequence() << false
                                                   << kAncestorLines + whole;
    QTest::newRow("Run branch to cursor Ctrl+F8") << "MnExecBrSel" << QKeySequence(Qt::CTRL | Qt::Key_F8) << true
                                                  << kAncestorLines + toCaret;
    QTest::newRow("Run branch to cursor button") << "BtnExecBrSel" << QKeySequence() << true
                                                 << kAncestorLines + toCaret;
}

void TestTForm1Run::runCommands()
{
    QFETCH(QString, command);
    QFETCH(QKeySequence, keys);
    QFETCH(bool, inEditor);
    QFETCH(QByteArray, macro);

    Window w;
    QVERIFY(w.ready);
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.click(w.cee);
    QCOMPARE(w.form.focusedNode(), w.cee);
    // The editor holds the shown connection's macro.
    w.memo1()->setText(QString::fromUtf8(kCeeMacro));
    QWidget *target = w.form.tree();
    if (inEditor) {
        target = w.memo1();
        target->setFocus();
        QTRY_VERIFY(w.memo1()->hasFocus());
        w.memo1()->setCursorPosition(1, 3);
    }
    QAction *action = w.action(command);
    if (action)
        QTRY_VERIFY(action->isEnabled());

    if (!keys.isEmpty()) {
        QTest::keySequence(target, keys);
    } else if (auto *button = w.form.findChild<QToolButton *>(command)) {
        QTest::mouseClick(button, Qt::LeftButton);
    } else {
        QVERIFY(action);
        action->trigger();
    }

    // The stand-in was started with the ini copy and the macro file of slot 1.
    QTRY_COMPARE_WITH_TIMEOUT(w.calledMacro(1), macro, 10000);
    QCOMPARE(w.calledArgs(1), (QStringList{QStringLiteral("/F=") + w.temp(QStringLiteral("~TTiniC1.ini")),
                                           QStringLiteral("/M=") + w.temp(QStringLiteral("~macroC1.ttl"))}));
    // The connection's own colours, TeraTerm's background image off.
    const QByteArray ini = w.calledIni(1);
    QVERIFY(ini.contains("VTColor=0,255,0,0,0,0"));
    QVERIFY(ini.contains("BGEnable=off"));
    // Slot files may hold passwords.
    for (const QString &slot : {QStringLiteral("~macroC1.ttl"), QStringLiteral("~TTiniC1.ini")})
        QCOMPARE(QFile::permissions(w.temp(slot)) & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
                 QFileDevice::Permissions());
    QVERIFY(w.prompter.boxes().isEmpty());
    QCOMPARE(w.callCount(), 1);
}

void TestTForm1Run::unappliedEditsAreTheShownConnections_data()
{
    QTest::addColumn<bool>("edited");
    QTest::addColumn<QByteArray>("lastLines");
    QTest::addColumn<QByteArray>("vtColor");

    // With unapplied edits the pages speak for the shown connection: the editor's macro, the
    // Colours page's set and the logging box (whose closing "logopen" line ends the macro).
    QTest::newRow("unapplied edits") << true << QByteArray("edited Cee host\r\nlogopen '") << QByteArray("VTColor=9,8,7,0,0,0");
    // Without them its record does, whatever the pages hold.
    QTest::newRow("no unapplied edits") << false << ceeLines() << QByteArray("VTColor=0,255,0,0,0,0");
}

void TestTForm1Run::unappliedEditsAreTheShownConnections()
{
    QFETCH(bool, edited);
    QFETCH(QByteArray, lastLines);
    QFETCH(QByteArray, vtColor);

    Window w;
    QVERIFY(w.ready);
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.click(w.cee);
    w.memo1()->setText(QStringLiteral("edited $CONNECTION$"));
    w.form.macroPage()->setLogSession(true);
    ColorSet working;
    working.at(ColorSet::Normal, false, 0) = 9;
    working.at(ColorSet::Normal, false, 1) = 8;
    working.at(ColorSet::Normal, false, 2) = 7;
    w.form.colorsPage()->setColorSet(working);
    w.form.doc().SetNodeModified(edited);
    QTRY_VERIFY(w.action(QStringLiteral("MnExecuteAll"))->isEnabled());

    QTest::keySequence(w.form.tree(), QKeySequence(Qt::CTRL | Qt::Key_F9));

    // The ancestors' macros are always their stored ones.
    QTRY_VERIFY_WITH_TIMEOUT(w.calledMacro(1).endsWith(".log' 0 0\r\n") || w.calledMacro(1).endsWith("keep\r\n"), 10000);
    const QByteArray macro = w.calledMacro(1);
    QVERIFY2(macro.startsWith(kAncestorLines + lastLines), macro.constData());
    if (edited) {
        const QByteArray logs = QFile::encodeName(w.program.filePath(QStringLiteral("Logs/Alpha_Bee_Cee_host_")));
        QVERIFY2(macro.contains("logopen '" + logs), macro.constData());
    }
    QVERIFY(w.calledIni(1).contains(vtColor));
}

void TestTForm1Run::runOptionsReachTheIniCopy_data()
{
    QTest::addColumn<bool>("noColors");
    QTest::addColumn<bool>("useEditorFont");
    QTest::addColumn<QByteArray>("vtColor");
    QTest::addColumn<QByteArray>("vtFont");

    QTest::newRow("the connection's colours") << false << false << QByteArray("VTColor=0,255,0,0,0,0")
                                              << QByteArray("VTFont=Terminal,0,-12,255");
    QTest::newRow("colour support off") << true << false << QByteArray("VTColor=1,2,3,4,5,6")
                                        << QByteArray("VTFont=Terminal,0,-12,255");
    QTest::newRow("the editor's font") << false << true << QByteArray("VTColor=0,255,0,0,0,0")
                                       << QByteArray("VTFont=Courier New,0,-13,255");
}

void TestTForm1Run::runOptionsReachTheIniCopy()
{
    QFETCH(bool, noColors);
    QFETCH(bool, useEditorFont);
    QFETCH(QByteArray, vtColor);
    QFETCH(QByteArray, vtFont);

    Window w;
    QVERIFY(w.ready);
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    MacroEditorSettingsPage *editor = w.form.settingsPage()->macroEditor();
    editor->cbNoColors()->setChecked(noColors);
    editor->cbUseAsTTFont()->setChecked(useEditorFont);
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(13);
    w.form.macroPage()->Memo1()->setTextFont(font);
    w.click(w.cee);
    w.memo1()->setText(QString::fromUtf8(kCeeMacro));
    QTRY_VERIFY(w.action(QStringLiteral("MnExecute"))->isEnabled());

    QTest::keyClick(w.form.tree(), Qt::Key_F9);

    QTRY_COMPARE_WITH_TIMEOUT(w.calledMacro(1), ceeLines(), 10000);
    const QByteArray ini = w.calledIni(1);
    QVERIFY2(ini.contains(vtColor), ini.constData());
    QVERIFY2(ini.contains(vtFont), ini.constData());
    QVERIFY(ini.contains("BGEnable=off"));
    // TeraTerm's own file stays as it was.
    QCOMPARE(w.program.read(QStringLiteral("teraterm.ini")), kTeraTermIni);
}

void TestTForm1Run::exportMacroWritesTheBranch()
{
    Window w;
    QVERIFY(w.ready);
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    QTemporaryDir out;
    const QString file = out.filePath(QStringLiteral("branch.ttl"));
    w.cee->data.LogSession = true;
    w.click(w.cee);
    w.chooser.queue(file);
    QTRY_VERIFY(w.action(QStringLiteral("MnExportMacro"))->isEnabled());
    w.action(QStringLiteral("MnExportMacro"))->trigger();

    QCOMPARE(w.chooser.shown().size(), 1);
    const ScriptedFileChooser::Shown &asked = w.chooser.shown().first();
    QVERIFY(asked.save);
    QCOMPARE(asked.setup.title, QStringLiteral("Export macro to file"));
    QCOMPARE(asked.setup.filter, QStringLiteral("TeraTerm Macro files (*.TTL)|*.TTL|All files (*.*)|*.*"));
    QCOMPARE(asked.setup.defaultExtension, QStringLiteral("ttl"));
    // The branch's macro, with the log named by the branch alone: no folder, no time.
    QFile written(file);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), kAncestorLines + ceeLines() + "logopen 'Alpha_Bee_Cee_host_.log' 0 0\r\n");
    // Nothing started and no slot taken.
    QVERIFY(!QFile::exists(w.temp(QStringLiteral("~macroC1.ttl"))));
    QVERIFY(!QFile::exists(w.temp(QStringLiteral("~TTiniC1.ini"))));
    QCOMPARE(w.form.macroRunner().runSlots().next(), 1);
    QVERIFY(w.prompter.boxes().isEmpty());

    // The next export offers the file of the last; cancelling it writes nothing.
    QVERIFY(QFile::remove(file));
    w.action(QStringLiteral("MnExportMacro"))->trigger();
    QCOMPARE(w.chooser.shown().size(), 2);
    QCOMPARE(w.chooser.shown().last().setup.initialFileName, file);
    QVERIFY(!QFile::exists(file));
    QVERIFY(w.prompter.boxes().isEmpty());
}

void TestTForm1Run::runAllSelectedStartsEachWithItsOwnValues_data()
{
    QTest::addColumn<bool>("doNotTile");
    QTest::addColumn<QList<Call>>("desktopCalls");

    QTest::newRow("tiled") << false << QList<Call>{Call::MinimizeAll, Call::TileHorizontally};
    QTest::newRow("do not tile") << true << QList<Call>{Call::MinimizeAll};
}

void TestTForm1Run::runAllSelectedStartsEachWithItsOwnValues()
{
    QFETCH(bool, doNotTile);
    QFETCH(QList<Call>, desktopCalls);

    Window w;
    QVERIFY(w.ready);
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    GeneralSettingsPage *general = w.form.settingsPage()->general();
    general->CBDelay()->setCurrentIndex(0);
    QCOMPARE(w.form.runAllSelected().interval(), 2000);
    general->cbDoNotTile()->setChecked(doNotTile);
    // Bee, shown last, logs its sessions and has Alpha's colours; Delta has none of its own,
    // and the Colours page shows another set.
    w.bee->data.LogSession = true;
    ColorSet working;
    working.at(ColorSet::Normal, false, 0) = 9;
    w.form.colorsPage()->setColorSet(working);
    w.click(w.delta);
    w.click(w.bee, Qt::ControlModifier);
    QCOMPARE(w.form.tree()->selection().nodes(), (QList<ConnectionNode *>{w.bee, w.delta}));
    QSignalSpy started(&w.form.runAllSelected(), &RunAllSelected::started);
    QSignalSpy finished(&w.form.runAllSelected(), &RunAllSelected::finished);
    QTRY_VERIFY(w.action(QStringLiteral("mnRunAllSel"))->isEnabled());

    w.action(QStringLiteral("mnRunAllSel"))->trigger();
    // A second one while the first runs starts nothing, and the menu does not offer it.
    w.action(QStringLiteral("mnRunAllSel"))->trigger();
    QCOMPARE(started.size(), 1);
    QVERIFY(w.form.runAllSelected().isRunning());
    Q_EMIT w.form.findChild<QMenu *>(QStringLiteral("MnMacro"))->aboutToShow();
    QVERIFY(!w.action(QStringLiteral("mnRunAllSel"))->isEnabled());

    // In tree order, each as a whole branch with its own logging choice and colours.
    QTRY_VERIFY_WITH_TIMEOUT(w.calledMacro(1).endsWith(".log' 0 0\r\n"), 10000);
    QVERIFY(w.calledMacro(1).startsWith("a Alpha\r\nb Bee Alpha\r\nlogopen '"));
    QVERIFY(w.calledIni(1).contains("VTColor=255,255,255,0,0,128"));
    // Edits of the shown connection during the pause are no later connection's macro.
    w.memo1()->setText(QStringLiteral("edited"));
    w.form.doc().SetNodeModified(true);

    QTRY_COMPARE_WITH_TIMEOUT(w.calledMacro(2), QByteArray("d Delta\r\n"), 10000);
    // Without colours of its own a connection gets TeraTerm's.
    QVERIFY(w.calledIni(2).contains("VTColor=1,2,3,4,5,6"));
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 10000);
    QCOMPARE(w.desktop.calls(), desktopCalls);
    // Over, it is offered again (once the edits of the pause are gone).
    w.form.doc().SetNodeModified(false);
    Q_EMIT w.form.findChild<QMenu *>(QStringLiteral("MnMacro"))->aboutToShow();
    QVERIFY(w.action(QStringLiteral("mnRunAllSel"))->isEnabled());
    QCOMPARE(w.callCount(), 2);
    QVERIFY(w.prompter.boxes().isEmpty());
}

void TestTForm1Run::runAllSelectedEndsWithItsTable_data()
{
    QTest::addColumn<bool>("closeWindow");
    QTest::newRow("a new table") << false;
    QTest::newRow("the window closes") << true;
}

void TestTForm1Run::runAllSelectedEndsWithItsTable()
{
    QFETCH(bool, closeWindow);

    Window w;
    QVERIFY(w.ready);
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.form.settingsPage()->general()->CBDelay()->setCurrentIndex(0);
    w.click(w.alpha);
    w.click(w.delta, Qt::ControlModifier);
    QSignalSpy cancelled(&w.form.runAllSelected(), &RunAllSelected::cancelled);
    QTRY_VERIFY(w.action(QStringLiteral("mnRunAllSel"))->isEnabled());
    w.action(QStringLiteral("mnRunAllSel"))->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(w.calledMacro(1), QByteArray("a Alpha\r\n"), 10000);
    QVERIFY(w.form.runAllSelected().isRunning());

    if (closeWindow) {
        QVERIFY(w.form.close());
    } else {
        // What "New" does to the tree.
        w.form.doc().tree().clear();
        w.form.InitTree();
    }

    QCOMPARE(cancelled.size(), 1);
    QVERIFY(!w.form.runAllSelected().isRunning());
    auto *pause = w.form.findChild<QTimer *>(QStringLiteral("Timer5"));
    QVERIFY(pause);
    QVERIFY(!pause->isActive());
    QCOMPARE(w.desktop.calls(), QList<Call>{Call::MinimizeAll});
}

void TestTForm1Run::failuresAreReported_data()
{
    QTest::addColumn<bool>("teraTermThere");
    QTest::addColumn<QString>("message");

    QTest::newRow("no TeraTerm") << false
                                 << QStringLiteral("TTERMPRO.EXE not found.\rPlease move Vurozezi.exe into TeraTerm directory.");
    QTest::newRow("TeraTerm cannot be started") << true << QStringLiteral("Failed to start %1. Cannot execute the macro.");
}

void TestTForm1Run::failuresAreReported()
{
    QFETCH(bool, teraTermThere);
    QFETCH(QString, message);

    Window w;
    QVERIFY(w.ready);
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    const QString exe = w.program.filePath(QStringLiteral("ttermpro.exe"));
    if (teraTermThere)
        QVERIFY(QFile::setPermissions(exe, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    else
        QVERIFY(QFile::remove(exe));
    w.click(w.cee);
    QTRY_VERIFY(w.action(QStringLiteral("MnExecute"))->isEnabled());

    QTest::keyClick(w.form.tree(), Qt::Key_F9);

    QCOMPARE(w.prompter.boxes().size(), 1);
    QCOMPARE(w.prompter.boxes().first().kind, Prompter::Kind::Error);
    QCOMPARE(w.prompter.boxes().first().text, message.arg(exe));
    QCOMPARE(w.callCount(), 0);
}

void TestTForm1Run::nothingRunnableIsPassedOver_data()
{
    QTest::addColumn<QString>("focus");
    QTest::newRow("the top node") << "top";
    QTest::newRow("a separator") << "separator";
    QTest::newRow("no focused node") << "none";
}

void TestTForm1Run::nothingRunnableIsPassedOver()
{
    QFETCH(QString, focus);

    Window w;
    QVERIFY(w.ready);
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    // The top node is the focused one after start.
    if (focus == QLatin1String("separator"))
        w.click(w.separator);
    else
        w.form.tree()->selectionModel()->clear();
    w.chooser.queue(w.program.filePath(QStringLiteral("export.ttl")));

    // Whatever the commands' state says, their handlers never run such a node.
    w.form.MnExecSelClick();
    w.form.MnExecuteClick();
    w.form.MnExecBrSelClick();
    w.form.MnExecuteAllClick();
    w.form.MnExportMacroClick();
    w.form.mnRunAllSelClick();

    QVERIFY(!w.form.runAllSelected().isRunning());
    QVERIFY(w.chooser.shown().isEmpty());
    QVERIFY(w.prompter.boxes().isEmpty());
    QVERIFY(!QFile::exists(w.temp(QStringLiteral("~macroC1.ttl"))));
    QVERIFY(!QFile::exists(w.program.filePath(QStringLiteral("export.ttl"))));
}

QTEST_MAIN(TestTForm1Run)
#include "tst_tform1_run.moc"
