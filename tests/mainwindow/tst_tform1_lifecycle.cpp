#include "mainwindow/ConnectionTreeModel.h"
#include "mainwindow/TForm1.h"
#include "Reveal.h"
#include "TriggerAsUser.h"
#include "WindowMachine.h"
#include "mainwindow/CoverPanel.h"
#include "mainwindow/MacroEditor.h"
#include "mainwindow/MacroPage.h"
#include "mainwindow/WindowGeometryRecorder.h"
#include "platform/widgets/QsciIncludes.h"
#include "platform/AppPaths.h"
#include "platform/AutoStart.h"
#include "platform/NamedSemaphore.h"
#include "platform/Registry.h"
#include "platform/WindowMessages.h"
#include "shell/HandOverReceiver.h"
#include "shell/InstanceSemaphore.h"
#include "shell/ParamName.h"
#include "shell/ProgramRegKey.h"
#include "shell/ShellServices.h"
#include "support/FakeMachine.h"
#include "support/FileBytes.h"
#include "support/ScriptedFileChooser.h"
#include "support/ScriptedPrompter.h"
#include "support/TableBytes.h"
#include "support/TempProgramFolder.h"
#include "support/TempUserDirs.h"
#include "support/TreeShape.h"
#include "support/WinePrefixLayout.h"
#include "table/ConnectionTree.h"
#include "table/TableFile.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <memory>

#include <sys/stat.h>

namespace {

rVTNodeData record(const QByteArray &name, qint32 level)
{
    rVTNodeData d;
    d.Name = name;
    d.Level = level;
    return d;
}

// The names of the nodes below RootNode in tree order, each with its level.
QStringList namesOf(TForm1 &form)
{
    QStringList names;
    ConnectionTree::forEachBelow(form.doc().RootNode(), [&](ConnectionNode *n) {
        names << QString::fromUtf8(n->data.Name) + QLatin1Char(':') + QString::number(n->data.Level);
    });
    return names;
}


} // namespace

class TestTForm1Lifecycle : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstStartIsCentredAtTheSmallestSize();
    void firstStartKeepsThePresets_data();
    void firstStartKeepsThePresets();
    void optionControlSurvivesRestart_data();
    void optionControlSurvivesRestart();
    void geometryAndTableSurviveRestart();
    void pagesShowTheNodeSelectedAtStart_data();
    void pagesShowTheNodeSelectedAtStart();
    void geometryIsNotRecordedWhileMaximized();
    void handedOverFileAtStart_data();
    void handedOverFileAtStart();
    void handedOverWhatIsNoFileAtStart_data();
    void handedOverWhatIsNoFileAtStart();
    void closeDeletesTempFilesAndLetsTheInstanceGo();
    void destroySavesAndTellsTheLauncher();
    void tableWritesAndOpensSaveTheOptions_data();
    void tableWritesAndOpensSaveTheOptions();
    void oldTableConvertedAtStartSavesTheOptions();
    void windowNotMadeFromTheOptionsSavesNothing();
    void runAtLogOnSwitchesTheLaunchersAutoStart();
    void runAtLogOnRefusedWhenNoWineRunsTheLauncher();
    void laterStartsFileIsOfferedForImport();
    void stopRequestWaitsForAModalDialog();
    void trayActionsOfThisSystem_data();
    void trayActionsOfThisSystem();
};

void TestTForm1Lifecycle::firstStartIsCentredAtTheSmallestSize()
{
    Machine machine;
    std::unique_ptr<TForm1> form = machine.start();
    QVERIFY(form);
    QCOMPARE(form->size(), form->minimumSize());
    const QRect screen = form->screen()->geometry();
    QCOMPARE(form->pos(), QPoint((screen.width() - form->width()) / 2, (screen.height() - form->height()) / 2));
    QCOMPARE(form->findChild<QTabWidget *>(QStringLiteral("PG"))->currentIndex(), 0);
    QCOMPARE(form->findChild<QTabWidget *>(QStringLiteral("PGSettings"))->currentIndex(), 0);
    QCOMPARE(form->findChild<QComboBox *>(QStringLiteral("CBDelay"))->currentText(), QStringLiteral("5"));
    QCOMPARE(form->doc().CurrentTableFile, QString());
    QVERIFY(machine.prompter.boxes().isEmpty());
}

