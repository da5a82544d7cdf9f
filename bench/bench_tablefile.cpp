// Reading and writing a table of 100,000 connections, each measured against a baseline that
// only moves the same file's bytes, in the same run.

#include "support/FakeTableHost.h"
#include "table/ColorSet.h"
#include "table/ConnectionTree.h"
#include "table/TableDocument.h"
#include "table/TableFile.h"
#include "table/UrlCodec.h"

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int Folders = 100;
constexpr int SubFolders = 10;
constexpr int Connections = 100'000;

QByteArray fixedWidth(const QByteArray &text, int width)
{
    QByteArray out = text.left(width);
    while (out.size() < width)
        out += out.isEmpty() ? QByteArray("x") : out.left(width - out.size());
    return out;
}

rVTNodeData connection(int i)
{
    rVTNodeData d;
    d.Name = fixedWidth("Connection " + QByteArray::number(i) + " server-", 20);
    QByteArray macro = "connect '192.168." + QByteArray::number(i % 256) + "." + QByteArray::number(i % 199)
        + ":22 /ssh /2 /auth=password /user=admin /passwd=secret'\r\nwait 'login:'\r\nsendln 'admin'\r\n";
    while (macro.size() < 400)
        macro += "wait '$'\r\nsendln 'ls -l /var/log'\r\n";
    d.Macro = fixedWidth(UrlEncode(macro, true), 400);
    d.Popup = fixedWidth(UrlEncode("Production host, rack " + QByteArray::number(i % 40) + ", ask ops first", true), 50);
    d.Schedule = i % 7 == 0 ? QByteArray("=0 8 * * 1,2,3,4,5") : QByteArray();
    d.LastUpdated = "Monday, 03-Jun-2024 10:11:12";
    d.Colors = ColorSchemes[i % ColorSchemeCount].text;
    d.LogSession = i % 3 == 0;
    d.Kind = NodeKindWithMacro;
    return d;
}

// 100 top-level folders of 10 folders each, the connections spread below those: three levels.
void buildTable(TableDocument &doc)
{
    ConnectionTree &tree = doc.tree();
    BulkChange bulk(tree);
    ConnectionNode *root = tree.addChild(nullptr);
    int made = 0;
    const int leaves = Connections - Folders - Folders * SubFolders;
    for (int f = 0; f < Folders; ++f) {
        ConnectionNode *folder = tree.addChild(root, connection(made++));
        for (int s = 0; s < SubFolders; ++s) {
            ConnectionNode *sub = tree.addChild(folder, connection(made++));
            const int index = f * SubFolders + s;
            const int count = leaves / (Folders * SubFolders) + (index < leaves % (Folders * SubFolders) ? 1 : 0);
            for (int c = 0; c < count; ++c)
                tree.addChild(sub, connection(made++));
        }
    }
}

struct Setup
{
    Setup()
    {
        source = std::make_unique<TableDocument>(sourceHost);
        buildTable(*source);
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

} // namespace

BENCHMARK(BM_ReadBytes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadConnectionTable)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WriteBytesPlainFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WriteBytesSaveFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveConnectionTable)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
