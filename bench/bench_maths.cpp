#include <benchmark/benchmark.h>

#include "zorvane/maths.h"

namespace {

void BM_NextRandom(benchmark::State& state) {
    SeedRandom(12345);
    for (auto _ : state) benchmark::DoNotOptimize(NextRandom());
}
BENCHMARK(BM_NextRandom);

void BM_RandomInt(benchmark::State& state) {
    SeedRandom(12345);
    const auto n = static_cast<std::int32_t>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(RandomInt(n));
}
BENCHMARK(BM_RandomInt)->Arg(100)->Arg(2147483647);

void BM_SeedRandom(benchmark::State& state) {
    std::int32_t seed = 0;
    for (auto _ : state) SeedRandom(++seed);
}
BENCHMARK(BM_SeedRandom);

}  // namespace
