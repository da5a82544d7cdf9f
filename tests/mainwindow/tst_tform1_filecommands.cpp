#include "mainwindow/ConnectionTreeModel.h"
#include "mainwindow/TForm1.h"
#include "MainWindowFixture.h"
#include "Reveal.h"
#include "platform/FieldText.h"
#include "platform/ApplicationIdentity.h"
#include "platform/widgets/QsciIncludes.h"
#include "support/FileBytes.h"
#include "support/GeneratedTable.h"
#include "support/ScriptedFileChooser.h"
#include "support/ScriptedPrompter.h"
#include "support/ShapedTable.h"
#include "support/TableBytes.h"
#include "support/TempProgramFolder.h"
#include "support/TempUserDirs.h"
#include "support/TreeShape.h"
#include "table/ConnectionTree.h"
#include "table/EditCommands.h"
#include "table/TableFile.h"
#include "table/TreeRules.h"
#include "TriggerAsUser.h"
#include "WindowMachine.h"

#include <QAction>
#include <QCheckBox>
#include <QGuiApplication>
#include <QRadioButton>
#include <QStackedWidget>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

namespace {

const QString TableFilter = QStringLiteral("Wexmora file (*.QDZ)|*.QDZ|All files (*.*)|*.*");
const QString Noname = QStringLiteral("Wexmora Configuration - [Noname.QDZ]");
const QString NonameModified = QStringLiteral("Wexmora Configuration - [Noname.QDZ*]");

rVTNodeData record(qint32 level, const QByteArray &name)
{
    rVTNodeData d;
    d.Level = level;
    d.Name = name;
    return d;
}

// The shape of the table in a file, read into a table of its own.
QByteArray shapeInFile(const QString &path)
{
    ShapedTable table;
    if (!LoadConnectionTable(table.doc, path, true).ok)
        return "unreadable";
    return table.shape();
}

// The real window, shown and active, with scripted message boxes and file dialogs, a
// program folder and user folders of its own.
struct Window : MainWindowFixture
{
    QTemporaryDir files;

    QString path(const QString &name) const { return files.filePath(name); }

    // A modified table as the user leaves it after some adding.
    void build(const QByteArray &shape)
    {
        BuildShape(doc().tree(), shape);
        doc().UpdateCaption(true);
        form.tree()->expandAll();
    }

    // Presses Keys in the tree, as the user does with the focus there.
    void press(QKeyCombination keys)
    {
        form.tree()->setFocus();
        MainWindowFixture::press(keys);
    }
};

} // namespace

class TestTForm1FileCommands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The application as the program makes it.
    void initTestCase() { SetApplicationIdentity(); }
    void newTable_data();
    void newTable();
    void newTableOfALargeTable();
    void applyQuestionFirst_data();
    void applyQuestionFirst();
    void saveWithTheTreeHidden();
    void openTable();
    void openAskedToSaveFirst_data();
    void openAskedToSaveFirst();
    void openDamagedFile();
    void saveAsThenSave();
    void failedSaveKeepsTheTable();
    void importAppends();
    void importCases_data();
    void importCases();
    void exportWidensTheSelection_data();
    void exportWidensTheSelection();
    void exchangeFileNamesTheVersion();
    void closeQuestion_data();
    void closeQuestion();
    void closeWaitsForARead();
    void autoSaveCloseAsksToApplyFirst_data();
    void autoSaveCloseAsksToApplyFirst();
    void buildSaveAndReopen();
    void buildSaveCloseAndStartAgain_data();
    void buildSaveCloseAndStartAgain();
};

void TestTForm1FileCommands::newTable_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("named");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QStringList>("dialogs");   // the file dialogs' titles
    QTest::addColumn<bool>("emptied");
    QTest::addColumn<bool>("savedToFile");
    const QStringList none;
    QTest::newRow("unmodified: no question") << false << false << QList<int>{} << none << true << false;
    QTest::newRow("cancel keeps the table") << true << false << QList<int>{Prompter::Cancel} << none << false << false;
    QTest::newRow("no discards it") << true << false << QList<int>{Prompter::No} << none << true << false;
    QTest::newRow("yes, save as cancelled, keeps it")
        << true << false << QList<int>{Prompter::Yes} << QStringList{QStringLiteral("Save Wexmora file as")}
        << false << false;
    QTest::newRow("yes saves a named table first") << true << true << QList<int>{Prompter::Yes} << none << true << true;
}

