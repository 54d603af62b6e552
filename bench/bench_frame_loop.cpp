// The runtime's frame loop against a bare SDL2 + OpenGL loop in the same run:
//   BM_FrameLoop   the minimal runtime program (children/minimal_program.cpp) at
//                  LimitFrameRate(60), a small rectangle a frame, for 3 s in its own
//                  640 x 480 window, and the bare child (children/bare_gl.cpp) sleeping with
//                  SDL_Delay to the same 60 fps deadline, vsync off: cpu_percent (of one
//                  core, the whole child process with every thread), period_mean_ms,
//                  period_stddev_ms, min and max, each again with the prefix baseline_,
//                  and cpu_ratio.
//   BM_EmptyFrame  a nearly empty runtime frame (one small rectangle and PresentFrame) in
//                  this process's runtime window: ms_per_frame at LimitFrameRate(0) (a
//                  2 ms slot), ms_per_frame_wait_excluded at a limit of 100,000 (a 0.01 ms
//                  slot, the wait all but gone), cpu_ms_per_frame of this thread at limit
//                  0; baseline_ms_per_frame, a bare SDL_GL_SwapWindow and glClear in the
//                  same window; ratio = wait excluded / baseline; baseline_rect_ms_per_frame
//                  and rect_ratio, the bare frame drawing the same rectangle by hand.
// Run as
//   scripts/with-xvfb.sh build/bench/zrv_bench --benchmark_filter='FrameLoop|EmptyFrame'
// with with-xvfb.sh's LP_NUM_THREADS=0: llvmpipe draws on the calling thread, so the
// processor figures hold no rasteriser threads. Put `env -u LP_NUM_THREADS` before the
// benchmark to give llvmpipe its threads, as on a user's machine.
#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>

#include "child_figures.h"
#include "children/loop_report.h"
#include "display/opengl_lumivane.h"
#include "frame_periods.h"
#include "runtime_window.h"
#include "support/clock.h"
#include "zorvane.h"

namespace {

using zrv::bench::MonotonicMs;
using zrv::test::ThreadCpuSeconds;

double CpuPercent(const zrv::bench::ChildFigures& figures) {
    const double wall = figures.Figure("wall_ms");
    return wall > 0 ? figures.Figure("cpu_ms") / wall * 100 : 0;
}

void BM_FrameLoop(benchmark::State& state) {
    if (std::getenv("DISPLAY") == nullptr) {
        state.SkipWithError("no display");
        return;
    }
    zrv::bench::ChildFigures runtime;
    zrv::bench::ChildFigures bare;
    for (auto _ : state) {
        runtime = zrv::bench::RunBenchChild(ZRV_BENCH_MIN_PROGRAM, {"loop", "3"});
        bare = zrv::bench::RunBenchChild(ZRV_BENCH_BARE_GL, {"loop", "3"});
    }
    if (!zrv::bench::RanChild(state, runtime, "the minimal runtime program") ||
        !zrv::bench::RanChild(state, bare, "the bare OpenGL child")) {
        return;
    }
    ReportFramePeriods(state, runtime.Periods());
    ReportFramePeriods(state, bare.Periods(), "baseline_");
    state.counters["cpu_percent"] = CpuPercent(runtime);
    state.counters["baseline_cpu_percent"] = CpuPercent(bare);
    state.counters["cpu_ratio"] = CpuPercent(bare) > 0 ? CpuPercent(runtime) / CpuPercent(bare) : 0;
}
BENCHMARK(BM_FrameLoop)->Iterations(1)->Unit(benchmark::kMillisecond);

struct FrameCost {
    double ms = 0;
    double cpuMs = 0;
};

// Milliseconds per frame, and this thread's processor time per frame, over one second.
template <typename Frame>
FrameCost CostOfFrames(Frame frame) {
    for (int i = 0; i < 10; ++i) frame();
    const double start = MonotonicMs();
    const double cpuStart = ThreadCpuSeconds();
    int frames = 0;
    while (MonotonicMs() - start < 1000.0) {
        frame();
        ++frames;
    }
    return {(MonotonicMs() - start) / frames, (ThreadCpuSeconds() - cpuStart) * 1000.0 / frames};
}

void BM_EmptyFrame(benchmark::State& state) {
    if (!zrv::bench::RuntimeWindow()) {
        state.SkipWithError("no display");
        return;
    }
    auto runtimeFrame = [] {
        FillRect(10, 10, 8, 8, 0xFFFFFF);
        PresentFrame();
    };
    SDL_Window* window = zrv::Renderer()->window;
    auto bareFrame = [window] {
        SDL_GL_SwapWindow(window);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    };
    // The same small rectangle drawn by hand: what the runtime adds to the work of a frame.
    auto bareRectFrame = [window] {
        glDisable(GL_TEXTURE_2D);
        glColor3f(1, 1, 1);
        glRectf(10, 10, 18, 18);
        SDL_GL_SwapWindow(window);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    };
    FrameCost limitZero;
    FrameCost waitExcluded;
    FrameCost bare;
    FrameCost bareRect;
    for (auto _ : state) {
        LimitFrameRate(0);
        limitZero = CostOfFrames(runtimeFrame);
        LimitFrameRate(100000);
        waitExcluded = CostOfFrames(runtimeFrame);
        bare = CostOfFrames(bareFrame);
        bareRect = CostOfFrames(bareRectFrame);
    }
    LimitFrameRate(60);
    state.counters["ms_per_frame"] = limitZero.ms;
    state.counters["cpu_ms_per_frame"] = limitZero.cpuMs;
    state.counters["ms_per_frame_wait_excluded"] = waitExcluded.ms;
    state.counters["baseline_ms_per_frame"] = bare.ms;
    state.counters["baseline_cpu_ms_per_frame"] = bare.cpuMs;
    state.counters["ratio"] = bare.ms > 0 ? waitExcluded.ms / bare.ms : 0;
    state.counters["baseline_rect_ms_per_frame"] = bareRect.ms;
    state.counters["rect_ratio"] = bareRect.ms > 0 ? waitExcluded.ms / bareRect.ms : 0;
    // Processor time holds while other work loads the machine; the times above do not.
    state.counters["cpu_ms_per_frame_wait_excluded"] = waitExcluded.cpuMs;
    state.counters["baseline_rect_cpu_ms_per_frame"] = bareRect.cpuMs;
}
BENCHMARK(BM_EmptyFrame)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