void TestTForm1Lifecycle::firstStartKeepsThePresets_data()
{
    QTest::addColumn<bool>("withFile");
    QTest::newRow("no argument") << false;
    QTest::newRow("a table handed over") << true;
}

// The start stores the system family, and with an argument the handed-over file, before the
// options are read: a first start shows the presets all the same.
void TestTForm1Lifecycle::firstStartKeepsThePresets()
{
    QFETCH(bool, withFile);
    Machine machine;
    QStringList arguments;
    if (withFile) {
        arguments << machine.writeTable(QStringLiteral("handed.QDZ"), {record("A", 1)});
        WriteParamName(*machine.registry, arguments.first());
    }
    std::unique_ptr<TForm1> form = machine.start(arguments);
    QVERIFY(form);
    QVERIFY(machine.registry->valueExists(ProgramRegHive, ProgramRegKey, QStringLiteral("NT")));
    QVERIFY(!form->findChild<QAbstractButton *>(QStringLiteral("cbAutoSave"))->isChecked());
    QVERIFY(!form->findChild<QAbstractButton *>(QStringLiteral("rbLog"))->isChecked());
    QVERIFY(!form->findChild<QAbstractButton *>(QStringLiteral("rbDontLog"))->isChecked());
    QCOMPARE(form->findChild<QComboBox *>(QStringLiteral("CBSpacePerTAB"))->currentText(), QStringLiteral("6"));
    QCOMPARE(namesOf(*form), withFile ? QStringList{"A:1"} : QStringList());
}

void TestTForm1Lifecycle::optionControlSurvivesRestart_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("Disable color support") << "cbNoColors" << QVariant(true);
    QTest::newRow("Save changes on Close") << "cbAutoSave" << QVariant(true);
    QTest::newRow("Auto select last off") << "cbSelectlast" << QVariant(false);
    QTest::newRow("Do not tile") << "cbDoNotTile" << QVariant(true);
    QTest::newRow("Allow TAB") << "cbAllowTAB" << QVariant(true);
    QTest::newRow("TAB to spaces") << "cbTAB2Space" << QVariant(true);
    QTest::newRow("Smart TAB") << "cbSmartTAB" << QVariant(true);
    QTest::newRow("Use as TeraTerm font") << "cbUseAsTTFont" << QVariant(true);
    QTest::newRow("Same background off") << "cbSameBkgr" << QVariant(false);
    QTest::newRow("Full path in MRU") << "cbFullPathMRU" << QVariant(true);
    QTest::newRow("colours in editor") << "rbUseColorInEditor" << QVariant(true);
    QTest::newRow("log new connections") << "rbLog" << QVariant(true);
    QTest::newRow("Name") << "Edit1" << QVariant(QStringLiteral("Jane Doe"));
    QTest::newRow("E-mail") << "Edit2" << QVariant(QStringLiteral("jane@example.org"));
    QTest::newRow("Phone") << "Edit3" << QVariant(QStringLiteral("+49 30 1234"));
    QTest::newRow("Mobile") << "Edit9" << QVariant(QStringLiteral("0171 99"));
    QTest::newRow("Pager") << "Edit10" << QVariant(QStringLiteral("555-0100"));
    QTest::newRow("Run all selected delay") << "CBDelay" << QVariant(10);
    QTest::newRow("tab width") << "CBSpacePerTAB" << QVariant(6);
    QTest::newRow("tray double click") << "cbDoubleClickAction" << QVariant(3);
    QTest::newRow("update interval") << "cbUpdateInterval" << QVariant(2);
    QTest::newRow("default colours") << "cbDefColors" << QVariant(1);
}

