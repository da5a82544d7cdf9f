#include "support/ShapedTable.h"
#include "support/TableBytes.h"
#include "support/TreeShape.h"
#include "table/NodeClipboard.h"
#include "table/NodeStream.h"
#include "table/TableDocument.h"
#include "table/TableFile.h"
#include "table/TreeRules.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Fixture : ShapedTable
{
    explicit Fixture(const QByteArray &shape) : ShapedTable(shape)
    {
        // Every field of every node distinct, so a lost or shifted field shows.
        int i = 0;
        ConnectionTree::forEachBelow(doc.RootNode(), [&i](ConnectionNode *n) {
            const QByteArray k = QByteArray::number(++i);
            n->data.Macro = "macro" + k;
            n->data.Popup = "popup" + k;
            n->data.Schedule = "=" + k + " * * * *";
            n->data.LastUpdated = "stamp " + k;
            n->data.Colors = "colours " + k;
            n->data.Kind = i % 4;
            n->data.LogSession = i % 2;
        });
    }
};

// One record laid out by hand, logging on, with fixed texts but its name.
QByteArray record(qint32 level, const QByteArray &name, qint32 kind = 0)
{
    return RecordBytes(level, kind, '\1', {name, "m", "p", "", "", "c"});
}

// Fields but Level: what a copy keeps.
QByteArrayList fieldsBelow(const ConnectionNode *top)
{
    QByteArrayList out;
    auto add = [&out](const ConnectionNode *n) {
        const rVTNodeData &d = n->data;
        out << d.Name + ';' + QByteArray::number(d.Kind) + ';' + d.Macro + ';' + d.Popup + ';'
                + (d.LogSession ? "1" : "0") + ';' + d.Colors + ';' + d.Schedule + ';' + d.LastUpdated;
    };
    add(top);
    ConnectionTree::forEachBelow(top, add);
    return out;
}

QList<ConnectionNode *> childrenOf(const ConnectionNode *parent)
{
    QList<ConnectionNode *> out;
    for (int i = 0; i < parent->childCount(); ++i)
        out << parent->child(i);
    return out;
}

// RootNode and every node below it.
QList<ConnectionNode *> nodesOf(const ShapedTable &t)
{
    QList<ConnectionNode *> out{t.doc.RootNode()};
    ConnectionTree::forEachBelow(t.doc.RootNode(), [&out](ConnectionNode *n) { out << n; });
    return out;
}

} // namespace

Q_DECLARE_METATYPE(DropPosition)

