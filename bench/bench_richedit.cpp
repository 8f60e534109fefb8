// The report view's part of "Calcular": the reference growth report read and
// built into the view (goal: under 20 ms), and the parts on their own.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTextDocument>

#include "fixtures/ReferenceReport.h"
#include "platform/richedit/RtfView.h"
#include "platform/rtl/SysUtils.h"

namespace {

const std::string& Report() {
  static const std::string report = fixtures::ReferenceGrowthReport();
  return report;
}

void BM_ReadGrowthReport(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(RtfReader::Read(Report()).blocks.size());
  state.counters["bytes"] = static_cast<double>(Report().size());
}

void BM_BuildDocument(benchmark::State& state) {
  const RtfDocument model = RtfReader::Read(Report());
  for (auto _ : state) {
    QTextDocument document;
    document.setUndoRedoEnabled(false);
    BuildRtfDocument(model, document);
    benchmark::DoNotOptimize(document.blockCount());
  }
}

void BM_BuildAndLayOut(benchmark::State& state) {
  const RtfDocument model = RtfReader::Read(Report());
  for (auto _ : state) {
    QTextDocument document;
    document.setUndoRedoEnabled(false);
    BuildRtfDocument(model, document);
    benchmark::DoNotOptimize(document.size());
  }
}

// Reader and document building into a shown view.
void BM_LoadIntoView(benchmark::State& state) {
  RtfView view;
  view.SetWordWrap(false);
  view.resize(760, 600);
  view.show();
  for (auto _ : state) {
    view.LoadFromBytes(Report());
    benchmark::DoNotOptimize(view.document()->blockCount());
  }
}

// The same, and the whole document laid out.
void BM_LoadIntoViewAndLayOut(benchmark::State& state) {
  RtfView view;
  view.SetWordWrap(false);
  view.resize(760, 600);
  view.show();
  for (auto _ : state) {
    view.LoadFromBytes(Report());
    benchmark::DoNotOptimize(view.document()->size());
  }
}

}  // namespace

BENCHMARK(BM_ReadGrowthReport)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BuildDocument)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildAndLayOut)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadIntoView)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadIntoViewAndLayOut)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  SetBrazilianFormatSettings();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
