#pragma once
// The entry of a benchmark that draws widgets: one application, offscreen.

#include <benchmark/benchmark.h>

#include <QApplication>

inline int RunQtBenchmarks(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