void TestTForm1FileCommands::newTable()
{
    QFETCH(bool, modified);
    QFETCH(bool, named);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, dialogs);
    QFETCH(bool, emptied);
    QFETCH(bool, savedToFile);
    Window w;
    QVERIFY(w.active());
    const QString file = w.path(QStringLiteral("Servers.QDZ"));
    BuildShape(w.doc().tree(), "A[B]|C");
    if (named) {
        QVERIFY(WriteFileBytes(file, QByteArray()));
        w.doc().CurrentTableFile = file;
    }
    w.doc().UpdateCaption(modified);
    for (int a : answers)
        w.prompter.queue(Prompter::Answer(a));
    auto *memo1 = w.form.findChild<QsciScintilla *>(QStringLiteral("Memo1"));
    auto *memo2 = w.form.findChild<QsciScintilla *>(QStringLiteral("Memo2"));
    auto *logging = w.form.findChild<QCheckBox *>(QStringLiteral("cbLogSession"));
    memo1->setText(QStringLiteral("connect"));
    memo2->setText(QStringLiteral("note"));
    w.form.findChild<QRadioButton *>(QStringLiteral("rbLog"))->setChecked(true);
    auto *pages = w.form.findChild<QTabWidget *>(QStringLiteral("PG"));
    pages->setCurrentIndex(2);

    w.press(Qt::CTRL | Qt::Key_N);

    QStringList asked;
    if (modified)
        asked << QStringLiteral("Do you want to save the changes you made to ")
                     + (named ? QStringLiteral("Servers.QDZ") : QStringLiteral("Noname.QDZ")) + QLatin1Char('?');
    QCOMPARE(w.prompter.texts(), asked);
    QStringList shown;
    for (const auto &s : w.chooser.shown())
        shown << s.setup.title;
    QCOMPARE(shown, dialogs);
    QCOMPARE(w.shape(), emptied ? QByteArray() : QByteArray("A[B]|C"));
    if (emptied) {
        QCOMPARE(w.form.windowTitle(), Noname);
        QVERIFY(w.doc().CurrentTableFile.isEmpty());
        // RootNode alone focused and selected, the settings page in front.
        QCOMPARE(w.form.focusedNode(), w.doc().RootNode());
        QCOMPARE(w.form.tree()->selection().nodes(), QList<ConnectionNode *>{w.doc().RootNode()});
        QCOMPARE(pages->currentIndex(), 0);
        // The editors start empty, logging as new connections do.
        QCOMPARE(memo1->text(), QString());
        QCOMPARE(memo2->text(), QString());
        QVERIFY(logging->isChecked());
        QVERIFY(!w.action("BtnNewTable")->isEnabled());
        QVERIFY(!w.doc().IsNodeModified());
    } else {
        QCOMPARE(w.form.windowTitle(), NonameModified);
        QCOMPARE(memo1->text(), QStringLiteral("connect"));
        QVERIFY(!logging->isChecked());
    }
    QCOMPARE(shapeInFile(file), savedToFile ? QByteArray("A[B]|C") : QByteArray("unreadable"));
}

// A table large enough that its nodes are freed apart: the window starts again as with a
// small one, and the next connection is the first unnamed one.
void TestTForm1FileCommands::newTableOfALargeTable()
{
    Window w;
    QVERIFY(w.active());
    BuildGeneratedTable(w.doc().tree(), 30'000);
    BuildShape(w.doc().tree(), "Unnamed connection #1|Unnamed connection #2");
    w.form.tree()->expandAll();
    w.focus(w.doc().RootNode()->child(5));
    w.press(Qt::CTRL | Qt::Key_N);
    QVERIFY(w.prompter.boxes().isEmpty());
    QCOMPARE(w.shape(), QByteArray());
    QCOMPARE(w.doc().tree().nodeCount(), 1);
    QCOMPARE(w.form.windowTitle(), Noname);
    QCOMPARE(w.form.focusedNode(), w.doc().RootNode());
    QCOMPARE(w.form.tree()->selection().nodes(), QList<ConnectionNode *>{w.doc().RootNode()});
    w.press(Qt::CTRL | Qt::Key_I);
    QCOMPARE(w.shape(), QByteArray("Unnamed connection #1"));
}

void TestTForm1FileCommands::applyQuestionFirst_data()
{
    QTest::addColumn<QString>("focused");          // path of the focused node
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<bool>("emptied");
    const QString apply = QStringLiteral("Do you want to apply the changes you made to  'B' ?");
    const QString save = QStringLiteral("Do you want to save the changes you made to Noname.QDZ?");
    QTest::newRow("cancel at apply: nothing more") << QStringLiteral("0") << QList<int>{Prompter::Cancel}
                                                   << QStringList{apply} << false;
    QTest::newRow("no, no: edits and table dropped")
        << QStringLiteral("0") << QList<int>{Prompter::No, Prompter::No} << QStringList{apply, save} << true;
    QTest::newRow("no, cancel: the table stays")
        << QStringLiteral("0") << QList<int>{Prompter::No, Prompter::Cancel} << QStringList{apply, save} << false;
    QTest::newRow("edits on the top node: no apply question")
        << QString() << QList<int>{Prompter::No} << QStringList{save} << true;
}

void TestTForm1FileCommands::applyQuestionFirst()
{
    QFETCH(QString, focused);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, questions);
    QFETCH(bool, emptied);
    Window w;
    QVERIFY(w.active());
    w.build("B");
    w.form.tree()->selectionModel()->clearSelection();
    w.form.tree()->setFocusedNode(NodeAt(w.doc(), focused));
    w.doc().SetNodeModified(true);
    for (int a : answers)
        w.prompter.queue(Prompter::Answer(a));
    w.action("MnNewTable")->trigger();
    QCOMPARE(w.prompter.texts(), questions);
    QCOMPARE(w.prompter.boxes().first().buttons, Prompter::Buttons::YesNoCancel);
    QCOMPARE(w.shape(), emptied ? QByteArray() : QByteArray("B"));
    // No at the apply question drops the edits, whatever comes after.
    QCOMPARE(w.doc().IsNodeModified(), answers.first() == Prompter::Cancel);
}

