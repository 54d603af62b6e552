#include "zorvane/clock.h"

#include <time.h>

#include <cerrno>
#include <cmath>

#include "display/frame_state.h"
#include "display/precise_sleep.h"
#include "zorvane/maths.h"

void InitClock() noexcept {
    // The monotonic clock is the performance counter here: nanoseconds, always present.
    auto& clock = zrv::Clock();
    timespec resolution{};
    clock.usesCounter = clock_getres(CLOCK_MONOTONIC, &resolution) == 0;
    clock.counterFrequency = 1e9;
}

double ReadClockMs() noexcept {
    // Seconds and nanoseconds are combined in floating point: counting nanoseconds times
    // 1000 in 64 bits would overflow after some 100 days of uptime.
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

void SleepMs(double milliseconds) noexcept {
    const std::int32_t ms = TruncateToInt32(milliseconds);
    if (ms <= 0) return;
    timespec remaining{ms / 1000, static_cast<long>(ms % 1000) * 1000000L};
    while (nanosleep(&remaining, &remaining) != 0 && errno == EINTR) {
    }
}

void zrv::SleepUntilClockMs(double deadlineMs) noexcept {
    // An absolute deadline on the clock ReadClockMs reads: no rounding to whole
    // milliseconds, and a sleep broken by a signal resumes toward the same moment.
    const double seconds = deadlineMs / 1000.0;
    timespec deadline{};
    deadline.tv_sec = static_cast<time_t>(seconds);
    deadline.tv_nsec = static_cast<long>(std::ceil((seconds - static_cast<double>(deadline.tv_sec)) * 1e9));
    if (deadline.tv_nsec >= 1000000000L) {
        deadline.tv_sec += 1;
        deadline.tv_nsec -= 1000000000L;
    }
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
    }
}
