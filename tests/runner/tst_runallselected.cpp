#include "runner/RunAllSelected.h"

#include "platform/DesktopArranger.h"
#include "platform/ShellOpen.h"
#include "runner/MacroRunner.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramFolder.h"
#include "table/ConnectionTree.h"
#include "table/UrlCodec.h"

#include <QFile>
#include <QHash>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>

using Call = DesktopArranger::Call;

namespace {

const QByteArray kTeraTermIni(
    "[Tera Term]\r\n"
    "VTColor=1,2,3,4,5,6\r\n"
    "VTBoldColor=7,8,9,10,11,12\r\n"
    "VTBlinkColor=13,14,15,16,17,18\r\n"
    "URLColor=19,20,21,22,23,24\r\n"
    "[BG]\r\n"
    "BGEnable=on\r\n");

// A colour set whose 24 numbers are all N.
QByteArray uniformColors(int n)
{
    QByteArrayList parts;
    for (int i = 0; i < 24; ++i)
        parts << QByteArray::number(n);
    return parts.join(':');
}

QByteArray vtColor(int n)
{
    QByteArrayList parts;
    for (int i = 0; i < 6; ++i)
        parts << QByteArray::number(n);
    return "VTColor=" + parts.join(',') + "\r\n";
}

// What TeraTerm was handed at one start: the two files as they were then.
struct Start
{
    QByteArray macro;
    QByteArray ini;
};

// A prompter that lets a test act while its box is "open", as the user can.
struct HookedPrompter : ScriptedPrompter
{
    std::function<void()> whileAsking;
    Answer ask(Kind kind, const QString &text, Buttons buttons) override
    {
        if (whileAsking)
            whileAsking();
        return ScriptedPrompter::ask(kind, text, buttons);
    }
};

// A program folder with TeraTerm, a tree below the top node, a runner whose starts are
// recorded instead of made, and a recording desktop.
struct Fixture
{
    TempProgramFolder folder;
    HookedPrompter prompter;
    MacroRunner runner{prompter};
    RunAllSelected sequence{runner, prompter};
    DesktopArranger desktop;
    ConnectionTree tree;
    ConnectionNode *root = nullptr;
    QHash<QByteArray, ConnectionNode *> nodes;
    QList<Start> starts;
    int failFrom = -1;  // the start (0-based) from which starting fails

    Fixture()
    {
        folder.write(QStringLiteral("ttermpro.exe"), "#!/bin/sh\nexit 0\n");
        folder.write(QStringLiteral("teraterm.ini"), kTeraTermIni);
        root = tree.addChild(nullptr, connection("This computer", "root macro"));
        ShellOpen::setStarterForTesting([this](const StartCommand &command) {
            const QStringList &args = command.arguments;
            if (failFrom >= 0 && starts.size() >= failFrom)
                return false;
            starts.append({readFile(args.value(1).mid(3)), readFile(args.value(0).mid(3))});
            return true;
        });
        DesktopArranger::setInstanceForTesting(&desktop);
        sequence.setInterval(1);
    }
    ~Fixture()
    {
        ShellOpen::setStarterForTesting({});
        DesktopArranger::setInstanceForTesting(nullptr);
    }

    static QByteArray readFile(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
    }

    static rVTNodeData connection(const QByteArray &name, const QByteArray &macro, int colors = 11,
                                  bool log = false)
    {
        rVTNodeData d;
        d.Name = name;
        d.Macro = UrlEncode(macro, true);
        d.Colors = uniformColors(colors);
        d.LogSession = log;
        return d;
    }

    ConnectionNode *add(ConnectionNode *parent, const QByteArray &name, const QByteArray &macro,
                        int colors = 11, bool log = false)
    {
        ConnectionNode *n = tree.addChild(parent, connection(name, macro, colors, log));
        nodes.insert(name, n);
        return n;
    }

    // N connections "C1" .. "CN" directly below the top node, all selected.
    QList<ConnectionNode *> addMany(int n)
    {
        QList<ConnectionNode *> selection;
        for (int i = 1; i <= n; ++i)
            selection << add(root, "C" + QByteArray::number(i), "say $CONNECTION$");
        return selection;
    }