void TestTForm1FileCommands::saveWithTheTreeHidden()
{
    Window w;
    QVERIFY(w.active());
    w.build("A");
    const QString file = w.path(QStringLiteral("Hidden.QDZ"));
    w.chooser.queue(file);
    w.form.tree()->hide();
    auto *memo = w.form.findChild<QWidget *>(QStringLiteral("Memo1"));
    w.form.findChild<QTabWidget *>(QStringLiteral("PG"))->setCurrentIndex(1);
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(shapeInFile(file), QByteArray("A"));
    QVERIFY(memo->hasFocus());
    // Saved: the save button waits for the next change.
    QVERIFY(!w.action("BtnSaveTable")->isEnabled());
}

void TestTForm1FileCommands::openTable()
{
    Window w;
    QVERIFY(w.active());
    const QString file = w.path(QStringLiteral("Lab.QDZ"));
    QVERIFY(WriteFileBytes(file, TableFileBytes({record(1, "Gateway"), record(2, "Router"), record(1, "Printer")})));
    w.chooser.queue(file);
    w.press(Qt::CTRL | Qt::Key_O);
    QCOMPARE(w.chooser.shown().size(), 1);
    const FileDialogSetup &setup = w.chooser.shown().first().setup;
    QVERIFY(!w.chooser.shown().first().save);
    QCOMPARE(setup.title, QStringLiteral("Open Wexmora file"));
    QCOMPARE(setup.filter, TableFilter);
    QCOMPARE(setup.defaultExtension, QStringLiteral("qdz"));
    QCOMPARE(setup.initialFileName, QString());
    QCOMPARE(w.shape(), QByteArray("Gateway[Router]|Printer"));
    QCOMPARE(w.doc().CurrentTableFile, file);
    QCOMPARE(w.form.windowTitle(), QStringLiteral("Wexmora Configuration - [Lab.QDZ]"));
    QVERIFY(w.prompter.boxes().isEmpty());
    // A cancelled dialog changes nothing.
    w.press(Qt::CTRL | Qt::Key_O);
    QCOMPARE(w.shape(), QByteArray("Gateway[Router]|Printer"));
    QCOMPARE(w.doc().CurrentTableFile, file);
}

void TestTForm1FileCommands::openAskedToSaveFirst_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QByteArray>("shape");
    QTest::newRow("cancel: the file is not read") << int(Prompter::Cancel) << QByteArray("Mine");
    QTest::newRow("no: the file replaces the table") << int(Prompter::No) << QByteArray("Theirs");
}

void TestTForm1FileCommands::openAskedToSaveFirst()
{
    QFETCH(int, answer);
    QFETCH(QByteArray, shape);
    Window w;
    QVERIFY(w.active());
    w.build("Mine");
    const QString file = w.path(QStringLiteral("Theirs.QDZ"));
    QVERIFY(WriteFileBytes(file, TableFileBytes({record(1, "Theirs")})));
    w.chooser.queue(file);
    w.prompter.queue(Prompter::Answer(answer));
    w.form.MnOpenTableClick();
    QCOMPARE(w.prompter.texts(), QStringList{QStringLiteral("Do you want to save the changes you made to Noname.QDZ?")});
    QCOMPARE(w.shape(), shape);
    QCOMPARE(w.doc().tableModified(), answer == Prompter::Cancel);
}

void TestTForm1FileCommands::openDamagedFile()
{
    Window w;
    QVERIFY(w.active());
    w.build("Mine");
    const QString file = w.path(QStringLiteral("Broken.QDZ"));
    QVERIFY(WriteFileBytes(file, QByteArray("not a table")));
    w.chooser.queue(file);
    w.prompter.queue(Prompter::No);
    w.form.MnOpenTableClick();
    // The reader has told the user; the window shows a new, empty table.
    QCOMPARE(w.prompter.boxes().size(), 2);
    QCOMPARE(w.shape(), QByteArray());
    QVERIFY(!w.doc().tableModified());
}

void TestTForm1FileCommands::saveAsThenSave()
{
    Window w;
    QVERIFY(w.active());
    w.build("A[B|C]|D");
    const QString typed = w.path(QStringLiteral("Office"));
    const QString file = typed + QStringLiteral(".qdz");
    w.chooser.queue(typed);
    // Save on a table without a file asks for a name.
    w.press(Qt::CTRL | Qt::Key_S);
    QCOMPARE(w.chooser.shown().size(), 1);
    QVERIFY(w.chooser.shown().first().save);
    QCOMPARE(w.chooser.shown().first().setup.title, QStringLiteral("Save Wexmora file as"));
    QCOMPARE(w.chooser.shown().first().setup.initialFileName, QString());
    QCOMPARE(w.doc().CurrentTableFile, file);
    QCOMPARE(w.form.windowTitle(), QStringLiteral("Wexmora Configuration - [Office.qdz]"));
    QCOMPARE(shapeInFile(file), QByteArray("A[B|C]|D"));
    QVERIFY(w.form.tree()->hasFocus());

    // Save again writes the same file without a dialog.
    BuildShape(w.doc().tree(), "E");
    w.doc().UpdateCaption(true);
    w.press(Qt::CTRL | Qt::Key_S);
    QCOMPARE(w.chooser.shown().size(), 1);
    QCOMPARE(shapeInFile(file), QByteArray("A[B|C]|D|E"));
    QVERIFY(!w.doc().tableModified());

    // Save as starts from the table's file.
    w.action("MnSaveAsTable")->trigger();
    QCOMPARE(w.chooser.shown().size(), 2);
    QCOMPARE(w.chooser.shown().last().setup.initialFileName, file);
    QVERIFY(w.prompter.boxes().isEmpty());
}

