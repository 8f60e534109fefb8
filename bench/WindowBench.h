// What the programs' window benchmarks share: the application as main builds
// it (offscreen unless told otherwise), the data folder, start-up timed once
// on its own as the process's first run, then BM_StartUp and the program's
// own benchmarks.

#pragma once

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "platform/gui/ApplicationContext.h"
#include "platform/gui/Forms.h"
#include "widgets/gbOutBar.h"

namespace windowbench {

// The folder the data modules read (executable's and working folder alike).
inline std::string& Folder() {
  static std::string folder;
  return folder;
}

// The application context Main made.
inline TApplicationContext*& Context() {
  static TApplicationContext* context = nullptr;
  return context;
}

// Program: data modules and the main window, shown and painted on construction.
template <class Program>
void StartUp(benchmark::State& state) {
  for (auto _ : state) {
    auto program = std::make_unique<Program>();
    state.PauseTiming();
    program.reset();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}

// fillFolder writes the data files into Folder().
template <class Program>
int Main(int argc, char** argv, const char* title, const std::function<void()>& fillFolder) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  TApplicationOptions options;
  options.title = title;
  TApplicationContext context(argc, argv, options);
  Context() = &context;
  LoadFormatSettingsFromLocale(QLocale(QLocale::Portuguese, QLocale::Brazil));
  InitOutBarUnit();
  QTemporaryDir dir;
  Folder() = dir.path().toStdString();
  fillFolder();
  {
    QElapsedTimer timer;
    timer.start();
    Program program;
    std::printf("Start-up, first run: %.1f ms\n", timer.nsecsElapsed() / 1e6);
  }
  QApplication::processEvents();
  benchmark::RegisterBenchmark("BM_StartUp", StartUp<Program>)->Unit(benchmark::kMillisecond);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  DoneOutBarUnit();
  return 0;
}

}  // namespace windowbench