void TestTForm1Lifecycle::optionControlSurvivesRestart()
{
    QFETCH(QString, control);
    QFETCH(QVariant, value);
    Machine machine;
    {
        std::unique_ptr<TForm1> form = machine.start();
        QVERIFY(form);
        QWidget *widget = form->findChild<QWidget *>(control);
        QVERIFY(widget);
        Reveal(widget);
        // The other TAB options are offered once TABs are enabled.
        if (!widget->isEnabled())
            QTest::keyClick(form->findChild<QWidget *>(QStringLiteral("cbAllowTAB")), Qt::Key_Space);
        QVERIFY(widget->isEnabled());
        if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            QVERIFY(button->isChecked() != value.toBool());
            QTest::keyClick(button, Qt::Key_Space);
            QCOMPARE(button->isChecked(), value.toBool());
        } else if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
            edit->setFocus();
            QTest::keyClicks(edit, value.toString());
        } else if (auto *list = qobject_cast<QComboBox *>(widget)) {
            QVERIFY(list->currentIndex() != value.toInt());
            list->setCurrentIndex(value.toInt());
        }
    }
    std::unique_ptr<TForm1> again = machine.start();
    QVERIFY(again);
    QWidget *widget = again->findChild<QWidget *>(control);
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        QCOMPARE(button->isChecked(), value.toBool());
    else if (auto *edit = qobject_cast<QLineEdit *>(widget))
        QCOMPARE(edit->text(), value.toString());
    else if (auto *list = qobject_cast<QComboBox *>(widget))
        QCOMPARE(list->currentIndex(), value.toInt());
    else
        QFAIL("no such control");
    QVERIFY(machine.prompter.boxes().isEmpty());
}

void TestTForm1Lifecycle::geometryAndTableSurviveRestart()
{
    Machine machine;
    const QString table = machine.writeTable(QStringLiteral("Sites.QDZ"),
        {record("Alpha", 1), record("Beta", 1), record("Beta 1", 2)});
    QVERIFY(!table.isEmpty());
    {
        std::unique_ptr<TForm1> form = machine.start();
        QVERIFY(form);
        QVERIFY(form->readTable(table).ok);
        ConnectionNode *beta1 = form->doc().tree().nodeAtAbsoluteIndex(3);
        QVERIFY(beta1);
        form->tree()->setCurrentIndex(form->model().indexFor(beta1));
        form->move(60, 40);
        form->resize(700, 520);
        QTRY_COMPARE(form->options().WinWidth, 700);
        form->findChild<QSplitter *>(QStringLiteral("Splitter"))->setSizes({300, 397});
        // Closed as the user closes it: the window is hidden before the options are written.
        QVERIFY(form->close());
    }
    std::unique_ptr<TForm1> again = machine.start();
    QVERIFY(again);
    QCOMPARE(again->pos(), QPoint(60, 40));
    QCOMPARE(again->size(), QSize(700, 520));
    QCOMPARE(again->tree()->width(), 300);
    QCOMPARE(again->doc().CurrentTableFile, table);
    QCOMPARE(namesOf(*again), QStringList({"Alpha:1", "Beta:1", "Beta 1:2"}));
    QVERIFY(again->focusedNode());
    QCOMPARE(again->focusedNode()->data.Name, QByteArray("Beta 1"));
    // A table is shown on the macro page.
    QCOMPARE(again->findChild<QTabWidget *>(QStringLiteral("PG"))->currentIndex(), 1);
    QCOMPARE(again->doc().SelectedNodeIndex, 0);
}

void TestTForm1Lifecycle::pagesShowTheNodeSelectedAtStart_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("cover");
    QTest::addColumn<QString>("macro");
    QTest::newRow("the top node") << 0 << "No connection selected" << QString();
    QTest::newRow("a connection") << 2 << QString() << "connect 'beta'";
    QTest::newRow("a separator") << 3 << "No connection selected" << QString();
}

