#pragma once

// The main of a benchmark that needs widgets: a QApplication on the
// offscreen platform around the benchmark run.
#include <QApplication>
#include <benchmark/benchmark.h>
#include <functional>

// prepare runs once the application exists, before the first benchmark.
inline int RunQtBenchmarks(int argc, char** argv, const std::function<void()>& prepare = {})
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (prepare)
        prepare();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
