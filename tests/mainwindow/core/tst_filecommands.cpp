#include "mainwindow/core/FileCommands.h"
#include "mainwindow/core/FileCommandsWindow.h"
#include "mainwindow/core/RecentFilesSink.h"
#include "support/FakeTableHost.h"
#include "support/ScriptedFileChooser.h"
#include "table/ConnectionTree.h"
#include "table/TableDocument.h"
#include "table/TreeRules.h"
#include "table/TreeSelection.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

const QString TableFilter = QStringLiteral("Wexmora file (*.QDZ)|*.QDZ|All files (*.*)|*.*");

// The window's side as the commands see it: a selection and a focus of its own, as a view
// holds them, and a count of each step asked of it.
struct RecordingWindow : FileCommandsWindow
{
    explicit RecordingWindow(TableDocument &doc) : doc(doc) {}

    void BtnApplyClick() override
    {
        ++applyCount;
        // As the window applies: the record changes, so the table is modified.
        doc.SetNodeModified(false);
        doc.UpdateCaption(true);
    }
    void showNewTable() override
    {
        ++newTablesShown;
        focused = doc.RootNode();
        selection = {focused};
    }
    void tableWritten() override
    {
        ++tablesWritten;
        setSelected(doc.RootNode(), false);
    }
    void focusTree() override { ++treeFocused; }
    void setSelected(ConnectionNode *node, bool selected) override
    {
        selection.removeAll(node);
        if (selected)
            selection.append(node);
    }

    TreeSelection current() const { return TreeSelection(focused, selection); }
    QStringList selectedNames() const
    {
        QStringList out;
        const TreeSelection now = current();
        for (ConnectionNode *n : now.nodes())
            out << QString::fromUtf8(n->data.Name);
        return out;
    }

    TableDocument &doc;
    ConnectionNode *focused = nullptr;
    QList<ConnectionNode *> selection;
    int applyCount = 0;
    int newTablesShown = 0;
    int tablesWritten = 0;
    int treeFocused = 0;
};

struct RecordingRecent : RecentFilesSink
{
    void AddFile(const QString &fileName) override { files.append(fileName); }
    QStringList files;
};

void appendLe32(QByteArray &out, qint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

struct Record
{
    qint32 level;
    QByteArray name;
};

// A connection-table file: "QDZ21", Count (the records given unless told otherwise), then
// each record with its name and empty other fields.
QByteArray tableBytes(const QList<Record> &records, qint32 count = -1)
{
    QByteArray out("QDZ21");
    appendLe32(out, count < 0 ? qint32(records.size()) : count);
    for (const Record &r : records) {
        appendLe32(out, r.level);
        appendLe32(out, 0);
        out.append('\0');
        appendLe32(out, qint32(r.name.size()));
        out.append(r.name);
        for (int i = 0; i < 5; ++i)
            appendLe32(out, 0);
    }
    return out;
}

// Level and name of every record of a table file; empty on any damage.
QList<Record> readTable(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray b = f.readAll();
    qsizetype pos = 5;
    const auto le32 = [&](qint32 &v) {
        if (pos + 4 > b.size())
            return false;
        v = qFromLittleEndian<qint32>(b.constData() + pos);
        pos += 4;
        return true;
    };
    qint32 count = 0;
    if (!b.startsWith("QDZ21") || !le32(count))
        return {};
    QList<Record> out;
    for (qint32 i = 0; i < count; ++i) {
        Record r{};
        qint32 kind = 0;
        if (!le32(r.level) || !le32(kind) || pos + 1 > b.size())
            return {};
        ++pos;
        for (int s = 0; s < 6; ++s) {
            qint32 n = 0;
            if (!le32(n) || n < 0 || pos + n > b.size())
                return {};
            if (s == 0)
                r.name = b.mid(pos, n);
            pos += n;
        }
        out.append(r);
    }
    return pos == b.size() ? out : QList<Record>{};
}

QStringList names(const QList<Record> &records)
{
    QStringList out;
    for (const Record &r : records)
        out << QString::fromUtf8(r.name);
    return out;
}

QStringList treeNames(const TableDocument &doc)
{
    QStringList out;
    ConnectionTree::forEachBelow(doc.RootNode(), [&out](ConnectionNode *n) { out << QString::fromUtf8(n->data.Name); });
    return out;
}

// An open table: RootNode > A > B > C, A > D, E > F, selection on RootNode.
struct Fixture
{
    Fixture()
    {
        commands.setEnsureLauncherRunning([this] { ++launcherStarts; });
        commands.setVersionText(QStringLiteral("2.8.1"));
        ConnectionNode *root = InitTree(doc);
        window.focused = root;
        window.selection = {root};
        a = add(root, "A");
        b = add(a, "B");
        c = add(b, "C");
        d = add(a, "D");
        e = add(root, "E");
        f = add(e, "F");
    }

    ConnectionNode *add(ConnectionNode *parent, const QByteArray &name)
    {
        rVTNodeData data;
        data.Name = name;
        return doc.tree().addChild(parent, data);
    }

    // The table as if opened from Name inside the temp folder (empty: a new table).
    void named(const QString &name)
    {
        doc.CurrentTableFile = name.isEmpty() ? QString() : dir.filePath(name);
    }

    // A table named Name, Modified or not, and the user's answer to the save question and
    // choice in the Save As dialog (0 and "": none given).
    void beforeSaveQuestion(const QString &name, bool modified, int answer, const QString &saveAsChoice)
    {
        named(name);
        doc.UpdateCaption(modified);
        if (answer)
            host.scripted.queue(Prompter::Answer(answer));
        if (!saveAsChoice.isEmpty())
            files.queue(path(saveAsChoice));
    }

    void select(std::initializer_list<ConnectionNode *> nodes)
    {
        window.selection = nodes;
        window.focused = *nodes.begin();
    }
    TreeSelection selection() const { return window.current(); }

    QString path(const QString &name) const { return dir.filePath(name); }
    void writeFile(const QString &name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir dir;
    FakeTableHost host;
    TableDocument doc{host};
    ScriptedFileChooser files;
    RecordingRecent recent;
    RecordingWindow window{doc};
    FileCommands commands{doc, files, recent, window};
    int launcherStarts = 0;
    ConnectionNode *a = nullptr, *b = nullptr, *c = nullptr, *d = nullptr, *e = nullptr, *f = nullptr;
};

QString saveQuestion(const QString &fileName)
{
    return QStringLiteral("Do you want to save the changes you made to ") + fileName + QStringLiteral("?");
}

const QStringList SixNames = {"A", "B", "C", "D", "E", "F"};

} // namespace

class TestFileCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void askSaveChanges_data();
    void askSaveChanges();
    void appliedEditsAreOfferedForSaving();
    void dialogs();
    void newTable_data();
    void newTable();
    void open_data();
    void open();
    void openCancelledDialogReadsNothing();
    void recentFile();
    void recentFileVanished();
    void save_data();
    void save();
    void saveAs_data();
    void saveAs();
    void import();
    void expandExportSelection_data();
    void expandExportSelection();
    void exportTable_data();
    void exportTable();
    void exportRefusedWritesNothing();
    void closeQuestion_data();
    void closeQuestion();
    void closeQuestionAppliesEdits();
};

