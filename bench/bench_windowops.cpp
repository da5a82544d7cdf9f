// The window's everyday commands on tables of 10,000 and 100,000 connections of the shape users
// keep (see GeneratedTable.h), and of 1,000,000 with WEX_BENCH_LARGE=1, driven on the real
// window offscreen as the window tests drive it: keys in the tree, the menus' commands, the
// clipboard, the file dialog answered. Each measure includes the command refresh that follows
// and the repaint of the window; the refresh timer fires at once instead of after its 200 ms,
// so the wait is not measured.
//
// Run with --benchmark_repetitions=5 and compare the medians of the sizes: the cost of a
// command should follow the work it does, not the size of the table.

#include "OffscreenBenchmarkMain.h"
#include "mainwindow/MainWindowFixture.h"
#include "support/FakeTableHost.h"
#include "support/GeneratedTable.h"
#include "table/NodeClipboard.h"
#include "table/TableFile.h"
#include "table/TreeRules.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string_view>

namespace {

constexpr int Records = 10'000;

// How much of the tree is shown open.
enum class Shown { Closed, Siblings, Everything };

// The real window with a generated table opened from its file, the tree focused.
struct BigWindow : MainWindowFixture
{
    explicit BigWindow(int count) : MainWindowFixture({}, false)
    {
        timer = form.findChild<QTimer *>(QStringLiteral("Timer1"));
        timer->setInterval(0);
        file = dir.filePath(QStringLiteral("generated.QDZ"));
        FakeTableHost host;
        TableDocument source(host);
        InitTree(source);
        BuildGeneratedTable(source.tree(), count);
        SaveConnectionTable(source, file);
        rebuild(Shown::Everything);
    }

    // The generated table opened anew, RootNode focused.
    void rebuild(Shown shown)
    {
        ConnectionNode *root = NewTable(doc());
        form.tree()->focusOnly(root);
        form.readTable(file);
        if (shown == Shown::Everything)
            form.tree()->expandAll();
        else
            form.tree()->collapseAll();
        if (shown == Shown::Siblings)
            form.tree()->setNodeExpanded(doc().RootNode(), true);
        // A menu opened before may have taken the window's activation with it.
        form.activateWindow();
        active();
        form.tree()->setFocus();
        settle();
    }

    // Runs what the command left waiting: the refresh, the layout and the repaint.
    void settle()
    {
        do
            QCoreApplication::processEvents();
        while (timer->isActive());
    }

