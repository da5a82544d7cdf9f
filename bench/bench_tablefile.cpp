// Reading and writing a table of 100,000 connections of the shape users keep (GeneratedTable.h),
// each measured against a baseline that only moves the same file's bytes, in the same run; and
// the memory a read of that table takes at its peak, against the file's size.

#include "support/FakeTableHost.h"
#include "support/GeneratedTable.h"
#include "table/ConnectionTree.h"
#include "table/TableDocument.h"
#include "table/TableFile.h"

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int Connections = 100'000;

struct Setup
{
    Setup()
    {
        source = std::make_unique<TableDocument>(sourceHost);
        BuildGeneratedTable(source->tree(), Connections);
        path = dir.filePath("big.QDZ");
        SaveConnectionTable(*source, path);
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        bytes = f.readAll();
    }
    QTemporaryDir dir;
    FakeTableHost sourceHost;
    std::unique_ptr<TableDocument> source;
    QString path;
    QByteArray bytes;
};

Setup &setup()
{
    static Setup s;
    return s;
}

void BM_SaveConnectionTable(benchmark::State &state)
{
    Setup &s = setup();
    const QString out = s.dir.filePath("save.QDZ");
    for (auto _ : state)
        benchmark::DoNotOptimize(SaveConnectionTable(*s.source, out));
    state.SetBytesProcessed(state.iterations() * s.bytes.size());
}

void BM_WriteBytesSaveFile(benchmark::State &state)
{
    Setup &s = setup();
    const QString out = s.dir.filePath("write.QDZ");
    for (auto _ : state) {
        QSaveFile f(out);
        f.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        f.write(s.bytes);
        benchmark::DoNotOptimize(f.commit());
    }
    state.SetBytesProcessed(state.iterations() * s.bytes.size());
}

void BM_WriteBytesPlainFile(benchmark::State &state)
{
    Setup &s = setup();
    const QString out = s.dir.filePath("plain.QDZ");
    for (auto _ : state) {
        QFile f(out);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered);
        benchmark::DoNotOptimize(f.write(s.bytes));
    }
    state.SetBytesProcessed(state.iterations() * s.bytes.size());
}

void BM_LoadConnectionTable(benchmark::State &state)
{
    Setup &s = setup();
    auto host = std::make_unique<FakeTableHost>();
    auto doc = std::make_unique<TableDocument>(*host);
    for (auto _ : state) {
        state.PauseTiming();
        doc.reset();
        host = std::make_unique<FakeTableHost>();
        doc = std::make_unique<TableDocument>(*host);
        doc->tree().addChild(nullptr);
        state.ResumeTiming();
        if (!LoadConnectionTable(*doc, s.path, false).ok)
            state.SkipWithError("load failed");
    }
    state.SetBytesProcessed(state.iterations() * s.bytes.size());
}

// A field of /proc/self/status, in kB.
qint64 statusKb(const std::string &field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ":", 0) == 0)
            return std::stoll(line.substr(field.size() + 1));
    return -1;
}

// How far the resident memory rises above where it stood while Work runs, in bytes. Work
// runs in a child process, so memory the allocator kept from earlier work cannot hide it.
qint64 peakGrowth(const std::function<void()> &work)
{
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        // Memory freed before and still held would be taken again unseen: given back first.
        malloc_trim(0);
        // Writing 5 starts the peak again from the present size.
        std::ofstream("/proc/self/clear_refs") << "5";
        const qint64 before = statusKb("VmRSS");
        work();
        const qint64 growth = (statusKb("VmHWM") - before) * 1024;
        const bool sent = write(fds[1], &growth, sizeof growth) == sizeof growth;
        _exit(sent ? 0 : 1);
    }
    close(fds[1]);
    qint64 growth = -1;
    if (pid < 0 || read(fds[0], &growth, sizeof growth) != sizeof growth)
        growth = -1;
    close(fds[0]);
    if (pid > 0)
        waitpid(pid, nullptr, 0);
    return growth;
}

// The memory a read of the table takes at its peak: the records in the tree and whatever the
// reader holds on the way.
void BM_LoadPeakMemory(benchmark::State &state)
{
    Setup &s = setup();
    qint64 growth = -1;
    for (auto _ : state) {
        growth = peakGrowth([&s] {
            FakeTableHost host;
            TableDocument doc(host);
            doc.tree().addChild(nullptr);
            LoadConnectionTable(doc, s.path, false);
        });
    }
    if (growth < 0)
        state.SkipWithError("could not measure");
    state.counters["file_MB"] = static_cast<double>(s.bytes.size()) / (1 << 20);
    state.counters["peak_MB"] = static_cast<double>(growth) / (1 << 20);
    state.counters["peak_per_file"] = static_cast<double>(growth) / static_cast<double>(s.bytes.size());
}

void BM_ReadBytes(benchmark::State &state)
{
    Setup &s = setup();
    for (auto _ : state) {
        QFile f(s.path);
        f.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(f.readAll());
    }
    state.SetBytesProcessed(state.iterations() * s.bytes.size());
}

// The bytes read as the table reader reads them, a piece at a time into the same room, with
// nothing made of them: readAll's one large fresh allocation costs more than the reading.
void BM_ReadBytesInPieces(benchmark::State &state)
{
    Setup &s = setup();
    QByteArray piece(256 * 1024, Qt::Uninitialized);
    for (auto _ : state) {
        QFile f(s.path);
        f.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        qint64 total = 0;
        for (qint64 got; (got = f.read(piece.data(), piece.size())) > 0;)
            total += got;
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(state.iterations() * s.bytes.size());
}

} // namespace

BENCHMARK(BM_ReadBytes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadBytesInPieces)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadConnectionTable)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WriteBytesPlainFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WriteBytesSaveFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveConnectionTable)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadPeakMemory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

BENCHMARK_MAIN();
