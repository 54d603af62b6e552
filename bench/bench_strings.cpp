// Text values: growth, joining with numbers, number-to-text.
#include <benchmark/benchmark.h>

#include "zorvane/rt_string.h"

namespace {

void BM_AppendOneCharacter10000Times(benchmark::State& state) {
    for (auto _ : state) {
        RtString text;
        for (int i = 0; i < 10000; ++i) text += "x";
        benchmark::DoNotOptimize(text.Buffer());
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_AppendOneCharacter10000Times);

void BM_ConcatenateTextWithNumbers(benchmark::State& state) {
    const RtString label("x=");
    double x = 0.5;
    std::int32_t n = 0;
    for (auto _ : state) {
        RtString line = label + x + ", n=" + n;
        benchmark::DoNotOptimize(line.Buffer());
        x += 1.25;
        ++n;
    }
}
BENCHMARK(BM_ConcatenateTextWithNumbers);

void BM_NumberToText(benchmark::State& state) {
    const double values[] = {0, 5, -2.5, 1.0 / 3, 0.05, 1e10, 123.456, 1.23456789012e11};
    std::size_t i = 0;
    for (auto _ : state) {
        RtString text = NumberToText(values[i++ & 7]);
        benchmark::DoNotOptimize(text.Buffer());
    }
}
BENCHMARK(BM_NumberToText);

void BM_IntToText(benchmark::State& state) {
    std::int32_t n = -1000000;
    for (auto _ : state) {
        RtString text = IntToText(n += 7919);
        benchmark::DoNotOptimize(text.Buffer());
    }
}
BENCHMARK(BM_IntToText);

void BM_TextToNumber(benchmark::State& state) {
    const RtString text(" -12345.678e-3");
    for (auto _ : state) benchmark::DoNotOptimize(TextToNumber(text));
}
BENCHMARK(BM_TextToNumber);

}  // namespace