void TestTForm1FileCommands::failedSaveKeepsTheTable()
{
    Window w;
    QVERIFY(w.active());
    w.build("A");
    // A folder that is a file: no one can write there.
    QVERIFY(WriteFileBytes(w.path(QStringLiteral("plain")), "x"));
    const QString file = w.path(QStringLiteral("plain/Table.QDZ"));
    w.chooser.queue(file);
    QVERIFY(TriggerAsUser(w.action("BtnSaveAsTable")));
    QCOMPARE(w.prompter.texts(), QStringList{QStringLiteral("Error writing file ") + file + QLatin1Char('.')});
    QVERIFY(w.doc().tableModified());
    QCOMPARE(w.form.windowTitle(), QStringLiteral("Wexmora Configuration - [") + file + QStringLiteral("*]"));

    // New then stops after the failed save too: the table stays.
    w.prompter.clear();
    w.prompter.queue(Prompter::Yes);
    w.form.MnNewTableClick();
    QCOMPARE(w.prompter.texts(),
             (QStringList{QStringLiteral("Do you want to save the changes you made to Table.QDZ?"),
                          QStringLiteral("Error writing file ") + file + QLatin1Char('.')}));
    QCOMPARE(w.shape(), QByteArray("A"));
    QVERIFY(w.doc().tableModified());
}

void TestTForm1FileCommands::importAppends()
{
    Window w;
    QVERIFY(w.active());
    const QString own = w.path(QStringLiteral("Own.QDZ"));
    QVERIFY(WriteFileBytes(own, TableFileBytes({record(1, "A")})));
    QVERIFY(w.form.readTable(own).ok);
    ConnectionNode *a = w.doc().RootNode()->child(0);
    w.form.tree()->collapseAll();
    w.form.tree()->focusOnly(a);
    const QString other = w.path(QStringLiteral("Other.QDZ"));
    QVERIFY(WriteFileBytes(other, TableFileBytes({record(1, "B"), record(2, "C")})));
    w.chooser.queue(other);
    w.action("MnImport")->trigger();
    const FileDialogSetup &setup = w.chooser.shown().first().setup;
    QCOMPARE(setup.title, QStringLiteral("Import connections from file"));
    QCOMPARE(setup.filter,
             QStringLiteral("Wexmora file (*.QDZ)|*.QDZ|Tenvask file (*.KPV)|*.KPV|All files (*.*)|*.*"));
    QCOMPARE(w.shape(), QByteArray("A|B[C]"));
    QCOMPARE(w.doc().CurrentTableFile, own);
    QVERIFY(w.doc().tableModified());
    // An import is no open: the focus and the selection stay; the top node opens on the new
    // connections, and the hourglass is gone.
    QCOMPARE(w.form.focusedNode(), a);
    QCOMPARE(w.form.tree()->selection().nodes(), QList<ConnectionNode *>{a});
    QVERIFY(w.form.tree()->isExpanded(w.form.model().indexFor(w.doc().RootNode())));
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestTForm1FileCommands::importCases_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("shape");       // the table afterwards; it held "A"
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("modified");
    const QByteArray kpv = "[KPV]\r\nC1_R1=K\r\nC8_R1=1\r\nC1_R2=K1\r\nC8_R2=2\r\nRowCount=2\r\n";
    const QByteArray clash = TableFileBytes({record(1, "A"), record(1, "B")});
    QTest::newRow("an exchange file, extension in lower case") << "Old.kpv" << kpv << QByteArray("A|K[K1]")
                                                             << QStringList() << true;
    QTest::newRow("a clashing name is renamed and told")
        << "More.QDZ" << clash << QByteArray("A|Copy of A|B")
        << QStringList{QStringLiteral("1 imported item was renamed to avoid duplicate names among siblings.")} << true;
    QTest::newRow("an unsupported file changes nothing")
        << "List.txt" << QByteArray("A") << QByteArray("A")
        << QStringList{QStringLiteral("Cannot import the file. Unsupported file format.")} << false;
    QTest::newRow("a file of another format changes nothing")
        << "Bad.QDZ" << QByteArray("QDZ99") << QByteArray("A")
        << QStringList{QStringLiteral("The file Bad.QDZ has invalid format.")} << false;
}

void TestTForm1FileCommands::importCases()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, shape);
    QFETCH(QStringList, messages);
    QFETCH(bool, modified);
    Window w;
    QVERIFY(w.active());
    const QString own = w.path(QStringLiteral("Own.QDZ"));
    QVERIFY(WriteFileBytes(own, TableFileBytes({record(1, "A")})));
    QVERIFY(w.form.readTable(own).ok);
    const QString file = w.path(fileName);
    QVERIFY(WriteFileBytes(file, content));
    w.chooser.queue(file);
    QVERIFY(TriggerAsUser(w.action("MnImport")));
    QCOMPARE(w.shape(), shape);
    QCOMPARE(w.prompter.texts(), messages);
    QCOMPARE(w.doc().tableModified(), modified);
    // An import leaves the table's own file where it was.
    QCOMPARE(w.doc().CurrentTableFile, own);
}