void TestTForm1Lifecycle::pagesShowTheNodeSelectedAtStart()
{
    QFETCH(int, index);
    QFETCH(QString, cover);
    QFETCH(QString, macro);
    Machine machine;
    rVTNodeData beta = record("Beta", 1);
    beta.Macro = "connect+%27beta%27";
    const QString table = machine.writeTable(QStringLiteral("Start.QDZ"),
                                             {record("Alpha", 1), beta, record("----- separator line -----", 1)});
    QVERIFY(!table.isEmpty());
    machine.setStored(QStringLiteral("LastQDZFile"), table);
    machine.registry->writeDword(ProgramRegHive, ProgramRegKey, QStringLiteral("SelectedNodeIndex"), quint32(index));
    std::unique_ptr<TForm1> form = machine.start();
    QVERIFY(form);
    QCOMPARE(form->model().indexFor(form->focusedNode()).row(), index == 0 ? 0 : index - 1);
    CoverPanel *ts1 = form->macroPage()->TS1Panel();
    QCOMPARE(ts1->isHidden(), cover.isEmpty());
    if (!cover.isEmpty())
        QCOMPARE(ts1->text(), cover);
    else
        QCOMPARE(form->macroPage()->Memo1()->text(), macro);
}

void TestTForm1Lifecycle::geometryIsNotRecordedWhileMaximized()
{
    Machine machine;
    {
        std::unique_ptr<TForm1> form = machine.start();
        QVERIFY(form);
        form->move(30, 20);
        form->resize(680, 500);
        QTRY_COMPARE(form->options().WinWidth, 680);
        form->showMaximized();
        QTRY_VERIFY(form->isMaximized());
        QCOMPARE(form->options().WinWidth, 680);
        QCOMPARE(form->options().WinLeft, 30);
    }
    std::unique_ptr<TForm1> again = machine.start();
    QVERIFY(again);
    // Shown first at its normal place, maximized half a second later, and that place kept.
    const QTimer *timer4 = again->findChild<QTimer *>(QStringLiteral("Timer4"));
    QVERIFY(timer4);
    QCOMPARE(timer4->interval(), 500);
    QVERIFY(timer4->isActive() || again->isMaximized());
    QCOMPARE(again->geometryRecorder()->windowState(), 1);
    QTRY_VERIFY(again->isMaximized());
    QCOMPARE(again->options().WinWidth, 680);
    QCOMPARE(again->options().WinHeight, 500);
    QCOMPARE(again->options().WinTop, 20);
    again->showNormal();
    QTRY_COMPARE(again->size(), QSize(680, 500));
}

void TestTForm1Lifecycle::handedOverFileAtStart_data()
{
    QTest::addColumn<bool>("lastTableKnown");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("no last table: opened as the table") << false << 0
        << QStringList({"Handed:1"});
    QTest::newRow("last table: import accepted") << true << int(Prompter::Yes)
        << QStringList({"Last:1", "Handed:1"});
    QTest::newRow("last table: import refused") << true << int(Prompter::No)
        << QStringList({"Last:1"});
}

