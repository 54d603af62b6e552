#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "zorvane/rt_array.h"
#include "zorvane/rt_string.h"

namespace {

constexpr std::int32_t kCount = 10000;

void BM_ArraySumStdVector(benchmark::State& state) {
    std::vector<double> values(kCount);
    for (std::int32_t i = 0; i < kCount; ++i) values[i] = i * 0.5;
    for (auto _ : state) {
        double sum = 0;
        for (std::int32_t i = 0; i < kCount; ++i) sum += values[i];
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_ArraySumStdVector);

void BM_ArraySumCheckedAccess(benchmark::State& state) {
    RtNumberArray values;
    DimArray(values, kCount);
    for (std::int32_t i = 0; i < kCount; ++i) values(i) = i * 0.5;
    for (auto _ : state) {
        double sum = 0;
        for (std::int32_t i = 0; i < kCount; ++i) sum += values(i);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_ArraySumCheckedAccess);

void BM_ArraySumAccessFunction(benchmark::State& state) {
    RtNumberArray values;
    DimArray(values, kCount);
    for (std::int32_t i = 0; i < kCount; ++i) values(i) = i * 0.5;
    for (auto _ : state) {
        double sum = 0;
        for (std::int32_t i = 0; i < kCount; ++i) sum += *ArrayElement(values, i, 0, 0);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_ArraySumAccessFunction);

// 100 x 100 walked with the first index innermost, the storage order.
void BM_ArraySumChecked2D(benchmark::State& state) {
    RtNumberArray values;
    DimArray(values, 100, 100);
    for (auto _ : state) {
        double sum = 0;
        for (std::int32_t i2 = 0; i2 < 100; ++i2)
            for (std::int32_t i1 = 0; i1 < 100; ++i1) sum += values(i1, i2);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_ArraySumChecked2D);

void BM_ArrayDimSmallInLoop(benchmark::State& state) {
    RtNumberArray values;
    for (auto _ : state) {
        DimArray(values, 12);
        benchmark::DoNotOptimize(values.Data());
    }
}
BENCHMARK(BM_ArrayDimSmallInLoop);

void BM_ArrayPushStrings(benchmark::State& state) {
    const auto count = static_cast<std::int32_t>(state.range(0));
    const RtString item("element");
    for (auto _ : state) {
        RtStringArray list;
        for (std::int32_t i = 0; i < count; ++i) PushStringElement(list, item);
        benchmark::DoNotOptimize(list.Data());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ArrayPushStrings)->Arg(1000)->Arg(10000);

void BM_ArraySplitString(benchmark::State& state) {
    RtString line;
    for (int i = 0; i < 1000; ++i) line += RtString("field") + i + ",";
    RtStringArray parts;
    for (auto _ : state) benchmark::DoNotOptimize(SplitString(line, parts, ","));
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_ArraySplitString);

void BM_ArraySortStrings(benchmark::State& state) {
    const auto count = static_cast<std::int32_t>(state.range(0));
    RtStringArray shuffled;
    DimStringArray(shuffled, count);
    std::uint32_t x = 12345;
    for (std::int32_t i = 0; i < count; ++i) {
        x = x * 1103515245u + 12345u;
        char name[16];
        std::snprintf(name, sizeof name, "f%08u", x >> 4);
        shuffled(i) = name;
    }
    for (auto _ : state) {
        state.PauseTiming();
        RtStringArray work(shuffled);
        state.ResumeTiming();
        SortStringRange(&work(0), &work(-1), nullptr);
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ArraySortStrings)->Arg(10000);

}  // namespace
