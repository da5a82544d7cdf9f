#include "platform/AtomicFileWriter.h"
#include "support/FakeTableHost.h"
#include "support/FileBytes.h"
#include "support/TableBytes.h"
#include "support/TreeShape.h"
#include "table/ColorSet.h"
#include "table/ConnectionTree.h"
#include "table/NodeStream.h"
#include "table/TableDocument.h"
#include "table/TableFile.h"
#include "table/TreeSelection.h"
#include "table/UrlCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray Row0 = ColorSchemes[0].text;

struct Fixture
{
    Fixture() { root = doc.tree().addChild(nullptr); }
    FakeTableHost host;
    TableDocument doc{host};
    ConnectionNode *root = nullptr;

    ConnectionNode *add(ConnectionNode *parent, const QByteArray &name)
    {
        rVTNodeData d;
        d.Name = name;
        d.Colors = Row0;
        return doc.tree().addChild(parent, d);
    }
};

rVTNodeData rec(const QByteArray &name, qint32 level, const QByteArray &colors = Row0)
{
    rVTNodeData r;
    r.Name = name;
    r.Level = level;
    r.Colors = colors;
    return r;
}

QByteArray readFile(const QString &path)
{
    return ReadFileBytes(path, "<unreadable>");
}

// The records of a table file, read back with the stream reader.
QList<rVTNodeData> recordsOf(const QByteArray &file, qint32 *count = nullptr)
{
    ByteReader in(file, 5);
    qint32 n = 0;
    in.readInt32(n);
    if (count)
        *count = n;
    QList<rVTNodeData> out;
    rVTNodeData r;
    while (VTLoadNode(in, r))
        out << r;
    return out;
}

// What the process has read so far through the system, in bytes.
qint64 bytesReadByProcess()
{
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : io.readAll().split('\n'))
        if (line.startsWith("rchar:"))
            return line.mid(6).trimmed().toLongLong();
    return -1;
}

QByteArray old18(int base)
{
    QList<QByteArray> f;
    for (int i = 0; i < 18; ++i)
        f << QByteArray::number(base + i);
    return f.join(':');
}

} // namespace

class TestTableFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rootOnlyTableIsNineBytes()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("empty.QDZ");
        Fixture f;
        QVERIFY(SaveConnectionTable(f.doc, path));
        QCOMPARE(readFile(path), QByteArray("QDZ21\0\0\0\0", 9));
        QCOMPARE(f.host.waitDepth, 0);
        QVERIFY(f.host.scripted.boxes().isEmpty());

        Fixture g;
        QVERIFY(LoadConnectionTable(g.doc, path, false).ok);
        QCOMPARE(g.root->childCount(), 0);
        QVERIFY(g.host.scripted.boxes().isEmpty());
        QCOMPARE(g.doc.CurrentTableFile, path);
    }

    void roundTripsTreeInPreorder()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("tree.QDZ");
        Fixture f;
        ConnectionNode *a = f.add(f.root, "A");
        ConnectionNode *b = f.add(a, "B");
        ConnectionNode *c = f.add(b, "C");
        f.add(a, "D");
        ConnectionNode *e = f.add(f.root, "E");
        f.add(e, "F");
        f.add(f.root, "G");
        c->data.Macro = UrlEncode("connect 'host'\r\nwait '$'", true);
        c->data.Popup = "%0D";
        c->data.Schedule = "=0 8 * * 1";
        c->data.LastUpdated = "Monday, 03-Jun-2024 10:11:12";
        c->data.LogSession = true;
        c->data.Kind = NodeKindWithMacro;
        b->data.Name = QByteArray("B\0\xE9", 3);
        QVERIFY(SaveConnectionTable(f.doc, path));
        const QByteArray file = readFile(path);
        QVERIFY(file.startsWith("QDZ21"));
        qint32 count = 0;
        const QList<rVTNodeData> records = recordsOf(file, &count);
        QCOMPARE(count, 7);
        QCOMPARE(records.size(), 7);
        QStringList names;
        QList<qint32> levels;
        for (const rVTNodeData &r : records) {
            names << QString::fromLatin1(r.Name.left(1));
            levels << r.Level;
        }
        QCOMPARE(names, QStringList({"A", "B", "C", "D", "E", "F", "G"}));
        QCOMPARE(levels, QList<qint32>({1, 2, 3, 2, 1, 2, 1}));
        QCOMPARE(records[2], c->data);  // Kind travels into the file as held

        Fixture g;
        QVERIFY(LoadConnectionTable(g.doc, path, false).ok);
        QCOMPARE(NamesAndLevelsOf(g.root), NamesAndLevelsOf(f.root));
        ConnectionNode *c2 = g.root->child(0)->child(0)->child(0);
        rVTNodeData expected = c->data;
        expected.Kind = 0;
        QCOMPARE(c2->data, expected);
        QCOMPARE(g.root->child(0)->child(0)->data.Name, b->data.Name);

        // Written again, the file is the same but for the Kind that reading dropped.
        const QString again = dir.filePath("again.QDZ");
        QVERIFY(SaveConnectionTable(g.doc, again));
        c->data.Kind = 0;
        QVERIFY(SaveConnectionTable(f.doc, path));
        QCOMPARE(readFile(again), readFile(path));
    }

    void placesRecordsByLevel_data()
    {
        QTest::addColumn<QList<qint32>>("levels");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("expected");
        const qint32 maxL = std::numeric_limits<qint32>::max();
        const qint32 minL = std::numeric_limits<qint32>::min();
        QTest::newRow("1 2 2 1") << QList<qint32>{1, 2, 2, 1} << QStringList{"a", "b", "c", "d"}
                                 << "a:1(b:2 c:2) d:1";
        QTest::newRow("first record at level 2") << QList<qint32>{2, 3, 2, 1} << QStringList{"a", "b", "c", "d"}
                                                 << "a:1(b:2) c:1 d:1";
        QTest::newRow("1 3 jumps to a child") << QList<qint32>{1, 3} << QStringList{"a", "b"} << "a:1(b:2)";
        QTest::newRow("1 3 2 climbs by the file's numbers")
            << QList<qint32>{1, 3, 2} << QStringList{"a", "b", "c"} << "a:1(b:2) c:1";
        QTest::newRow("1 2 3 2") << QList<qint32>{1, 2, 3, 2} << QStringList{"a", "b", "c", "d"}
                                 << "a:1(b:2(c:3) d:2)";
        QTest::newRow("0 and -5 are top level") << QList<qint32>{0, -5} << QStringList{"a", "b"} << "a:1 b:1";
        QTest::newRow("extreme levels") << QList<qint32>{3, maxL, minL} << QStringList{"a", "b", "c"}
                                        << "a:1(b:2) c:1";
        QTest::newRow("empty name skipped") << QList<qint32>{1, 3, 2} << QStringList{"a", "", "c"}
                                            << "a:1(c:2)";
        QTest::newRow("empty first name skipped") << QList<qint32>{1, 2, 3} << QStringList{"", "b", "c"}
                                                  << "b:1(c:2)";
    }
    void placesRecordsByLevel()
    {
        QFETCH(QList<qint32>, levels);
        QFETCH(QStringList, names);
        QFETCH(QString, expected);
        QList<rVTNodeData> records;
        for (qsizetype i = 0; i < levels.size(); ++i)
            records << rec(names[i].toLatin1(), levels[i]);
        QTemporaryDir dir;
        const QString path = dir.filePath("levels.QDZ");
        QVERIFY(WriteFileBytes(path, TableFileBytes(records)));
        Fixture f;
        QVERIFY(LoadConnectionTable(f.doc, path, false).ok);
        QCOMPARE(NamesAndLevelsOf(f.root), expected);
    }

    void deeplyNestedFileLoadsSavesAndCloses()
    {
        // Each record one level deeper than the last: a chain far deeper than a call stack.
        constexpr qint32 depth = 400000;
        QByteArray bytes = "QDZ21";
        appendInt32(bytes, depth);
        for (qint32 level = 1; level <= depth; ++level)
            VTSaveNode(rec("n", level, QByteArray()), bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath("deep.QDZ");
        QVERIFY(WriteFileBytes(path, bytes));
        {
            Fixture f;
            QVERIFY(LoadConnectionTable(f.doc, path, false).ok);
            QCOMPARE(ConnectionTree::countBelow(f.root), int(depth));
            QVERIFY(SaveConnectionTable(f.doc, path));
            QCOMPARE(readFile(path), bytes);
        }
    }

    void readingSetsDepthKindAndSeparators()
    {
        rVTNodeData a = rec("-anything", 9);
        a.Kind = 7;
        rVTNodeData b = rec("b", 12);
        b.Kind = -3;
        QTemporaryDir dir;
        const QString path = dir.filePath("kinds.QDZ");
        QVERIFY(WriteFileBytes(path, TableFileBytes({a, b})));
        Fixture f;
        QVERIFY(LoadConnectionTable(f.doc, path, false).ok);
        QCOMPARE(f.root->childCount(), 1);
        const ConnectionNode *na = f.root->child(0);
        QCOMPARE(na->data.Name, SeparatorText);
        QCOMPARE(na->data.Level, 1);
        QCOMPARE(na->data.Kind, 0);
        QCOMPARE(na->child(0)->data.Level, 2);
        QCOMPARE(na->child(0)->data.Kind, 0);
    }

    void refusesFilesItCannotUse_data()
    {
        QTest::addColumn<QString>("fileName");
        // Null bytes: no file at all; "dir": a directory of that name; "fifo": a named pipe (no
        // writer: reading it would wait for ever); "noperm": a file nobody may read.
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");  // %1 stands for the display name
        QTest::newRow("missing") << "gone.QDZ" << QByteArray() << "The file '%1' does not exist.";
        QTest::newRow("directory") << "folder.QDZ" << QByteArray("dir") << "Cannot read the file %1";
        QTest::newRow("named pipe") << "pipe.QDZ" << QByteArray("fifo") << "Cannot read the file %1";
        QTest::newRow("unreadable") << "locked.QDZ" << QByteArray("noperm") << "Cannot read the file %1";
        QTest::newRow("last digit changed") << "x.QDZ" << TableFileBytes("QDZ22", 0, {}) << "The file %1 has invalid format.";
        QTest::newRow("four bytes") << "x.QDZ" << QByteArray("QDZ2") << "The file %1 has invalid format.";
        QTest::newRow("empty file") << "x.QDZ" << QByteArray("") << "The file %1 has invalid format.";
        QTest::newRow("lower-case magic") << "x.QDZ" << TableFileBytes("qdz21", 0, {}) << "The file %1 has invalid format.";
    }
    void refusesFilesItCannotUse()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath(fileName);
        if (bytes == "dir") {
            QVERIFY(QDir().mkdir(path));
        } else if (bytes == "fifo") {
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (bytes == "noperm") {
            if (geteuid() == 0)
                QSKIP("the superuser reads every file");
            QVERIFY(WriteFileBytes(path, TableFileBytes({rec("a", 1)})));
            QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
        } else if (!bytes.isNull()) {
            QVERIFY(WriteFileBytes(path, bytes));
        }
        const QString shown = QFileInfo::exists(path) ? fileName : path;

        Fixture f;
        f.add(f.root, "kept");
        f.doc.CurrentTableFile = "before.QDZ";
        const TableReadResult read = LoadConnectionTable(f.doc, path, false);
        QVERIFY(!read.ok);
        QCOMPARE(f.host.scripted.boxes().size(), 1);
        const ScriptedPrompter::Box box = f.host.scripted.boxes().first();
        QCOMPARE(box.text, message.arg(shown));
        QCOMPARE(box.kind, Prompter::Kind::Warning);
        QCOMPARE(box.buttons, Prompter::Buttons::Ok);
        QCOMPARE(NamesAndLevelsOf(f.root), QStringLiteral("kept:1"));
        QCOMPARE(f.doc.CurrentTableFile, QStringLiteral("before.QDZ"));
        QCOMPARE(f.doc.LoadingFlag, false);
        QCOMPARE(f.host.waitDepth, 0);
        // Nothing written: the options stay as they are.
        QVERIFY(!read.rewritten);
        QVERIFY(!read.recordsRead);
    }

    // A large file that is no table is refused by its first bytes: the reader reads no more
    // than a piece of it, as the process's count of bytes read shows. A sparse file of many
    // gigabytes could not be held in memory at all.
    void largeFileThatIsNoTableIsNotReadWhole_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("sparse");
        QTest::newRow("32 MiB written") << qint64(32) << false;
        QTest::newRow("8 GiB, sparse") << qint64(8192) << true;
    }
    void largeFileThatIsNoTableIsNotReadWhole()
    {
        QFETCH(qint64, size);
        QFETCH(bool, sparse);
        const qint64 bytes = size << 20;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("archive.QDZ"));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.write("PK\x03\x04") == 4);
            if (sparse) {
                QVERIFY(file.resize(bytes));
            } else {
                const QByteArray block(1 << 20, 'z');
                for (qint64 written = 4; written < bytes; written += block.size())
                    QVERIFY(file.write(block) == block.size());
            }
        }
        QVERIFY(QFileInfo(path).size() >= bytes);

        Fixture f;
        f.add(f.root, "kept");
        const qint64 before = bytesReadByProcess();
        const TableReadResult read = LoadConnectionTable(f.doc, path, false);
        const qint64 readNow = bytesReadByProcess() - before;
        QVERIFY(!read.ok);
        QCOMPARE(f.host.scripted.texts(), QStringList{QStringLiteral("The file archive.QDZ has invalid format.")});
        QCOMPARE(NamesAndLevelsOf(f.root), QStringLiteral("kept:1"));
        QVERIFY2(readNow < (1 << 20), qPrintable(QString::number(readNow)));
    }

    void damagedRecordsKeepWhatCameBefore_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("kept");
        const QByteArray two = TableFileBytes("QDZ21", 2, {rec("a", 1), rec("b", 2)});
        QTest::newRow("count larger than records") << TableFileBytes("QDZ21", 3, {rec("a", 1), rec("b", 2)})
                                                   << "a:1(b:2)";
        QTest::newRow("huge count") << TableFileBytes("QDZ21", std::numeric_limits<qint32>::max(), {rec("a", 1)})
                                    << "a:1";
        QTest::newRow("no count") << QByteArray("QDZ21") << "";
        QTest::newRow("count cut short") << QByteArray("QDZ21\2\0", 7) << "";
        QTest::newRow("last record cut") << two.chopped(1) << "a:1";
        QByteArray negative = TableFileBytes("QDZ21", 2, {rec("a", 1)});
        appendInt32(negative, 1);
        appendInt32(negative, 0);
        negative += '\0';
        appendInt32(negative, -4);
        negative += "abcdabcdabcdabcdabcdabcdabcdabcdabcd";
        QTest::newRow("negative length") << negative << "a:1";
        QByteArray huge = TableFileBytes("QDZ21", 2, {rec("a", 1)});
        appendInt32(huge, 1);
        appendInt32(huge, 0);
        huge += '\0';
        appendInt32(huge, std::numeric_limits<qint32>::max());
        huge += QByteArray(64, 'x');
        QTest::newRow("huge length") << huge << "a:1";
    }
    void damagedRecordsKeepWhatCameBefore()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, kept);
        QTemporaryDir dir;
        const QString path = dir.filePath("damaged.QDZ");
        QVERIFY(WriteFileBytes(path, bytes));
        for (const bool quiet : {false, true}) {
            Fixture f;
            f.doc.SelectedNodeIndex = 1;
            const TableReadResult read = LoadConnectionTable(f.doc, path, quiet);
            QVERIFY(!read.ok);
            QCOMPARE(f.host.scripted.texts(),
                     QStringList{"Error reading the file. It contains inconsistent data."});
            QCOMPARE(f.host.scripted.boxes().first().kind, Prompter::Kind::Warning);
            QCOMPARE(NamesAndLevelsOf(f.root), kept);
            QCOMPARE(f.doc.CurrentTableFile, quiet ? QString() : path);
            QCOMPARE(f.doc.LoadingFlag, false);
            QCOMPARE(f.host.waitDepth, 0);
            // RootNode shown open; no node to focus, select or report.
            QVERIFY(read.recordsRead);
            QCOMPARE(read.focus, nullptr);
        }
    }

    void countsAndTrailingBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("trailing bytes ignored")
            << TableFileBytes("QDZ21", 1, {rec("a", 1), rec("b", 1)}) + "garbage" << "a:1";
        QTest::newRow("zero count") << TableFileBytes("QDZ21", 0, {rec("a", 1)}) << "";
        QTest::newRow("negative count") << TableFileBytes("QDZ21", -1, {rec("a", 1)}) << "";
        QTest::newRow("lowest count") << TableFileBytes("QDZ21", std::numeric_limits<qint32>::min(), {}) << "";
    }
    void countsAndTrailingBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath("t.QDZ");
        QVERIFY(WriteFileBytes(path, bytes));
        Fixture f;
        QVERIFY(LoadConnectionTable(f.doc, path, false).ok);
        QCOMPARE(NamesAndLevelsOf(f.root), expected);
        QVERIFY(f.host.scripted.boxes().isEmpty());
    }

    void openReadsAsOneResetAndClearsMarks()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("open.QDZ");
        QVERIFY(WriteFileBytes(path, TableFileBytes({rec("a", 1), rec("b", 2), rec("c", 1)})));
        Fixture f;
        f.doc.UpdateCaption(true);
        f.doc.SetNodeModified(true);
        QSignalSpy inserted(&f.doc.tree(), &ConnectionTree::nodesInserted);
        QList<bool> loadingAtReset;
        connect(&f.doc.tree(), &ConnectionTree::resetDone, this,
                [&] { loadingAtReset << f.doc.LoadingFlag; });
        const TableReadResult read = LoadConnectionTable(f.doc, path, false);
        QVERIFY(read.ok);
        QCOMPARE(inserted.count(), 0);
        QCOMPARE(loadingAtReset, QList<bool>{true});
        QCOMPARE(f.doc.tableModified(), false);
        QCOMPARE(f.doc.IsNodeModified(), false);
        QCOMPARE(f.doc.CurrentTableFile, path);
        QCOMPARE(f.doc.captionText(), QStringLiteral("Wexmora Configuration - [open.QDZ]"));
        QVERIFY(read.recordsRead);
        QCOMPARE(f.doc.LoadingFlag, false);
        QCOMPARE(f.host.waitDepth, 0);
    }

    void openReselectsSelectedNodeIndex_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("focused");  // empty: none
        QTest::newRow("deepest") << 3 << "c";
        QTest::newRow("top level") << 4 << "d";
        QTest::newRow("RootNode is not reselected") << 0 << "";
        QTest::newRow("beyond the table") << 9 << "";
    }
    void openReselectsSelectedNodeIndex()
    {
        QFETCH(int, index);
        QFETCH(QString, focused);
        QTemporaryDir dir;
        const QString path = dir.filePath("sel.QDZ");
        // RootNode 0, a 1, b 2, c 3, d 4; an empty-name record counts for nothing.
        QVERIFY(WriteFileBytes(path, TableFileBytes({rec("a", 1), rec("", 2), rec("b", 2), rec("c", 3), rec("d", 1)})));
        Fixture f;
        f.doc.SelectedNodeIndex = index;
        const TableReadResult read = LoadConnectionTable(f.doc, path, false);
        QVERIFY(read.ok);
        // Told once the read is over, with the loading flag down again.
        QCOMPARE(f.doc.LoadingFlag, false);
        if (focused.isEmpty()) {
            QCOMPARE(f.doc.SelectedNodeIndex, 0);
            QCOMPARE(read.focus, nullptr);
            return;
        }
        ConnectionNode *node = f.doc.tree().nodeAtAbsoluteIndex(index);
        QCOMPARE(QString::fromLatin1(node->data.Name), focused);
        // The view shows it with its ancestors open, reports it, focuses and selects it alone.
        QCOMPARE(read.focus, node);
        QCOMPARE(f.doc.SelectedNodeIndex, index);
    }

    void importLeavesMarksFocusAndSelection()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("import.QDZ");
        QVERIFY(WriteFileBytes(path, TableFileBytes({rec("a", 1), rec("b", 2)})));
        Fixture f;
        ConnectionNode *x = f.add(f.root, "X");
        f.add(x, "Y");
        f.doc.CurrentTableFile = "open.QDZ";
        f.doc.UpdateCaption(true);
        f.doc.SetNodeModified(true);
        f.doc.SelectedNodeIndex = 3;  // would be the imported "a"
        QSignalSpy inserted(&f.doc.tree(), &ConnectionTree::nodesInserted);

        const TableReadResult read = LoadConnectionTable(f.doc, path, true);
        QVERIFY(read.ok);
        QCOMPARE(NamesAndLevelsOf(f.root), QStringLiteral("X:1(Y:2) a:1(b:2)"));
        QCOMPARE(inserted.count(), 1);  // a filled tree follows by one insertion, not a reset
        QCOMPARE(f.doc.IsNodeModified(), true);
        QCOMPARE(f.doc.tableModified(), true);
        QCOMPARE(f.doc.CurrentTableFile, QStringLiteral("open.QDZ"));
        QCOMPARE(f.doc.SelectedNodeIndex, 3);
        // The view keeps its focus and selection: no node to focus or report.
        QCOMPARE(read.focus, nullptr);
        QVERIFY(f.host.scripted.boxes().isEmpty());
        QCOMPARE(f.doc.LoadingFlag, false);
    }

    void convertsOldFileOnOpen()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("old.QDZ");
        const QByteArray original = TableFileBytes("QDZ20", 2, {rec("a", 1, old18(1)), rec("b", 2, old18(100))});
        QVERIFY(WriteFileBytes(path, original));
        QVERIFY(WriteFileBytes(path + ".bak", "an older backup"));
        Fixture f;
        const TableReadResult read = LoadConnectionTable(f.doc, path, false);
        QVERIFY(read.ok);

        QCOMPARE(f.host.scripted.boxes().size(), 1);
        const ScriptedPrompter::Box box = f.host.scripted.boxes().first();
        QCOMPARE(box.kind, Prompter::Kind::Information);
        QCOMPARE(box.buttons, Prompter::Buttons::Ok);
        QCOMPARE(box.text, QStringLiteral("The file old.QDZ was created by earlier versions of Wexmora and has old "
                                          "format.\nIt will be backed up into old.QDZ.bak and converted prior "
                                          "opening.\n\rPress Ok to continue."));
        QCOMPARE(readFile(path + ".bak"), original);

        const QByteArray wideA = old18(1) + ":0:0:255:4:5:6";
        const QByteArray wideB = old18(100) + ":0:0:255:103:104:105";
        QCOMPARE(f.root->child(0)->data.Colors, wideA);
        QCOMPARE(f.root->child(0)->child(0)->data.Colors, wideB);
        const QByteArray rewritten = readFile(path);
        QCOMPARE(rewritten, TableFileBytes("QDZ21", 2, {rec("a", 1, wideA), rec("b", 2, wideB)}));
        // Written back: the caller saves the options and tells the launcher.
        QVERIFY(read.rewritten);
        QCOMPARE(f.doc.CurrentTableFile, path);
        QCOMPARE(f.doc.LoadingFlag, false);
    }

    // A table may hold passwords in its macros: its copy is no more readable than itself, and
    // the conversion keeps the table's own mode.
    void backupHasTheOriginalsPermissions_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("owner only") << 0600;
        QTest::newRow("group may read") << 0640;
        QTest::newRow("everyone may read") << 0644;
    }
    void backupHasTheOriginalsPermissions()
    {
        QFETCH(int, mode);
        const mode_t oldMask = ::umask(022);
        QTemporaryDir dir;
        const QString path = dir.filePath("old.QDZ");
        QVERIFY(WriteFileBytes(path, TableFileBytes("QDZ20", 1, {rec("a", 1, old18(1))})));
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode_t(mode)), 0);
        Fixture f;
        const TableReadResult read = LoadConnectionTable(f.doc, path, false);
        ::umask(oldMask);
        QVERIFY(read.ok && read.rewritten);
        struct stat backup {};
        struct stat table {};
        QCOMPARE(::stat(QFile::encodeName(path + ".bak").constData(), &backup), 0);
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &table), 0);
        QCOMPARE(int(backup.st_mode & 0777), mode);
        QCOMPARE(int(table.st_mode & 0777), mode);
    }

    // What a save killed between naming its temporary and renaming it left goes at the next
    // save of that table; nothing else beside it is touched.
    void saveRemovesWhatAKilledSaveLeft()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("t.QDZ");
        QVERIFY(WriteFileBytes(path, TableFileBytes({rec("old", 1)})));
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0600), 0);
        const QString leftover = dir.filePath(AtomicFileWriter::temporaryPrefix("t.QDZ") + "k3Xq9Z");
        QVERIFY(WriteFileBytes(leftover, TableFileBytes({rec("old", 1)})));
        QVERIFY(WriteFileBytes(dir.filePath("t.QDZ.backup"), "the user's own"));
        Fixture f;
        f.add(f.root, "new");
        QVERIFY(SaveConnectionTable(f.doc, path));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 (QStringList{"t.QDZ", "t.QDZ.backup"}));
        QCOMPARE(readFile(path), TableFileBytes({rec("new", 1)}));
        struct stat table {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &table), 0);
        QCOMPARE(int(table.st_mode & 0777), 0600);
    }

    void importsOldFileQuietly()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("old.QDZ");
        const QByteArray original = TableFileBytes("QDZ20", 1, {rec("a", 1, old18(10))});
        QVERIFY(WriteFileBytes(path, original));
        Fixture f;
        const TableReadResult read = LoadConnectionTable(f.doc, path, true);
        QVERIFY(read.ok);
        QVERIFY(f.host.scripted.boxes().isEmpty());
        QVERIFY(!QFileInfo::exists(path + ".bak"));
        QCOMPARE(readFile(path), original);
        QCOMPARE(f.root->child(0)->data.Colors, old18(10) + ":0:0:255:13:14:15");
        QVERIFY(!read.rewritten);
        QVERIFY(f.doc.CurrentTableFile.isEmpty());
    }

    void failedBackupReadsNothing()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("old.QDZ");
        const QByteArray original = TableFileBytes("QDZ20", 1, {rec("a", 1, old18(1))});
        QVERIFY(WriteFileBytes(path, original));
        // A folder where the copy should go cannot be replaced by it.
        QVERIFY(QDir().mkdir(path + ".bak"));
        Fixture f;
        QVERIFY(!LoadConnectionTable(f.doc, path, false).ok);
        QCOMPARE(f.host.scripted.boxes().size(), 2);
        const ScriptedPrompter::Box box = f.host.scripted.boxes().at(1);
        QCOMPARE(box.kind, Prompter::Kind::Error);
        QCOMPARE(box.text, QStringLiteral("Cannot create backup copy ") + path + QStringLiteral(".bak."));
        QCOMPARE(f.root->childCount(), 0);
        QCOMPARE(readFile(path), original);
        QVERIFY(f.doc.CurrentTableFile.isEmpty());
    }

    void failedWriteKeepsOldFile_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("read-only folder") << "readonly";
        // No temporary name fits beside a file whose name is already as long as allowed.
        QTest::newRow("no room for a temporary name") << "longname";
    }
    void failedWriteKeepsOldFile()
    {
        QFETCH(QString, how);
        QTemporaryDir dir;
        const QString folder = dir.filePath("tables");
        QVERIFY(QDir().mkdir(folder));
        const QString name = how == "longname" ? QString(251, QLatin1Char('t')) + ".QDZ" : QStringLiteral("t.QDZ");
        const QString path = folder + QLatin1Char('/') + name;
        const QByteArray old = TableFileBytes({rec("old", 1)});
        QVERIFY(WriteFileBytes(path, old));
        if (how == "readonly") {
            if (geteuid() == 0)
                QSKIP("the superuser writes into read-only folders");
            QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        }
        Fixture f;
        f.add(f.root, "new");
        const bool ok = SaveConnectionTable(f.doc, path);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QVERIFY(!ok);
        QCOMPARE(readFile(path), old);
        QCOMPARE(f.host.scripted.texts(), QStringList{"Error writing file " + name + "."});
        QCOMPARE(f.host.scripted.boxes().first().kind, Prompter::Kind::Warning);
        QCOMPARE(f.host.waitDepth, 0);
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{name});
    }

    void failedWriteNamesMissingFileByPath()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("no/such/folder/t.QDZ");
        Fixture f;
        QVERIFY(!SaveConnectionTable(f.doc, path));
        QCOMPARE(f.host.scripted.texts(), QStringList{"Error writing file " + path + "."});
    }

    void exportWritesOnlySelectedNodes()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("export.QDZ");
        Fixture f;
        ConnectionNode *a = f.add(f.root, "A");
        f.add(a, "B");
        ConnectionNode *c = f.add(a, "C");
        ConnectionNode *d = f.add(f.root, "D");
        ConnectionNode *e = f.add(d, "E");
        // Selected in any order, RootNode among them: it is never written.
        QVERIFY(SaveConnectionTable(f.doc, path, false, TreeSelection(nullptr, {e, c, f.root, a, d})));
        qint32 count = 0;
        const QList<rVTNodeData> records = recordsOf(readFile(path), &count);
        QStringList names;
        for (const rVTNodeData &r : records)
            names << QString::fromLatin1(r.Name);
        QCOMPARE(names, QStringList({"A", "C", "D", "E"}));
        QCOMPARE(count, 4);

        Fixture g;
        QVERIFY(LoadConnectionTable(g.doc, path, true).ok);
        QCOMPARE(NamesAndLevelsOf(g.root), QStringLiteral("A:1(C:2) D:1(E:2)"));
    }

    void convertsOldColourText_data()
    {
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("18 numbers") << old18(1) << old18(1) + ":0:0:255:4:5:6";
        QTest::newRow("dark background") << QByteArray("255:255:255:0:0:0:1:1:1:0:0:0:2:2:2:0:0:0")
                                         << QByteArray("255:255:255:0:0:0:1:1:1:0:0:0:2:2:2:0:0:0:0:0:255:0:0:0");
        // Nothing usable: the first scheme, whose URL background is its normal one already.
        QTest::newRow("too short") << QByteArray("garbage") << Row0;
        QTest::newRow("empty") << QByteArray() << Row0;
        QList<QByteArray> bad = old18(1).split(':');
        bad[4] = "x";
        QTest::newRow("bad field keeps the first scheme's byte")
            << bad.join(':') << QByteArray("1:2:3:4:255:6:7:8:9:10:11:12:13:14:15:16:17:18:0:0:255:4:255:6");
    }
    void convertsOldColourText()
    {
        QFETCH(QByteArray, old);
        QFETCH(QByteArray, expected);
        QCOMPARE(ConvertOldColorString(old), expected);
        QCOMPARE(ConvertOldColorString(old), expected);  // no state carried from one call to the next
    }
};

QTEST_GUILESS_MAIN(TestTableFile)
#include "tst_tablefile.moc"
