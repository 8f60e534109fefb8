// Time of the stand model's steps: growth over 40 years and the thinnings.
#include <benchmark/benchmark.h>

#include <span>

#include "model/growth/HardFormulaUnit.h"
#include "model/growth/SpeciesUnit.h"

namespace {

struct BuiltInSite : IEquation {
  double Compute(std::span<const double> v) override { return DefaultSiteIndex(v); }
};

// 1667 trees/ha at 95 % survival, site index 28 m, homogeneity 7.
void Start(TSpecies& s) {
  s.ResetStand();
  s.InitStand(1667 * 0.95 / kSquareFeetPerHectare, 28 * kFeetPerMetre, 7);
}

void BM_Grow40Years(benchmark::State& state) {
  BuiltInSite site;
  TSpecies s;
  for (auto _ : state) {
    Start(s);
    for (int age = 1; age <= 40; ++age) s.Grow(age, site);
    benchmark::DoNotOptimize(s.Dq());
  }
}
BENCHMARK(BM_Grow40Years)->Unit(benchmark::kMicrosecond);

// Grow to 12 years, then a selective thinning leaving 900 trees/ha (by trees) or
// 15 m²/ha (by basal area): truncation deviate, state left and re-fit.
void BM_SelectiveThin(benchmark::State& state) {
  BuiltInSite site;
  TSpecies s;
  Start(s);
  s.Grow(12, site);
  const TSpecies grown = s;
  const bool byBasalArea = state.range(0) != 0;
  for (auto _ : state) {
    s = grown;
    const double z = byBasalArea ? s.TruncationByBasalArea(15 * kSquareInchesPerSquareMetre / kSquareFeetPerHectare /
                                                           (s.N() * s.Dq() * s.Dq() * 3.141592653589793 / 4))
                                 : s.TruncationByTrees(900 * kHectaresPerSquareFoot / s.N());
    s.TruncatedState(z, s.N());
    s.ApplySelectiveThin(12, site, z);
    benchmark::DoNotOptimize(s.Na());
  }
}
BENCHMARK(BM_SelectiveThin)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_SystematicThin(benchmark::State& state) {
  BuiltInSite site;
  TSpecies s;
  Start(s);
  s.Grow(9, site);
  const TSpecies grown = s;
  for (auto _ : state) {
    s = grown;
    s.SetRemaining(600 * kHectaresPerSquareFoot / s.N(), s.N());
    s.ApplySystematicThin(9, site);
    benchmark::DoNotOptimize(s.Na());
  }
}
BENCHMARK(BM_SystematicThin)->Unit(benchmark::kMicrosecond);

}  // namespace