namespace {

QString applyQuestion(const QString &name)
{
    return QStringLiteral("Do you want to apply the changes you made to  '") + name + QStringLiteral("' ?");
}

} // namespace

void TestFileCommands::askSaveChanges_data()
{
    QTest::addColumn<bool>("nodeModified");
    QTest::addColumn<QString>("focus");      // "none", "root" or "conn"
    QTest::addColumn<bool>("tableModified");
    QTest::addColumn<QString>("file");       // full path, "" for a new table
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("applied");
    QTest::addColumn<bool>("nodeModifiedAfter");

    const QString conn = QStringLiteral("Caf\u00e9 server");
    const QString noname = QStringLiteral("Noname.QDZ");
    const QString path = QStringLiteral("/home/u/tables/office.QDZ");
    const int yes = Prompter::Yes, no = Prompter::No, cancel = Prompter::Cancel;

    QTest::newRow("neither state") << false << "conn" << false << path << QList<int>{}
        << QStringList() << no << 0 << false;
    // A "*" in the file's name is part of the name: nothing to save.
    QTest::newRow("star in the file's name") << false << "conn" << false << QStringLiteral("/t/x*.QDZ")
        << QList<int>{} << QStringList() << no << 0 << false;
    QTest::newRow("edits on RootNode") << true << "root" << false << path << QList<int>{}
        << QStringList() << no << 0 << true;
    QTest::newRow("edits, no focused node") << true << "none" << true << "" << QList<int>{no}
        << QStringList{saveQuestion(noname)} << no << 0 << true;
    // Applied edits are changes of the table: the save question follows.
    QTest::newRow("apply yes") << true << "conn" << false << path << QList<int>{yes, no}
        << QStringList{applyQuestion(conn), saveQuestion("office.QDZ")} << no << 1 << false;
    QTest::newRow("apply no, save yes") << true << "conn" << true << path << QList<int>{no, yes}
        << QStringList{applyQuestion(conn), saveQuestion("office.QDZ")} << yes << 0 << false;
    QTest::newRow("apply cancel") << true << "conn" << true << path << QList<int>{cancel}
        << QStringList{applyQuestion(conn)} << cancel << 0 << true;
    QTest::newRow("apply yes, save cancel") << true << "conn" << true << path << QList<int>{yes, cancel}
        << QStringList{applyQuestion(conn), saveQuestion("office.QDZ")} << cancel << 1 << false;
    QTest::newRow("save yes, new table") << false << "conn" << true << "" << QList<int>{yes}
        << QStringList{saveQuestion(noname)} << yes << 0 << false;
    QTest::newRow("save no") << false << "conn" << true << path << QList<int>{no}
        << QStringList{saveQuestion("office.QDZ")} << no << 0 << false;
    QTest::newRow("save cancel") << false << "conn" << true << path << QList<int>{cancel}
        << QStringList{saveQuestion("office.QDZ")} << cancel << 0 << false;
    QTest::newRow("colon and backslash in file name") << false << "conn" << true
        << QStringLiteral("/srv/a:b\\c.qdz") << QList<int>{yes}
        << QStringList{saveQuestion("a:b\\c.qdz")} << yes << 0 << false;
}

