// Time per call of the numerical routines that the simulation calls most.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <vector>

#include "model/growth/ModeUnit.h"
#include "model/growth/MomentsUnit.h"
#include "model/math/MathUnit.h"

namespace {

std::vector<double> Grid(double lo, double hi, int n) {
  std::vector<double> v(n);
  for (int i = 0; i < n; ++i) v[i] = lo + (hi - lo) * (i + 0.5) / n;
  return v;
}

void BM_NormalCdf(benchmark::State& state) {
  const std::vector<double> xs = Grid(-6.0, 6.0, 1024);
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(NormalCdf(xs[i]));
    i = (i + 1) & 1023;
  }
}
BENCHMARK(BM_NormalCdf);

// Limits and correlations across all seven cases of the routine.
void BM_BivariateNormalCdf(benchmark::State& state) {
  const std::vector<double> xs = Grid(-3.0, 3.0, 16);
  const std::vector<double> rhos = Grid(-0.95, 0.95, 8);
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(BivariateNormalCdf(xs[i & 15], xs[(i >> 4) & 15], rhos[(i >> 8) & 7]));
    i = (i + 1) & 2047;
  }
}
BENCHMARK(BM_BivariateNormalCdf);

// The truncation's residual: both limits equal and negative, a positive correlation.
void BM_BivariateNormalCdfTruncation(benchmark::State& state) {
  double z = 0.3;
  for (auto _ : state) {
    benchmark::DoNotOptimize(BivariateNormalCdf(-z, -z, 0.62));
    z = z > 1.0 ? 0.3 : z + 0.01;
  }
}
BENCHMARK(BM_BivariateNormalCdfTruncation);

// GaussIntegral of an SB moment, as in each growth step (k = 1 and 2).
void BM_SbMoment(benchmark::State& state) {
  TSbMoment m;
  const double k = static_cast<double>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(m.Compute(-4.0, 4.0, 0.7, 1.3, k));
}
BENCHMARK(BM_SbMoment)->Arg(1)->Arg(2);

// The basal-area truncation's moment: heights without factor, diameters squared.
void BM_SbbMoment(benchmark::State& state) {
  TSbbMoment m;
  for (auto _ : state) benchmark::DoNotOptimize(m.Compute(0.3, 0.5, 1.2, 0.0, 0.3, 0.8, 1.5, 2.0, 0.55));
}
BENCHMARK(BM_SbbMoment)->Unit(benchmark::kMicrosecond);

void BM_ComputeMode(benchmark::State& state) {
  TMode mode;
  for (auto _ : state) benchmark::DoNotOptimize(mode.ComputeMode(10.0, 0.8, 1.2, 50.0, 0.6, 0.5));
}
BENCHMARK(BM_ComputeMode);

void BM_NegativeBinomialCdf(benchmark::State& state) {
  double k = 20.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(NegativeBinomialCdf(k, 5.18899295733, 0.0317686705986));
    k = k > 90.0 ? 20.0 : k + 0.7;
  }
}
BENCHMARK(BM_NegativeBinomialCdf);

}  // namespace