class TestNodeClipboard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void mimeType() { QCOMPARE(QByteArray(NodeMimeType), QByteArray("application/x-wexmora-nodes")); }

    // Branches from different depths, nested and repeated selections: each branch once, in
    // tree order, Levels relative to its top.
    void encodeLayout()
    {
        Fixture f("A[B[C]|D]|E[F[G]]");
        const QByteArray payload = EncodeNodes({f.at("1/0"), f.at("0/0/0"), f.at("0"), f.at("1/0/0"), f.at("1/0")});
        QList<rVTNodeData> records;
        QVERIFY(DecodeNodes(payload, records));
        QByteArrayList got;
        for (const rVTNodeData &r : records)
            got << r.Name + ':' + QByteArray::number(r.Level);
        QCOMPARE(got, (QByteArrayList{"A:0", "B:1", "C:2", "D:1", "F:0", "G:1"}));
        QCOMPARE(payload.left(4), Int32Bytes(6));
        // Count, then the records exactly as the node stream writes them.
        QByteArray expected = Int32Bytes(6);
        for (const rVTNodeData &r : records)
            VTSaveNode(r, expected);
        QCOMPARE(payload, expected);
    }

    void roundTrip()
    {
        Fixture source("A[B[C]|D]|E[F[G]]");
        const QByteArray payload = EncodeNodes({source.at("0"), source.at("1/0")});
        QList<rVTNodeData> records;
        QVERIFY(DecodeNodes(payload, records));

        Fixture target("X[Y]");
        const QList<ConnectionNode *> tops = InsertNodes(target.doc, records, target.at("0"), 0);
        QCOMPARE(tops.size(), 2);
        QCOMPARE(target.shape(), QByteArray("X[A[B[C]|D]|F[G]|Y]"));
        QCOMPARE(LevelsOf(target.doc.RootNode()), QByteArray("1 2 3 4 3 2 3 2"));
        QCOMPARE(fieldsBelow(tops.at(0)), fieldsBelow(source.at("0")));
        QCOMPARE(fieldsBelow(tops.at(1)), fieldsBelow(source.at("1/0")));
        for (const ConnectionNode *top : tops)
            QCOMPARE(top->parent(), target.at("0"));
        QVERIFY(target.doc.tableModified());
    }

    void emptyPayload()
    {
        QList<rVTNodeData> records{rVTNodeData{}};
        QVERIFY(DecodeNodes(EncodeNodes({}), records));
        QVERIFY(records.isEmpty());
        Fixture f("A");
        QVERIFY(InsertNodes(f.doc, records, f.at("0"), 0).isEmpty());
        QVERIFY(!f.doc.tableModified());
    }

    void damagedPayload_data()
    {
        QTest::addColumn<QByteArray>("payload");
        const QByteArray good = Int32Bytes(2) + record(0, "a") + record(1, "b");
        QTest::newRow("no count") << QByteArray("\1\0", 2);
        QTest::newRow("count beyond the records") << Int32Bytes(3) + record(0, "a") + record(1, "b");
        QTest::newRow("huge count") << Int32Bytes(0x7fffffff) + record(0, "a");
        QTest::newRow("negative count") << Int32Bytes(-1) + record(0, "a");
        QTest::newRow("bytes left over") << good + QByteArray("x");
        QTest::newRow("record cut short") << good.left(good.size() - 1);
        QTest::newRow("string length beyond the bytes")
            << Int32Bytes(1) + Int32Bytes(0) + Int32Bytes(0) + QByteArray(1, '\0') + Int32Bytes(1000) + QByteArray("abc");
        QTest::newRow("negative string length")
            << Int32Bytes(1) + Int32Bytes(0) + Int32Bytes(0) + QByteArray(1, '\0') + Int32Bytes(-5) + QByteArray(40, '\0');
        QTest::newRow("first record not a branch top") << Int32Bytes(1) + record(1, "a");
        QTest::newRow("level jumps two steps") << Int32Bytes(2) + record(0, "a") + record(2, "b");
        QTest::newRow("negative level") << Int32Bytes(2) + record(0, "a") + record(-1, "b");
        QTest::newRow("good records, then a damaged one") << Int32Bytes(3) + record(0, "a") + record(1, "b")
                                                              + record(0, "c").chopped(2);
    }

    // Nothing of a damaged payload reaches the tree: it is read whole before anything is placed.
    void damagedPayload()
    {
        QFETCH(QByteArray, payload);
        QList<rVTNodeData> records{rVTNodeData{}};
        QVERIFY(!DecodeNodes(payload, records));
        QVERIFY(records.isEmpty());
    }

    // Any cut of a good payload is refused.
    void everyTruncationRefused()
    {
        Fixture f("A[B[C]]|D");
        const QByteArray payload = EncodeNodes({f.at("0"), f.at("1")});
        QList<rVTNodeData> records;
        QVERIFY(DecodeNodes(payload, records));
        for (qsizetype n = 0; n < payload.size(); ++n)
            QVERIFY2(!DecodeNodes(payload.left(n), records) && records.isEmpty(), qPrintable(QString::number(n)));
    }

    // Names clashing with the new siblings become copies; names inside the branches stay.
    void insertRenamesClashes()
    {
        Fixture source("A[x|y]|B");
        QList<rVTNodeData> records;
        QVERIFY(DecodeNodes(EncodeNodes({source.at("0"), source.at("1")}), records));
        Fixture f("A[x]|B|C");
        const QList<ConnectionNode *> tops = InsertNodes(f.doc, records, f.doc.RootNode(), -1);
        QCOMPARE(f.shape(), QByteArray("A[x]|B|C|Copy of A[x|y]|Copy of B"));
        QCOMPARE(tops, (QList<ConnectionNode *>{f.at("3"), f.at("4")}));
        QCOMPARE(LevelsOf(f.doc.RootNode()), QByteArray("1 2 1 1 1 2 2 1"));
    }

    // Many branches pasted at once are named as pasting them one at a time names them: each
    // clash with a sibling there at the time makes the later of the two a copy; clashes
    // inside the branches and those the new parent's branch held already are resolved too.
    void insertOfManyBranches_data()
    {
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<QByteArray>("pasted");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<int>("row");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QByteArray>("levels");
        QTest::newRow("before a namesake: it becomes the copy, the later ones too")
            << QByteArray("N") << QByteArray("N|N|N") << "" << 0
            << QByteArray("N|Copy (2) of N|Copy (3) of N|Copy of N") << QByteArray("1 1 1 1");
        QTest::newRow("a copy's name taken: a copy of the copy")
            << QByteArray("N") << QByteArray("N|Copy of N") << "" << -1
            << QByteArray("N|Copy of N|Copy of Copy of N") << QByteArray("1 1 1");
        QTest::newRow("inside the branches and below the parent already")
            << QByteArray("A[x|x]|B") << QByteArray("A[y|y]|B[z]") << "" << -1
            << QByteArray("A[x|Copy of x]|B|Copy of A[y|Copy of y]|Copy of B[z]") << QByteArray("1 2 2 1 1 2 2 1 2");
        QTest::newRow("separators keep their names")
            << QByteArray(SeparatorText + "|N") << QByteArray(SeparatorText + "|N") << "" << 0
            << QByteArray(SeparatorText + "|N|" + SeparatorText + "|Copy of N") << QByteArray("1 1 1 1");
        QTest::newRow("deeper down")
            << QByteArray("A[B[x]]") << QByteArray("x|x[q]") << "0/0" << 0
            << QByteArray("A[B[x|Copy (2) of x[q]|Copy of x]]") << QByteArray("1 2 3 3 4 3");
    }
    void insertOfManyBranches()
    {
        QFETCH(QByteArray, table);
        QFETCH(QByteArray, pasted);
        QFETCH(QString, parent);
        QFETCH(int, row);
        QFETCH(QByteArray, expected);
        QFETCH(QByteArray, levels);
        ShapedTable source(pasted);
        QList<rVTNodeData> records;
        QVERIFY(DecodeNodes(EncodeNodes(childrenOf(source.doc.RootNode())), records));
        ShapedTable f(table);
        const QList<ConnectionNode *> tops = InsertNodes(f.doc, records, f.at(parent), row);
        QCOMPARE(tops.size(), source.doc.RootNode()->childCount());
        QCOMPARE(f.shape(), expected);
        QCOMPARE(LevelsOf(f.doc.RootNode()), levels);
        QVERIFY(f.doc.tableModified());
    }

    // The same on random tables and payloads, against pasting the branches one at a time.
    void insertOfManyBranchesAsOneAtATime()
    {
        QRandomGenerator rng(2024);
        const QByteArrayList names = {"N", "N", "Copy of N", "Copy (2) of N", "Copy of Copy of N", "M", "M", "-s"};
        for (int round = 0; round < 300; ++round) {
            const QByteArray table = RandomShape(rng, names, 5, 3);
            ShapedTable source(RandomShape(rng, names, 6, 3));
            QList<rVTNodeData> records;
            QVERIFY(DecodeNodes(EncodeNodes(childrenOf(source.doc.RootNode())), records));
            ShapedTable batch(table);
            ShapedTable single(table);
            const QList<ConnectionNode *> places = nodesOf(batch);
            const QString parent = PathOf(places.at(rng.bounded(places.size())));
            const int row = rng.bounded(-1, batch.at(parent)->childCount() + 1);

            InsertNodes(batch.doc, records, batch.at(parent), row);
            int at = row;
            for (qsizetype i = 0; i < records.size();) {
                QList<rVTNodeData> branch{records.at(i)};
                for (++i; i < records.size() && records.at(i).Level > 0; ++i)
                    branch << records.at(i);
                InsertNodes(single.doc, branch, single.at(parent), at);
                if (at >= 0)
                    ++at;
            }
            QCOMPARE(batch.shape(), single.shape());
            QCOMPARE(LevelsOf(batch.doc.RootNode()), LevelsOf(single.doc.RootNode()));
        }
    }

    void insertRefusesInvisibleRoot()
    {
        Fixture f("A");
        const QList<rVTNodeData> records{rVTNodeData{}};
        QVERIFY(InsertNodes(f.doc, records, f.doc.tree().invisibleRoot(), 0).isEmpty());
        QVERIFY(InsertNodes(f.doc, records, nullptr, 0).isEmpty());
        QCOMPARE(f.doc.tree().invisibleRoot()->childCount(), 1);
        QVERIFY(!f.doc.tableModified());
    }

    // Records not read by DecodeNodes still make a tree: a Level too deep is one step deeper,
    // one of 0 or less starts a branch.
    void insertToleratesOddLevels()
    {
        Fixture f("P");
        QList<rVTNodeData> records;
        for (const auto &[name, level] : QList<std::pair<QByteArray, int>>{{"a", 3}, {"b", 5}, {"c", -2}, {"d", 1}}) {
            rVTNodeData d;
            d.Name = name;
            d.Level = level;
            records << d;
        }
        InsertNodes(f.doc, records, f.at("0"), -1);
        QCOMPARE(f.shape(), QByteArray("P[a[b]|c[d]]"));
    }

    // A payload from elsewhere may carry records the table reader would not keep as they
    // are. They are read as it reads them (nameless ones skipped, the records after them
    // placed as it would place them; "-" names made the separator's), so the tree a drop
    // shows is the tree a save and open gives back.
    void payloadReadAsTableFileRecords_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("one nameless record, all zero") << Int32Bytes(1) + QByteArray(33, '\0') << QByteArray("X[Y]|Z");
        QTest::newRow("nameless top, its child becomes a top")
            << Int32Bytes(2) + record(0, "") + record(1, "c") << QByteArray("X[Y]|c|Z");
        QTest::newRow("nameless inside a branch, the deeper record below the one before")
            << Int32Bytes(3) + record(0, "a") + record(1, "") + record(2, "c") << QByteArray("X[Y]|a[c]|Z");
        QTest::newRow("after a nameless record a shallower one climbs by the levels")
            << Int32Bytes(5) + record(0, "a") + record(1, "b") + record(2, "") + record(3, "d") + record(2, "e")
            << QByteArray("X[Y]|a[b[d]|e]|Z");
        QTest::newRow("nameless between branches")
            << Int32Bytes(3) + record(0, "a") + record(0, "") + record(0, "b") << QByteArray("X[Y]|a|b|Z");
        QTest::newRow("a name starting with a dash is a separator")
            << Int32Bytes(1) + record(0, "-dash") << QByteArray("X[Y]|" + SeparatorText + "|Z");
    }

    void payloadReadAsTableFileRecords()
    {
        QFETCH(QByteArray, payload);
        QFETCH(QByteArray, expected);
        QList<rVTNodeData> records;
        QVERIFY(DecodeNodes(payload, records));
        ShapedTable f("X[Y]|Z");
        const QByteArray before = f.shape();
        const QList<ConnectionNode *> placed = DropRecords(f.doc, records, f.at("0"), DropPosition::Below);
        QCOMPARE(f.shape(), expected);
        QCOMPARE(f.doc.tableModified(), f.shape() != before);
        QCOMPARE(placed.isEmpty(), f.shape() == before);

        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("t.QDZ"));
        QVERIFY(SaveConnectionTable(f.doc, file));
        ShapedTable reopened;
        QVERIFY(LoadConnectionTable(reopened.doc, file, false).ok);
        QCOMPARE(reopened.shape(), expected);
        QCOMPARE(fieldsBelow(reopened.doc.RootNode()), fieldsBelow(f.doc.RootNode()));
    }

    void dropFromAnotherInstance_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<DropPosition>("position");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("onto a connection") << "0" << DropPosition::On << QByteArray("A[a|n[m]]|" + SeparatorText);
        QTest::newRow("above a connection") << "0/0" << DropPosition::Above << QByteArray("A[n[m]|a]|" + SeparatorText);
        QTest::newRow("below a separator") << "1" << DropPosition::Below << QByteArray("A[a]|" + SeparatorText + "|n[m]");
        QTest::newRow("onto a separator") << "1" << DropPosition::On << QByteArray();
        QTest::newRow("beside RootNode") << "" << DropPosition::Below << QByteArray();
    }

    void dropFromAnotherInstance()
    {
        QFETCH(QString, target);
        QFETCH(DropPosition, position);
        QFETCH(QByteArray, expected);
        Fixture other("n[m]");
        QList<rVTNodeData> records;
        QVERIFY(DecodeNodes(EncodeNodes({other.at("0")}), records));
        Fixture f("A[a]|" + SeparatorText);
        f.doc.CurrentNode = f.at("0");
        const QList<ConnectionNode *> placed = DropRecords(f.doc, records, f.at(target), position);
        QCOMPARE(placed.isEmpty(), expected.isEmpty());
        QCOMPARE(f.shape(), expected.isEmpty() ? QByteArray("A[a]|" + SeparatorText) : expected);
        QCOMPARE(f.doc.tableModified(), !expected.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestNodeClipboard)
#include "tst_nodeclipboard.moc"