void TestTForm1FileCommands::exportWidensTheSelection_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("written");   // the shape in the table file, or "unreadable"
    QTest::newRow("ok: three records") << int(Prompter::Ok) << QStringLiteral("Branch") << QByteArray("A[B[C]]");
    QTest::newRow("cancel: nothing written") << int(Prompter::Cancel) << QStringLiteral("Branch")
                                             << QByteArray("unreadable");
    QTest::newRow("kpv typed: an exchange file") << int(Prompter::Ok) << QStringLiteral("Branch.kpv")
                                                 << QByteArray("unreadable");
}

void TestTForm1FileCommands::exportWidensTheSelection()
{
    QFETCH(int, answer);
    QFETCH(QString, typed);
    QFETCH(QByteArray, written);
    Window w;
    QVERIFY(w.active());
    w.build("A[B[C|D]]|E");
    w.doc().UpdateCaption(false);
    ConnectionNode *c = NodeAt(w.doc(), QStringLiteral("0/0/0"));
    w.form.tree()->selectionModel()->clearSelection();
    w.form.tree()->setFocusedNode(c);
    w.form.tree()->setSelected(c, true);
    w.prompter.queue(Prompter::Answer(answer));
    w.chooser.queue(w.path(typed));
    w.action("MnExport")->trigger();
    QCOMPARE(w.prompter.texts(),
             QStringList{QStringLiteral("Connection can be exported only together with all parent connections it has.\r"
                                        "Press Ok to automatically expand your selection.")});
    QCOMPARE(shapeInFile(w.path(typed.contains('.') ? typed : typed + QStringLiteral(".qdz"))), written);
    if (typed.endsWith(QLatin1String(".kpv")))
        QVERIFY(ReadFileBytes(w.path(typed)).contains("[KPV]"));
    // Neither the table's file nor its marks change.
    QVERIFY(w.doc().CurrentTableFile.isEmpty());
    QVERIFY(!w.doc().tableModified());
    QVERIFY(!w.form.tree()->isSelected(w.doc().RootNode()));
}

void TestTForm1FileCommands::exchangeFileNamesTheVersion()
{
    Window w;
    QVERIFY(w.active());
    w.build("A");
    ConnectionNode *a = NodeAt(w.doc(), QStringLiteral("0"));
    w.form.tree()->focusOnly(a);
    w.chooser.queue(w.path(QStringLiteral("A.KPV")));
    w.action("MnExport")->trigger();
    const QByteArray bytes = ReadFileBytes(w.path(QStringLiteral("A.KPV")));
    QCOMPARE(bytes.left(bytes.indexOf("\r\n")), QByteArray(14, ' ') + "Wexmora Ver." + PROJECT_VERSION_TEXT);
    QVERIFY(w.prompter.boxes().isEmpty());
}

void TestTForm1FileCommands::closeQuestion_data()
{
    QTest::addColumn<bool>("autoSave");
    QTest::addColumn<bool>("named");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("saved");
    QTest::newRow("cancel keeps the window") << false << true << int(Prompter::Cancel) << false << false;
    QTest::newRow("no closes without saving") << false << true << int(Prompter::No) << true << false;
    QTest::newRow("yes saves, then closes") << false << true << int(Prompter::Yes) << true << true;
    QTest::newRow("yes, save as cancelled: stays") << false << false << int(Prompter::Yes) << false << false;
    QTest::newRow("auto-save: no question") << true << true << -1 << true << true;
    QTest::newRow("auto-save, save as cancelled: stays") << true << false << -1 << false << false;
}

void TestTForm1FileCommands::closeQuestion()
{
    QFETCH(bool, autoSave);
    QFETCH(bool, named);
    QFETCH(int, answer);
    QFETCH(bool, closed);
    QFETCH(bool, saved);
    Window w;
    QVERIFY(w.active());
    w.form.options().AutoSave = autoSave;
    const QString file = w.path(QStringLiteral("Net.QDZ"));
    if (named) {
        QVERIFY(WriteFileBytes(file, TableFileBytes({record(1, "Old")})));
        QVERIFY(w.form.readTable(file).ok);
    }
    w.build("New");
    if (answer > 0)
        w.prompter.queue(Prompter::Answer(answer));
    QCOMPARE(w.form.close(), closed);
    QCOMPARE(w.form.isVisible(), !closed);
    const QString question = QStringLiteral("Do you want to save the changes you made to ")
        + (named ? QStringLiteral("Net.QDZ") : QStringLiteral("Noname.QDZ")) + QLatin1Char('?');
    if (autoSave)
        QVERIFY(!w.prompter.texts().contains(question));
    else
        QCOMPARE(w.prompter.texts().value(0), question);
    if (named)
        QCOMPARE(shapeInFile(file), saved ? QByteArray("Old|New") : QByteArray("Old"));
    // A window that stays keeps its table as it was.
    if (!closed) {
        QVERIFY(w.doc().tableModified());
        QCOMPARE(w.shape(), named ? QByteArray("Old|New") : QByteArray("New"));
    }
}

