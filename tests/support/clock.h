// The tests' own clock, for deadlines and waits: seconds on the monotonic clock, which a
// change of the wall time does not move.
#pragma once

#include <time.h>

namespace zrv::test {

inline double Now() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// Processor time the calling thread has used, in seconds.
inline double ThreadCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

inline void Pause(double seconds) {
    const auto whole = static_cast<time_t>(seconds);
    timespec ts{whole, static_cast<long>((seconds - static_cast<double>(whole)) * 1e9)};
    while (nanosleep(&ts, &ts) != 0) {
    }
}

}  // namespace zrv::test
