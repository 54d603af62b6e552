// Start-up of the smallest runtime program against a bare SDL2 + OpenGL program:
//   BM_Startup  children/minimal_program.cpp (a 640 x 200 window and a PresentFrame loop)
//               and children/bare_gl.cpp (SDL_Init video, the window, the context, the
//               first swap), each started 5 times as a fresh process in an empty folder:
//               startup_ms, the median time from the start to the first presented frame,
//               and resident_mib, the resident memory 2 s after the start (of the last
//               start); baseline_startup_ms, baseline_resident_mib and their ratios;
//               drawn_baseline_resident_mib, the bare program that also draws one
//               textured quad before its first frame (bare_gl.cpp's startup-drawn).
// Run as
//   scripts/with-xvfb.sh build/bench/zrv_bench --benchmark_filter=Startup
// (with with-xvfb.sh's LP_NUM_THREADS=0, which the children inherit; put
// `env -u LP_NUM_THREADS` before the benchmark for llvmpipe with threads).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "startup_probe.h"

namespace {

struct StartupFigures {
    double ms = -1;
    double residentMiB = -1;
};

StartupFigures MeasureStartup(const std::string& program, int runs, const char* mode = "startup") {
    zrv::bench::StartupOptions options;
    options.program = program;
    options.args = {mode};
    std::vector<double> times;
    StartupFigures figures;
    for (int run = 0; run < runs; ++run) {
        options.residentAtMs = run == runs - 1 ? 2000 : 0;
        const zrv::bench::StartupRun started = zrv::bench::RunStartup(options);
        if (!started.presented) return {};
        times.push_back(started.swaps.front().ms);
        if (options.residentAtMs > 0) figures.residentMiB = started.residentMiB;
    }
    figures.ms = zrv::bench::Median(times);
    return figures;
}

void BM_Startup(benchmark::State& state) {
    if (std::getenv("DISPLAY") == nullptr) {
        state.SkipWithError("no display");
        return;
    }
    StartupFigures runtime;
    StartupFigures bare;
    StartupFigures drawn;
    for (auto _ : state) {
        runtime = MeasureStartup(ZRV_BENCH_MIN_PROGRAM, 5);
        bare = MeasureStartup(ZRV_BENCH_BARE_GL, 5);
        drawn = MeasureStartup(ZRV_BENCH_BARE_GL, 1, "startup-drawn");
    }
    if (runtime.ms < 0 || bare.ms < 0) {
        state.SkipWithError(runtime.ms < 0 ? "the minimal runtime program presented no frame"
                                           : "the bare OpenGL program presented no frame");
        return;
    }
    state.counters["startup_ms"] = runtime.ms;
    state.counters["resident_mib"] = runtime.residentMiB;
    state.counters["baseline_startup_ms"] = bare.ms;
    state.counters["baseline_resident_mib"] = bare.residentMiB;
    state.counters["startup_ratio"] = runtime.ms / bare.ms;
    state.counters["resident_ratio"] = bare.residentMiB > 0 ? runtime.residentMiB / bare.residentMiB : 0;
    state.counters["drawn_baseline_resident_mib"] = drawn.residentMiB;
}
BENCHMARK(BM_Startup)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