    QTemporaryDir dir;
    QString file;
    QTimer *timer = nullptr;
};

// Each size's window is made once and kept for the benchmarks that follow.
BigWindow &window(int count)
{
    static std::map<int, BigWindow *> windows;
    BigWindow *&w = windows[count];
    if (!w)
        w = &KeepForRun(std::make_unique<BigWindow>(count));
    return *w;
}

void BM_SelectAll(benchmark::State &state)
{
    BigWindow &w = window(static_cast<int>(state.range(0)));
    w.rebuild(Shown::Everything);
    for (auto _ : state) {
        state.PauseTiming();
        w.form.tree()->focusOnly(w.doc().RootNode()->child(0));
        w.settle();
        state.ResumeTiming();
        w.press(Qt::CTRL | Qt::Key_A);
        w.settle();
    }
    state.counters["selected"] = static_cast<double>(w.form.tree()->selection().size());
}

void BM_EditMenuAllSelected(benchmark::State &state)
{
    BigWindow &w = window(static_cast<int>(state.range(0)));
    w.rebuild(Shown::Everything);
    w.press(Qt::CTRL | Qt::Key_A);
    w.settle();
    QMenu *edit = w.child<QMenu>(QStringLiteral("MnEdit"));
    for (auto _ : state) {
        edit->popup(w.form.mapToGlobal(QPoint(20, 20)));
        w.settle();
        edit->hide();
        w.settle();
    }
}

// Expand all from a closed tree, or Collapse all from an open one.
void openOrClose(benchmark::State &state, bool open)
{
    BigWindow &w = window(static_cast<int>(state.range(0)));
    w.rebuild(open ? Shown::Closed : Shown::Everything);
    for (auto _ : state) {
        state.PauseTiming();
        if (open)
            w.form.tree()->collapseAll();
        else
            w.form.tree()->expandAll();
        w.settle();
        state.ResumeTiming();
        w.action(open ? "MnExpandAll" : "MnCollapseAll")->trigger();
        w.settle();
    }
}

void BM_ExpandAll(benchmark::State &state)
{
    openOrClose(state, true);
}

void BM_CollapseAll(benchmark::State &state)
{
    openOrClose(state, false);
}

// The 90 sites, nine tenths of the table spread among the connections below RootNode,
// selected with the tree expanded and deleted.
void BM_DeleteBranches(benchmark::State &state)
{
    BigWindow &w = window(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        w.rebuild(Shown::Everything);
        const QList<ConnectionNode *> sites = GeneratedSitesOf(w.doc().tree());
        w.form.tree()->focusOnly(sites.first());
        for (ConnectionNode *site : sites)
            w.form.tree()->setSelected(site, true);
        w.settle();
        state.ResumeTiming();
        w.press(Qt::CTRL | Qt::Key_Delete);
        w.settle();
    }
    state.counters["nodes_left"] = ConnectionTree::countBelow(w.doc().RootNode());
}

// A connection in the middle of RootNode's children moves up, then down again: one move and
// its refresh each, with those siblings shown (the sites closed) or the whole tree open.
void moveUpDown(benchmark::State &state, Shown shown)
{
    BigWindow &w = window(static_cast<int>(state.range(0)));
    w.rebuild(shown);
    ConnectionNode *root = w.doc().RootNode();
    w.form.tree()->focusOnly(root->child(root->childCount() / 2));
    w.settle();
    bool up = true;
    for (auto _ : state) {
        w.press(up ? (Qt::CTRL | Qt::Key_U) : (Qt::CTRL | Qt::Key_D));
        w.settle();
        up = !up;
    }
    state.counters["siblings"] = root->childCount();
}

void BM_MoveUpDown(benchmark::State &state)
{
    moveUpDown(state, Shown::Siblings);
}

void BM_MoveUpDownAllOpen(benchmark::State &state)
{
    moveUpDown(state, Shown::Everything);
}

// Ten thousand copied connections whose names the table's connections partly have, pasted
// below RootNode with the tree expanded.
void BM_Paste(benchmark::State &state)
{
    BigWindow &w = window(static_cast<int>(state.range(0)));
    QByteArray payload;
    {
        FakeTableHost host;
        TableDocument source(host);
        ConnectionNode *root = InitTree(source);
        for (int i = 0; i < Records; ++i)
            source.tree().addChild(root, GeneratedTopConnection(i * 2));
        QList<ConnectionNode *> tops;
        for (int i = 0; i < root->childCount(); ++i)
            tops.append(root->child(i));
        payload = EncodeNodes(tops);
    }
    QMenu *edit = w.child<QMenu>(QStringLiteral("MnEdit"));
    for (auto _ : state) {
        state.PauseTiming();
        w.rebuild(Shown::Everything);
        auto *data = new QMimeData;
        data->setData(QLatin1String(NodeMimeType), payload);
        QGuiApplication::clipboard()->setMimeData(data);
        // The user picks the place: the refresh that follows sees the clipboard's nodes.
        w.form.tree()->focusOnly(w.doc().RootNode());
        w.settle();
        // Chosen from the Edit menu.
        edit->popup(w.form.mapToGlobal(QPoint(20, 20)));
        w.settle();
        state.ResumeTiming();
        w.action("MnPaste")->trigger();
        edit->hide();
        w.settle();
    }
    state.counters["top_level"] = w.doc().RootNode()->childCount();
}

// A table of 10,000 connections of the same shape, so every site and many connections clash
// with the open table's, imported through the File menu.
void BM_Import(benchmark::State &state)
{
    BigWindow &w = window(static_cast<int>(state.range(0)));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("clashing.QDZ"));
    {
        FakeTableHost host;
        TableDocument source(host);
        InitTree(source);
        BuildGeneratedTable(source.tree(), Records);
        SaveConnectionTable(source, file);
    }
    for (auto _ : state) {
        state.PauseTiming();
        w.rebuild(Shown::Everything);
        w.chooser.queue(file);
        w.prompter.clear();
        state.ResumeTiming();
        w.action("MnImport")->trigger();
        w.settle();
    }
    state.counters["nodes"] = ConnectionTree::countBelow(w.doc().RootNode());
}

