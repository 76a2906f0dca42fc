#pragma once

// The main of the Qt benchmark programs: a QApplication on the offscreen platform (unless
// QT_QPA_PLATFORM says otherwise), then Google Benchmark as usual.

#include <benchmark/benchmark.h>

#include <QApplication>

namespace velantro {

inline int RunQtBenchmarks(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace velantro
