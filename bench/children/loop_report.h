// What a benchmark child prints about the frames it ran, for the benchmark that started
// it: the processor time of the whole process (every thread, the GL driver's included)
// against the wall time, and each frame's period. Header only and free of the runtime, so
// that the bare SDL program prints exactly what the runtime program prints.
//
//   cpu_ms <ms> wall_ms <ms>
//   periods <ms> <ms> ...
#pragma once

#include <sys/resource.h>
#include <time.h>

#include <cstdio>
#include <vector>

namespace zrv::bench {

inline double MonotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

inline double ProcessCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_usec) / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

class LoopReport {
public:
    // Called before each frame: false once the frames after the warm-up have run for the
    // given time. The warm-up frames meet the driver's first compiles and are not counted.
    bool NextFrame(double seconds) {
        constexpr int kWarmUpFrames = 30;
        if (frame_ == kWarmUpFrames) Start();
        if (frame_ > kWarmUpFrames) {
            Frame();
            if (WallMs() >= seconds * 1000.0) return false;
        }
        ++frame_;
        return true;
    }
    void Print() const {
        std::printf("cpu_ms %.3f wall_ms %.3f\nperiods", ProcessCpuMs() - cpuStart_, MonotonicMs() - wallStart_);
        for (double p : periods_) std::printf(" %.3f", p);
        std::printf("\n");
        std::fflush(stdout);
    }

private:
    void Start() {
        cpuStart_ = ProcessCpuMs();
        wallStart_ = MonotonicMs();
        last_ = wallStart_;
        periods_.clear();
    }
    void Frame() {
        const double now = MonotonicMs();
        periods_.push_back(now - last_);
        last_ = now;
    }
    double WallMs() const { return MonotonicMs() - wallStart_; }
    int frame_ = 0;
    double cpuStart_ = 0;
    double wallStart_ = 0;
    double last_ = 0;
    std::vector<double> periods_;
};

}  // namespace zrv::bench
