// A connection whose name is long beyond reason (one value of an exchange file may be
// 100 MB): the File menu opened over the tree, the tree painted, and the connection shown with
// its caption in the status bar and its pages, beside the same commands with a name of 16
// characters in the same run. Nothing should take longer for the long name: what is laid out
// and painted is a cut of it.
//
// Run with --benchmark_repetitions=5 and compare the medians of the two lengths.

#include "OffscreenBenchmarkMain.h"
#include "mainwindow/MainWindowFixture.h"

#include <QMenu>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

// The real window with "A" and a connection of a name of Length characters, shown.
struct NamedWindow : MainWindowFixture
{
    explicit NamedWindow(qsizetype length) : MainWindowFixture("A")
    {
        timer = form.findChild<QTimer *>(QStringLiteral("Timer1"));
        timer->setInterval(0);
        rVTNodeData d;
        d.Name = QByteArray(length, 'N');
        d.LastUpdated = QByteArray(length, 'T');
        d.Macro = "wait+%27x%27";
        node = doc().tree().addChild(doc().RootNode(), d);
        active();
        settle();
    }

    void settle()
    {
        do
            QCoreApplication::processEvents();
        while (timer->isActive());
    }

    QTimer *timer = nullptr;
    ConnectionNode *node = nullptr;
};

NamedWindow &window(qsizetype length)
{
    static std::map<qsizetype, NamedWindow *> windows;
    NamedWindow *&w = windows[length];
    if (!w)
        w = &KeepForRun(std::make_unique<NamedWindow>(length));
    return *w;
}

void BM_FileMenuOverTheTree(benchmark::State &state)
{
    NamedWindow &w = window(state.range(0));
    QMenu *file = w.child<QMenu>(QStringLiteral("MnFile"));
    for (auto _ : state) {
        file->popup(w.form.tree()->mapToGlobal(QPoint(10, 10)));
        w.settle();
        file->hide();
        w.settle();
    }
}

void BM_TreeRepaint(benchmark::State &state)
{
    NamedWindow &w = window(state.range(0));
    for (auto _ : state)
        w.form.tree()->viewport()->repaint();
}

// The connection focused and shown: its caption in the tree, its stamp in the status bar.
void BM_ShowTheConnection(benchmark::State &state)
{
    NamedWindow &w = window(state.range(0));
    for (auto _ : state) {
        w.click(w.at(QStringLiteral("0")));
        w.settle();
        w.click(w.node);
        w.settle();
    }
}

void lengths(benchmark::internal::Benchmark *b)
{
    b->Arg(16)->Arg(100 << 20)->Unit(benchmark::kMillisecond)->UseRealTime();
}

} // namespace

BENCHMARK(BM_FileMenuOverTheTree)->Apply(lengths)->Iterations(5);
BENCHMARK(BM_TreeRepaint)->Apply(lengths)->Iterations(5);
BENCHMARK(BM_ShowTheConnection)->Apply(lengths)->Iterations(5);

int main(int argc, char **argv)
{
    return RunOffscreenBenchmarks(argc, argv);
}