void TestTForm1Lifecycle::handedOverFileAtStart()
{
    QFETCH(bool, lastTableKnown);
    QFETCH(int, answer);
    QFETCH(QStringList, names);
    Machine machine;
    const QString last = machine.writeTable(QStringLiteral("Last.QDZ"), {record("Last", 1)});
    const QString handed = machine.writeTable(QStringLiteral("Handed.QDZ"), {record("Handed", 1)});
    if (lastTableKnown)
        machine.setStored(QStringLiteral("LastQDZFile"), last);
    machine.setStored(QStringLiteral("ParamName"), handed);
    if (answer)
        machine.prompter.queue(Prompter::Answer(answer));

    std::unique_ptr<TForm1> form = machine.start({handed});
    QVERIFY(form);
    if (!lastTableKnown) {
        QCOMPARE(form->doc().CurrentTableFile, handed);
        QCOMPARE(ReadParamName(*machine.registry), QString());
        QVERIFY(!form->handOverReceiver()->offerTimerActive());
        QCOMPARE(namesOf(*form), names);
        QVERIFY(machine.prompter.boxes().isEmpty());
        // The next start comes back to it as the last table and offers nothing.
        form.reset();
        std::unique_ptr<TForm1> again = machine.start();
        QVERIFY(again);
        QCOMPARE(again->doc().CurrentTableFile, handed);
        QVERIFY(!again->handOverReceiver()->offerTimerActive());
        QVERIFY(machine.prompter.boxes().isEmpty());
        return;
    }
    QCOMPARE(form->doc().CurrentTableFile, last);
    // The offer comes once the window runs, not while it is made.
    QVERIFY(machine.prompter.boxes().isEmpty());
    QVERIFY(form->handOverReceiver()->offerTimerActive());
    QTRY_COMPARE(machine.prompter.boxes().size(), 1);
    const ScriptedPrompter::Box box = machine.prompter.boxes().first();
    QCOMPARE(box.kind, Prompter::Kind::Confirmation);
    QCOMPARE(box.buttons, Prompter::Buttons::YesNo);
    QCOMPARE(box.text, QStringLiteral("Do you want to import file Handed.QDZ into Wexmora?"));
    QCOMPARE(namesOf(*form), names);
    QCOMPARE(ReadParamName(*machine.registry), QString());
    QCOMPARE(form->doc().CurrentTableFile, last);
}

void TestTForm1Lifecycle::handedOverWhatIsNoFileAtStart_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("lastTableKnown");
    QTest::addColumn<QStringList>("boxes");
    const QString refused = QStringLiteral("Cannot read the file Handed.QDZ");
    const QString offer = QStringLiteral("Do you want to import file Handed.QDZ into Wexmora?");
    // Nothing writes to the pipe: an open that waited would hang the start for good.
    QTest::newRow("named pipe as the table") << "fifo" << false << QStringList{refused};
    QTest::newRow("folder as the table") << "folder" << false << QStringList{refused};
    QTest::newRow("named pipe offered for import") << "fifo" << true << QStringList{offer, refused};
}

void TestTForm1Lifecycle::handedOverWhatIsNoFileAtStart()
{
    QFETCH(QString, kind);
    QFETCH(bool, lastTableKnown);
    QFETCH(QStringList, boxes);
    Machine machine;
    const QString last = machine.writeTable(QStringLiteral("Last.QDZ"), {record("Last", 1)});
    const QString handed = machine.folder.filePath(QStringLiteral("Handed.QDZ"));
    if (kind == QLatin1String("fifo"))
        QCOMPARE(mkfifo(QFile::encodeName(handed).constData(), 0600), 0);
    else
        QVERIFY(QDir().mkdir(handed));
    if (lastTableKnown)
        machine.setStored(QStringLiteral("LastQDZFile"), last);
    machine.setStored(QStringLiteral("ParamName"), handed);

    std::unique_ptr<TForm1> form = machine.start({handed});
    QVERIFY(form);
    QTRY_COMPARE(machine.prompter.texts(), boxes);
    QCOMPARE(machine.prompter.boxes().last().kind, Prompter::Kind::Warning);
    QCOMPARE(namesOf(*form), lastTableKnown ? QStringList{"Last:1"} : QStringList{});
    QCOMPARE(ReadParamName(*machine.registry), QString());
}

