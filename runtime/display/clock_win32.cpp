#include <windows.h>

#include <cmath>

#include "display/frame_state.h"
#include "display/precise_sleep.h"
#include "zorvane/clock.h"
#include "zorvane/maths.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace {

// Counts per second of the performance counter; 0 when there is none (then the tick count
// serves). It never changes while the system runs.
LONGLONG CounterFrequency() noexcept {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER value{};
        return QueryPerformanceFrequency(&value) ? value.QuadPart : 0;
    }();
    return frequency;
}

// A timer of the calling thread that keeps deadlines to a fraction of a millisecond, or
// null where the system has none; the scheduler's period is then narrowed to 1 ms once.
HANDLE PreciseTimer() noexcept {
    thread_local const HANDLE timer =
        CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
    if (timer == nullptr) {
        static const bool narrowed = timeBeginPeriod(1) == TIMERR_NOERROR;
        (void)narrowed;
    }
    return timer;
}

}  // namespace

void InitClock() noexcept {
    auto& clock = zrv::Clock();
    clock.usesCounter = CounterFrequency() > 0;
    clock.counterFrequency = static_cast<double>(CounterFrequency());
}

double ReadClockMs() noexcept {
    const LONGLONG frequency = CounterFrequency();
    if (frequency <= 0) return static_cast<double>(GetTickCount64());
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    // Whole seconds and the rest apart: the count times 1000 would overflow 64 bits after
    // some weeks of uptime at a 10 MHz counter.
    const LONGLONG seconds = now.QuadPart / frequency;
    const LONGLONG rest = now.QuadPart % frequency;
    return static_cast<double>(seconds) * 1000.0 + static_cast<double>(rest) * 1000.0 / static_cast<double>(frequency);
}

void SleepMs(double milliseconds) noexcept {
    const std::int32_t ms = TruncateToInt32(milliseconds);
    if (ms > 0) Sleep(static_cast<DWORD>(ms));
}

void zrv::SleepUntilClockMs(double deadlineMs) noexcept {
    const HANDLE timer = PreciseTimer();
    for (double remaining = deadlineMs - ReadClockMs(); remaining > 0; remaining = deadlineMs - ReadClockMs()) {
        if (timer != nullptr) {
            // Relative due time in 100 ns units, rounded up so the wait never ends early.
            LARGE_INTEGER due{};
            due.QuadPart = -static_cast<LONGLONG>(std::ceil(remaining * 10000.0));
            if (SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE) &&
                WaitForSingleObject(timer, INFINITE) == WAIT_OBJECT_0) {
                continue;
            }
        }
        // Asleep to a millisecond or two before the deadline (a sleep of the 1 ms period
        // may last a millisecond longer), the rest given up a slice at a time.
        Sleep(remaining >= 2.0 ? static_cast<DWORD>(remaining) - 1 : 0);
    }
}