// The last row of the tree as it is shown (every branch open).
ConnectionNode *lastShownNode(const TableDocument &doc)
{
    ConnectionNode *n = doc.RootNode();
    while (n && n->hasChildren())
        n = n->lastChild();
    return n;
}

// A range from RootNode to the last row, the tree open: Shift+End, or a Shift+click on that
// row (scrolled into sight first).
void rangeToLastRow(benchmark::State &state, bool byKey)
{
    BigWindow &w = window(static_cast<int>(state.range(0)));
    w.rebuild(Shown::Everything);
    ConnectionTreeView *vt = w.form.tree();
    ConnectionNode *last = lastShownNode(w.doc());
    for (auto _ : state) {
        state.PauseTiming();
        vt->focusOnly(w.doc().RootNode());
        if (!byKey)
            vt->scrollTo(w.indexOf(last));
        w.settle();
        const QPoint at = vt->visualRect(w.indexOf(last)).center();
        state.ResumeTiming();
        if (byKey)
            w.press(Qt::SHIFT | Qt::Key_End);
        else
            QTest::mouseClick(vt->viewport(), Qt::LeftButton, Qt::ShiftModifier, at);
        w.settle();
    }
    state.counters["selected"] = static_cast<double>(vt->selection().size());
    state.counters["ranges"] = static_cast<double>(vt->selectionModel()->selection().size());
}

void BM_ShiftEnd(benchmark::State &state)
{
    rangeToLastRow(state, true);
}

void BM_ShiftClickLastRow(benchmark::State &state)
{
    rangeToLastRow(state, false);
}

// RootNode closed with Left and opened again with Right while every branch below it stays
// open: only the Right is measured.
void BM_ExpandTopAgain(benchmark::State &state)
{
    BigWindow &w = window(static_cast<int>(state.range(0)));
    w.rebuild(Shown::Everything);
    for (auto _ : state) {
        state.PauseTiming();
        w.form.tree()->focusOnly(w.doc().RootNode());
        w.press(Qt::Key_Left);
        w.settle();
        state.ResumeTiming();
        w.press(Qt::Key_Right);
        w.settle();
    }
}

// Add child (Ctrl+I) on the first rack of the middle site, the tree open: each adds one
// connection at the top of that rack.
void BM_AddChild(benchmark::State &state)
{
    BigWindow &w = window(static_cast<int>(state.range(0)));
    w.rebuild(Shown::Everything);
    const QList<ConnectionNode *> sites = GeneratedSitesOf(w.doc().tree());
    ConnectionNode *rack = sites.at(sites.size() / 2)->firstChild();
    for (auto _ : state) {
        state.PauseTiming();
        w.form.tree()->focusOnly(rack);
        w.settle();
        state.ResumeTiming();
        w.press(Qt::CTRL | Qt::Key_I);
        w.settle();
    }
    state.counters["rack_children"] = rack->childCount();
}