void TestFileCommands::askSaveChanges()
{
    QFETCH(bool, nodeModified);
    QFETCH(QString, focus);
    QFETCH(bool, tableModified);
    QFETCH(QString, file);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, boxes);
    QFETCH(int, result);
    QFETCH(int, applied);
    QFETCH(bool, nodeModifiedAfter);

    FakeTableHost host;
    TableDocument doc(host);
    RecordingWindow window(doc);
    ScriptedFileChooser files;
    RecordingRecent recent;
    FileCommands commands(doc, files, recent, window);
    ConnectionNode *root = doc.tree().addChild(nullptr);
    rVTNodeData d;
    d.Name = "Caf\xe9 server";  // Windows-1252, as an old table holds it
    ConnectionNode *connection = doc.tree().addChild(root, d);
    ConnectionNode *focused = focus == QLatin1String("root") ? root : focus == QLatin1String("conn") ? connection : nullptr;
    doc.CurrentTableFile = file;
    doc.SetNodeModified(nodeModified);
    doc.UpdateCaption(tableModified);
    for (int a : answers)
        host.scripted.queue(Prompter::Answer(a));

    QCOMPARE(commands.AskSaveChanges(focused), result);
    QCOMPARE(host.scripted.texts(), boxes);
    for (const ScriptedPrompter::Box &box : host.scripted.boxes()) {
        QCOMPARE(box.kind, Prompter::Kind::Warning);
        QCOMPARE(box.buttons, Prompter::Buttons::YesNoCancel);
    }
    QCOMPARE(window.applyCount, applied);
    QCOMPARE(doc.IsNodeModified(), nodeModifiedAfter);
    // It only asks: nothing is written, and only an apply changes the table.
    QCOMPARE(doc.tableModified(), tableModified || applied > 0);
    QCOMPARE(window.tablesWritten, 0);
}

// The save question looks at the table after the edits were applied.
void TestFileCommands::appliedEditsAreOfferedForSaving()
{
    Fixture fx;
    fx.select({fx.b});
    fx.doc.SetNodeModified(true);
    fx.host.scripted.queue(Prompter::Yes);
    fx.host.scripted.queue(Prompter::No);
    QCOMPARE(fx.commands.AskSaveChanges(fx.b), int(Prompter::No));
    QCOMPARE(fx.host.scripted.texts(), (QStringList{applyQuestion("B"), saveQuestion("Noname.QDZ")}));
    QCOMPARE(fx.window.applyCount, 1);
}

void TestFileCommands::dialogs()
{
    const FileDialogSetup open = FileCommands::openTableDialog();
    QCOMPARE(open.title, "Open Wexmora file");
    QCOMPARE(open.filter, TableFilter);
    QCOMPARE(open.defaultExtension, "qdz");
    QVERIFY(open.initialFileName.isEmpty());

    const FileDialogSetup saveAs = FileCommands::saveAsTableDialog(QStringLiteral("/t/x.QDZ"));
    QCOMPARE(saveAs.title, "Save Wexmora file as");
    QCOMPARE(saveAs.filter, TableFilter);
    QCOMPARE(saveAs.defaultExtension, "qdz");
    QCOMPARE(saveAs.initialFileName, "/t/x.QDZ");

    const FileDialogSetup import = FileCommands::importDialog();
    QCOMPARE(import.title, "Import connections from file");
    QCOMPARE(import.filter, "Wexmora file (*.QDZ)|*.QDZ|Tenvask file (*.KPV)|*.KPV|All files (*.*)|*.*");
    QCOMPARE(import.defaultExtension, "qdz");
    QVERIFY(import.initialFileName.isEmpty());

    const FileDialogSetup exp = FileCommands::exportDialog();
    QCOMPARE(exp.title, "Export selected connections to file");
    QCOMPARE(exp.filter, TableFilter);
    QCOMPARE(exp.defaultExtension, "qdz");
    QVERIFY(exp.initialFileName.isEmpty());
}

