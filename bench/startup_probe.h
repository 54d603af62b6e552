// Start-up of a program as a user meets it: the program started as a fresh process in an
// empty folder of its own, with the swap log (player/swap_log.cpp) loaded into it, so that
// every frame it presents is seen with its time and size, and its resident memory read
// from outside at a chosen time after the start.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace zrv::bench {

struct Swap {
    double ms;  // after the start
    int width;
    int height;
};

struct StartupRun {
    std::vector<Swap> swaps;    // those seen by the time the frame awaited was
    bool presented = false;     // the frame awaited was presented within a minute
    double residentMiB = -1;    // at residentAtMs after the start, when asked for
};

struct StartupOptions {
    std::string program;
    std::vector<std::string> args;
    // True once the swaps so far hold the frame the run waits for.
    std::function<bool(const std::vector<Swap>&)> presented = [](const std::vector<Swap>& s) { return !s.empty(); };
    // Read the resident size this long after the start (0: not at all); the program runs
    // until then.
    double residentAtMs = 0;
};

StartupRun RunStartup(const StartupOptions& options);

double Median(std::vector<double> values);

}  // namespace zrv::bench
