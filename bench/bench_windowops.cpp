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
#include "platform/AtomicFileWriter.h"
#include "support/FakeTableHost.h"
#include "support/GeneratedTable.h"
#include "table/ExchangeFile.h"
#include "table/NodeClipboard.h"
#include "table/TableFile.h"
#include "table/TreeRules.h"
#include "table/TreeSelection.h"
#include "table/UrlCodec.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <string_view>

#include <malloc.h>
#include <thread>
#include <unistd.h>

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
        finishFreeing();
        settle();
    }

    // The old table's nodes are freed before the next command is measured, not during it.
    void finishFreeing()
    {
        while (doc().tree().freeingRemovedNodes())
            QCoreApplication::processEvents();
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

// File imported through the File menu into the open table of Range(0) connections, opened
// anew for each import.
void importIntoOpenTable(benchmark::State &state, const QString &file)
{
    BigWindow &w = window(static_cast<int>(state.range(0)));
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

// A table of 10,000 connections of the same shape, so every site and many connections clash
// with the open table's, imported through the File menu.
void BM_Import(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("clashing.QDZ"));
    {
        FakeTableHost host;
        TableDocument source(host);
        InitTree(source);
        BuildGeneratedTable(source.tree(), Records);
        SaveConnectionTable(source, file);
    }
    importIntoOpenTable(state, file);
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

// ---- The file commands and typing: exchange files, Open and Save, a key in a long macro ----
//
// Each command beside its baseline in the same run: the .KPV and .QDZ imports and Open beside
// reading the file's bytes, Save and the exports beside writing the table's bytes through
// QSaveFile (which syncs the file to disk, as Save does), a key in a long macro beside the
// same key in a short one. The files lie in /dev/shm where it can be written (as tmpfs takes
// no time to sync, neither side then waits for a disk), else in the temporary folder.
// The imports of 1,000,000 rows run with WEX_BENCH_LARGE=1, as the tables of that size do.
namespace fileops {

QString scratchRoot()
{
    const QString shm = QStringLiteral("/dev/shm");
    return QFileInfo(shm).isDir() && QFileInfo(shm).isWritable() ? shm + QStringLiteral("/wexbench-XXXXXX")
                                                                  : QString();
}

struct ScratchDir
{
    QTemporaryDir dir{scratchRoot().isEmpty() ? QDir::tempPath() + QStringLiteral("/wexbench-XXXXXX")
                                               : scratchRoot()};
    QString file(const QString &name) const { return dir.filePath(name); }
};

ScratchDir &scratch()
{
    static ScratchDir &s = KeepForRun(std::make_unique<ScratchDir>());
    return s;
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// A record of a table as people build it by hand: a name and a short macro, nothing else
// filled in: the rows of a large exchange file are about 150 bytes.
rVTNodeData leanRecord(int i, const QByteArray &name)
{
    rVTNodeData d;
    d.Name = name;
    d.Macro = UrlEncode("connect 'host-" + QByteArray::number(i) + ":22 /ssh'", true);
    d.LogSession = i % 3 == 0;
    return d;
}

// The generated table's shape (sites, racks, connections) with lean records.
void buildLeanTable(ConnectionTree &tree, int count)
{
    BuildGeneratedTable(tree, count);
    int i = 0;
    ConnectionTree::forEachBelow(tree.RootNode(), [&](ConnectionNode *n) {
        rVTNodeData lean = leanRecord(i++, n->data.Name);
        lean.Level = n->data.Level;
        n->data = lean;
    });
}

// A table of Count connections written to Name (.QDZ or .KPV by its extension), once per run.
QString generatedFile(const QString &name, int count, bool lean)
{
    static std::map<QString, QString> made;
    const QString key = name + QString::number(count) + (lean ? QStringLiteral("lean") : QString());
    auto it = made.find(key);
    if (it != made.end())
        return it->second;
    const QString path = scratch().file(QString::number(count) + (lean ? QStringLiteral("-lean-") : QStringLiteral("-"))
                                        + name);
    FakeTableHost host;
    TableDocument source(host);
    InitTree(source);
    if (lean)
        buildLeanTable(source.tree(), count);
    else
        BuildGeneratedTable(source.tree(), count);
    if (path.endsWith(QLatin1String(".KPV")))
        ExportLegacyConnections(source, path, true, TreeSelection(), QStringLiteral("bench"));
    else
        SaveConnectionTable(source, path);
    return made[key] = path;
}

// The resident memory, in bytes, as /proc tells it.
qint64 residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    qint64 pages = 0;
    qint64 resident = 0;
    statm >> pages >> resident;
    return resident * static_cast<qint64>(sysconf(_SC_PAGESIZE));
}

// How far the resident memory rose above where it stood while Work ran, in bytes: looked at
// every millisecond by a thread of its own, whatever threads the work itself uses.
template<typename Work>
qint64 peakGrowth(Work &&work)
{
    // Memory freed before and still held would be taken again unseen: given back first.
    malloc_trim(0);
    const qint64 before = residentBytes();
    std::atomic<qint64> peak = before;
    std::atomic<bool> done = false;
    std::thread watcher([&] {
        while (!done) {
            peak = std::max<qint64>(peak, residentBytes());
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    work();
    done = true;
    watcher.join();
    return std::max<qint64>(peak, residentBytes()) - before;
}

// The longest time the window's event loop went without turning while Work ran: how long
// the window could not paint or take a key.
class StallMeter
{
public:
    StallMeter()
    {
        m_tick.setInterval(5);
        QObject::connect(&m_tick, &QTimer::timeout, [this] { turned(); });
    }
    template<typename Work>
    double measure(Work &&work)
    {
        m_longest = 0;
        m_clock.start();
        m_last = 0;
        m_tick.start();
        work();
        turned();
        m_tick.stop();
        return static_cast<double>(m_longest) / 1e6;
    }

private:
    void turned()
    {
        const qint64 now = m_clock.nsecsElapsed();
        m_longest = std::max(m_longest, now - m_last);
        m_last = now;
    }
    QTimer m_tick;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};

// RootNode alone, focused, as a new table shows it.
void emptyTable(BigWindow &w)
{
    w.form.tree()->focusOnly(NewTable(w.doc()));
    w.finishFreeing();
    w.form.activateWindow();
    w.active();
    w.form.tree()->setFocus();
}

// The window with an empty table: what a fresh start shows.
BigWindow &emptyWindow()
{
    BigWindow &w = window(1);
    emptyTable(w);
    w.settle();
    return w;
}

// Imports File through File > Import into an empty table; counters for the rows, the
// memory's peak against the file's size, and the longest the window stood still.
void importIntoEmpty(benchmark::State &state, const QString &file)
{
    qint64 peak = 0;
    double stall = 0;
    StallMeter meter;
    for (auto _ : state) {
        state.PauseTiming();
        BigWindow &w = emptyWindow();
        w.chooser.queue(file);
        w.prompter.clear();
        state.ResumeTiming();
        peak = peakGrowth([&] {
            stall = meter.measure([&] {
                w.action("MnImport")->trigger();
                w.settle();
            });
        });
    }
    BigWindow &w = window(1);
    const double fileSize = static_cast<double>(QFileInfo(file).size());
    state.counters["nodes"] = ConnectionTree::countBelow(w.doc().RootNode());
    state.counters["file_MB"] = fileSize / (1 << 20);
    state.counters["peak_MB"] = static_cast<double>(peak) / (1 << 20);
    state.counters["peak_per_file"] = static_cast<double>(peak) / fileSize;
    state.counters["longest_stall_ms"] = stall;
    emptyTable(w);
    w.settle();
}

void BM_ImportKpvRows(benchmark::State &state)
{
    importIntoEmpty(state, generatedFile(QStringLiteral("rows.KPV"), static_cast<int>(state.range(0)), false));
}

void BM_ImportQdzRows(benchmark::State &state)
{
    importIntoEmpty(state, generatedFile(QStringLiteral("rows.QDZ"), static_cast<int>(state.range(0)), false));
}

// The lean table of 1,000,000 rows, as an exchange file and as a table file.
void BM_ImportKpvLean(benchmark::State &state)
{
    importIntoEmpty(state, generatedFile(QStringLiteral("rows.KPV"), static_cast<int>(state.range(0)), true));
}

void BM_ImportQdzLean(benchmark::State &state)
{
    importIntoEmpty(state, generatedFile(QStringLiteral("rows.QDZ"), static_cast<int>(state.range(0)), true));
}

// Baseline of the imports and of Open: the same file's bytes read, a piece at a time into
// the same room as the readers read them (one fresh allocation of the whole file costs more
// than the reading where memory first touched is slow).
void readBytes(benchmark::State &state, const QString &file)
{
    QByteArray piece(256 * 1024, Qt::Uninitialized);
    for (auto _ : state) {
        QFile f(file);
        f.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        qint64 total = 0;
        for (qint64 got; (got = f.read(piece.data(), piece.size())) > 0;)
            total += got;
        benchmark::DoNotOptimize(total);
    }
    state.counters["file_MB"] = static_cast<double>(QFileInfo(file).size()) / (1 << 20);
}

void BM_ReadKpvBytes(benchmark::State &state)
{
    readBytes(state, generatedFile(QStringLiteral("rows.KPV"), static_cast<int>(state.range(0)), false));
}

void BM_ReadKpvLeanBytes(benchmark::State &state)
{
    readBytes(state, generatedFile(QStringLiteral("rows.KPV"), static_cast<int>(state.range(0)), true));
}

// The 10,000 rows of a clashing table as an exchange file, imported into the open table.
void BM_ImportKpv(benchmark::State &state)
{
    importIntoOpenTable(state, generatedFile(QStringLiteral("clashing.KPV"), Records, false));
}

// Everything selected (Ctrl+A) and exported through File > Export to Name.
// The first write of a large file in a process takes memory the machine never handed it
// before, which in a virtual machine costs several times the write itself (570 MB on tmpfs:
// 850 ms the first time, 125 ms after). Before each side of a comparison of writes, a file of
// the size written is made and removed, so every side writes into memory used before.
void warmScratchPages(qint64 size)
{
    const QString path = scratch().file(QStringLiteral("warm.bin"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray piece(1 << 20, 'w');
        for (qint64 n = 0; n < size; n += piece.size())
            f.write(piece);
    }
    QFile::remove(path);
}

void exportAll(benchmark::State &state, const QString &name)
{
    BigWindow &w = window(static_cast<int>(state.range(0)));
    w.rebuild(Shown::Everything);
    w.press(Qt::CTRL | Qt::Key_A);
    w.settle();
    const QString out = scratch().file(name);
    warmScratchPages(2 * QFileInfo(w.file).size());
    QMenu *file = w.child<QMenu>(QStringLiteral("MnFile"));
    for (auto _ : state) {
        state.PauseTiming();
        // Chosen from the File menu, which works out its items' states as it opens.
        file->popup(w.form.mapToGlobal(QPoint(20, 20)));
        w.settle();
        w.chooser.queue(out);
        state.ResumeTiming();
        w.action("MnExport")->trigger();
        file->hide();
        w.settle();
        state.PauseTiming();
        // Export drops RootNode from the selection: selected again for the next one.
        w.press(Qt::CTRL | Qt::Key_A);
        w.settle();
        state.ResumeTiming();
    }
    state.counters["file_MB"] = static_cast<double>(QFileInfo(out).size()) / (1 << 20);
}

void BM_ExportAllKpv(benchmark::State &state)
{
    exportAll(state, QStringLiteral("export.KPV"));
}

void BM_ExportAllQdz(benchmark::State &state)
{
    exportAll(state, QStringLiteral("export.QDZ"));
}

// The window's table as a file in the scratch folder, opened.
QString openScratchCopy(BigWindow &w)
{
    const QString copy = scratch().file(QStringLiteral("open-%1.QDZ").arg(w.doc().tree().nodeCount()));
    if (!QFileInfo::exists(copy))
        QFile::copy(w.file, copy);
    emptyTable(w);
    w.form.readTable(copy);
    w.form.tree()->expandAll();
    w.form.tree()->setFocus();
    w.settle();
    return copy;
}

// Ctrl+S on the opened table, against writing its bytes through QSaveFile.
void BM_SaveTable(benchmark::State &state)
{
    BigWindow &w = window(static_cast<int>(state.range(0)));
    const QString file = openScratchCopy(w);
    warmScratchPages(2 * QFileInfo(file).size());
    for (auto _ : state) {
        state.PauseTiming();
        // A change marks the table: what a user's edit leaves before Save.
        w.doc().UpdateCaption(true);
        w.form.RequestCommandRefresh();
        w.settle();
        state.ResumeTiming();
        w.press(Qt::CTRL | Qt::Key_S);
        w.settle();
    }
    state.counters["file_MB"] = static_cast<double>(QFileInfo(file).size()) / (1 << 20);
}

void BM_SaveFileBytes(benchmark::State &state)
{
    BigWindow &w = window(static_cast<int>(state.range(0)));
    const QByteArray bytes = fileBytes(w.file);
    const QString out = scratch().file(QStringLiteral("savefile.QDZ"));
    warmScratchPages(2 * bytes.size());
    for (auto _ : state) {
        QSaveFile f(out);
        f.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        f.write(bytes);
        benchmark::DoNotOptimize(f.commit());
    }
}

// The same bytes through the program's own writer of whole files, which Save writes with.
void BM_AtomicWriteBytes(benchmark::State &state)
{
    BigWindow &w = window(static_cast<int>(state.range(0)));
    const QByteArray bytes = fileBytes(w.file);
    const QString out = scratch().file(QStringLiteral("atomic.QDZ"));
    warmScratchPages(2 * bytes.size());
    for (auto _ : state) {
        AtomicFileWriter f(out);
        benchmark::DoNotOptimize(f.open() && f.write(bytes) && f.commit());
    }
}

// Ctrl+O of the table's file, against reading its bytes.
void BM_OpenTable(benchmark::State &state)
{
    BigWindow &w = window(static_cast<int>(state.range(0)));
    const QString file = openScratchCopy(w);
    for (auto _ : state) {
        state.PauseTiming();
        emptyTable(w);
        w.form.tree()->setFocus();
        w.settle();
        w.chooser.queue(file);
        state.ResumeTiming();
        w.press(Qt::CTRL | Qt::Key_O);
        w.settle();
    }
    state.counters["nodes"] = ConnectionTree::countBelow(w.doc().RootNode());
}

void BM_ReadTableBytes(benchmark::State &state)
{
    readBytes(state, openScratchCopy(window(static_cast<int>(state.range(0)))));
}

// The table file's own baseline (bench_tablefile): the whole file read into one fresh buffer.
void BM_ReadTableWhole(benchmark::State &state)
{
    const QString file = openScratchCopy(window(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        QFile f(file);
        f.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(f.readAll());
    }
}

// A macro of about Size bytes: the lines of a long login script.
QByteArray macroOfSize(qint64 size)
{
    const QByteArray line = "sendln 'show interfaces status | include connected'\r\nwait '#'\r\n";
    QByteArray text;
    text.reserve(size + line.size());
    while (text.size() < size)
        text += line;
    return text;
}

// One key typed at the end of a macro of Range(0) bytes in the real editor, a letter and
// then Backspace in turn, each with the refresh and the repaint that follow.
void BM_TypeKey(benchmark::State &state)
{
    BigWindow &w = emptyWindow();
    ConnectionNode *root = w.doc().RootNode();
    rVTNodeData record = leanRecord(0, "long macro");
    record.Macro = UrlEncode(macroOfSize(state.range(0)), true);
    ConnectionNode *node = w.doc().tree().addChild(root, record);
    w.form.tree()->setNodeExpanded(root, true);
    w.click(node);
    w.settle();
    QsciScintilla *memo = w.memo1();
    // Clicked into, as the user starts typing there.
    w.form.activateWindow();
    w.active();
    QTest::mouseClick(memo->viewport(), Qt::LeftButton, {}, QPoint(40, 10));
    QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
    w.settle();
    if (QApplication::focusWidget() != memo && QApplication::focusWidget() != memo->viewport())
        state.SkipWithError("the macro editor has no focus");
    bool letter = true;
    for (auto _ : state) {
        if (letter)
            QTest::keyClick(memo, Qt::Key_X);
        else
            QTest::keyClick(memo, Qt::Key_Backspace);
        w.settle();
        letter = !letter;
    }
    state.counters["macro_MB"] = static_cast<double>(memo->length()) / (1 << 20);
    if (!w.doc().IsNodeModified())
        state.SkipWithError("the keys were no edit");
    // Leaves no edits for the next benchmark's questions.
    w.doc().SetNodeModified(false);
    emptyTable(w);
    w.settle();
}

// Beside BM_TypeKey: the same letter added and taken back at the end of the same text in a
// bare QScintilla editor (UTF-8, Windows line ends), straight through its messages. The
// component works in proportion to the caret's place in the text on every change it tells
// after the change (it counts the characters before it for its accessibility interface);
// the window's editor has those left out while a key is typed.
void BM_TypeKeyBareEditor(benchmark::State &state)
{
    QsciScintilla editor;
    editor.setUtf8(true);
    editor.setEolMode(QsciScintilla::EolWindows);
    editor.setText(QString::fromUtf8(macroOfSize(state.range(0))));
    editor.SendScintilla(QsciScintilla::SCI_DOCUMENTEND);
    bool letter = true;
    for (auto _ : state) {
        if (letter)
            editor.SendScintilla(QsciScintilla::SCI_ADDTEXT, 1UL, "x");
        else
            editor.SendScintilla(QsciScintilla::SCI_DELETEBACK);
        letter = !letter;
    }
    state.counters["macro_MB"] = static_cast<double>(editor.length()) / (1 << 20);
}

void rows(benchmark::internal::Benchmark *b)
{
    b->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->UseRealTime();
}

// The lean table's rows: 1,000,000 when large tables are asked for.
void million(benchmark::internal::Benchmark *b)
{
    b->Arg(largeTables() ? 1'000'000 : 100'000)->Unit(benchmark::kMillisecond)->UseRealTime();
}

} // namespace fileops

BENCHMARK(fileops::BM_ReadKpvBytes)->Apply(fileops::rows);
BENCHMARK(fileops::BM_ImportKpvRows)->Apply(fileops::rows)->Iterations(1);
BENCHMARK(fileops::BM_ImportQdzRows)->Apply(fileops::rows)->Iterations(1);
BENCHMARK(fileops::BM_ImportKpv)->Apply(sizes)->Iterations(1);
BENCHMARK(fileops::BM_ReadTableBytes)->Apply(sizes);
BENCHMARK(fileops::BM_ReadTableWhole)->Apply(sizes);
BENCHMARK(fileops::BM_OpenTable)->Apply(sizes)->Iterations(1);
BENCHMARK(fileops::BM_SaveFileBytes)->Apply(sizes);
BENCHMARK(fileops::BM_AtomicWriteBytes)->Apply(sizes);
BENCHMARK(fileops::BM_SaveTable)->Apply(sizes)->Iterations(1);
BENCHMARK(fileops::BM_ExportAllQdz)->Apply(sizes)->Iterations(1);
BENCHMARK(fileops::BM_ExportAllKpv)->Apply(sizes)->Iterations(1);
BENCHMARK(fileops::BM_TypeKeyBareEditor)->Arg(1 << 10)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
BENCHMARK(fileops::BM_TypeKey)->Arg(1 << 10)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
BENCHMARK(fileops::BM_ReadKpvLeanBytes)->Apply(fileops::million);
BENCHMARK(fileops::BM_ImportKpvLean)->Apply(fileops::million)->Iterations(1);
BENCHMARK(fileops::BM_ImportQdzLean)->Apply(fileops::million)->Iterations(1);

int main(int argc, char **argv)
{
    return RunOffscreenBenchmarks(argc, argv);
}
