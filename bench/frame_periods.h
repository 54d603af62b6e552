// The figures of a run of frames: mean period, spread and extremes, as benchmark counters,
// their names after the prefix (a baseline's figures beside the runtime's own).
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

inline void ReportFramePeriods(benchmark::State& state, const std::vector<double>& periods,
                               const std::string& prefix = "") {
    if (periods.empty()) return;
    double sum = 0;
    for (double p : periods) sum += p;
    const double mean = sum / static_cast<double>(periods.size());
    double squares = 0;
    for (double p : periods) squares += (p - mean) * (p - mean);
    const auto [low, high] = std::minmax_element(periods.begin(), periods.end());
    state.counters[prefix + "period_mean_ms"] = mean;
    state.counters[prefix + "period_stddev_ms"] = std::sqrt(squares / static_cast<double>(periods.size()));
    state.counters[prefix + "period_min_ms"] = *low;
    state.counters[prefix + "period_max_ms"] = *high;
}