// A close that comes while a file is read (the window paints and takes messages meanwhile)
// waits for the read, then asks as any close does.
void TestTForm1FileCommands::closeWaitsForARead()
{
    Window w;
    QVERIFY(w.active());
    w.build("New");
    QTimer *retry = nullptr;
    {
        LoadingScope reading(w.doc());
        QVERIFY(!w.form.close());
        QVERIFY(w.form.isVisible());
        QVERIFY(w.prompter.texts().isEmpty());
        retry = w.form.findChild<QTimer *>(QStringLiteral("CloseRetry"));
        QVERIFY(retry && retry->isActive());
        // Still reading when it is asked again: it waits again.
        retry->setInterval(0);
        retry->start();
        QCoreApplication::processEvents();
        QVERIFY(w.form.isVisible());
        QVERIFY(w.prompter.texts().isEmpty());
        QVERIFY(retry->isActive());
    }
    w.prompter.queue(Prompter::No);
    retry->setInterval(0);
    retry->start();
    for (int i = 0; i < 10 && retry->isActive(); ++i)
        QCoreApplication::processEvents();
    QCOMPARE(w.prompter.texts(), QStringList{QStringLiteral("Do you want to save the changes you made to Noname.QDZ?")});
    QVERIFY(!w.form.isVisible());
}

namespace {

// The user's hand on a window: clicks rows, presses keys, renames in place.
struct User
{
    TForm1 &form;

    QTreeView *tree() const { return form.tree(); }

    void click(const ConnectionNode *n)
    {
        const QModelIndex index = form.model().indexFor(n);
        tree()->scrollTo(index);
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, tree()->visualRect(index).center());
        tree()->setFocus();
    }

    void press(QKeyCombination keys) { QTest::keyClick(tree(), keys.key(), keys.keyboardModifiers()); }

    // F2 on the focused node, the new name typed over the old, Return; then the rename rules run.
    bool rename(const QString &name)
    {
        press(QKeyCombination(Qt::Key_F2));
        QLineEdit *editor = form.tree()->currentEditLink();
        if (!editor)
            return false;
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, name);
        QTest::keyClick(editor, Qt::Key_Return);
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        return true;
    }

    ConnectionNode *focused() const { return form.focusedNode(); }
};

QList<rVTNodeData> recordsInPreorder(const TableDocument &doc)
{
    QList<rVTNodeData> out;
    ConnectionTree::forEachBelow(doc.RootNode(), [&](ConnectionNode *n) { out.append(n->data); });
    return out;
}

// A table built by hand on Form: children and siblings added by keys, toolbar and menu,
// renamed in place, a separator, and Router's macro, popup and logging box applied.
// Returns Router.
ConnectionNode *buildByHand(TForm1 &form)
{
    User user{form};
    const auto action = [&form](const char *name) { return form.findChild<QAction *>(QLatin1String(name)); };
    ConnectionNode *root = form.doc().RootNode();

    // Two connections below the top node, by keyboard; the newest comes first.
    user.click(root);
    user.press(Qt::CTRL | Qt::Key_I);
    user.press(Qt::CTRL | Qt::Key_I);
    if (root->childCount() != 2 || user.focused() != root)
        return nullptr;
    user.press(QKeyCombination(Qt::Key_Down));
    if (!user.rename(QStringLiteral("Gateway")))
        return nullptr;
    user.press(QKeyCombination(Qt::Key_Down));
    if (!user.rename(QStringLiteral("Mail")))
        return nullptr;

    // A child of Gateway with the toolbar, a sibling after it with the menu, a separator.
    user.click(root->child(0));
    if (!TriggerAsUser(action("BtnAddChild")))
        return nullptr;
    user.press(QKeyCombination(Qt::Key_Down));
    if (!user.rename(QStringLiteral("Router")))
        return nullptr;
    user.click(root->child(0));
    if (!TriggerAsUser(action("mnAddSibling")))
        return nullptr;
    user.click(root->child(1));
    if (!user.rename(QStringLiteral("Printer")))
        return nullptr;
    user.press(Qt::CTRL | Qt::Key_L);
    if (ShapeOf(root) != QByteArray("Gateway[Router]|Printer|") + SeparatorText + "|Mail")
        return nullptr;

    // Router's macro and popup typed into the editors, its session logged, then applied.
    ConnectionNode *router = root->child(0)->child(0);
    user.click(router);
    if (form.doc().CurrentNode != router)
        return nullptr;
    auto *pages = form.findChild<QTabWidget *>(QStringLiteral("PG"));
    auto *memo1 = form.findChild<QsciScintilla *>(QStringLiteral("Memo1"));
    auto *memo2 = form.findChild<QsciScintilla *>(QStringLiteral("Memo2"));
    pages->setCurrentIndex(1);
    memo1->setFocus();
    QTest::keyClicks(memo1, QStringLiteral("connect 'router:22'"));
    auto *logSession = form.findChild<QCheckBox *>(QStringLiteral("cbLogSession"));
    QTest::mouseClick(logSession, Qt::LeftButton);
    pages->setCurrentIndex(2);
    memo2->setFocus();
    QTest::keyClicks(memo2, QStringLiteral("Rack 3"));
    if (!form.doc().IsNodeModified() || !TriggerAsUser(action("BtnApply")) || form.doc().IsNodeModified())
        return nullptr;
    return router;
}

} // namespace

