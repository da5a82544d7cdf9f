#include "support/NodeRecords.h"
#include "mainwindow/ConnectionTreeModel.h"
#include "platform/SystemInfo.h"
#include "table/ConnectionTree.h"

#include <QAbstractItemModelTester>
#include <QStandardItemModel>
#include <QTest>

namespace {

// RootNode with A (A1, A2, A3) and B (B1).
struct Fixture
{
    ConnectionTree tree;
    ConnectionNode *root = nullptr;
    ConnectionNode *a = nullptr;
    ConnectionNode *b = nullptr;

    Fixture()
    {
        root = tree.addChild(nullptr);
        a = tree.addChild(root, NamedRecord("A"));
        for (const char *n : {"A1", "A2", "A3"})
            tree.addChild(a, NamedRecord(n));
        b = tree.addChild(root, NamedRecord("B"));
        tree.addChild(b, NamedRecord("B1"));
    }
};

QStringList childNames(const ConnectionTreeModel &model, const QModelIndex &parent)
{
    QStringList out;
    for (int r = 0; r < model.rowCount(parent); ++r)
        out << model.index(r, 0, parent).data().toString();
    return out;
}

} // namespace

class TestConnectionTreeModel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void structureFollowsTheTree();
    void persistentIndexesFollowChanges();
    void rootCaption();
    void decodedNames_data();
    void decodedNames();
    void flagsAndRename();
    void indexForAndNodeFor();
};

// The model tester checks every signal and answer of the model while the tree changes in all
// the ways the table commands change it.
void TestConnectionTreeModel::structureFollowsTheTree()
{
    Fixture f;
    ConnectionTreeModel model(f.tree);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

    ConnectionNode *a1 = f.a->child(0);
    f.tree.addChild(f.a, NamedRecord("A0"), 0);                 // insert first
    f.tree.addChild(f.a, NamedRecord("A4"));                    // append
    f.tree.addChild(f.a, NamedRecord("Amid"), 2);               // insert in the middle
    QCOMPARE(childNames(model, model.indexFor(f.a)), (QStringList{"A0", "A1", "Amid", "A2", "A3", "A4"}));

    QVERIFY(f.tree.moveNode(a1, f.a, f.a->childCount()));  // down to the end
    QVERIFY(f.tree.moveNode(a1, f.a, 0));                  // back to the top
    QVERIFY(f.tree.moveNode(a1, f.b, 0));                  // to another parent
    QVERIFY(f.tree.moveNode(f.b, f.a, 1));                 // a branch one level down
    QCOMPARE(childNames(model, model.indexFor(f.a)), (QStringList{"A0", "B", "Amid", "A2", "A3", "A4"}));
    QCOMPARE(childNames(model, model.indexFor(f.b)), (QStringList{"A1", "B1"}));
    QCOMPARE(f.b->child(0)->data.Level, 3);
    QVERIFY(!f.tree.moveNode(f.a, f.b, 0));                // into its own branch: refused

    ConnectionNode *copy = f.tree.copyBranch(f.b, f.root, -1);
    QCOMPARE(model.rowCount(model.indexFor(copy)), 2);

    f.a->child(2)->data.Name = "Renamed";
    f.tree.notifyChanged(f.a->child(2));
    QCOMPARE(model.indexFor(f.a->child(2)).data().toString(), QStringLiteral("Renamed"));

    f.tree.removeNode(f.b);                                // a branch with children
    f.tree.removeNode(f.a->lastChild());
    QCOMPARE(childNames(model, model.indexFor(f.a)), (QStringList{"A0", "Renamed", "A2", "A3"}));

    {
        BulkChange bulk(f.tree);                           // one reset for a whole table
        f.tree.clear();
        ConnectionNode *root = f.tree.addChild(nullptr);
        for (int i = 0; i < 50; ++i)
            f.tree.addChild(root, NamedRecord("N" + QByteArray::number(i)));
    }
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.rowCount(model.index(0, 0)), 50);
    f.tree.clear();
    QCOMPARE(model.rowCount(), 0);
}

void TestConnectionTreeModel::persistentIndexesFollowChanges()
{
    Fixture f;
    ConnectionTreeModel model(f.tree);
    ConnectionNode *a2 = f.a->child(1);
    ConnectionNode *b1 = f.b->child(0);
    QPersistentModelIndex pa2 = model.indexFor(a2);
    QPersistentModelIndex pb1 = model.indexFor(b1);

    f.tree.addChild(f.a, NamedRecord("A0"), 0);
    QCOMPARE(model.nodeFor(pa2), a2);
    QCOMPARE(pa2.row(), 2);

    QVERIFY(f.tree.moveNode(f.b, f.a, 0));
    QCOMPARE(model.nodeFor(pb1), b1);
    QCOMPARE(model.nodeFor(pb1.parent().parent()), f.a);
    QCOMPARE(model.nodeFor(pa2), a2);
    QCOMPARE(pa2.row(), 3);

    f.tree.removeNode(f.b);
    QVERIFY(!pb1.isValid());
    QCOMPARE(model.nodeFor(pa2), a2);

    {
        BulkChange bulk(f.tree);
        f.tree.clear();
    }
    QVERIFY(!pa2.isValid());
}

