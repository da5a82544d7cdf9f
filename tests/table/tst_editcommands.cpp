#include "support/ShapedTable.h"
#include "support/TreeShape.h"
#include "table/ColorSet.h"
#include "table/ConnectionTree.h"
#include "table/EditCommands.h"
#include "table/TableDocument.h"
#include "table/TreeRules.h"

#include <QLocale>
#include <QSignalSpy>
#include <QTest>

namespace {

struct Fixture : ShapedTable
{
    Fixture() = default;

    // A tree of the shape whose nodes each carry colours, a log flag and texts of their own,
    // so a test sees which of them a command copies.
    explicit Fixture(const QByteArray &shape) : ShapedTable(shape)
    {
        int i = 0;
        ConnectionTree::forEachBelow(doc.RootNode(), [&i](ConnectionNode *n) {
            n->data.Colors = "colours of " + n->data.Name;
            n->data.LogSession = (i++ % 2) == 0;
        });
    }

    void focus(const QString &path)
    {
        focused = at(path);
        selected = {focused};
    }
    void select(const QStringList &paths)
    {
        selected.clear();
        for (const QString &p : paths)
            selected.append(at(p));
    }
    AddedConnection add(AddMode mode, NewConnectionDefaults defaults = {})
    {
        defaults.teraTermColors = teraTermColors;
        return AddConnection(doc, mode, focused, defaults);
    }
    // The delete command as the window runs it: the questions, then the removal.
    DeletePlan deleteSelected()
    {
        const DeletePlan plan = PlanDelete(doc, selection());
        DeleteBranches(doc, plan);
        return plan;
    }
};

// Everything of a record but its name and Level.
QByteArray fieldsOf(const rVTNodeData &d)
{
    return QByteArray::number(d.Kind) + ';' + d.Macro + ';' + d.Popup + ';' + (d.LogSession ? "1" : "0") + ';'
        + d.Colors + ';' + d.Schedule + ';' + d.LastUpdated;
}

const QString kTail = QStringLiteral(" will be deleted.\rDo you want to continue?");

QString branchQuestion(const QString &name)
{
    return QStringLiteral("Connection '") + name + QStringLiteral("' with all descendants \rand associated data") + kTail;
}

QString dataQuestion(const QString &name)
{
    return QStringLiteral("Connection '") + name + QStringLiteral("' with associated data") + kTail;
}

QString manyQuestion(int n)
{
    return QStringLiteral("Deleting ") + QString::number(n)
        + QStringLiteral(" connections. All descendant connections will be also deleted.\rDo you want to continue?");
}

QString discardQuestion(const QString &name)
{
    return QStringLiteral("Do you want to discard all data assosiated with '") + name + QStringLiteral("' ?");
}

ColorSet sampleColors()
{
    ColorSet set;
    for (std::size_t i = 0; i < set.bytes.size(); ++i)
        set.bytes[i] = static_cast<std::uint8_t>(i * 10);
    return set;
}

const QDateTime kStamp(QDate(2024, 3, 5), QTime(7, 8, 9));

} // namespace

class TestEditCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void addConnection_data()
    {
        QTest::addColumn<QByteArray>("shape");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QString>("focusAfter");
        QTest::addColumn<bool>("focusExpanded");
        const int child = int(AddMode::Child);
        const int sibling = int(AddMode::Sibling);
        const int separator = int(AddMode::Separator);
        const QByteArray sep = SeparatorText;
        QTest::newRow("child of a leaf") << QByteArray("A") << child << "0"
                                         << QByteArray("A[Unnamed connection #1]") << "0/0" << "0" << true;
        QTest::newRow("child goes first") << QByteArray("A[B|C]") << child << "0"
                                          << QByteArray("A[Unnamed connection #1|B|C]") << "0/0" << "0" << true;
        QTest::newRow("child of RootNode") << QByteArray("A") << child << ""
                                           << QByteArray("Unnamed connection #1|A") << "0" << "" << true;
        QTest::newRow("next free number") << QByteArray("Unnamed connection #1[Unnamed connection #3]") << child << "0"
                                          << QByteArray("Unnamed connection #1[Unnamed connection #2|Unnamed connection #3]")
                                          << "0/0" << "0" << true;
        QTest::newRow("sibling after focus") << QByteArray("A|B") << sibling << "0"
                                             << QByteArray("A|Unnamed connection #1|B") << "1" << "0" << true;
        QTest::newRow("sibling of the last") << QByteArray("A[B|C]") << sibling << "0/1"
                                             << QByteArray("A[B|C|Unnamed connection #1]") << "0/2" << "0/1" << true;
        QTest::newRow("sibling of a separator") << QByteArray(sep + "|A") << sibling << "0"
                                                << QByteArray(sep + "|Unnamed connection #1|A") << "1" << "0" << true;
        QTest::newRow("separator with RootNode focused") << QByteArray("A|B") << separator << ""
                                                         << QByteArray("A|B|" + sep) << "2" << "2" << false;
        QTest::newRow("separator after focus") << QByteArray("A[B|C]|D") << separator << "0/0"
                                               << QByteArray("A[B|" + sep + "|C]|D") << "0/1" << "0/1" << false;
        QTest::newRow("separator after a branch") << QByteArray("A[B]|D") << separator << "0"
                                                  << QByteArray("A[B]|" + sep + "|D") << "1" << "1" << false;
    }

    void addConnection()
    {
        QFETCH(QByteArray, shape);
        QFETCH(int, mode);
        QFETCH(QString, focus);
        QFETCH(QByteArray, expected);
        QFETCH(QString, added);
        QFETCH(QString, focusAfter);
        QFETCH(bool, focusExpanded);
        Fixture f(shape);
        f.focus(focus);
        ConnectionNode *focused = f.focused;
        const AddedConnection result = f.add(AddMode(mode));
        ConnectionNode *node = result.added;
        QVERIFY(node);
        QCOMPARE(ShapeOf(f.doc.RootNode()), expected);
        QCOMPARE(node, f.at(added));
        // The view focuses and selects this node alone.
        QCOMPARE(result.focus, f.at(focusAfter));
        QCOMPARE(result.expand == focused, focusExpanded);
        QCOMPARE(node->data.Level, node->parent()->data.Level + 1);
        QCOMPARE(node->data.Kind, 0);
        QVERIFY(node->data.Macro.isEmpty() && node->data.Popup.isEmpty());
        QVERIFY(node->data.Schedule.isEmpty() && node->data.LastUpdated.isEmpty());
        QVERIFY(f.doc.tableModified());
    }

    void separatorRecord()
    {
        Fixture f("A[B]");
        f.focus("0/0");
        ConnectionNode *node = f.add(AddMode::Separator, {0, true, {}}).added;
        QCOMPARE(node->data.Name, SeparatorText);
        QCOMPARE(node->data.Colors, f.teraTermColors);
        QCOMPARE(node->data.LogSession, false);
        QCOMPARE(node->data.Kind, 0);
        QCOMPARE(node->data.Level, 2);
    }

    // Below RootNode the options decide; deeper the parent does, whatever the options say.
    void newConnectionDefaults_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("colorsIndex");
        QTest::addColumn<int>("logging");   // -1 neither button set
        QTest::addColumn<QByteArray>("colors");
        QTest::addColumn<bool>("logSession");
        const int child = int(AddMode::Child);
        const int sibling = int(AddMode::Sibling);
        for (int i = 0; i < ColorSchemeCount; ++i)
            QTest::addRow("scheme %d", i) << child << "" << i << 1 << QByteArray(ColorSchemes[i].text) << true;
        QTest::newRow("from TeraTerm.ini file") << child << "" << 7 << 0 << QByteArray("ini") << false;
        QTest::newRow("unset list") << child << "" << -1 << 1 << QByteArray(ColorSchemes[0].text) << true;
        QTest::newRow("beyond the list") << sibling << "0" << 8 << 1 << QByteArray(ColorSchemes[0].text) << true;
        QTest::newRow("neither log button") << child << "" << 2 << -1 << QByteArray(ColorSchemes[2].text) << false;
        QTest::newRow("sibling at top level") << sibling << "1" << 4 << 1 << QByteArray(ColorSchemes[4].text) << true;
        // A (index 0) logs, B (index 1) does not: see the fixture.
        QTest::newRow("child copies its parent") << child << "0" << 3 << 0 << QByteArray("colours of A") << true;
        QTest::newRow("child of a non-logging parent") << child << "0/0" << 3 << 1 << QByteArray("colours of B") << false;
        QTest::newRow("deeper sibling copies the parent") << sibling << "0/0" << 7 << 0 << QByteArray("colours of A") << true;
    }

    void newConnectionDefaults()
    {
        QFETCH(int, mode);
        QFETCH(QString, focus);
        QFETCH(int, colorsIndex);
        QFETCH(int, logging);
        QFETCH(QByteArray, colors);
        QFETCH(bool, logSession);
        Fixture f("A[B]|C");
        f.teraTermColors = "ini";
        f.focus(focus);
        NewConnectionDefaults defaults{colorsIndex, {}, {}};
        if (logging >= 0)
            defaults.logging = logging == 1;
        ConnectionNode *node = f.add(AddMode(mode), defaults).added;
        QVERIFY(node);
        QCOMPARE(node->data.Colors, colors);
        QCOMPARE(node->data.LogSession, logSession);
    }

    // Whatever the command state allowed, these are no place for the new node.
    void addRefused_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("focus");   // "-" for no focused node
        for (int m = 0; m < 4; ++m)
            QTest::addRow("mode %d without focus", m) << m << "-";
        QTest::newRow("child of a separator") << int(AddMode::Child) << "1";
        QTest::newRow("child of a dash name") << int(AddMode::Child) << "2";
        QTest::newRow("sibling of RootNode") << int(AddMode::Sibling) << "";
        QTest::newRow("duplicate of RootNode") << int(AddMode::Duplicate) << "";
    }

    void addRefused()
    {
        QFETCH(int, mode);
        QFETCH(QString, focus);
        Fixture f("A|" + SeparatorText + "|-x");
        if (focus != QLatin1String("-"))
            f.focus(focus);
        const AddedConnection result = f.add(AddMode(mode));
        QVERIFY(!result.added);
        QCOMPARE(ShapeOf(f.doc.RootNode()), "A|" + SeparatorText + "|-x");
        // The view is asked for nothing.
        QVERIFY(!result.focus && !result.expand);
        QVERIFY(!f.doc.tableModified());
        QVERIFY(!f.doc.CopyInProgressFlag);
    }

    void duplicateNames()
    {
        Fixture f("X|N[a|b[c]]|Z");
        f.focus("1");
        ConnectionNode *n = f.focused;
        const AddedConnection first = f.add(AddMode::Duplicate);
        ConnectionNode *copy = first.added;
        QCOMPARE(ShapeOf(f.doc.RootNode()), QByteArray("X|N[a|b[c]]|Copy of N[a|b[c]]|Z"));
        QCOMPARE(first.focus, copy);
        QCOMPARE(first.expand, f.doc.RootNode());
        QVERIFY(!f.doc.CopyInProgressFlag);
        QVERIFY(f.doc.tableModified());

        f.focus("1");
        QCOMPARE(f.focused, n);
        f.add(AddMode::Duplicate);
        QCOMPARE(ShapeOf(f.doc.RootNode()), QByteArray("X|N[a|b[c]]|Copy (2) of N[a|b[c]]|Copy of N[a|b[c]]|Z"));

        f.focus("3");
        f.add(AddMode::Duplicate);
        QCOMPARE(ShapeOf(f.doc.RootNode()),
                 QByteArray("X|N[a|b[c]]|Copy (2) of N[a|b[c]]|Copy of N[a|b[c]]|Copy of Copy of N[a|b[c]]|Z"));
        QCOMPARE(LevelsOf(f.doc.RootNode()), QByteArray("1 1 2 2 3 1 2 2 3 1 2 2 3 1 2 2 3 1"));
    }

    // Apart from its name and Level, the copy keeps every field, Kind included.
    void duplicateKeepsFields()
    {
        Fixture f("A[N[m]]");
        ConnectionNode *n = f.at("0/0");
        n->data.Kind = NodeKindWithMacro;
        n->data.Macro = "connect+%27host%27";
        n->data.Popup = "note";
        n->data.Schedule = "=* * * * *";
        n->data.LastUpdated = "Tuesday, 05-Mar-2024 07:08:09";
        f.at("0/0/0")->data.Kind = NodeKindEmptyMacro;
        f.focus("0/0");
        ConnectionNode *copy = f.add(AddMode::Duplicate).added;
        QCOMPARE(copy->data.Name, QByteArray("Copy of N"));
        QCOMPARE(fieldsOf(copy->data), fieldsOf(n->data));
        QCOMPARE(copy->data.Level, 2);
        QCOMPARE(copy->child(0)->data.Name, QByteArray("m"));
        QCOMPARE(fieldsOf(copy->child(0)->data), fieldsOf(f.at("0/0/0")->data));
        QCOMPARE(copy->child(0)->data.Level, 3);
    }

    void duplicateSeparator()
    {
        Fixture f("A|-old style|B");
        f.focus("1");
        const AddedConnection result = f.add(AddMode::Duplicate);
        ConnectionNode *copy = result.added;
        QCOMPARE(ShapeOf(f.doc.RootNode()), QByteArray("A|" + SeparatorText + "|" + SeparatorText + "|B"));
        QCOMPARE(result.focus, copy);
        QCOMPARE(copy, f.at("2"));
    }

    void deleteQuestion_data()
    {
        // Texts: paths of nodes given a macro (m) or a popup (p).
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("selected");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("question");   // empty: none asked
        QTest::addColumn<bool>("confirmation");
        QTest::addColumn<QByteArray>("after");
        const int yes = Prompter::Yes;
        const int no = Prompter::No;
        const QByteArray s = SeparatorText;
        const QByteArray all = "A[B[C]|" + s + "]|E|" + s + "|G|" + s + "[F]";
        QTest::newRow("empty leaf") << QStringList() << QStringList{"1"} << yes << QString() << false
                                    << QByteArray("A[B[C]|" + s + "]|" + s + "|G|" + s + "[F]");
        QTest::newRow("separators only") << QStringList() << QStringList{"0/1", "2"} << yes << QString() << false
                                         << QByteArray("A[B[C]]|E|G|" + s + "[F]");
        QTest::newRow("popup only, yes") << QStringList{"p:1"} << QStringList{"1"} << yes << dataQuestion("E") << false
                                         << QByteArray("A[B[C]|" + s + "]|" + s + "|G|" + s + "[F]");
        QTest::newRow("macro only, no") << QStringList{"m:1"} << QStringList{"1"} << no << dataQuestion("E") << false
                                        << all;
        QTest::newRow("with children, yes") << QStringList() << QStringList{"0"} << yes << branchQuestion("A") << false
                                            << QByteArray("E|" + s + "|G|" + s + "[F]");
        QTest::newRow("with children, no") << QStringList() << QStringList{"0/0"} << no << branchQuestion("B") << false
                                           << all;
        QTest::newRow("two connections") << QStringList() << QStringList{"1", "3"} << yes << manyQuestion(2) << true
                                         << QByteArray("A[B[C]|" + s + "]|" + s + "|" + s + "[F]");
        QTest::newRow("two connections, no") << QStringList() << QStringList{"1", "3"} << no << manyQuestion(2) << true
                                             << all;
        QTest::newRow("separators not counted") << QStringList() << QStringList{"1", "2", "0/1", "3"} << yes
                                                << manyQuestion(2) << true << QByteArray("A[B[C]]|" + s + "[F]");
        // The last one counted in tree order is the one described.
        QTest::newRow("one connection among separators") << QStringList{"m:0/0/0"} << QStringList{"2", "0/0/0"} << no
                                                         << dataQuestion("C") << false << all;
        QTest::newRow("parent and child selected") << QStringList() << QStringList{"0/0/0", "0"} << yes
                                                   << manyQuestion(2) << true << QByteArray("E|" + s + "|G|" + s + "[F]");
        // A separator that holds a branch does not take it away unasked.
        QTest::newRow("separator with children") << QStringList() << QStringList{"4"} << no << branchQuestion(s)
                                                 << false << all;
    }

    void deleteQuestion()
    {
        QFETCH(QStringList, texts);
        QFETCH(QStringList, selected);
        QFETCH(int, answer);
        QFETCH(QString, question);
        QFETCH(bool, confirmation);
        QFETCH(QByteArray, after);
        const QByteArray s = SeparatorText;
        Fixture f("A[B[C]|" + s + "]|E|" + s + "|G|" + s + "[F]");
        for (const QString &t : texts) {
            ConnectionNode *n = f.at(t.mid(2));
            (t.startsWith(QLatin1Char('m')) ? n->data.Macro : n->data.Popup) = "x";
        }
        f.select(selected);
        f.focused = f.selected.first();
        f.host.scripted.queue(Prompter::Answer(answer));
        const bool deleted = !f.deleteSelected().isEmpty();
        QCOMPARE(f.host.scripted.texts(), question.isEmpty() ? QStringList() : QStringList{question});
        if (!question.isEmpty()) {
            const ScriptedPrompter::Box box = f.host.scripted.boxes().first();
            QCOMPARE(box.kind, confirmation ? Prompter::Kind::Confirmation : Prompter::Kind::Warning);
            QCOMPARE(box.buttons, Prompter::Buttons::YesNo);
        }
        QCOMPARE(ShapeOf(f.doc.RootNode()), after);
        QCOMPARE(deleted, answer == Prompter::Yes || question.isEmpty());
        QCOMPARE(f.doc.tableModified(), deleted);
    }

    // The focus goes to the old focus's parent, or the nearest ancestor that is left.
    void deleteFocus_data()
    {
        QTest::addColumn<QStringList>("selected");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QByteArray>("focusName");
        QTest::newRow("parent of the focus") << QStringList{"0/0/0"} << "0/0/0" << QByteArray("B");
        QTest::newRow("top level goes to RootNode") << QStringList{"1"} << "1" << QByteArray();
        QTest::newRow("parent deleted too") << QStringList{"0/0", "0/0/0/0"} << "0/0/0/0" << QByteArray("A");
        QTest::newRow("grandparent deleted too") << QStringList{"0", "0/0/0"} << "0/0/0" << QByteArray();
        QTest::newRow("focus outside the selection") << QStringList{"1"} << "0/0" << QByteArray("A");
    }

    void deleteFocus()
    {
        QFETCH(QStringList, selected);
        QFETCH(QString, focus);
        QFETCH(QByteArray, focusName);
        Fixture f("A[B[C[D]]]|E");
        f.select(selected);
        f.focused = f.at(focus);
        f.doc.CurrentNode = f.at(focus);
        const bool currentGoes = IsInsideAnyPath(f, selected, focus);
        f.host.scripted.queue(Prompter::Yes);
        // The survivor takes the focus and the selection alone.
        const DeletePlan plan = f.deleteSelected();
        QVERIFY(!plan.isEmpty());
        QVERIFY(plan.survivor);
        QCOMPARE(plan.survivor->data.Name, focusName);
        QCOMPARE(f.doc.tree().absoluteIndex(plan.survivor) >= 0, true);
        QCOMPARE(f.doc.CurrentNode == nullptr, currentGoes);
    }

    void deleteRefused_data()
    {
        QTest::addColumn<QStringList>("selected");
        QTest::newRow("nothing selected") << QStringList();
        QTest::newRow("RootNode selected") << QStringList{"", "0"};
    }

    void deleteRefused()
    {
        QFETCH(QStringList, selected);
        Fixture f("A|B");
        f.select(selected);
        f.focused = f.at("0");
        QVERIFY(f.deleteSelected().isEmpty());
        QCOMPARE(ShapeOf(f.doc.RootNode()), QByteArray("A|B"));
        QVERIFY(f.host.scripted.boxes().isEmpty());
        QVERIFY(!f.doc.tableModified());
    }

    // Unapplied edits: the discard question first; the usual question as well when more than
    // the edited connection would go.
    void deleteWithUnappliedEdits_data()
    {
        QTest::addColumn<QStringList>("selected");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<QByteArray>("after");
        const int yes = Prompter::Yes;
        const int no = Prompter::No;
        QTest::newRow("alone, yes") << QStringList{"1"} << QList<int>{yes} << QStringList{discardQuestion("E")}
                                    << QByteArray("A[B]|G");
        QTest::newRow("alone, no") << QStringList{"1"} << QList<int>{no} << QStringList{discardQuestion("E")}
                                   << QByteArray("A[B]|E|G");
        QTest::newRow("with children") << QStringList{"0"} << QList<int>{yes, yes}
                                       << QStringList{discardQuestion("A"), branchQuestion("A")} << QByteArray("E|G");
        QTest::newRow("with children, second no") << QStringList{"0"} << QList<int>{yes, no}
                                                  << QStringList{discardQuestion("A"), branchQuestion("A")}
                                                  << QByteArray("A[B]|E|G");
        QTest::newRow("more selected") << QStringList{"1", "2"} << QList<int>{yes, yes}
                                       << QStringList{discardQuestion("E"), manyQuestion(2)} << QByteArray("A[B]");
        QTest::newRow("more selected, second no") << QStringList{"1", "2"} << QList<int>{yes, no}
                                                  << QStringList{discardQuestion("E"), manyQuestion(2)}
                                                  << QByteArray("A[B]|E|G");
    }

    void deleteWithUnappliedEdits()
    {
        QFETCH(QStringList, selected);
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, questions);
        QFETCH(QByteArray, after);
        Fixture f("A[B]|E|G");
        f.at("1")->data.Macro = "text";   // would ask on its own; the discard question covers it
        f.select(selected);
        f.focused = f.selected.first();
        f.doc.CurrentNode = f.focused;
        f.doc.SetNodeModified(true);
        for (int a : answers)
            f.host.scripted.queue(Prompter::Answer(a));
        const bool deleted = !f.deleteSelected().isEmpty();
        QCOMPARE(f.host.scripted.texts(), questions);
        QCOMPARE(f.host.scripted.boxes().first().kind, Prompter::Kind::Warning);
        QCOMPARE(ShapeOf(f.doc.RootNode()), after);
        // The edits are dropped only when the connection goes.
        QCOMPARE(f.doc.IsNodeModified(), !deleted);
        QCOMPARE(f.doc.tableModified(), deleted);
    }

    void apply_data()
    {
        QTest::addColumn<QByteArray>("macro");
        QTest::addColumn<QByteArray>("popup");
        QTest::addColumn<QByteArray>("schedule");
        QTest::addColumn<bool>("log");
        QTest::addColumn<QByteArray>("storedMacro");
        QTest::addColumn<QByteArray>("storedPopup");
        QTest::addColumn<int>("kind");
        QTest::newRow("trimmed, blank as plus") << QByteArray(" a b\r\n") << QByteArray("\tnote here \r\n")
                                                << QByteArray("=5 * * * 1") << true << QByteArray("a+b")
                                                << QByteArray("note+here") << 2;
        QTest::newRow("line breaks inside") << QByteArray("connect 'x'\r\nwait '$'") << QByteArray("a\r\nb")
                                            << QByteArray() << false
                                            << QByteArray("connect+%27x%27%0D%0Await+%27%24%27")
                                            << QByteArray("a%0D%0Ab") << 2;
        QTest::newRow("blank macro") << QByteArray(" \r\n\t ") << QByteArray("only a popup") << QByteArray() << false
                                     << QByteArray() << QByteArray("only+a+popup") << 1;
        QTest::newRow("empty") << QByteArray() << QByteArray() << QByteArray("=* * * * *") << true << QByteArray()
                               << QByteArray() << 1;
        QTest::newRow("bytes above 127") << QByteArray("caf\xc3\xa9") << QByteArray("\xe9") << QByteArray() << false
                                         << QByteArray("caf%C3%A9") << QByteArray("%E9") << 2;
    }

    void apply()
    {
        QFETCH(QByteArray, macro);
        QFETCH(QByteArray, popup);
        QFETCH(QByteArray, schedule);
        QFETCH(bool, log);
        QFETCH(QByteArray, storedMacro);
        QFETCH(QByteArray, storedPopup);
        QFETCH(int, kind);
        Fixture f("A[B]");
        ConnectionNode *b = f.at("0/0");
        b->data.Schedule = "=1 1 1 1 1";
        b->data.LogSession = !log;
        f.focus("0/0");
        f.doc.CurrentNode = b;
        f.doc.SetNodeModified(true);
        const QByteArray name = b->data.Name;
        QSignalSpy changes(&f.doc.tree(), &ConnectionTree::nodeChanged);
        // Whatever the user's locale, the stamp has English names.
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const bool applied = ApplyNodeEdits(f.doc, {macro, popup, schedule, sampleColors(), log}, [] { return kStamp; });
        QLocale::setDefault(saved);
        QVERIFY(applied);
        QCOMPARE(b->data.Macro, storedMacro);
        QCOMPARE(b->data.Popup, storedPopup);
        QCOMPARE(b->data.Schedule, schedule);
        QCOMPARE(b->data.LogSession, log);
        QCOMPARE(b->data.Kind, kind);
        QCOMPARE(b->data.Colors, FormatColorSet(sampleColors()));
        QCOMPARE(b->data.LastUpdated, QByteArray("Tuesday, 05-Mar-2024 07:08:09"));
        QCOMPARE(b->data.Name, name);
        QCOMPARE(b->data.Level, 2);
        QVERIFY(!f.doc.IsNodeModified());
        QVERIFY(f.doc.tableModified());
        // Reported as changed: the tree and whatever shows the node's stored colours follow.
        QCOMPARE(changes.count(), 1);
        QCOMPARE(changes.first().first().value<ConnectionNode *>(), b);
    }

    // Twice within one second: the same stamp; a second later, the next one.
    void applyTwiceInOneSecond()
    {
        Fixture f("A");
        f.focus("0");
        ConnectionNode *a = f.at("0");
        f.doc.CurrentNode = a;
        const Clock clock = [] { return kStamp; };
        ApplyNodeEdits(f.doc, {"x", {}, {}, {}, false}, clock);
        ApplyNodeEdits(f.doc, {"y", {}, {}, {}, false}, clock);
        QCOMPARE(a->data.LastUpdated, QByteArray("Tuesday, 05-Mar-2024 07:08:09"));
        ApplyNodeEdits(f.doc, {"z", {}, {}, {}, false}, [] { return kStamp.addSecs(1); });
        QCOMPARE(a->data.LastUpdated, QByteArray("Tuesday, 05-Mar-2024 07:08:10"));
    }

    void applyStampFormat_data()
    {
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<QByteArray>("stamp");
        QTest::newRow("afternoon") << QDateTime(QDate(2023, 12, 31), QTime(23, 59, 58))
                                   << QByteArray("Sunday, 31-Dec-2023 23:59:58");
        QTest::newRow("midnight") << QDateTime(QDate(2025, 9, 1), QTime(0, 0, 0)) << QByteArray("Monday, 01-Sep-2025 00:00:00");
    }

    void applyStampFormat()
    {
        QFETCH(QDateTime, when);
        QFETCH(QByteArray, stamp);
        QCOMPARE(FormatLastUpdated(when), stamp);
    }

    // Apply writes into the node the editors hold, even when the focus is elsewhere.
    void applyWritesCurrentNode()
    {
        Fixture f("A|B");
        f.focus("1");
        f.doc.CurrentNode = f.at("0");
        QVERIFY(ApplyNodeEdits(f.doc, {"m", {}, {}, {}, false}, [] { return kStamp; }));
        QCOMPARE(f.at("0")->data.Macro, QByteArray("m"));
        QVERIFY(f.at("1")->data.Macro.isEmpty());
    }

    void applyWithoutCurrentNode()
    {
        Fixture f("A");
        f.focus("0");
        f.doc.SetNodeModified(true);
        QVERIFY(!ApplyNodeEdits(f.doc, {"m", {}, {}, {}, false}, [] { return kStamp; }));
        QVERIFY(f.at("0")->data.Macro.isEmpty());
        QVERIFY(f.doc.IsNodeModified());
        QVERIFY(!f.doc.tableModified());
    }

    // A pending cut or copy of the applied node is cancelled for the whole tree; one of other
    // nodes stays.
    void applyCancelsCutCopyMark_data()
    {
        QTest::addColumn<bool>("currentMarked");
        QTest::newRow("current node marked") << true;
        QTest::newRow("other node marked") << false;
    }

    void applyCancelsCutCopyMark()
    {
        QFETCH(bool, currentMarked);
        Fixture f("A|B");
        f.doc.CurrentNode = f.at("0");
        if (currentMarked)
            f.doc.markCutOrCopy({f.at("0"), f.at("1")}, false);
        else
            f.doc.markCutOrCopy({f.at("1")}, false);
        QSignalSpy markChanges(&f.doc, &TableDocument::cutCopyMarkChanged);
        ApplyNodeEdits(f.doc, {}, [] { return kStamp; });
        QCOMPARE(markChanges.count(), currentMarked ? 1 : 0);
        QCOMPARE(f.doc.hasCutCopyMark(f.at("1")), !currentMarked);
    }

private:
    static bool IsInsideAnyPath(const Fixture &f, const QStringList &selected, const QString &path)
    {
        const ConnectionNode *node = f.at(path);
        for (const QString &s : selected) {
            const ConnectionNode *n = f.at(s);
            if (n == node || n->isAncestorOf(node))
                return true;
        }
        return false;
    }
};

QTEST_GUILESS_MAIN(TestEditCommands)
#include "tst_editcommands.moc"