void TestTForm1FileCommands::buildSaveAndReopen()
{
    Window w;
    QVERIFY(w.active());
    User user{w.form};
    ConnectionNode *router = buildByHand(w.form);
    QVERIFY(router);
    QCOMPARE(router->data.Macro, QByteArray("connect+%27router%3A22%27"));
    QCOMPARE(router->data.Popup, QByteArray("Rack+3"));
    QVERIFY(router->data.LogSession);

    // Saved through Save as, by keyboard.
    const QString file = w.path(QStringLiteral("Built.QDZ"));
    w.chooser.queue(file);
    user.click(router);
    user.press(Qt::CTRL | Qt::Key_S);
    QCOMPARE(w.form.windowTitle(), QStringLiteral("Wexmora Configuration - [Built.QDZ]"));
    QVERIFY(w.prompter.boxes().isEmpty());
    // The file holds exactly the records in pre-order.
    const QList<rVTNodeData> records = recordsInPreorder(w.doc());
    QCOMPARE(records.size(), 5);
    QCOMPARE(ReadFileBytes(file), TableFileBytes(records));

    // A new window opens it and finds the table as it was.
    ScriptedPrompter prompter;
    ScriptedFileChooser chooser;
    TForm1 second(&prompter);
    second.setFileChooser(&chooser);
    second.InitTree();
    second.show();
    QVERIFY(QTest::qWaitForWindowActive(&second));
    chooser.queue(file);
    User other{second};
    other.click(second.doc().RootNode());
    other.press(Qt::CTRL | Qt::Key_O);
    QCOMPARE(ShapeOf(second.doc().RootNode()), w.shape());
    QCOMPARE(LevelsOf(second.doc().RootNode()), QByteArray("1 2 1 1 1"));
    const QList<rVTNodeData> reopened = recordsInPreorder(second.doc());
    QCOMPARE(reopened.size(), records.size());
    for (qsizetype i = 0; i < records.size(); ++i) {
        QCOMPARE(reopened.at(i).Name, records.at(i).Name);
        QCOMPARE(reopened.at(i).Macro, records.at(i).Macro);
        QCOMPARE(reopened.at(i).Popup, records.at(i).Popup);
        QCOMPARE(reopened.at(i).Colors, records.at(i).Colors);
        QCOMPARE(reopened.at(i).LogSession, records.at(i).LogSession);
        QCOMPARE(reopened.at(i).LastUpdated, records.at(i).LastUpdated);
    }
    QCOMPARE(second.windowTitle(), QStringLiteral("Wexmora Configuration - [Built.QDZ]"));
    QVERIFY(prompter.boxes().isEmpty());
}

void TestTForm1FileCommands::autoSaveCloseAsksToApplyFirst_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QByteArray>("storedMacro");   // Old's macro in the file afterwards
    QTest::newRow("yes: applied, saved, closed") << int(Prompter::Yes) << true << QByteArray("wait+1");
    QTest::newRow("no: saved without the edits") << int(Prompter::No) << true << QByteArray();
    QTest::newRow("cancel: the window stays, nothing saved") << int(Prompter::Cancel) << false << QByteArray("none");
}

void TestTForm1FileCommands::autoSaveCloseAsksToApplyFirst()
{
    QFETCH(int, answer);
    QFETCH(bool, closed);
    QFETCH(QByteArray, storedMacro);
    Window w;
    QVERIFY(w.active());
    w.form.options().AutoSave = true;
    const QString file = w.path(QStringLiteral("Net.QDZ"));
    QVERIFY(WriteFileBytes(file, TableFileBytes({record(1, "Old")})));
    QVERIFY(w.form.readTable(file).ok);
    w.build("New");
    ConnectionNode *old = w.doc().RootNode()->child(0);
    User user{w.form};
    user.click(old);
    QCOMPARE(w.doc().CurrentNode, old);
    auto *memo1 = w.form.findChild<QsciScintilla *>(QStringLiteral("Memo1"));
    w.form.findChild<QTabWidget *>(QStringLiteral("PG"))->setCurrentIndex(1);
    memo1->setFocus();
    QTest::keyClicks(memo1, QStringLiteral("wait 1"));
    QVERIFY(w.doc().IsNodeModified());

    w.prompter.queue(Prompter::Answer(answer));
    QCOMPARE(w.form.close(), closed);
    // (A window that stays then also sees to the launcher, which may say something.)
    QCOMPARE(w.prompter.texts().value(0), QStringLiteral("Do you want to apply the changes you made to  'Old' ?"));
    if (closed)
        QCOMPARE(w.prompter.texts().size(), 1);
    ShapedTable inFile;
    QVERIFY(LoadConnectionTable(inFile.doc, file, true).ok);
    if (closed) {
        QCOMPARE(inFile.shape(), QByteArray("Old|New"));
        QCOMPARE(inFile.doc.RootNode()->child(0)->data.Macro, storedMacro);
    } else {
        QCOMPARE(inFile.shape(), QByteArray("Old"));
        QVERIFY(w.doc().IsNodeModified());
        QVERIFY(w.doc().tableModified());
    }
}

