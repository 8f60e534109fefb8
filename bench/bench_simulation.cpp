// Validate + Execute of whole simulations, as the data module runs them:
// rows and harvests are cleared before each run.
#include <benchmark/benchmark.h>

#include "fixtures/ReferenceSimulation.h"
#include "model/growth/SimulationUnit.h"

namespace {

void RunSimulation(benchmark::State& state, void (*fill)(TSimulationData&), bool texts) {
  TSimulation s;
  fill(s);
  if (texts) fixtures::SetBuiltInFormulaTexts(s);
  for (auto _ : state) {
    s.PrognosisCollection().Clear();
    s.ProductionCollection().Clear();
    if (!s.Validate() || !s.Execute()) {
      state.SkipWithError("the simulation failed");
      break;
    }
    benchmark::DoNotOptimize(s.ProductionCollection().Count());
  }
  int classes = 0;
  for (const TProduction& p : s.ProductionCollection()) classes += p.DiameterClasses().Count();
  state.counters["rows"] = s.PrognosisCollection().Count();
  state.counters["harvests"] = s.ProductionCollection().Count();
  state.counters["classes"] = classes;
}

void BM_ReferenceBuiltIn(benchmark::State& state) {
  RunSimulation(state, fixtures::FillReferenceSimulation, false);
}
void BM_ReferenceFormulaTexts(benchmark::State& state) {
  RunSimulation(state, fixtures::FillReferenceSimulation, true);
}
void BM_HeavyBuiltIn(benchmark::State& state) {
  RunSimulation(state, fixtures::FillHeavySimulation, false);
}
void BM_HeavyFormulaTexts(benchmark::State& state) {
  RunSimulation(state, fixtures::FillHeavySimulation, true);
}

BENCHMARK(BM_ReferenceBuiltIn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReferenceFormulaTexts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HeavyBuiltIn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HeavyFormulaTexts)->Unit(benchmark::kMillisecond);

}  // namespace