    QList<ConnectionNode *> select(const QByteArrayList &names) const
    {
        QList<ConnectionNode *> selection;
        for (const QByteArray &name : names)
            selection << (name == "root" ? root : nodes.value(name));
        return selection;
    }

    QByteArrayList startedMacros() const
    {
        QByteArrayList macros;
        for (const Start &s : starts)
            macros << s.macro;
        return macros;
    }

    QTimer *pause() { return sequence.findChild<QTimer *>(QStringLiteral("Timer5")); }

    bool start(const QList<ConnectionNode *> &selection, const RunContext &context = {})
    {
        return sequence.start(tree, selection, context);
    }
};

QList<int> indices(const QSignalSpy &spy)
{
    QList<int> list;
    for (const QList<QVariant> &args : spy)
        list << args.at(0).toInt();
    return list;
}

QList<int> range(int n)
{
    QList<int> list;
    for (int i = 0; i < n; ++i)
        list << i;
    return list;
}

} // namespace

class TestRunAllSelected : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsAtMost128_data()
    {
        QTest::addColumn<int>("connections");
        QTest::addColumn<bool>("withSeparator");
        QTest::addColumn<int>("expectedStarts");
        QTest::newRow("128") << 128 << false << 128;
        QTest::newRow("129") << 129 << false << 0;
        // The limit counts the selection, not only what can run.
        QTest::newRow("128 and a selected separator") << 128 << true << 0;
    }

    void startsAtMost128()
    {
        QFETCH(int, connections);
        QFETCH(bool, withSeparator);
        QFETCH(int, expectedStarts);
        Fixture f;
        QList<ConnectionNode *> selection = f.addMany(connections);
        if (withSeparator)
            selection << f.add(f.root, SeparatorText, QByteArray());
        QSignalSpy started(&f.sequence, &RunAllSelected::started);
        QSignalSpy finished(&f.sequence, &RunAllSelected::finished);

        QCOMPARE(f.start(selection), expectedStarts > 0);
        if (expectedStarts == 0) {
            QCOMPARE(f.prompter.boxes().size(), 1);
            QCOMPARE(f.prompter.boxes()[0].kind, Prompter::Kind::Information);
            QCOMPARE(f.prompter.boxes()[0].buttons, Prompter::Buttons::Ok);
            QCOMPARE(f.prompter.boxes()[0].text,
                     QStringLiteral("You can not run more than 128 connections at the same time."));
            QVERIFY(!f.sequence.isRunning());
            QVERIFY(f.desktop.calls().isEmpty());
            QVERIFY(started.isEmpty());
            QVERIFY(f.starts.isEmpty());
            return;
        }
        // An event loop until the end: polling would take a sleep per launch.
        QVERIFY(finished.wait(60000));
        QVERIFY(f.prompter.boxes().isEmpty());
        QCOMPARE(f.starts.size(), expectedStarts);
        QCOMPARE(started.value(0).value(0).toInt(), expectedStarts);
        QCOMPARE(f.starts.first().macro, QByteArray("say C1\r\n"));
        QCOMPARE(f.starts.last().macro, QByteArray("say C128\r\n"));
    }

    void pauseFromTheDelayList_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("ms");
        QTest::newRow("first item, 2 s") << 0 << 2000;
        QTest::newRow("item 3, 5 s") << 3 << 5000;
        QTest::newRow("last item, 30 s") << 28 << 30000;
    }

    void pauseFromTheDelayList()
    {
        QFETCH(int, index);
        QFETCH(int, ms);
        QCOMPARE(RunAllSelected::intervalForDelayIndex(index), ms);
        ScriptedPrompter prompter;
        MacroRunner runner(prompter);
        QCOMPARE(RunAllSelected(runner, prompter).interval(), 5000);
    }

    void waitsAfterEveryLaunch()
    {
        Fixture f;
        f.addMany(3);
        QSignalSpy finished(&f.sequence, &RunAllSelected::finished);
        QSignalSpy launched(&f.sequence, &RunAllSelected::connectionStarted);
        // At each launch: exactly that many starts so far, and the pause running.
        QList<int> startsAtLaunch;
        QList<bool> pausingAtLaunch;
        QList<int> finishedAtLaunch;
        connect(&f.sequence, &RunAllSelected::connectionStarted, this, [&](int) {
            startsAtLaunch << int(f.starts.size());
            pausingAtLaunch << (f.pause()->isActive() && f.pause()->interval() == 1);
            finishedAtLaunch << int(finished.size());
        });

        QVERIFY(f.start(f.select({"C3", "C1", "C2"})));
        // The first launch happens at once; the others wait for the timer.
        QCOMPARE(f.starts.size(), 1);
        QVERIFY(f.sequence.isRunning());
        QTRY_COMPARE(finished.size(), 1);
        QCOMPARE(indices(launched), range(3));
        QCOMPARE(startsAtLaunch, (QList<int>{1, 2, 3}));
        QCOMPARE(pausingAtLaunch, (QList<bool>{true, true, true}));
        // The pause follows the last launch too.
        QCOMPARE(finishedAtLaunch, (QList<int>{0, 0, 0}));
        QCOMPARE(f.startedMacros(), (QByteArrayList{"say C1\r\n", "say C2\r\n", "say C3\r\n"}));
        QVERIFY(!f.sequence.isRunning());
        QVERIFY(!f.pause()->isActive());
    }

    void aLongPauseHoldsTheNextLaunch()
    {
        Fixture f;
        f.addMany(2);
        f.sequence.setInterval(RunAllSelected::intervalForDelayIndex(28));
        QVERIFY(f.start(f.select({"C1", "C2"})));
        QCoreApplication::processEvents();
        QCOMPARE(f.starts.size(), 1);
        QVERIFY(f.pause()->isActive());
        QCOMPARE(f.pause()->interval(), 30000);
        f.sequence.cancel();
    }

    void cancelStartsNothingMore()
    {
        Fixture f;
        f.addMany(4);
        QSignalSpy cancelled(&f.sequence, &RunAllSelected::cancelled);
        QSignalSpy finished(&f.sequence, &RunAllSelected::finished);
        connect(&f.sequence, &RunAllSelected::connectionStarted, this, [&](int index) {
            if (index == 1)
                f.sequence.cancel();
        });
        QVERIFY(f.start(f.select({"C1", "C2", "C3", "C4"})));
        QTRY_COMPARE(cancelled.size(), 1);
        // Nothing is left to fire.
        QVERIFY(!f.pause()->isActive());
        QVERIFY(!f.sequence.isRunning());
        QCoreApplication::processEvents();
        QCOMPARE(f.startedMacros(), (QByteArrayList{"say C1\r\n", "say C2\r\n"}));
        QVERIFY(finished.isEmpty());
        QCOMPARE(f.desktop.calls(), QList<Call>{Call::MinimizeAll});

        // Cancelling when idle tells nothing; a new sequence may start.
        f.sequence.cancel();
        QCOMPARE(cancelled.size(), 1);
        QVERIFY(f.start(f.select({"C4"})));
        QTRY_COMPARE(finished.size(), 1);
        QCOMPARE(f.starts.last().macro, QByteArray("say C4\r\n"));
    }

    void runsWhatWasSelectedWhenItStarted_data()
    {
        QTest::addColumn<int>("change");  // 0 later nodes removed, 1 table cleared, 2 macro edited
        QTest::newRow("nodes removed") << 0;
        QTest::newRow("table cleared") << 1;
        QTest::newRow("macro edited") << 2;
    }

    void runsWhatWasSelectedWhenItStarted()
    {
        QFETCH(int, change);
        Fixture f;
        ConnectionNode *group = f.add(f.root, "G", "g $CONNECTION$");
        f.add(group, "A", "say $CONNECTION$ in $PARENT$");
        f.add(group, "B", "say $CONNECTION$ in $PARENT$");
        QSignalSpy finished(&f.sequence, &RunAllSelected::finished);
        connect(&f.sequence, &RunAllSelected::connectionStarted, this, [&](int index) {
            if (index != 0)
                return;
            if (change == 0)
                f.tree.removeNode(group);
            else if (change == 1)
                f.tree.clear();
            else
                f.nodes["B"]->data.Macro = UrlEncode("changed", true);
        });
        QVERIFY(f.start(f.select({"A", "B"})));
        QTRY_COMPARE(finished.size(), 1);
        QCOMPARE(f.startedMacros(),
                 (QByteArrayList{"g G\r\nsay A in G\r\n", "g G\r\nsay B in G\r\n"}));
    }

    void refusesASecondStart()
    {
        Fixture f;
        f.addMany(3);
        f.sequence.setInterval(60000);
        QSignalSpy started(&f.sequence, &RunAllSelected::started);
        QVERIFY(f.start(f.select({"C1", "C2"})));
        QVERIFY(f.sequence.isRunning());
        QVERIFY(!f.start(f.select({"C3"})));
        QVERIFY(f.prompter.boxes().isEmpty());
        QCOMPARE(started.size(), 1);
        QCOMPARE(f.sequence.count(), 2);
        QCOMPARE(f.startedMacros(), QByteArrayList{"say C1\r\n"});
        QCOMPARE(f.desktop.calls(), QList<Call>{Call::MinimizeAll});
        QVERIFY(f.pause()->isActive());
        f.sequence.cancel();
        QVERIFY(f.start(f.select({"C3"})));
        QCOMPARE(f.starts.last().macro, QByteArray("say C3\r\n"));
        f.sequence.cancel();
    }

    void eachConnectionBringsItsOwnColoursAndLogging_data()
    {
        QTest::addColumn<bool>("noColors");
        QTest::newRow("colours") << false;
        QTest::newRow("colour support off") << true;
    }

    void eachConnectionBringsItsOwnColoursAndLogging()
    {
        QFETCH(bool, noColors);
        Fixture f;
        ConnectionNode *group = f.add(f.root, "G", "g $CONNECTION$", 90);
        f.add(group, "A", "a", 11, true);
        f.add(f.root, "B", "b", 22, false);
        f.add(f.root, "C", "c", 33, true);
        // Everything the focused connection and the pages hold must stay out of the batch.
        RunContext context;
        context.currentNodeColors = uniformColors(44);
        context.currentNodeModified = true;
        context.colors.bytes.fill(55);
        context.editorText = "edited";
        context.logSession = true;
        context.options.noColors = noColors;
        QSignalSpy finished(&f.sequence, &RunAllSelected::finished);
        QVERIFY(f.start(f.select({"B", "C", "A"}), context));
        QTRY_COMPARE(finished.size(), 1);

        QCOMPARE(f.starts.size(), 3);
        const QByteArray logs = QFile::encodeName(f.folder.path()) + "/Logs/";
        const QList<QByteArray> firstLines{"g G\r\na\r\nlogopen '" + logs + "G_A_", "b\r\n",
                                           "c\r\nlogopen '" + logs + "C_"};
        const QList<int> colors{11, 22, 33};
        for (int i = 0; i < 3; ++i) {
            QVERIFY2(f.starts[i].macro.startsWith(firstLines[i]), f.starts[i].macro.constData());
            QCOMPARE(f.starts[i].macro.contains("logopen"), i != 1);
            QVERIFY(f.starts[i].ini.contains(noColors ? QByteArray("VTColor=1,2,3,4,5,6\r\n") : vtColor(colors[i])));
            QVERIFY(f.starts[i].ini.contains("BGEnable=off"));
        }
    }

    void passesOverWhatCannotRun_data()
    {
        QTest::addColumn<QByteArrayList>("selection");
        QTest::addColumn<QByteArrayList>("macros");
        QTest::newRow("mixed, out of order")
            << QByteArrayList{"C", "-sep", "root", "Empty", "A"} << QByteArrayList{"a\r\n", "c\r\n"};
        QTest::newRow("nothing runnable") << QByteArrayList{"-sep", "Empty", "root"} << QByteArrayList{};
        QTest::newRow("nothing selected") << QByteArrayList{} << QByteArrayList{};
    }

    void passesOverWhatCannotRun()
    {
        QFETCH(QByteArrayList, selection);
        QFETCH(QByteArrayList, macros);
        Fixture f;
        f.add(f.root, "A", "a");
        f.add(f.root, "-sep", "separator macro");
        f.add(f.root, "Empty", QByteArray());
        f.add(f.root, "C", "c");
        QSignalSpy started(&f.sequence, &RunAllSelected::started);
        QSignalSpy finished(&f.sequence, &RunAllSelected::finished);

        QCOMPARE(f.start(f.select(selection)), !macros.isEmpty());
        if (macros.isEmpty()) {
            QVERIFY(!f.sequence.isRunning());
            QVERIFY(started.isEmpty());
            QVERIFY(f.desktop.calls().isEmpty());
            QVERIFY(f.starts.isEmpty());
            return;
        }
        QTRY_COMPARE(finished.size(), 1);
        QCOMPARE(started.value(0).value(0).toInt(), int(macros.size()));
        QCOMPARE(f.startedMacros(), macros);
        QVERIFY(f.prompter.boxes().isEmpty());
    }

    void minimizesBeforeAndTilesAfter_data()
    {
        QTest::addColumn<bool>("doNotTile");
        QTest::addColumn<QList<Call>>("calls");
        QTest::newRow("tile") << false << QList<Call>{Call::MinimizeAll, Call::TileHorizontally};
        QTest::newRow("do not tile") << true << QList<Call>{Call::MinimizeAll};
    }

    void minimizesBeforeAndTilesAfter()
    {
        QFETCH(bool, doNotTile);
        QFETCH(QList<Call>, calls);
        Fixture f;
        f.addMany(2);
        QList<QList<Call>> atLaunch;
        connect(&f.sequence, &RunAllSelected::connectionStarted, this,
                [&](int) { atLaunch << f.desktop.calls(); });
        QSignalSpy finished(&f.sequence, &RunAllSelected::finished);
        RunContext context;
        context.options.doNotTile = doNotTile;
        QVERIFY(f.start(f.select({"C1", "C2"}), context));
        QTRY_COMPARE(finished.size(), 1);
        QCOMPARE(atLaunch, (QList<QList<Call>>{{Call::MinimizeAll}, {Call::MinimizeAll}}));
        QCOMPARE(f.desktop.calls(), calls);
    }

    void aFailedLaunchEndsTheSequence()
    {
        Fixture f;
        f.addMany(4);
        f.failFrom = 1;
        QSignalSpy failed(&f.sequence, &RunAllSelected::failed);
        QSignalSpy launched(&f.sequence, &RunAllSelected::connectionStarted);
        QSignalSpy finished(&f.sequence, &RunAllSelected::finished);
        QVERIFY(f.start(f.select({"C1", "C2", "C3", "C4"})));
        QTRY_COMPARE(failed.size(), 1);
        QCOMPARE(failed[0][0].toInt(), 1);
        QCOMPARE(indices(launched), QList<int>{0});
        QVERIFY(!f.sequence.isRunning());
        QVERIFY(!f.pause()->isActive());
        QVERIFY(finished.isEmpty());
        // One message, not one per remaining connection, and no tiling.
        QCOMPARE(f.prompter.boxes().size(), 1);
        QCOMPARE(f.prompter.boxes()[0].kind, Prompter::Kind::Error);
        QCOMPARE(f.desktop.calls(), QList<Call>{Call::MinimizeAll});
    }

    void cancelledWhileAMessageIsOpen()
    {
        Fixture f;
        f.addMany(3);
        f.failFrom = 1;
        f.prompter.whileAsking = [&] { f.sequence.cancel(); };
        QSignalSpy failed(&f.sequence, &RunAllSelected::failed);
        QSignalSpy cancelled(&f.sequence, &RunAllSelected::cancelled);
        QVERIFY(f.start(f.select({"C1", "C2", "C3"})));
        QTRY_COMPARE(cancelled.size(), 1);
        // The launch that was cancelled under it ends quietly.
        QVERIFY(failed.isEmpty());
        QVERIFY(!f.sequence.isRunning());
        QVERIFY(!f.pause()->isActive());
        QCOMPARE(f.starts.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestRunAllSelected)
#include "tst_runallselected.moc"