void TestConnectionTreeModel::rootCaption()
{
    Fixture f;
    ConnectionTreeModel model(f.tree);
    const QString expected = QStringLiteral("This computer (") + SystemInfo::computerName() + QStringLiteral(")");
    QCOMPARE(model.index(0, 0).data().toString(), expected);
    QCOMPARE(model.index(0, 0).data(Qt::EditRole).toString(), expected);
    QCOMPARE(model.rootCaption(), expected);
    // Its record keeps an empty name.
    QVERIFY(f.root->data.Name.isEmpty());
}

void TestConnectionTreeModel::decodedNames_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("shown");
    QTest::newRow("ascii") << QByteArray("Server 1") << QStringLiteral("Server 1");
    QTest::newRow("utf-8") << QByteArray("Caf\xc3\xa9") << QStringLiteral("Caf\u00e9");
    QTest::newRow("windows-1252") << QByteArray("Caf\xe9 \x80") << QStringLiteral("Caf\u00e9 \u20ac");
    QTest::newRow("separator") << SeparatorText << QStringLiteral("----- separator line -----");
    QTest::newRow("empty") << QByteArray() << QString();
}

void TestConnectionTreeModel::decodedNames()
{
    QFETCH(QByteArray, name);
    QFETCH(QString, shown);
    Fixture f;
    ConnectionTreeModel model(f.tree);
    ConnectionNode *n = f.tree.addChild(f.a, NamedRecord(name));
    QCOMPARE(model.indexFor(n).data(Qt::DisplayRole).toString(), shown);
    QCOMPARE(model.indexFor(n).data(Qt::EditRole).toString(), shown);
    QVERIFY(!model.indexFor(n).data(Qt::DecorationRole + 100).isValid());
}

void TestConnectionTreeModel::flagsAndRename()
{
    Fixture f;
    ConnectionTreeModel model(f.tree);
    const QModelIndex root = model.indexFor(f.root);
    const QModelIndex a = model.indexFor(f.a);
    QVERIFY(!(model.flags(root) & Qt::ItemIsEditable));
    QVERIFY(model.flags(root) & Qt::ItemIsSelectable);
    QVERIFY(model.flags(a) & Qt::ItemIsEditable);
    QVERIFY(model.flags(model.indexFor(f.a->child(0))) & Qt::ItemIsEditable);
    QCOMPARE(model.flags(QModelIndex()), Qt::NoItemFlags);

    // Without a handler nothing can be renamed.
    QVERIFY(!model.setData(a, QStringLiteral("X")));

    QList<std::pair<ConnectionNode *, QString>> calls;
    model.setRenameHandler([&calls](ConnectionNode *node, const QString &text) { calls.append({node, text}); });
    QVERIFY(model.setData(a, QStringLiteral("  New name ")));
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.first().first, f.a);
    QCOMPARE(calls.first().second, QStringLiteral("  New name "));
    // The record is the handler's to change.
    QCOMPARE(f.a->data.Name, QByteArray("A"));

    QVERIFY(!model.setData(root, QStringLiteral("X")));
    QVERIFY(!model.setData(a, QStringLiteral("X"), Qt::DisplayRole));
    QCOMPARE(calls.size(), 1);
}

void TestConnectionTreeModel::indexForAndNodeFor()
{
    Fixture f;
    ConnectionTreeModel model(f.tree);
    QVERIFY(!model.indexFor(nullptr).isValid());
    QVERIFY(!model.indexFor(f.tree.invisibleRoot()).isValid());
    QCOMPARE(model.nodeFor(QModelIndex()), nullptr);
    for (ConnectionNode *n = f.root; n; n = ConnectionTree::nextPreorder(n, f.tree.invisibleRoot())) {
        const QModelIndex i = model.indexFor(n);
        QCOMPARE(model.nodeFor(i), n);
        QCOMPARE(i, model.index(n->row(), 0, model.indexFor(n->parent())));
    }
    // An index of another model names no node of this one.
    QStandardItemModel other(1, 1);
    QCOMPARE(model.nodeFor(other.index(0, 0)), nullptr);
    QVERIFY(!model.index(0, 1).isValid());
    QVERIFY(!model.index(5, 0).isValid());
}

QTEST_GUILESS_MAIN(TestConnectionTreeModel)
#include "tst_connectiontreemodel.moc"