void TestFileCommands::newTable_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QString>("file");          // the table's file in the temp folder, "" new
    QTest::addColumn<int>("answer");            // to the save question, 0 none asked
    QTest::addColumn<QString>("saveAsChoice");  // "" cancels the Save As dialog
    QTest::addColumn<bool>("emptied");
    QTest::addColumn<bool>("written");

    QTest::newRow("unmodified: asks nothing") << false << "t.QDZ" << 0 << "" << true << false;
    QTest::newRow("modified, Cancel keeps everything") << true << "t.QDZ" << int(Prompter::Cancel) << ""
                                                     << false << false;
    QTest::newRow("modified, No discards") << true << "t.QDZ" << int(Prompter::No) << "" << true << false;
    QTest::newRow("modified, Yes saves first") << true << "t.QDZ" << int(Prompter::Yes) << "" << true << true;
    QTest::newRow("modified, Yes, write fails") << true << "missing/t.QDZ" << int(Prompter::Yes) << ""
                                              << false << false;
    QTest::newRow("new table, Yes, Save As cancelled") << true << "" << int(Prompter::Yes) << "" << false
                                                     << false;
    QTest::newRow("new table, Yes, Save As named") << true << "" << int(Prompter::Yes) << "s.QDZ" << true
                                                 << true;
}

void TestFileCommands::newTable()
{
    QFETCH(bool, modified);
    QFETCH(QString, file);
    QFETCH(int, answer);
    QFETCH(QString, saveAsChoice);
    QFETCH(bool, emptied);
    QFETCH(bool, written);

    Fixture fx;
    fx.beforeSaveQuestion(file, modified, answer, saveAsChoice);
    const QString before = fx.doc.CurrentTableFile;

    QCOMPARE(fx.commands.MnNewTableClick(fx.selection()), emptied);

    const QStringList boxes = fx.host.scripted.texts();
    if (answer) {
        QVERIFY(!boxes.isEmpty());
        QCOMPARE(boxes.first(), saveQuestion(file.isEmpty() ? QStringLiteral("Noname.QDZ") : QStringLiteral("t.QDZ")));
    } else {
        QVERIFY(boxes.isEmpty());
    }
    const QString target = saveAsChoice.isEmpty() ? before : fx.path(saveAsChoice);
    QCOMPARE(!target.isEmpty() && names(readTable(target)) == SixNames, written);
    // Every write, a failed one too, has the window save the options and tell the launcher.
    QCOMPARE(fx.window.tablesWritten, answer == Prompter::Yes && !(file.isEmpty() && saveAsChoice.isEmpty()) ? 1 : 0);
    if (emptied) {
        QVERIFY(treeNames(fx.doc).isEmpty());
        QVERIFY(fx.doc.RootNode());
        // The window shows the new table: RootNode focused and selected alone, pages reset.
        QCOMPARE(fx.window.newTablesShown, 1);
        QCOMPARE(fx.window.focused, fx.doc.RootNode());
        QCOMPARE(fx.window.selection, QList<ConnectionNode *>{fx.doc.RootNode()});
        QVERIFY(fx.doc.CurrentTableFile.isEmpty());
        QVERIFY(!fx.doc.tableModified());
        QVERIFY(!fx.doc.IsNodeModified());
        QVERIFY(!fx.doc.CurrentNode);
        QCOMPARE(fx.doc.captionText(), "Wexmora Configuration - [Noname.QDZ]");
    } else {
        QCOMPARE(treeNames(fx.doc), SixNames);
        QVERIFY(fx.doc.tableModified());
        QCOMPARE(fx.window.newTablesShown, 0);
        QCOMPARE(fx.doc.CurrentTableFile, before);
    }
}

void TestFileCommands::open_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("names");     // the tree afterwards
    QTest::addColumn<bool>("named");            // CurrentTableFile is the opened file
    QTest::addColumn<QString>("message");       // "" none

    const QList<Record> records = {{1, "one"}, {2, "one-child"}, {1, "two"}};
    QTest::newRow("a table") << tableBytes(records) << QStringList{"one", "one-child", "two"} << true << "";
    QTest::newRow("not a table") << QByteArray("hello world") << QStringList{} << false
                                 << "The file %1 has invalid format.";
    QTest::newRow("damaged after two records")
        << tableBytes(records.first(2), 5) << QStringList{"one", "one-child"} << true
        << "Error reading the file. It contains inconsistent data.";
}