void TestTForm1FileCommands::buildSaveCloseAndStartAgain_data()
{
    QTest::addColumn<bool>("autoSave");      // "Save changes on Close without prompting"
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<bool>("lastChangeKept");
    QTest::newRow("saved on close without a question") << true << QList<int>{} << true;
    QTest::newRow("asked on close: yes saves") << false << QList<int>{Prompter::Yes} << true;
    QTest::newRow("asked on close: no drops the last change") << false << QList<int>{Prompter::No} << false;
}

void TestTForm1FileCommands::buildSaveCloseAndStartAgain()
{
    QFETCH(bool, autoSave);
    QFETCH(QList<int>, answers);
    QFETCH(bool, lastChangeKept);
    Machine machine;
    ScriptedFileChooser chooser;
    QTemporaryDir files;
    const QString file = files.filePath(QStringLiteral("Built.QDZ"));
    QList<rVTNodeData> records;
    {
        std::unique_ptr<TForm1> form = machine.start();
        QVERIFY(form);
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        form->setFileChooser(&chooser);
        ConnectionNode *router = buildByHand(*form);
        QVERIFY(router);

        // Saved through Save as; then one more connection, below Mail.
        chooser.queue(file);
        User user{*form};
        user.press(Qt::CTRL | Qt::Key_S);
        QCOMPARE(form->windowTitle(), QStringLiteral("Wexmora Configuration - [Built.QDZ]"));
        const QList<rVTNodeData> saved = recordsInPreorder(form->doc());
        ConnectionNode *mail = form->doc().RootNode()->child(3);
        user.click(mail);
        user.press(Qt::CTRL | Qt::Key_I);
        QCOMPARE(mail->childCount(), 1);
        QCOMPARE(form->windowTitle(), QStringLiteral("Wexmora Configuration - [Built.QDZ*]"));

        // The close option as the user leaves it, with Router in view.
        QCheckBox *autoSaveBox = form->findChild<QCheckBox *>(QStringLiteral("cbAutoSave"));
        QVERIFY(autoSaveBox);
        if (autoSaveBox->isChecked() != autoSave) {
            form->findChild<QTabWidget *>(QStringLiteral("PG"))->setCurrentIndex(0);
            Reveal(autoSaveBox);
            QTest::mouseClick(autoSaveBox, Qt::LeftButton, {}, QPoint(4, autoSaveBox->height() / 2));
        }
        QCOMPARE(autoSaveBox->isChecked(), autoSave);
        user.click(router);
        records = lastChangeKept ? recordsInPreorder(form->doc()) : saved;

        machine.prompter.clear();
        for (int a : answers)
            machine.prompter.queue(Prompter::Answer(a));
        QVERIFY(form->close());
        const QStringList asked = autoSave ? QStringList()
            : QStringList{QStringLiteral("Do you want to save the changes you made to Built.QDZ?")};
        QCOMPARE(machine.prompter.texts(), asked);
    }
    // The file holds exactly the records in pre-order.
    QCOMPARE(records.size(), lastChangeKept ? 6 : 5);
    QCOMPARE(ReadFileBytes(file), TableFileBytes(records));

    // Started again, the window opens the last table and shows it as it was left.
    std::unique_ptr<TForm1> again = machine.start();
    QVERIFY(again);
    QVERIFY(QTest::qWaitForWindowActive(again.get()));
    QCOMPARE(again->doc().CurrentTableFile, file);
    QCOMPARE(again->windowTitle(), QStringLiteral("Wexmora Configuration - [Built.QDZ]"));
    const QList<rVTNodeData> reopened = recordsInPreorder(again->doc());
    QCOMPARE(reopened.size(), records.size());
    for (qsizetype i = 0; i < records.size(); ++i) {
        QCOMPARE(reopened.at(i).Name, records.at(i).Name);
        QCOMPARE(reopened.at(i).Level, records.at(i).Level);
        QCOMPARE(reopened.at(i).Macro, records.at(i).Macro);
        QCOMPARE(reopened.at(i).Popup, records.at(i).Popup);
        QCOMPARE(reopened.at(i).Schedule, records.at(i).Schedule);
        QCOMPARE(reopened.at(i).Colors, records.at(i).Colors);
        QCOMPARE(reopened.at(i).LogSession, records.at(i).LogSession);
        QCOMPARE(reopened.at(i).LastUpdated, records.at(i).LastUpdated);
    }
    ConnectionNode *router = again->doc().RootNode()->child(0)->child(0);
    QCOMPARE(again->focusedNode(), router);
    // The pages catch up with the focused connection at the first command refresh.
    QTRY_COMPARE(again->findChild<QsciScintilla *>(QStringLiteral("Memo1"))->text(), QStringLiteral("connect 'router:22'"));
    QCOMPARE(again->findChild<QsciScintilla *>(QStringLiteral("Memo2"))->text(), QStringLiteral("Rack 3"));
    QVERIFY(again->findChild<QCheckBox *>(QStringLiteral("cbLogSession"))->isChecked());
    QVERIFY(!again->doc().tableModified());
    QVERIFY(!again->doc().IsNodeModified());
}

QTEST_MAIN(TestTForm1FileCommands)
#include "tst_tform1_filecommands.moc"
