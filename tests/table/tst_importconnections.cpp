#include "support/FakeTableHost.h"
#include "support/TableBytes.h"
#include "support/TempProgramFolder.h"
#include "support/TreeShape.h"
#include "table/ConnectionTree.h"
#include "table/ImportConnections.h"
#include "table/TableDocument.h"

#include <QSignalSpy>
#include <QTest>

namespace {

const LocalClock FixedClock = [] { return QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9, 42)); };

struct Row
{
    QByteArray name;
    int level;
};

// An exchange file holding Rows.
QByteArray kpvFile(const QList<Row> &rows)
{
    QByteArray out = "[KPV]\r\n";
    int i = 0;
    for (const Row &r : rows) {
        const QByteArray n = QByteArray::number(++i);
        out += "C1_R" + n + "=" + r.name + "\r\nC8_R" + n + "=" + QByteArray::number(r.level) + "\r\n";
    }
    return out + "RowCount=" + QByteArray::number(i) + "\r\n";
}

// A connection-table file holding Rows.
QByteArray qdzFile(const QList<Row> &rows)
{
    QList<rVTNodeData> records;
    for (const Row &r : rows) {
        rVTNodeData d;
        d.Name = r.name;
        d.Level = r.level;
        d.Colors = "0:0:0:255:255:255:255:0:0:255:255:255:0:0:255:255:255:255:0:0:255:255:255:255";
        records << d;
    }
    return TableFileBytes(records);
}

struct Fixture
{
    FakeTableHost host;
    TableDocument doc{host};
    ConnectionNode *root = doc.tree().addChild(nullptr);

    ImportResult import(const QString &path)
    {
        return ImportConnections(doc, path, "0:0:0:255:255:216:0:0:255:255:255:216:0:255:255:255:255:216:0:0:255:255:255:216",
                                 FixedClock);
    }

    ConnectionNode *add(const QByteArray &name)
    {
        rVTNodeData d;
        d.Name = name;
        return doc.tree().addChild(root, d);
    }
};

} // namespace

Q_DECLARE_METATYPE(Row)

