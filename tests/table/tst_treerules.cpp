#include "platform/FieldText.h"
#include "support/FakeTableHost.h"
#include "support/ShapedTable.h"
#include "support/TreeShape.h"
#include "table/TableDocument.h"
#include "table/TreeRules.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

namespace {

QByteArray describe(const rVTNodeData &d)
{
    return d.Name + ';' + QByteArray::number(d.Kind) + ';' + d.Macro + ';' + d.Popup + ';'
        + (d.LogSession ? "1" : "0") + ';' + d.Colors + ';' + d.Schedule + ';' + d.LastUpdated;
}

// A plain reading of the naming rule: try numbers one by one against all names run together.
QByteArray unnamedByBruteForce(const ConnectionTree &tree)
{
    QByteArray all;
    ConnectionTree::forEachBelow(tree.invisibleRoot(), [&all](ConnectionNode *n) { all += n->data.Name; });
    for (int n = 1;; ++n) {
        const QByteArray candidate = "Unnamed connection #" + QByteArray::number(n);
        if (!all.contains(candidate))
            return candidate;
    }
}

QString conversionQuestion(const QString &name)
{
    return QStringLiteral("Connection '") + name
        + QStringLiteral("' will be converted into separator line.\nAll associated data will be deleted.\n\rDo you want to continue?");
}

QString childrenRefusal(const QString &name)
{
    return QStringLiteral("Connection '") + name
        + QStringLiteral("' cannot be replaced with separator line\rbecause it has at least one child.");
}

const QString kEmpty = QStringLiteral("Connection name cannot be empty.");
const QString kAmpersand = QStringLiteral("Connection name cannot contain '&' character.");
const QString kUnique = QStringLiteral("Connection name has to be unique among its sibling connections.");

} // namespace

class TestTreeRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTreeAddsRootNode()
    {
        FakeTableHost host;
        TableDocument doc(host);
        ConnectionNode *root = InitTree(doc);
        QVERIFY(root);
        QCOMPARE(doc.RootNode(), root);
        QCOMPARE(doc.tree().invisibleRoot()->childCount(), 1);
        QCOMPARE(describe(root->data), QByteArray(";0;;;0;;;"));
        QCOMPARE(root->data.Level, 0);
    }

    // A new table: RootNode alone, no file, no marks, nothing current.
    void newTable()
    {
        ShapedTable f("A[B]|C");
        f.doc.CurrentTableFile = QStringLiteral("/t/office.QDZ");
        f.doc.CurrentNode = f.at("0/0");
        f.doc.SetNodeModified(true);
        f.doc.UpdateCaption(true);
        ConnectionNode *root = NewTable(f.doc);
        QCOMPARE(f.doc.RootNode(), root);
        QCOMPARE(f.shape(), QByteArray());
        QVERIFY(f.doc.CurrentTableFile.isEmpty());
        QVERIFY(!f.doc.CurrentNode);
        QVERIFY(!f.doc.IsNodeModified());
        QVERIFY(!f.doc.tableModified());
        QCOMPARE(f.doc.captionText(), QStringLiteral("Wexmora Configuration - [Noname.QDZ]"));
    }

    void isRealConnection_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("real");
        QTest::newRow("RootNode") << "" << true;
        QTest::newRow("connection") << "0" << true;
        QTest::newRow("separator line") << "1" << false;
        QTest::newRow("any dash name") << "2" << false;
        QTest::newRow("blank before dash") << "3" << true;
        QTest::newRow("empty name below root") << "4" << true;
    }

    void isRealConnection()
    {
        QFETCH(QString, path);
        QFETCH(bool, real);
        ShapedTable f;
        BuildShape(f.doc.tree(), "A|" + SeparatorText + "|-x| -y|");
        QCOMPARE(f.doc.RootNode()->childCount(), 5);
        QCOMPARE(IsRealConnection(NodeAt(f.doc, path)), real);
    }

    void isRealConnectionNull() { QVERIFY(!IsRealConnection(nullptr)); }

    void newUnnamedConnectionName_data()
    {
        QTest::addColumn<QByteArray>("shape");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("empty tree") << QByteArray() << QByteArray("Unnamed connection #1");
        QTest::newRow("#12 rules out #1") << QByteArray("Unnamed connection #12") << QByteArray("Unnamed connection #2");
        QTest::newRow("#1 taken") << QByteArray("Unnamed connection #1") << QByteArray("Unnamed connection #2");
        QTest::newRow("#2 alone") << QByteArray("Unnamed connection #2") << QByteArray("Unnamed connection #1");
        QTest::newRow("#10 rules out #1 only") << QByteArray("Unnamed connection #10") << QByteArray("Unnamed connection #2");
        QTest::newRow("whole tree, any depth")
            << QByteArray("A[Unnamed connection #1[Unnamed connection #2]]|B[Unnamed connection #3]")
            << QByteArray("Unnamed connection #4");
        QTest::newRow("inside a longer name") << QByteArray("My Unnamed connection #1 copy") << QByteArray("Unnamed connection #2");
        QTest::newRow("across two names") << QByteArray("X Unnamed conn|ection #1") << QByteArray("Unnamed connection #2");
        QTest::newRow("number in the next name") << QByteArray("Unnamed connection #|1") << QByteArray("Unnamed connection #2");
        QTest::newRow("leading zero") << QByteArray("Unnamed connection #01") << QByteArray("Unnamed connection #1");
        QTest::newRow("letter after number") << QByteArray("Unnamed connection #1x") << QByteArray("Unnamed connection #2");
        QTest::newRow("very long number")
            << QByteArray("Unnamed connection #1234567890123456789012345678901234567890")
            << QByteArray("Unnamed connection #2");
        QTest::newRow("case matters") << QByteArray("unnamed connection #1") << QByteArray("Unnamed connection #1");
        QByteArrayList many;
        for (int i = 1; i <= 2000; ++i)
            many << "Unnamed connection #" + QByteArray::number(i);
        QTest::newRow("2000 in a row") << many.join('|') << QByteArray("Unnamed connection #2001");
    }

    void newUnnamedConnectionName()
    {
        QFETCH(QByteArray, shape);
        QFETCH(QByteArray, expected);
        ShapedTable f;
        BuildShape(f.doc.tree(), shape);
        QCOMPARE(NewUnnamedConnectionName(f.doc), expected);
    }

    // Random trees built from pieces of the name, checked against the rule read plainly.
    void newUnnamedConnectionNameMatchesPlainRule()
    {
        QRandomGenerator rng(20240611);
        const QByteArrayList pieces = {"Unnamed connection #", "Unnamed ", "connection #", "1", "2", "3",
                                       "0", "12", "x", "#", "Unnamed connection #1"};
        for (int round = 0; round < 300; ++round) {
            ShapedTable f;
            const int count = rng.bounded(1, 8);
            for (int i = 0; i < count; ++i) {
                QByteArray name;
                for (int p = rng.bounded(1, 4); p > 0; --p)
                    name += pieces.at(rng.bounded(qsizetype(pieces.size())));
                ConnectionNode *top = f.doc.RootNode();
                ConnectionNode *parent = top->hasChildren() && rng.bounded(2) ? top->lastChild() : top;
                rVTNodeData d;
                d.Name = name;
                f.doc.tree().addChild(parent, d);
            }
            QCOMPARE(NewUnnamedConnectionName(f.doc), unnamedByBruteForce(f.doc.tree()));
        }
    }

    // The number stays the plain rule's while nodes come, go, move and are renamed, also when
    // the prefix and its digits run across names that meet only after a change.
    void newUnnamedConnectionNameFollowsEveryChange()
    {
        QRandomGenerator rng(20251211);
        const QByteArrayList pieces = {"Unnamed connection #", "Unnamed ", "connection #", "1", "2", "3",
                                       "0", "12", "x", "#", "Unnamed connection #1", ""};
        auto randomName = [&] {
            QByteArray name;
            for (int p = rng.bounded(0, 3); p > 0; --p)
                name += pieces.at(rng.bounded(qsizetype(pieces.size())));
            return name;
        };
        for (int round = 0; round < 150; ++round) {
            ShapedTable f;
            ConnectionTree &tree = f.doc.tree();
            for (int step = 0; step < 25; ++step) {
                QList<ConnectionNode *> nodes;
                ConnectionTree::forEachBelow(f.doc.RootNode(), [&](ConnectionNode *n) { nodes << n; });
                ConnectionNode *some = nodes.isEmpty() ? nullptr : nodes.at(rng.bounded(nodes.size()));
                ConnectionNode *place = rng.bounded(3) == 0 || !some ? f.doc.RootNode() : some;
                switch (rng.bounded(6)) {
                case 0:
                case 1: {
                    rVTNodeData d;
                    d.Name = randomName();
                    tree.addChild(place, d, rng.bounded(place->childCount() + 1));
                    break;
                }
                case 2:
                    if (some) {
                        some->data.Name = randomName();
                        tree.notifyChanged(some);
                    }
                    break;
                case 3:
                    if (some)
                        tree.removeNode(some);
                    break;
                case 4:
                    if (some && place != some && !some->isAncestorOf(place))
                        tree.moveNode(some, place, rng.bounded(place->childCount() + 1));
                    break;
                case 5:
                    if (some)
                        tree.copyBranch(some, place, rng.bounded(place->childCount() + 1));
                    break;
                }
                QCOMPARE(NewUnnamedConnectionName(f.doc), unnamedByBruteForce(tree));
            }
            NewTable(f.doc);
            QCOMPARE(NewUnnamedConnectionName(f.doc), QByteArray("Unnamed connection #1"));
        }
    }

    // Only names that are not separators clash; an empty name clashes with another one.
    void childrenNamesClash_data()
    {
        QTest::addColumn<QByteArray>("shape");
        QTest::addColumn<bool>("clash");
        QTest::newRow("none") << QByteArray("") << false;
        QTest::newRow("one") << QByteArray("N") << false;
        QTest::newRow("distinct") << QByteArray("N|M|n") << false;
        QTest::newRow("twice") << QByteArray("N|M|N") << true;
        QTest::newRow("separators twice") << QByteArray("-s|N|-s") << false;
        QTest::newRow("empty names twice") << QByteArray("|N|") << true;
        QTest::newRow("many distinct") << QByteArray("a|b|c|d|e|f|g|h|i|j|k|l") << false;
        QTest::newRow("many, last twice") << QByteArray("a|b|c|d|e|f|g|h|i|j|k|a") << true;
        QTest::newRow("many separators") << QByteArray("-|-|-|-|-|-|-|-|-|-|a|b") << false;
    }

    void childrenNamesClash()
    {
        QFETCH(QByteArray, shape);
        QFETCH(bool, clash);
        ShapedTable f;
        BuildShape(f.doc.tree(), shape);
        QCOMPARE(ChildrenNamesClash(f.doc.RootNode()), clash);
    }

    // A table read in one go keeps the clashes it brought for the next check below a parent
    // that holds them, at any depth; the groups without a clash are not renamed.
    void clashesReadInOneGoAreRenamedLater()
    {
        ShapedTable f;
        {
            BulkChange bulk(f.doc.tree());
            BuildShape(f.doc.tree(), "A[x|x|y[p|p]]|B[y|z]|A|-|-");
        }
        QCOMPARE(RenameDuplicateSiblings(f.doc, f.at("1")), 0);
        QCOMPARE(RenameDuplicateSiblings(f.doc, f.doc.RootNode()), 3);
        QCOMPARE(f.shape(), QByteArray("A[x|Copy of x|y[p|Copy of p]]|B[y|z]|Copy of A|-|-"));
    }

    void uniqueSiblingName_data()
    {
        QTest::addColumn<QByteArray>("siblings");
        QTest::addColumn<int>("row");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("no siblings") << QByteArray("N") << 0 << QByteArray("N");
        QTest::newRow("free name kept") << QByteArray("N|Copy of N") << 0 << QByteArray("N");
        QTest::newRow("first copy") << QByteArray("N|N") << 1 << QByteArray("Copy of N");
        QTest::newRow("beside Copy of N") << QByteArray("N|N|Copy of N") << 1 << QByteArray("Copy (2) of N");
        QTest::newRow("sequence goes on") << QByteArray("Copy (2) of N|N|Copy of N|N") << 3 << QByteArray("Copy (3) of N");
        QTest::newRow("gap is used") << QByteArray("N|Copy (2) of N|N") << 2 << QByteArray("Copy of N");
        QTest::newRow("letter case differs") << QByteArray("n|N") << 1 << QByteArray("N");
        QTest::newRow("copy name in other case") << QByteArray("N|copy of N|N") << 2 << QByteArray("Copy of N");
        QTest::newRow("separators unchanged") << QByteArray("-x|-x") << 1 << QByteArray("-x");
        QTest::newRow("line feed in a name") << QByteArray("A\nB|A|B") << 1 << QByteArray("A");
        QTest::newRow("line feed, other side") << QByteArray("A\nB|A|B") << 2 << QByteArray("B");
        QTest::newRow("part of a name") << QByteArray("NN|N") << 1 << QByteArray("N");
    }

    void uniqueSiblingName()
    {
        QFETCH(QByteArray, siblings);
        QFETCH(int, row);
        QFETCH(QByteArray, expected);
        ShapedTable f;
        BuildShape(f.doc.tree(), siblings);
        QCOMPARE(UniqueSiblingName(f.doc.RootNode()->child(row)), expected);
    }

    void renameDuplicateSiblings_data()
    {
        QTest::addColumn<QByteArray>("shape");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<int>("renamed");
        QTest::newRow("three equal") << QByteArray("N|N|N") << QByteArray("N|Copy (2) of N|Copy of N") << 2;
        QTest::newRow("nothing to do") << QByteArray("A|B[C|D]") << QByteArray("A|B[C|D]") << 0;
        QTest::newRow("deeper clashes counted")
            << QByteArray("A[N|N[M|M|M]]|B[X|X]")
            << QByteArray("A[N|Copy of N[M|Copy (2) of M|Copy of M]]|B[X|Copy of X]") << 4;
        QTest::newRow("clashing parents and their children")
            << QByteArray("A[x|x]|A[y|y]") << QByteArray("A[x|Copy of x]|Copy of A[y|Copy of y]") << 3;
        QTest::newRow("existing copy name") << QByteArray("N|N|Copy of N") << QByteArray("N|Copy (2) of N|Copy of N") << 1;
        QTest::newRow("copy name before") << QByteArray("N|Copy of N|N") << QByteArray("N|Copy of N|Copy (2) of N") << 1;
        QTest::newRow("separators never renamed")
            << QByteArray("-s|-s|N|-s") << QByteArray("-s|-s|N|-s") << 0;
        QTest::newRow("separator lines beside clash")
            << QByteArray(SeparatorText + "|N|" + SeparatorText + "|N")
            << QByteArray(SeparatorText + "|N|" + SeparatorText + "|Copy of N") << 1;
        QTest::newRow("letter case") << QByteArray("a|A") << QByteArray("a|A") << 0;
        QTest::newRow("line feeds in names") << QByteArray("A\nB|A|B") << QByteArray("A\nB|A|B") << 0;
        QTest::newRow("copies of copies")
            << QByteArray("N|N|Copy of N|Copy of N")
            << QByteArray("N|Copy (2) of N|Copy of N|Copy of Copy of N") << 2;
        QByteArrayList many;
        QByteArrayList renamed;
        for (int i = 0; i < 300; ++i) {
            many << "N";
            renamed << (i == 0 ? QByteArray("N") : i == 299 ? QByteArray("Copy of N")
                                                           : "Copy (" + QByteArray::number(300 - i) + ") of N");
        }
        QTest::newRow("300 equal") << many.join('|') << renamed.join('|') << 299;
    }

    void renameDuplicateSiblings()
    {
        QFETCH(QByteArray, shape);
        QFETCH(QByteArray, expected);
        QFETCH(int, renamed);
        ShapedTable f;
        BuildShape(f.doc.tree(), shape);
        QCOMPARE(ShapeOf(f.doc.RootNode()), shape);
        QCOMPARE(RenameDuplicateSiblings(f.doc, f.doc.RootNode()), renamed);
        QCOMPARE(ShapeOf(f.doc.RootNode()), expected);
        QCOMPARE(f.doc.RootNode()->data.Name, QByteArray());
    }

    // Random sibling groups against the rule applied one child at a time, last first.
    void renameDuplicateSiblingsMatchesOneByOne()
    {
        QRandomGenerator rng(977);
        const QByteArrayList names = {"N", "N", "N", "Copy of N", "Copy (2) of N", "Copy (3) of N",
                                      "Copy of Copy of N", "M", "M", "-s"};
        for (int round = 0; round < 300; ++round) {
            QByteArrayList group;
            for (int i = rng.bounded(1, 9); i > 0; --i)
                group << names.at(rng.bounded(qsizetype(names.size())));
            ShapedTable f;
            ShapedTable plain;
            BuildShape(f.doc.tree(), group.join('|'));
            BuildShape(plain.doc.tree(), group.join('|'));
            int expected = 0;
            ConnectionNode *top = plain.doc.RootNode();
            for (int i = top->childCount() - 1; i >= 0; --i) {
                const QByteArray unique = UniqueSiblingName(top->child(i));
                if (unique != top->child(i)->data.Name) {
                    top->child(i)->data.Name = unique;
                    ++expected;
                }
            }
            QCOMPARE(RenameDuplicateSiblings(f.doc, f.doc.RootNode()), expected);
            QCOMPARE(ShapeOf(f.doc.RootNode()), ShapeOf(top));
        }
    }

    // The tree reports each renamed node; the selection stays as it was.
    void renameDuplicateSiblingsReportsChanges()
    {
        ShapedTable f;
        BuildShape(f.doc.tree(), "N|N|A[x|x]");
        ConnectionNode *root = f.doc.RootNode();
        const QList<ConnectionNode *> selection = {root->child(1), root->child(2)};
        f.selected = selection;
        f.focused = root->child(1);
        QSignalSpy spy(&f.doc.tree(), &ConnectionTree::nodeChanged);
        QCOMPARE(RenameDuplicateSiblings(f.doc, root), 2);
        QSet<ConnectionNode *> reported;
        for (const QList<QVariant> &args : spy)
            reported.insert(args.at(0).value<ConnectionNode *>());
        QCOMPARE(reported, (QSet<ConnectionNode *>{root->child(1), root->child(2)->child(1)}));
        QCOMPARE(f.selected, selection);
        QCOMPARE(f.focused, root->child(1));
    }

    // Only the given parent's branch is looked at.
    void renameDuplicateSiblingsBelowOneParent()
    {
        ShapedTable f;
        BuildShape(f.doc.tree(), "N|N|A[x|x[y|y]]");
        ConnectionNode *a = f.doc.RootNode()->child(2);
        QCOMPARE(RenameDuplicateSiblings(f.doc, a), 2);
        QCOMPARE(ShapeOf(f.doc.RootNode()), QByteArray("N|N|A[x|Copy of x[y|Copy of y]]"));
        QCOMPARE(RenameDuplicateSiblings(f.doc, nullptr), 0);
    }

    void validateConnectionName_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("own name") << QByteArray("A") << 0 << true << QStringList();
        QTest::newRow("previous sibling's") << QByteArray("A") << 1 << false << QStringList{kUnique};
        QTest::newRow("next sibling's") << QByteArray("C") << 1 << false << QStringList{kUnique};
        QTest::newRow("other case") << QByteArray("c") << 1 << true << QStringList();
        QTest::newRow("child's name") << QByteArray("X") << 1 << true << QStringList();
        QTest::newRow("ampersand first") << QByteArray("A&") << 0 << false << QStringList{kAmpersand};
    }

    void validateConnectionName()
    {
        QFETCH(QByteArray, name);
        QFETCH(int, row);
        QFETCH(bool, accepted);
        QFETCH(QStringList, boxes);
        ShapedTable f;
        BuildShape(f.doc.tree(), "A|B|C[X]");
        QCOMPARE(ValidateConnectionName(f.doc, name, f.doc.RootNode()->child(row)), accepted);
        QCOMPARE(f.host.scripted.texts(), boxes);
        for (const ScriptedPrompter::Box &box : f.host.scripted.boxes()) {
            QCOMPARE(box.kind, Prompter::Kind::Warning);
            QCOMPARE(box.buttons, Prompter::Buttons::Ok);
        }
    }

    void vtEditing_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("RootNode") << "" << false;
        QTest::newRow("connection") << "0" << true;
        QTest::newRow("separator") << "1" << true;
        QTest::newRow("deeper") << "0/0" << true;
    }

    void vtEditing()
    {
        QFETCH(QString, path);
        QFETCH(bool, allowed);
        ShapedTable f;
        BuildShape(f.doc.tree(), "A[B]|-s");
        QCOMPARE(VTEditing(f.doc, NodeAt(f.doc, path)), allowed);
        QVERIFY(!VTEditing(f.doc, nullptr));
    }

    void vtNewText_data()
    {
        // Top level: A[A1|-s2] B -s1 Café(in Windows-1252). Each node has its own macro,
        // popup, colours and log state so the test sees which of them a rename keeps.
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("loading");
        QTest::addColumn<bool>("copying");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QByteArray>("record");   // describe() after, "" = unchanged
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<bool>("changeHandled");  // VTChange ran for the node

        const QByteArray sep = SeparatorText;
        const QList<int> none;
        const QList<int> yes{Prompter::Yes};
        const QList<int> no{Prompter::No};
        const QString B = QStringLiteral("1");
        const QString s1 = QStringLiteral("2");
        const QString s2 = QStringLiteral("0/1");

        QTest::newRow("empty") << B << "" << false << false << none << QByteArray() << QStringList{kEmpty} << false << false;
        QTest::newRow("blanks only") << B << " \t  " << false << false << none << QByteArray() << QStringList{kEmpty} << false << false;
        QTest::newRow("line breaks only") << B << "\r\n" << false << false << none << QByteArray() << QStringList{kEmpty} << false << false;
        QTest::newRow("ampersand") << B << "X&Y" << false << false << none << QByteArray() << QStringList{kAmpersand} << true << false;
        QTest::newRow("sibling's name") << B << "A" << false << false << none << QByteArray() << QStringList{kUnique} << true << false;
        QTest::newRow("sibling's name with blanks") << B << "  A " << false << false << none << QByteArray() << QStringList{kUnique} << true << false;
        QTest::newRow("own name with blanks") << "0" << " A " << false << false << none
            << QByteArray("A;2;mA;pA;0;cA;=s;lu") << QStringList() << true << true;
        QTest::newRow("trimmed") << B << "\t New name  " << false << false << none
            << QByteArray("New name;2;mB;pB;0;cB;=s;lu") << QStringList() << true << true;
        QTest::newRow("line break inside becomes blanks") << B << "New\r\nname\n" << false << false << none
            << QByteArray("New  name;2;mB;pB;0;cB;=s;lu") << QStringList() << true << true;
        QTest::newRow("stored as UTF-8") << B << QStringLiteral("Caf\u00e9 2") << false << false << none
            << QByteArray("Caf\xc3\xa9 2;2;mB;pB;0;cB;=s;lu") << QStringList() << true << true;
        QTest::newRow("sibling's name in other case") << B << "a" << false << false << none
            << QByteArray("a;2;mB;pB;0;cB;=s;lu") << QStringList() << true << true;
        QTest::newRow("child's name") << B << "A1" << false << false << none
            << QByteArray("A1;2;mB;pB;0;cB;=s;lu") << QStringList() << true << true;

        QTest::newRow("separator request, blanks first") << B << " -x" << false << false << yes
            << QByteArray(sep + ";3;;;0;cB;=s;lu") << QStringList{conversionQuestion("B")} << true << false;
        QTest::newRow("conversion refused") << B << "-x" << false << false << no
            << QByteArray() << QStringList{conversionQuestion("B")} << false << false;
        QTest::newRow("node with children") << "0" << "-x" << false << false << none
            << QByteArray() << QStringList{childrenRefusal("A")} << false << false;
        QTest::newRow("node with children while copying") << "0" << "-x" << false << true << none
            << QByteArray() << QStringList{childrenRefusal("A")} << false << false;
        QTest::newRow("name shown decoded") << "3" << "-" << false << false << yes
            << QByteArray(sep + ";3;;;0;cCaf\xe9;=s;lu") << QStringList{conversionQuestion(QStringLiteral("Caf\u00e9"))} << true << false;
        QTest::newRow("separator to -y asks again") << s1 << "-y" << false << false << yes
            << QByteArray(sep + ";3;;;0;c-s1;=s;lu") << QStringList{conversionQuestion("-s1")} << true << false;
        QTest::newRow("copying: no question") << B << "-x" << false << true << none
            << QByteArray(sep + ";3;;;0;cB;=s;lu") << QStringList() << true << false;
        QTest::newRow("loading: no question") << B << "-x" << true << false << none
            << QByteArray(sep + ";3;;;0;cB;=s;lu") << QStringList() << true << false;

        QTest::newRow("top separator to name") << s1 << "Srv" << false << false << none
            << QByteArray("Srv;3;;;1;teraterm-colours;=s;lu") << QStringList() << true << true;
        QTest::newRow("deeper separator to name") << s2 << "Srv" << false << false << none
            << QByteArray("Srv;3;;;1;cA;=s;lu") << QStringList() << true << true;
        QTest::newRow("separator to sibling's name") << s1 << "B" << false << false << none
            << QByteArray() << QStringList{kUnique} << true << false;

        QTest::newRow("copying: no validation") << B << "A" << false << true << none
            << QByteArray("A;2;mB;pB;0;cB;=s;lu") << QStringList() << true << true;
        QTest::newRow("copying: ampersand kept") << B << "X&Y" << false << true << none
            << QByteArray("X&Y;2;mB;pB;0;cB;=s;lu") << QStringList() << true << true;
        QTest::newRow("loading still validates") << B << "A" << true << false << none
            << QByteArray() << QStringList{kUnique} << true << false;
        QTest::newRow("RootNode untouched") << "" << "X" << false << false << none
            << QByteArray() << QStringList() << false << false;
    }

    void vtNewText()
    {
        QFETCH(QString, path);
        QFETCH(QString, text);
        QFETCH(bool, loading);
        QFETCH(bool, copying);
        QFETCH(QList<int>, answers);
        QFETCH(QByteArray, record);
        QFETCH(QStringList, boxes);
        QFETCH(bool, modified);
        QFETCH(bool, changeHandled);

        ShapedTable f;
        BuildShape(f.doc.tree(), "A[A1|-s2]|B|-s1|Caf\xe9");
        ConnectionTree::forEachBelow(f.doc.RootNode(), [](ConnectionNode *n) {
            rVTNodeData &d = n->data;
            d.Kind = IsSeparatorName(d.Name) ? NodeKindSeparator : NodeKindWithMacro;
            d.Macro = "m" + d.Name;
            d.Popup = "p" + d.Name;
            d.Colors = "c" + d.Name;
            d.Schedule = "=s";
            d.LastUpdated = "lu";
        });
        ConnectionNode *node = NodeAt(f.doc, path);
        const QByteArray before = describe(node->data);
        const QByteArray shapeBefore = ShapeOf(f.doc.RootNode());
        f.doc.LoadingFlag = loading;
        f.doc.CopyInProgressFlag = copying;
        for (int a : answers)
            f.host.scripted.queue(Prompter::Answer(a));
        QSignalSpy changed(&f.doc.tree(), &ConnectionTree::nodeChanged);

        const RenameResult result = VTNewText(f.doc, node, text, "teraterm-colours");

        QCOMPARE(describe(node->data), record.isEmpty() ? before : record);
        if (record.isEmpty())
            QCOMPARE(ShapeOf(f.doc.RootNode()), shapeBefore);
        QCOMPARE(changed.isEmpty(), record.isEmpty());
        QCOMPARE(f.host.scripted.texts(), boxes);
        for (const ScriptedPrompter::Box &box : f.host.scripted.boxes()) {
            QCOMPARE(box.kind, Prompter::Kind::Warning);
            const bool question = box.text.endsWith(QStringLiteral("Do you want to continue?"));
            QCOMPARE(box.buttons, question ? Prompter::Buttons::YesNo : Prompter::Buttons::Ok);
        }
        QCOMPARE(f.doc.tableModified(), modified);
        // The pages show the focused node again whenever the rules ran through; a new name is
        // reported as a change of the node.
        QCOMPARE(result != RenameResult::Refused, modified);
        QCOMPARE(result == RenameResult::Renamed, changeHandled);
    }
};

QTEST_GUILESS_MAIN(TestTreeRules)
#include "tst_treerules.moc"
