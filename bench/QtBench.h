// main() of the benchmarks that paint: a QApplication (offscreen) around
// Google Benchmark, with a reporter that prints the comparison figures.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>

// Without a reporter the benchmark library's own prints the runs.
inline int RunQtBenchmarks(int argc, char** argv, benchmark::BenchmarkReporter* reporter = nullptr) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (reporter)
        benchmark::RunSpecifiedBenchmarks(reporter);
    else
        benchmark::RunSpecifiedBenchmarks();
    return 0;
}

inline int RunQtBenchmarks(int argc, char** argv, benchmark::BenchmarkReporter& reporter) {
    return RunQtBenchmarks(argc, argv, &reporter);
}
