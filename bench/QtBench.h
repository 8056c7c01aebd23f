// main() of the benchmarks that paint: a QApplication (offscreen) around
// Google Benchmark, with a reporter that prints the comparison figures.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>

inline int RunQtBenchmarks(int argc, char** argv, benchmark::BenchmarkReporter& reporter) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    return 0;
}