void TestFileCommands::open()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, names);
    QFETCH(bool, named);
    QFETCH(QString, message);

    Fixture fx;
    fx.writeFile(QStringLiteral("o.QDZ"), bytes);
    const QString file = fx.path(QStringLiteral("o.QDZ"));
    fx.files.queue(file);

    const std::optional<TableReadResult> read = fx.commands.MnOpenTableClick(fx.selection());

    QCOMPARE(fx.files.shown().size(), 1);
    QVERIFY(!fx.files.shown().first().save);
    QCOMPARE(fx.files.shown().first().setup.title, "Open Wexmora file");
    QCOMPARE(treeNames(fx.doc), names);
    QCOMPARE(fx.doc.CurrentTableFile, named ? file : QString());
    QCOMPARE(fx.doc.captionText(), QStringLiteral("Wexmora Configuration - [%1]")
                                       .arg(named ? QStringLiteral("o.QDZ") : QStringLiteral("Noname.QDZ")));
    QVERIFY(!fx.doc.IsNodeModified());
    // A read was tried, a failed one included: the window shows it, saves the options, tells
    // the launcher and shows the focused node's values.
    QVERIFY(read);
    QCOMPARE(read->ok, message.isEmpty());
    if (message.isEmpty()) {
        QVERIFY(fx.host.scripted.texts().isEmpty());
        QCOMPARE(fx.recent.files, QStringList{file});
    } else {
        const QString text = message.contains(QLatin1String("%1")) ? message.arg("o.QDZ") : message;
        QCOMPARE(fx.host.scripted.texts(), QStringList{text});
        QVERIFY(fx.recent.files.isEmpty());
    }
}

void TestFileCommands::openCancelledDialogReadsNothing()
{
    // Cancel in the dialog, then Cancel in the save question: the table stays, the file is
    // not read and the options are not saved.
    for (bool cancelQuestion : {false, true}) {
        Fixture fx;
        fx.named(QStringLiteral("t.QDZ"));
        fx.doc.UpdateCaption(true);
        fx.writeFile(QStringLiteral("o.QDZ"), tableBytes({{1, "other"}}));
        if (cancelQuestion) {
            fx.files.queue(fx.path(QStringLiteral("o.QDZ")));
            fx.host.scripted.queue(Prompter::Cancel);
        }
        QVERIFY(!fx.commands.MnOpenTableClick(fx.selection()));
        QCOMPARE(treeNames(fx.doc), SixNames);
        QCOMPARE(fx.doc.CurrentTableFile, fx.path(QStringLiteral("t.QDZ")));
        QVERIFY(fx.doc.tableModified());
        QCOMPARE(fx.window.tablesWritten, 0);
        QVERIFY(fx.recent.files.isEmpty());
        QCOMPARE(fx.host.scripted.texts().size(), cancelQuestion ? 1 : 0);
    }
}

void TestFileCommands::recentFile()
{
    Fixture fx;
    fx.writeFile(QStringLiteral("r.QDZ"), tableBytes({{1, "recent"}}));
    const QString file = fx.path(QStringLiteral("r.QDZ"));
    const std::optional<TableReadResult> read = fx.commands.MRUMenuClick(file, fx.selection());
    QVERIFY(fx.files.shown().isEmpty());
    QCOMPARE(treeNames(fx.doc), QStringList{"recent"});
    QCOMPARE(fx.doc.CurrentTableFile, file);
    QVERIFY(!fx.doc.tableModified());
    QCOMPARE(fx.recent.files, QStringList{file});
    // A read was tried: the window saves the options and tells the launcher.
    QVERIFY(read && read->ok);
}

void TestFileCommands::recentFileVanished()
{
    Fixture fx;
    fx.doc.UpdateCaption(true);
    const QString file = fx.path(QStringLiteral("gone.QDZ"));
    // Nothing happens: the list reports the vanished file itself.
    QVERIFY(!fx.commands.MRUMenuClick(file, fx.selection()));
    QVERIFY(fx.host.scripted.texts().isEmpty());
    QCOMPARE(treeNames(fx.doc), SixNames);
    QVERIFY(fx.doc.tableModified());
    QCOMPARE(fx.window.tablesWritten, 0);

    fx.commands.MRUFileNotExist(file);
    QCOMPARE(fx.host.scripted.texts(), QStringList{"The file '" + file + "' does not exist."});
    QCOMPARE(fx.host.scripted.boxes().first().kind, Prompter::Kind::Warning);
}

void TestFileCommands::save_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("written");
    QTest::newRow("named table") << "t.QDZ" << true;
    QTest::newRow("write fails") << "missing/t.QDZ" << false;
}

void TestFileCommands::save()
{
    QFETCH(QString, file);
    QFETCH(bool, written);
    Fixture fx;
    fx.named(file);
    fx.doc.UpdateCaption(true);

    QCOMPARE(fx.commands.MnSaveTableClick(), written);

    QVERIFY(fx.files.shown().isEmpty());
    QCOMPARE(names(readTable(fx.path(file))), written ? SixNames : QStringList{});
    QCOMPARE(fx.doc.tableModified(), !written);
    QCOMPARE(fx.doc.CurrentTableFile, fx.path(file));
    // Save alone adds nothing to the recent files.
    QVERIFY(fx.recent.files.isEmpty());
    QCOMPARE(fx.host.scripted.texts(),
             written ? QStringList{} : QStringList{"Error writing file " + fx.path(file) + "."});
    QCOMPARE(fx.window.treeFocused, 1);
    // Written or not, the options are saved and the launcher told, and RootNode is no longer
    // selected.
    QCOMPARE(fx.window.tablesWritten, 1);
    QVERIFY(!fx.window.selection.contains(fx.doc.RootNode()));
}

