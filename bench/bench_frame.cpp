// The frame limiter on the real clock: a program that draws for 3 ms per frame at a limit
// of 60. Reports the mean frame period and its spread over 600 frames, and what the wait
// costs the processor per frame (it should sleep, not spin).
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "children/loop_report.h"
#include "display/frame_limiter.h"
#include "display/precise_sleep.h"
#include "frame_periods.h"
#include "support/clock.h"
#include "zorvane/clock.h"

namespace {

using zrv::test::ThreadCpuSeconds;

// Drawing: the processor busy for the given time.
void Work(double milliseconds) {
    const double end = ReadClockMs() + milliseconds;
    while (ReadClockMs() < end) {
    }
}

const zrv::FrameWaitServices kServices{
    [](void*) { return ReadClockMs(); },
    [](void*, std::int32_t milliseconds) { SleepMs(milliseconds); },  // no window, no queue
    [](void*, double deadlineMs) { zrv::SleepUntilClockMs(deadlineMs); },
    [](void*) {},  // no window: the pump has nothing to do
    nullptr,
};

void BM_FrameLimiter(benchmark::State& state) {
    const double limit = static_cast<double>(state.range(0));
    const double frameWorkMs = static_cast<double>(state.range(1));
    const int frames = static_cast<int>(state.range(2));
    const double period = limit > 0 ? 1000.0 / limit : 2.0;
    InitClock();
    std::vector<double> periods;
    double waitCpuMs = 0;
    double waitWallMs = 0;
    for (auto _ : state) {
        periods.clear();
        waitCpuMs = 0;
        waitWallMs = 0;
        double due = ReadClockMs() + period;
        double last = ReadClockMs();
        for (int frame = 0; frame < frames; ++frame) {
            Work(frameWorkMs);
            const double cpuBefore = ThreadCpuSeconds();
            const double wallBefore = ReadClockMs();
            zrv::WaitForFrameDeadline(due, period, kServices);
            waitCpuMs += (ThreadCpuSeconds() - cpuBefore) * 1000.0;
            waitWallMs += ReadClockMs() - wallBefore;
            const double now = ReadClockMs();
            periods.push_back(now - last);
            last = now;
        }
    }
    ReportFramePeriods(state, periods);
    state.counters["wait_ms_per_frame"] = waitWallMs / frames;
    state.counters["wait_cpu_ms_per_frame"] = waitCpuMs / frames;
}
// limit, drawing milliseconds per frame, frames
BENCHMARK(BM_FrameLimiter)->Args({60, 3, 600})->Args({0, 0, 600})->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