void TestTForm1Lifecycle::closeDeletesTempFilesAndLetsTheInstanceGo()
{
    Machine machine;
    QCOMPARE(machine.instance.acquire(QStringLiteral("VurozeziSemaphore")), NamedSemaphore::Result::Created);
    std::unique_ptr<TForm1> form = machine.start();
    QVERIFY(form);
    const QStringList runFiles = {QStringLiteral("Temp_TTL/~macroC1.ttl"), QStringLiteral("Temp_TTL/~TTiniC1.ini")};
    for (const QString &name : runFiles)
        QVERIFY(machine.folder.write(name, "x"));
    QVERIFY(machine.folder.write(QStringLiteral("Temp_TTL/~Sites.QDZ"), "kept"));

    QVERIFY(form->close());
    for (const QString &name : runFiles)
        QVERIFY2(!QFile::exists(machine.folder.filePath(name)), qPrintable(name));
    QCOMPARE(machine.folder.read(QStringLiteral("Temp_TTL/~Sites.QDZ")), QByteArray("kept"));
    QVERIFY(!machine.instance.isHeld());
    QVERIFY(!NamedSemaphore::exists(QStringLiteral("VurozeziSemaphore")));
}

void TestTForm1Lifecycle::destroySavesAndTellsTheLauncher()
{
    Machine machine;
    if (!machine.messages.isConnected())
        QSKIP("no session bus");
    QSignalSpy spy(&machine.messages, &WindowMessages::received);
    std::unique_ptr<TForm1> form = machine.start();
    QVERIFY(form);
    QLineEdit *name = form->findChild<QLineEdit *>(QStringLiteral("Edit1"));
    Reveal(name);
    QTest::keyClicks(name, QStringLiteral("Jane"));
    QVERIFY(form->close());
    QVERIFY(!machine.registry->valueExists(ProgramRegHive, ProgramRegKey, QStringLiteral("VarName")));
    form.reset();

    QCOMPARE(machine.registry->readString(ProgramRegHive, ProgramRegKey, QStringLiteral("VarName")),
             std::optional<QString>(QStringLiteral("Jane")));
    const auto broadcast = [&spy] {
        for (const QList<QVariant> &message : std::as_const(spy))
            if (message.at(0).toString() == QLatin1String("WexmoraRRMessage"))
                return true;
        return false;
    };
    QTRY_VERIFY(broadcast());
}

void TestTForm1Lifecycle::tableWritesAndOpensSaveTheOptions_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("file");    // the table's own file, the one chosen or the one opened
    QTest::addColumn<bool>("saved");
    QTest::newRow("save") << "MnSaveTable" << "t.QDZ" << true;
    QTest::newRow("a save that fails") << "MnSaveTable" << "missing/t.QDZ" << true;
    QTest::newRow("export to a table file") << "MnExport" << "e.QDZ" << true;
    QTest::newRow("export to an exchange file") << "MnExport" << "e.kpv" << false;
    QTest::newRow("open") << "MnOpenTable" << "o.QDZ" << true;
    QTest::newRow("an open that fails") << "MnOpenTable" << "missing.QDZ" << true;
    QTest::newRow("import") << "MnImport" << "o.QDZ" << false;
}

// A written table file, a failed write too, and every open tried make the window save the
// options and tell the launcher; an import and an exchange file do not.
void TestTForm1Lifecycle::tableWritesAndOpensSaveTheOptions()
{
    QFETCH(QString, command);
    QFETCH(QString, file);
    QFETCH(bool, saved);
    Machine machine;
    QVERIFY(machine.folder.write(QStringLiteral("o.QDZ"), TableFileBytes({record("Opened", 1)})));
    std::unique_ptr<TForm1> form = machine.start();
    QVERIFY(form);
    ScriptedFileChooser chooser;
    form->setFileChooser(&chooser);
    BuildShape(form->doc().tree(), "A|B");
    form->tree()->focusOnly(form->doc().RootNode()->child(1));
    const QString path = machine.folder.filePath(file);
    if (command == QLatin1String("MnSaveTable")) {
        form->doc().CurrentTableFile = path;
        form->doc().UpdateCaption(true);
    } else {
        chooser.queue(path);
    }
    QVERIFY(!machine.registry->valueExists(ProgramRegHive, ProgramRegKey, QStringLiteral("VarName")));

    QVERIFY(TriggerAsUser(form->findChild<QAction *>(command)));

    QCOMPARE(machine.registry->valueExists(ProgramRegHive, ProgramRegKey, QStringLiteral("VarName")), saved);
}