void TestFileCommands::saveAs_data()
{
    QTest::addColumn<QString>("current");   // the table's file, "" new
    QTest::addColumn<QString>("choice");    // typed in the dialog, "" cancels
    QTest::addColumn<QString>("target");    // the file written to
    QTest::addColumn<bool>("written");

    QTest::newRow("new table, named") << "" << "n.QDZ" << "n.QDZ" << true;
    QTest::newRow("named without extension") << "t.QDZ" << "plain" << "plain.qdz" << true;
    QTest::newRow("dialog cancelled") << "t.QDZ" << "" << "" << false;
    QTest::newRow("write fails") << "t.QDZ" << "missing/n.QDZ" << "missing/n.QDZ" << false;
}

void TestFileCommands::saveAs()
{
    QFETCH(QString, current);
    QFETCH(QString, choice);
    QFETCH(QString, target);
    QFETCH(bool, written);
    Fixture fx;
    fx.named(current);
    fx.doc.UpdateCaption(true);
    if (!choice.isEmpty())
        fx.files.queue(fx.path(choice));
    const QString before = fx.doc.CurrentTableFile;

    QCOMPARE(fx.commands.MnSaveAsTableClick(), written);

    QCOMPARE(fx.files.shown().size(), 1);
    QVERIFY(fx.files.shown().first().save);
    QCOMPARE(fx.files.shown().first().setup.title, "Save Wexmora file as");
    QCOMPARE(fx.files.shown().first().setup.initialFileName, before);
    QCOMPARE(fx.doc.tableModified(), !written);
    if (written) {
        QCOMPARE(names(readTable(fx.path(target))), SixNames);
        QCOMPARE(fx.recent.files, QStringList{fx.path(target)});
        QCOMPARE(fx.doc.CurrentTableFile, fx.path(target));
        QCOMPARE(fx.doc.captionText(), "Wexmora Configuration - [" + QFileInfo(target).fileName() + "]");
    } else {
        QVERIFY(fx.recent.files.isEmpty());
        // A failed write keeps the chosen name so that Save tries it again.
        QCOMPARE(fx.doc.CurrentTableFile, target.isEmpty() ? before : fx.path(target));
    }
    if (!before.isEmpty())
        QVERIFY(!QFile::exists(before));
}

void TestFileCommands::import()
{
    Fixture fx;
    fx.named(QStringLiteral("t.QDZ"));
    fx.writeFile(QStringLiteral("i.QDZ"), tableBytes({{1, "imported"}, {2, "below"}}));
    fx.files.queue(fx.path(QStringLiteral("i.QDZ")));

    const std::optional<ImportResult> imported = fx.commands.MnImportClick("TeraTerm colours");
    QVERIFY(imported);
    QCOMPARE(imported->added, 2);

    QCOMPARE(fx.files.shown().size(), 1);
    QVERIFY(!fx.files.shown().first().save);
    QCOMPARE(fx.files.shown().first().setup.title, "Import connections from file");
    QCOMPARE(treeNames(fx.doc), SixNames + QStringList({"imported", "below"}));
    QVERIFY(fx.doc.tableModified());
    QCOMPARE(fx.doc.CurrentTableFile, fx.path(QStringLiteral("t.QDZ")));
    QVERIFY(fx.recent.files.isEmpty());
    QCOMPARE(fx.window.tablesWritten, 0);

    // A cancelled dialog imports nothing.
    QVERIFY(!fx.commands.MnImportClick("TeraTerm colours"));
    QCOMPARE(fx.doc.tree().countBelow(fx.doc.RootNode()), 8);
}

void TestFileCommands::expandExportSelection_data()
{
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<int>("answer");           // to the question; 0 when none is expected
    QTest::addColumn<bool>("result");
    QTest::addColumn<QStringList>("after");    // the selection afterwards, in pre-order

    QTest::newRow("level 3 alone, Ok") << QStringList{"C"} << int(Prompter::Ok) << true
                                       << QStringList{"A", "B", "C"};
    QTest::newRow("level 3 alone, Cancel") << QStringList{"C"} << int(Prompter::Cancel) << false
                                           << QStringList{"C"};
    QTest::newRow("two branches, asked once") << QStringList{"C", "F"} << int(Prompter::Ok) << true
                                              << QStringList{"A", "B", "C", "E", "F"};
    QTest::newRow("parent selected, grandparent not") << QStringList{"B", "C"} << int(Prompter::Ok) << true
                                                      << QStringList{"A", "B", "C"};
    QTest::newRow("grandparent selected, parent not") << QStringList{"A", "C"} << int(Prompter::Ok) << true
                                                      << QStringList{"A", "B", "C"};
    QTest::newRow("an ancestor added for an earlier node") << QStringList{"C", "D"} << int(Prompter::Ok) << true
                                                           << QStringList{"A", "B", "C", "D"};
    QTest::newRow("top-level with its child") << QStringList{"E", "F"} << 0 << true << QStringList{"E", "F"};
    QTest::newRow("RootNode is dropped, never added") << QStringList{"root", "A"} << 0 << true
                                                      << QStringList{"A"};
}