// Duplicate selected (Ctrl+Alt+D) of a site of 1,001 nodes in the middle of RootNode's
// children, the tree open; the copy goes again before the next measure.
void BM_DuplicateBranch(benchmark::State &state)
{
    BigWindow &w = window(static_cast<int>(state.range(0)));
    w.rebuild(Shown::Everything);
    ConnectionNode *root = w.doc().RootNode();
    ConnectionNode *branch = nullptr;
    {
        FakeTableHost host;
        TableDocument source(host);
        ConnectionNode *holder = InitTree(source);
        AddGeneratedSite(source.tree(), holder, 1000, 1001);
        branch = w.doc().tree().copyBranch(holder->firstChild(), root, root->childCount() / 2);
    }
    w.form.tree()->expandRecursively(w.indexOf(branch));
    w.settle();
    for (auto _ : state) {
        state.PauseTiming();
        w.form.tree()->focusOnly(branch);
        w.settle();
        state.ResumeTiming();
        w.press(Qt::CTRL | Qt::ALT | Qt::Key_D);
        w.settle();
        state.PauseTiming();
        ConnectionNode *copy = branch->nextSibling();
        state.counters["copied"] = 1 + ConnectionTree::countBelow(copy);
        // The copy is CurrentNode now: the focus leaves it before it goes.
        w.form.tree()->focusOnly(branch);
        w.settle();
        w.doc().tree().removeNode(copy);
        w.settle();
        state.ResumeTiming();
    }
}

// New table (Ctrl+N) on the open table without changes: no question, the tree emptied.
void BM_NewTable(benchmark::State &state)
{
    BigWindow &w = window(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        w.rebuild(Shown::Everything);
        w.prompter.clear();
        state.ResumeTiming();
        w.press(Qt::CTRL | Qt::Key_N);
        w.settle();
    }
    state.counters["nodes_left"] = w.doc().tree().nodeCount();
}

// A window of 1,000,000 connections takes half a minute to make and about 2 GB: asked for by
// WEX_BENCH_LARGE=1.
bool largeTables()
{
    const char *large = std::getenv("WEX_BENCH_LARGE");
    return large && *large && std::string_view(large) != "0";
}

void sizes(benchmark::internal::Benchmark *b)
{
    b->Arg(10'000)->Arg(100'000);
    if (largeTables())
        b->Arg(1'000'000);
    b->Unit(benchmark::kMillisecond)->UseRealTime();
}

} // namespace

// One command per measure, a move twenty: the repetitions give the medians.
BENCHMARK(BM_SelectAll)->Apply(sizes)->Iterations(1);
BENCHMARK(BM_EditMenuAllSelected)->Apply(sizes)->Iterations(1);
BENCHMARK(BM_ExpandAll)->Apply(sizes)->Iterations(1);
BENCHMARK(BM_CollapseAll)->Apply(sizes)->Iterations(1);
BENCHMARK(BM_DeleteBranches)->Apply(sizes)->Iterations(1);
BENCHMARK(BM_MoveUpDown)->Apply(sizes)->Iterations(20);
BENCHMARK(BM_MoveUpDownAllOpen)->Apply(sizes)->Iterations(20);
BENCHMARK(BM_Paste)->Apply(sizes)->Iterations(1);
BENCHMARK(BM_Import)->Apply(sizes)->Iterations(1);
BENCHMARK(BM_ShiftEnd)->Apply(sizes)->Iterations(1);
BENCHMARK(BM_ShiftClickLastRow)->Apply(sizes)->Iterations(1);
BENCHMARK(BM_ExpandTopAgain)->Apply(sizes)->Iterations(1);
BENCHMARK(BM_AddChild)->Apply(sizes)->Iterations(1);
BENCHMARK(BM_DuplicateBranch)->Apply(sizes)->Iterations(1);
BENCHMARK(BM_NewTable)->Apply(sizes)->Iterations(1);

int main(int argc, char **argv)
{
    return RunOffscreenBenchmarks(argc, argv);
}
