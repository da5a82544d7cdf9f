#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

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
    return 0;
}