void TestFileCommands::expandExportSelection()
{
    QFETCH(QStringList, selected);
    QFETCH(int, answer);
    QFETCH(bool, result);
    QFETCH(QStringList, after);
    Fixture fx;
    const QHash<QString, ConnectionNode *> byName = {{"root", fx.doc.RootNode()}, {"A", fx.a}, {"B", fx.b},
                                                     {"C", fx.c}, {"D", fx.d}, {"E", fx.e}, {"F", fx.f}};
    fx.window.selection.clear();
    for (const QString &n : selected)
        fx.window.selection.append(byName.value(n));
    if (answer)
        fx.host.scripted.queue(Prompter::Answer(answer));

    const std::optional<TreeSelection> expanded = fx.commands.ExpandExportSelection(fx.selection());
    QCOMPARE(expanded.has_value(), result);

    // The view selects what the export takes.
    QCOMPARE(fx.window.selectedNames(), after);
    if (expanded) {
        QStringList exported;
        for (ConnectionNode *n : expanded->nodes())
            exported << QString::fromUtf8(n->data.Name);
        QCOMPARE(exported, after);
    }
    if (answer) {
        QCOMPARE(fx.host.scripted.boxes().size(), 1);
        const ScriptedPrompter::Box box = fx.host.scripted.boxes().first();
        QCOMPARE(box.kind, Prompter::Kind::Warning);
        QCOMPARE(box.buttons, Prompter::Buttons::OkCancel);
        QCOMPARE(box.text, "Connection can be exported only together with all parent connections it has.\r"
                           "Press Ok to automatically expand your selection.");
    } else {
        QVERIFY(fx.host.scripted.boxes().isEmpty());
    }
}

void TestFileCommands::exportTable_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("exchange");

    QTest::newRow("table file") << "e.QDZ" << "e.QDZ" << false;
    QTest::newRow("no extension: a table file named .qdz") << "e" << "e.qdz" << false;
    QTest::newRow("lower-case .kpv: an exchange file") << "e.kpv" << "e.kpv" << true;
    QTest::newRow("upper-case .KPV: an exchange file") << "e.KPV" << "e.KPV" << true;
}

void TestFileCommands::exportTable()
{
    QFETCH(QString, choice);
    QFETCH(QString, target);
    QFETCH(bool, exchange);
    Fixture fx;
    fx.named(QStringLiteral("t.QDZ"));
    fx.select({fx.c});
    fx.files.queue(fx.path(choice));

    fx.commands.MnExportClick(fx.selection());

    QCOMPARE(fx.host.scripted.boxes().size(), 1);
    QCOMPARE(fx.files.shown().size(), 1);
    QVERIFY(fx.files.shown().first().save);
    QCOMPARE(fx.files.shown().first().setup.title, "Export selected connections to file");
    QVERIFY(QFile::exists(fx.path(target)));
    if (exchange) {
        QFile f(fx.path(target));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.contains("Wexmora Ver.2.8.1"));
        QVERIFY(bytes.contains("[KPV]"));
        QVERIFY(bytes.contains("RowCount=3"));
    } else {
        const QList<Record> records = readTable(fx.path(target));
        QCOMPARE(names(records), (QStringList{"A", "B", "C"}));
        QCOMPARE(records.at(2).level, 3);
    }
    // The export changes neither the table's file nor its marks nor the recent files.
    QCOMPARE(fx.doc.CurrentTableFile, fx.path(QStringLiteral("t.QDZ")));
    QVERIFY(!fx.doc.tableModified());
    QVERIFY(fx.recent.files.isEmpty());
    QVERIFY(!fx.window.selection.contains(fx.doc.RootNode()));
    // A table file written saves the options and tells the launcher; an exchange file does not.
    QCOMPARE(fx.window.tablesWritten, exchange ? 0 : 1);
}

void TestFileCommands::exportRefusedWritesNothing()
{
    // Cancel in the question: no dialog. A cancelled dialog: nothing written, RootNode
    // unselected all the same.
    for (bool cancelQuestion : {true, false}) {
        Fixture fx;
        fx.select({fx.doc.RootNode(), fx.c});
        fx.host.scripted.queue(cancelQuestion ? Prompter::Cancel : Prompter::Ok);
        fx.commands.MnExportClick(fx.selection());
        QCOMPARE(fx.files.shown().size(), cancelQuestion ? 0 : 1);
        QVERIFY(QDir(fx.dir.path()).entryList(QDir::Files).isEmpty());
        QVERIFY(!fx.window.selection.contains(fx.doc.RootNode()));
    }
}

