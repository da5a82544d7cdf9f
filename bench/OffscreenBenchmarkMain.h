#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace offscreen_benchmark_detail {
inline std::vector<std::shared_ptr<void>> &kept()
{
    static std::vector<std::shared_ptr<void>> objects;
    return objects;
}
} // namespace offscreen_benchmark_detail

// Keeps an object the benchmarks make once and use again (a window with its table) until the
// run ends. The run destroys them, newest first, while the QApplication still stands: a
// widget destroyed after the application crashes the program at exit.
template<typename T> T &KeepForRun(std::unique_ptr<T> object)
{
    T &kept = *object;
    offscreen_benchmark_detail::kept().push_back(std::shared_ptr<T>(std::move(object)));
    return kept;
}

// Runs the benchmarks in a QApplication on the offscreen platform (unless another is asked
// for), as the tests run the program's windows.
inline int RunOffscreenBenchmarks(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::vector<std::shared_ptr<void>> &kept = offscreen_benchmark_detail::kept();
    while (!kept.empty())
        kept.pop_back();
    return 0;
}
