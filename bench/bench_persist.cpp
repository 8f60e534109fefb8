// Writing and reading the component stream of a large product catalogue.
#include <benchmark/benchmark.h>

#include <bit>
#include <cstdint>

#include "platform/classes/Streams.h"
#include "storage/PersistUnit.h"

namespace {

void Fill(TProductPersist& root, int count) {
  root.SetFilename("Produtos.dat");
  for (int i = 0; i < count; ++i) {
    TProduct& p = root.ProductCollection().Add();
    p.SetName("Produto " + std::to_string(i));
    p.SetMinDiameter(5 + i % 30);
    p.SetSize(2.4 + 0.1 * (i % 7));
    p.SetPrice(12.5 * (i % 11));
    p.SetPriceEvolutionRate(0.5);
  }
}

void BM_WriteImage(benchmark::State& state) {
  TProductPersist root;
  Fill(root, static_cast<int>(state.range(0)));
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::string image = WriteComponentImage(root);
    bytes = image.size();
    benchmark::DoNotOptimize(image);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_WriteImage)->Arg(100)->Arg(10000);

void BM_ReadImage(benchmark::State& state) {
  TProductPersist root;
  Fill(root, static_cast<int>(state.range(0)));
  const std::string image = WriteComponentImage(root);
  TProductPersist back;
  for (auto _ : state) {
    ReadComponentImage(image, back);
    benchmark::DoNotOptimize(back.ProductCollection().Count());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * image.size()));
}
BENCHMARK(BM_ReadImage)->Arg(100)->Arg(10000);

void BM_Extended80RoundTrip(benchmark::State& state) {
  std::uint64_t bits = 0x3FF3333333333333;
  for (auto _ : state) {
    bits = bits * 6364136223846793005u + 1442695040888963407u;
    double v = Extended80ToDouble(DoubleToExtended80(std::bit_cast<double>(bits)));
    benchmark::DoNotOptimize(v);
  }
}
BENCHMARK(BM_Extended80RoundTrip);

}  // namespace