void TestFileCommands::closeQuestion_data()
{
    QTest::addColumn<bool>("autoSave");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QString>("file");          // "" a new table
    QTest::addColumn<int>("answer");            // to the save question, 0 none expected
    QTest::addColumn<QString>("saveAsChoice");
    QTest::addColumn<bool>("close");
    QTest::addColumn<bool>("written");

    const int yes = Prompter::Yes, no = Prompter::No, cancel = Prompter::Cancel;
    QTest::newRow("unmodified") << false << false << "t.QDZ" << 0 << "" << true << false;
    QTest::newRow("unmodified, auto-save") << true << false << "t.QDZ" << 0 << "" << true << false;
    QTest::newRow("auto-save, named: saved without a question") << true << true << "t.QDZ" << 0 << ""
                                                                << true << true;
    QTest::newRow("auto-save, new table, Save As named") << true << true << "" << 0 << "s.QDZ" << true
                                                         << true;
    QTest::newRow("auto-save, new table, Save As cancelled") << true << true << "" << 0 << "" << false
                                                             << false;
    QTest::newRow("auto-save, write fails") << true << true << "missing/t.QDZ" << 0 << "" << false << false;
    QTest::newRow("ask, Yes") << false << true << "t.QDZ" << yes << "" << true << true;
    QTest::newRow("ask, No") << false << true << "t.QDZ" << no << "" << true << false;
    QTest::newRow("ask, Cancel") << false << true << "t.QDZ" << cancel << "" << false << false;
    QTest::newRow("ask, Yes, Save As cancelled") << false << true << "" << yes << "" << false << false;
    QTest::newRow("ask, Yes, write fails") << false << true << "missing/t.QDZ" << yes << "" << false << false;
}

void TestFileCommands::closeQuestion()
{
    QFETCH(bool, autoSave);
    QFETCH(bool, modified);
    QFETCH(QString, file);
    QFETCH(int, answer);
    QFETCH(QString, saveAsChoice);
    QFETCH(bool, close);
    QFETCH(bool, written);

    for (bool viaFormCloseQuery : {false, true}) {
        Fixture fx;
        fx.beforeSaveQuestion(file, modified, answer, saveAsChoice);

        const bool result = viaFormCloseQuery ? fx.commands.FormCloseQuery(autoSave, fx.selection())
                                              : fx.commands.QuerySaveBeforeClose(autoSave, fx.selection());
        QCOMPARE(result, close);

        QStringList questions;
        for (const QString &t : fx.host.scripted.texts())
            if (t.startsWith(QLatin1String("Do you want")))
                questions << t;
        QCOMPARE(questions, answer ? QStringList{saveQuestion(file.isEmpty() ? QStringLiteral("Noname.QDZ")
                                                                             : QStringLiteral("t.QDZ"))}
                                   : QStringList{});
        const QString target = saveAsChoice.isEmpty() ? fx.doc.CurrentTableFile : fx.path(saveAsChoice);
        QCOMPARE(!target.isEmpty() && names(readTable(target)) == SixNames, written);
        // The window stays with its table: the launcher is started again when it is not running.
        QCOMPARE(fx.launcherStarts, close ? 0 : 1);
        if (!close)
            QCOMPARE(treeNames(fx.doc), SixNames);
    }
}

void TestFileCommands::closeQuestionAppliesEdits()
{
    // Unapplied edits on a connection: the apply question first, then the save question.
    Fixture fx;
    fx.named(QStringLiteral("t.QDZ"));
    fx.doc.UpdateCaption(true);
    fx.select({fx.b});
    fx.doc.SetNodeModified(true);
    fx.host.scripted.queue(Prompter::Yes);
    fx.host.scripted.queue(Prompter::No);
    QVERIFY(fx.commands.QuerySaveBeforeClose(false, fx.selection()));
    QCOMPARE(fx.window.applyCount, 1);
    QCOMPARE(fx.host.scripted.texts(),
             (QStringList{"Do you want to apply the changes you made to  'B' ?", saveQuestion("t.QDZ")}));

    // Cancel in the apply question keeps the window.
    Fixture kept;
    kept.select({kept.b});
    kept.doc.SetNodeModified(true);
    kept.host.scripted.queue(Prompter::Cancel);
    QVERIFY(!kept.commands.QuerySaveBeforeClose(true, kept.selection()));
    QCOMPARE(kept.launcherStarts, 1);
    QVERIFY(kept.doc.IsNodeModified());
}

QTEST_GUILESS_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