// An old-format table opened at start is converted and written back: the options follow.
void TestTForm1Lifecycle::oldTableConvertedAtStartSavesTheOptions()
{
    Machine machine;
    QVERIFY(machine.folder.write(QStringLiteral("Old.QDZ"), TableFileBytes("QDZ20", 1, {record("Old", 1)})));
    machine.setStored(QStringLiteral("LastQDZFile"), machine.folder.filePath(QStringLiteral("Old.QDZ")));
    std::unique_ptr<TForm1> form = machine.start();
    QVERIFY(form);
    QCOMPARE(namesOf(*form), QStringList{QStringLiteral("Old:1")});
    QVERIFY(machine.registry->valueExists(ProgramRegHive, ProgramRegKey, QStringLiteral("VarName")));
}

void TestTForm1Lifecycle::windowNotMadeFromTheOptionsSavesNothing()
{
    Machine machine;
    {
        TForm1 form(&machine.prompter);
        form.InitTree();
        form.SaveSettingsAndNotify();
    }
    QVERIFY(!machine.registry->keyExists(ProgramRegHive, ProgramRegKey));
}

void TestTForm1Lifecycle::runAtLogOnSwitchesTheLaunchersAutoStart()
{
    Machine machine;
    const QString launcher = AppFilePath(QStringLiteral("Wexmora.exe"));
    QVERIFY(AutoStart::setOn(launcher, true));
    std::unique_ptr<TForm1> form = machine.start();
    QVERIFY(form);
    auto *box = form->findChild<QAbstractButton *>(QStringLiteral("cbRunOnStart"));
    QVERIFY(box->isChecked());
    Reveal(box);

    QTest::keyClick(box, Qt::Key_Space);
    QVERIFY(!AutoStart::isOn(launcher));
    QTest::keyClick(box, Qt::Key_Space);
    QVERIFY(AutoStart::isOn(launcher));

    // An entry for a launcher in another folder counts as off.
    QVERIFY(AutoStart::setOn(machine.folder.filePath(QStringLiteral("old/Wexmora.exe")), true));
    std::unique_ptr<TForm1> again = machine.start();
    QVERIFY(!again->findChild<QAbstractButton *>(QStringLiteral("cbRunOnStart"))->isChecked());
}

// A 32-bit Windows launcher on a machine with only 64-bit Wine would fail at every log-on:
// no entry is written, the user is told what to install, and the box shows it off.
void TestTForm1Lifecycle::runAtLogOnRefusedWhenNoWineRunsTheLauncher()
{
    Machine machine;
    const FakeMachine debian(machine.folder.filePath(QStringLiteral("root")), FakeMachine::debian(false, true));
    QVERIFY(debian.isReady());
    QVERIFY(WriteWindowsExecutable(AppFilePath(QStringLiteral("Wexmora.exe")), PeI386));
    std::unique_ptr<TForm1> form = machine.start();
    QVERIFY(form);
    auto *box = form->findChild<QAbstractButton *>(QStringLiteral("cbRunOnStart"));
    QVERIFY(!box->isChecked());
    Reveal(box);

    QTest::keyClick(box, Qt::Key_Space);

    QCOMPARE(machine.prompter.boxes().size(), 1);
    QCOMPARE(machine.prompter.boxes().first().kind, Prompter::Kind::Error);
    QCOMPARE(machine.prompter.boxes().first().text,
             QStringLiteral("Wexmora.exe is a 32-bit Windows program (i386), and no Wine on this computer runs "
                            "32-bit programs.\rPlease install Wine's 32-bit part (on Debian and Ubuntu for amd64, "
                            "as root: dpkg --add-architecture i386, then apt-get update, then apt-get install "
                            "wine32:i386)."));
    QVERIFY(!box->isChecked());
    QVERIFY(!QFileInfo::exists(AutoStart::entryPath()));
}