class TestImportConnections : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void choosesReaderByExtension_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("tableFormat");
        QTest::addColumn<bool>("accepted");
        QTest::newRow(".kpv") << "a.kpv" << false << true;
        QTest::newRow(".KPV") << "a.KPV" << false << true;
        QTest::newRow(".Kpv") << "a.Kpv" << false << true;
        QTest::newRow(".qdz") << "a.qdz" << true << true;
        QTest::newRow(".QDZ") << "a.QDZ" << true << true;
        QTest::newRow(".txt") << "a.txt" << false << false;
        QTest::newRow("no extension") << "kpv" << false << false;
        QTest::newRow("last extension counts") << "a.kpv.bak" << false << false;
        QTest::newRow("table bytes named .kpv") << "a.dir.kpv" << true << true;
    }

    void choosesReaderByExtension()
    {
        QFETCH(QString, fileName);
        QFETCH(bool, tableFormat);
        QFETCH(bool, accepted);
        TempProgramFolder dir;
        const QList<Row> rows = {{"One", 1}, {"Two", 2}};
        QVERIFY(dir.write(fileName, tableFormat ? qdzFile(rows) : kpvFile(rows)));
        Fixture f;
        f.add("Existing");

        const ImportResult result = f.import(dir.filePath(fileName));
        const int added = result.added;
        if (!accepted) {
            QCOMPARE(added, 0);
            QCOMPARE(f.host.scripted.texts(),
                     QStringList{QStringLiteral("Cannot import the file. Unsupported file format.")});
            QCOMPARE(NamesAndLevelsOf(f.root), QStringLiteral("Existing:1"));
            QVERIFY(!f.doc.tableModified());
        } else if (tableFormat && fileName.endsWith(QLatin1String(".kpv"))) {
            // Read as an exchange file: table bytes hold no [KPV] section, so nothing comes in.
            QCOMPARE(added, 0);
            QCOMPARE(NamesAndLevelsOf(f.root), QStringLiteral("Existing:1"));
            QVERIFY(!f.doc.tableModified());
        } else {
            QCOMPARE(added, 2);
            QVERIFY(f.host.scripted.boxes().isEmpty());
            QCOMPARE(NamesAndLevelsOf(f.root), QStringLiteral("Existing:1 One:1(Two:2)"));
            QVERIFY(f.doc.tableModified());
        }
    }

    // Among siblings of equal name the one already in the tree keeps it.
    void reportsRenamedImports_data()
    {
        QTest::addColumn<bool>("tableFormat");
        QTest::addColumn<QByteArrayList>("existing");
        QTest::addColumn<QList<Row>>("imported");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("expected");

        const QString one = QStringLiteral("1 imported item was renamed to avoid duplicate names among siblings.");
        const QString two = QStringLiteral("2 imported items were renamed to avoid duplicate names among siblings.");
        for (const bool qdz : {false, true}) {
            const QByteArray kind = qdz ? " (.QDZ)" : " (.KPV)";
            auto row = [&](const char *what) -> QTestData & { return QTest::newRow((what + kind).constData()); };
            row("no clash") << qdz << QByteArrayList{"A"} << QList<Row>{{"B", 1}} << QStringList{}
                                             << "A:1 B:1";
            row("one clash") << qdz << QByteArrayList{"A"} << QList<Row>{{"A", 1}, {"x", 2}}
                                              << QStringList{one} << "A:1 Copy of A:1(x:2)";
            row("two clashes")
                << qdz << QByteArrayList{"A", "B"} << QList<Row>{{"B", 1}, {"A", 1}} << QStringList{two}
                << "A:1 B:1 Copy of B:1 Copy of A:1";
            row("clash inside the imported branch")
                << qdz << QByteArrayList{"X"} << QList<Row>{{"Y", 1}, {"c", 2}, {"c", 2}} << QStringList{one}
                << "X:1 Y:1(c:2 Copy of c:2)";
        }
    }

    void reportsRenamedImports()
    {
        QFETCH(bool, tableFormat);
        QFETCH(QByteArrayList, existing);
        QFETCH(QList<Row>, imported);
        QFETCH(QStringList, messages);
        QFETCH(QString, expected);
        TempProgramFolder dir;
        const QString name = tableFormat ? QStringLiteral("i.qdz") : QStringLiteral("i.kpv");
        QVERIFY(dir.write(name, tableFormat ? qdzFile(imported) : kpvFile(imported)));
        Fixture f;
        for (const QByteArray &n : existing)
            f.add(n);

        QCOMPARE(f.import(dir.filePath(name)).added, int(imported.size()));
        QCOMPARE(f.host.scripted.texts(), messages);
        for (const ScriptedPrompter::Box &b : f.host.scripted.boxes())
            QCOMPARE(b.kind, Prompter::Kind::Warning);
        QCOMPARE(NamesAndLevelsOf(f.root), expected);
        QVERIFY(f.doc.tableModified());
    }

    // A read that adds nothing leaves the tree and its mark as they were, even when the tree
    // holds equal sibling names of its own.
    void importAddingNothingChangesNothing_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("missing exchange file") << "gone.kpv" << QByteArray() << QStringList{"File '%1' not found"};
        QTest::newRow("empty exchange file") << "e.kpv" << kpvFile({}) << QStringList{};
        QTest::newRow("exchange rows without names") << "e.kpv" << QByteArray("[KPV]\r\nC8_R1=1\r\nRowCount=1\r\n")
                                                     << QStringList{};
        QTest::newRow("missing table file") << "gone.qdz" << QByteArray()
                                            << QStringList{"The file '%1' does not exist."};
        QTest::newRow("empty table file") << "e.qdz" << qdzFile({}) << QStringList{};
        QTest::newRow("table file of wrong format") << "w.qdz" << QByteArray("QDZ22\0\0\0\0", 9)
                                                    << QStringList{"The file w.qdz has invalid format."};
    }

    void importAddingNothingChangesNothing()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, messages);
        TempProgramFolder dir;
        if (!bytes.isNull())
            QVERIFY(dir.write(fileName, bytes));
        Fixture f;
        f.add("A");
        f.add("A");
        QSignalSpy stateChanges(&f.doc, &TableDocument::stateChanged);

        QCOMPARE(f.import(dir.filePath(fileName)).added, 0);
        for (QString &m : messages)
            m = m.arg(dir.filePath(fileName));
        QCOMPARE(f.host.scripted.texts(), messages);
        QCOMPARE(NamesAndLevelsOf(f.root), QStringLiteral("A:1 A:1"));
        QVERIFY(!f.doc.tableModified());
        QCOMPARE(stateChanges.count(), 0);
    }

    // An import is not an open: the editors keep their unapplied edits, the view its focus
    // and selection.
    void importKeepsEditsFocusAndSelection_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::newRow(".KPV") << "k.kpv";
        QTest::newRow(".QDZ") << "q.qdz";
    }

    void importKeepsEditsFocusAndSelection()
    {
        QFETCH(QString, fileName);
        TempProgramFolder dir;
        const QList<Row> rows = {{"New", 1}, {"Child", 2}};
        QVERIFY(dir.write(fileName, fileName.endsWith(QLatin1String(".qdz")) ? qdzFile(rows) : kpvFile(rows)));
        Fixture f;
        ConnectionNode *a = f.add("A");
        f.add("B");
        f.doc.CurrentNode = a;
        f.doc.SelectedNodeIndex = 3;  // the imported node, were it an open
        f.doc.SetNodeModified(true);
        const QString currentFile = f.doc.CurrentTableFile = dir.filePath(QStringLiteral("open.qdz"));

        const ImportResult result = f.import(dir.filePath(fileName));
        QCOMPARE(result.added, 2);
        // The view only opens RootNode; its focus and selection stay.
        QVERIFY(result.recordsRead);
        QCOMPARE(NamesAndLevelsOf(f.root), QStringLiteral("A:1 B:1 New:1(Child:2)"));
        QVERIFY(f.doc.tableModified());
        QVERIFY(f.doc.IsNodeModified());
        QVERIFY(!f.doc.LoadingFlag);
        QCOMPARE(f.doc.CurrentNode, a);
        QCOMPARE(f.doc.CurrentTableFile, currentFile);
        QCOMPARE(f.doc.SelectedNodeIndex, 3);
        QCOMPARE(f.host.waitDepth, 0);
    }
};

QTEST_GUILESS_MAIN(TestImportConnections)
#include "tst_importconnections.moc"