void TestTForm1Lifecycle::laterStartsFileIsOfferedForImport()
{
    Machine machine;
    const QString last = machine.writeTable(QStringLiteral("Last.QDZ"), {record("Last", 1)});
    machine.setStored(QStringLiteral("LastQDZFile"), last);
    std::unique_ptr<TForm1> form = machine.start();
    QVERIFY(form);
    QVERIFY(!form->handOverReceiver()->offerTimerActive());
    QVERIFY(machine.folder.write(QStringLiteral("Temp_TTL/~Sites.QDZ"), TableFileBytes({record("Site", 1)})));
    const QString staged = machine.folder.filePath(QStringLiteral("Temp_TTL/~Sites.QDZ"));
    machine.setStored(QStringLiteral("ParamName"), staged);
    machine.prompter.queue(Prompter::Yes);

    form->handOverReceiver()->handleMessage(QStringLiteral("VurozeziMessage"), false);
    QCOMPARE(machine.prompter.texts(),
             QStringList{QStringLiteral("Do you want to import file Sites.QDZ into Wexmora?")});
    QCOMPARE(namesOf(*form), QStringList({"Last:1", "Site:1"}));
    QVERIFY(form->doc().tableModified());
    QCOMPARE(form->doc().CurrentTableFile, last);
    QCOMPARE(ReadParamName(*machine.registry), QString());
}

void TestTForm1Lifecycle::stopRequestWaitsForAModalDialog()
{
    Machine machine;
    std::unique_ptr<TForm1> form = machine.start();
    QVERIFY(form);
    QVERIFY(machine.folder.write(QStringLiteral("Temp_TTL/~macroC1.ttl"), "x"));
    QDialog dialog(form.get());
    dialog.setModal(true);
    dialog.show();
    QTRY_COMPARE(QApplication::activeModalWidget(), &dialog);

    form->handOverReceiver()->handleMessage(QStringLiteral("VurozeziStopMessage"), false);
    QVERIFY(form->isVisible());
    QCOMPARE(form->handOverReceiver()->deferredCount(), 1);

    dialog.accept();
    QTRY_VERIFY(!form->isVisible());
    QVERIFY(!QFile::exists(machine.folder.filePath(QStringLiteral("Temp_TTL/~macroC1.ttl"))));
}

void TestTForm1Lifecycle::trayActionsOfThisSystem_data()
{
    QTest::addColumn<bool>("nt");
    QTest::addColumn<int>("storedAction");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("count");
    // CygTerm is never in the test's program folder.
    QTest::newRow("lock the screen") << true << 5 << "lock the screen (W2K and XP)" << 6;
    QTest::newRow("CygWin missing") << true << 6 << "open Configuration window" << 6;
    QTest::newRow("no lock, stored lock") << false << 5 << "open Configuration window" << 5;
    QTest::newRow("no lock, stored CygWin") << false << 6 << "open Configuration window" << 5;
    QTest::newRow("no lock, screen saver") << false << 4 << "start screen saver" << 5;
}

void TestTForm1Lifecycle::trayActionsOfThisSystem()
{
    QFETCH(bool, nt);
    QFETCH(int, storedAction);
    QFETCH(QString, shown);
    QFETCH(int, count);
    Machine machine;
    machine.registry->writeDword(ProgramRegHive, ProgramRegKey, QStringLiteral("NT"), nt ? 1 : 0);
    machine.registry->writeDword(ProgramRegHive, ProgramRegKey, QStringLiteral("DblClickAction"), storedAction);
    std::unique_ptr<TForm1> form = machine.start();
    QVERIFY(form);
    auto *list = form->findChild<QComboBox *>(QStringLiteral("cbDoubleClickAction"));
    QCOMPARE(list->count(), count);
    QCOMPARE(list->currentText(), shown);
}

QTEST_MAIN(TestTForm1Lifecycle)
#include "tst_tform1_lifecycle.moc"
