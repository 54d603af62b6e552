// The music player's figures, on llvmpipe under Xvfb:
//   BM_PlayerFrame      600 frames of the player with looping music, the picture and the
//                       tiles running, at its 60 fps limit, once every scene and turning
//                       phase has been shown: the mean frame period and its spread, and the
//                       processor time per frame (the whole process: main thread, llvmpipe's
//                       threads, the music decoder).
//   BM_PictureWork      the picture and the tiles of one frame alone, drawn to the end.
//   BM_PlayerStartup    the real player executable, from its start to its first frame
//                       (player_first_frame_ms, the median of 7 starts), and its resident memory 2 s
//                       after the start (resident_mib).
//   BM_PlayerMemory/10  resident memory over 10 minutes of looping playback (takes them).
// Run as
//   scripts/with-xvfb.sh build/bench/zrv_bench_player [--benchmark_filter=...]
// (with-xvfb.sh keeps llvmpipe on the drawing thread; put `env -u LP_NUM_THREADS` before
// the benchmark to give it its own threads, as on a user's machine).
#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "display/opengl_lumivane.h"
#include "frame_periods.h"
#include "gfx2d/quad_batch.h"
#include "picture.h"
#include "player.h"
#include "shared.h"
#include "startup_probe.h"
#include "zorvane.h"

namespace {

constexpr double kFramePeriodMs = 1000.0 / 60.0;

double NowMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

double CpuMs(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

double ResidentMiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

double HeapInUseMiB() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

// Pages the process touched for the first time (minor faults): memory the C library or
// the driver took anew.
long PageFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// The runtime with the player started in this process, as the player's executable starts
// it, with the player's media from the build and music playing in a loop.
bool Player() {
    static const bool ready = [] {
        if (std::getenv("DISPLAY") == nullptr) return false;
        // A device that takes the music at its pace, so that decoding costs what it costs.
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        ProjectSettings& settings = GetProjectSettings();
        settings.width = 640;
        settings.height = 480;
        settings.frameRateLimit = 60;
        settings.title = "Zorvane kelvo_5";
        StartRuntime(1, settings.title);
        auto* renderer = zrv::Renderer();
        if (renderer == nullptr || renderer->ready == 0) return false;
        SetAutoPause(0);
        player::StartPlayer();
        player::shared.mediaPath = ZRV_PLAYER_MEDIA_DIR;
        StartMusic(player::shared.mediaPath + "music.mp3", 1);
        return IsMusicPlaying() == 1;
    }();
    return ready;
}

// Which scenes and turning phases the picture has shown: the driver compiles its code for
// a new kind of drawing the first time it meets it, which holds up that frame.
struct PictureSeen {
    bool scenes[5] = {};
    bool phases[4] = {};

    void Note() {
        const auto scene = static_cast<int>(player::picture.scenes.scene);
        if (scene >= 0 && scene < 5) scenes[scene] = true;
        phases[static_cast<int>(player::picture.tiles.phase) & 3] = true;
    }
    bool All() const {
        return std::all_of(std::begin(scenes), std::end(scenes), [](bool b) { return b; }) &&
               std::all_of(std::begin(phases), std::end(phases), [](bool b) { return b; });
    }
};

// One pass of the main loop. Nothing on the screen starts the music here, so the playing
// flag the file browser publishes is set beforehand; the browser sets it alike.
void PlayerFrame() {
    player::shared.musicPlaying = IsMusicPlaying();
    player::RunPlayerFrame();
}

void BM_PlayerFrame(benchmark::State& state) {
    if (!Player()) {
        state.SkipWithError("no display or no music");
        return;
    }
    const int frames = static_cast<int>(state.range(0));
    // Past the picture's fade-in and every first meeting of the driver with a kind of
    // drawing, at most five minutes.
    PictureSeen seen;
    const double warmUpStart = NowMs();
    for (int i = 0; i < 300 || (!seen.All() && NowMs() - warmUpStart < 5 * 60 * 1000.0); ++i) {
        PlayerFrame();
        seen.Note();
    }
    state.counters["warm_up_s"] = (NowMs() - warmUpStart) / 1000;
    std::vector<double> periods;
    double processCpu = 0;
    double threadCpu = 0;
    for (auto _ : state) {
        periods.clear();
        const double processStart = CpuMs(CLOCK_PROCESS_CPUTIME_ID);
        const double threadStart = CpuMs(CLOCK_THREAD_CPUTIME_ID);
        double last = NowMs();
        for (int i = 0; i < frames; ++i) {
            PlayerFrame();
            const double now = NowMs();
            periods.push_back(now - last);
            last = now;
        }
        processCpu = CpuMs(CLOCK_PROCESS_CPUTIME_ID) - processStart;
        threadCpu = CpuMs(CLOCK_THREAD_CPUTIME_ID) - threadStart;
    }
    ReportFramePeriods(state, periods);
    const double mean = state.counters["period_mean_ms"];
    const auto late = std::count_if(periods.begin(), periods.end(), [](double p) { return p > kFramePeriodMs * 1.5; });
    state.counters["period_off_percent"] = (mean - kFramePeriodMs) / kFramePeriodMs * 100;
    state.counters["frames_over_25ms"] = static_cast<double>(late);
    state.counters["cpu_ms_per_frame"] = processCpu / frames;
    state.counters["main_thread_cpu_ms_per_frame"] = threadCpu / frames;
    state.counters["scene"] = player::picture.scenes.scene;
}
BENCHMARK(BM_PlayerFrame)->Arg(600)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_PictureWork(benchmark::State& state) {
    if (!Player()) {
        state.SkipWithError("no display or no music");
        return;
    }
    player::shared.musicPlaying = 1;
    const long faultsBefore = PageFaults();
    double longest = 0;
    int overHalfAFrame = 0;
    for (auto _ : state) {
        const double start = NowMs();
        player::UpdatePicture();
        player::UpdateTileEffect();
        zrv::FlushQuadBatch();
        glFinish();
        const double took = NowMs() - start;
        longest = std::max(longest, took);
        if (took > kFramePeriodMs / 2) ++overHalfAFrame;
    }
    state.counters["page_faults_per_frame"] =
        static_cast<double>(PageFaults() - faultsBefore) / static_cast<double>(state.iterations());
    state.counters["longest_ms"] = longest;
    state.counters["frames_over_8ms"] = overHalfAFrame;
    ClearBackBuffer();
}
BENCHMARK(BM_PictureWork)->UseRealTime()->Unit(benchmark::kMillisecond);

// Warm-up lasts until every scene and every turning phase of the tiles has been shown
// once, so that the driver has met everything the picture draws. Besides the resident size
// the figures give the C library's heap in use, which tells a leak (it grows) from the
// heap's own placement of the driver's short-lived blocks (only the resident size grows).
void BM_PlayerMemory(benchmark::State& state) {
    if (!Player()) {
        state.SkipWithError("no display or no music");
        return;
    }
    const double minutes = static_cast<double>(state.range(0));
    PictureSeen seen;
    double warmUpEnd = 0;
    double warm = 0;
    double warmHeap = 0;
    double end = 0;
    double endHeap = 0;
    // Resident size and heap in use at whole minutes, from the start of playback.
    std::vector<double> byMinute;
    std::vector<double> heapByMinute;
    for (auto _ : state) {
        const double start = NowMs();
        for (;;) {
            PlayerFrame();
            const double elapsed = NowMs() - start;
            seen.Note();
            if (warm == 0 && seen.All()) {
                warm = ResidentMiB();
                warmHeap = HeapInUseMiB();
                warmUpEnd = elapsed;
            }
            if (elapsed >= (static_cast<double>(byMinute.size()) + 1) * 60 * 1000.0) {
                byMinute.push_back(ResidentMiB());
                heapByMinute.push_back(HeapInUseMiB());
            }
            if (elapsed >= minutes * 60 * 1000.0) break;
        }
        end = ResidentMiB();
        endHeap = HeapInUseMiB();
    }
    if (warm == 0) {
        state.SkipWithError("not every scene and turning phase was shown");
        return;
    }
    state.counters["warm_up_s"] = warmUpEnd / 1000;
    state.counters["rss_after_warm_up_mib"] = warm;
    for (std::size_t minute = 0; minute < byMinute.size(); ++minute) {
        state.counters["rss_" + std::to_string(minute + 1) + "_min_mib"] = byMinute[minute];
        state.counters["heap_" + std::to_string(minute + 1) + "_min_mib"] = heapByMinute[minute];
    }
    state.counters["rss_growth_after_warm_up_kib"] = (end - warm) * 1024;
    state.counters["heap_in_use_after_warm_up_mib"] = warmHeap;
    state.counters["heap_in_use_end_mib"] = endHeap;
    state.counters["music_playing"] = IsMusicPlaying();
}
BENCHMARK(BM_PlayerMemory)->Arg(10)->Iterations(1)->Unit(benchmark::kSecond);

// ---- Start-up of the real executable --------------------------------------------------

// OpenScreen shows five frames at the new size; the player's own first frame is the next.
constexpr int kOpenScreenFrames = 5;

bool AtPlayerSize(const zrv::bench::Swap& swap) { return swap.width == 640 && swap.height == 200; }

// The time of the nth frame at the player's size, or -1.
double NthPlayerSizeFrame(const std::vector<zrv::bench::Swap>& swaps, int n) {
    int seen = 0;
    for (const zrv::bench::Swap& swap : swaps) {
        if (AtPlayerSize(swap) && ++seen == n) return swap.ms;
    }
    return -1;
}

void BM_PlayerStartup(benchmark::State& state) {
    if (std::getenv("DISPLAY") == nullptr) {
        state.SkipWithError("no display");
        return;
    }
    const int runs = static_cast<int>(state.range(0));
    std::vector<double> first;
    std::vector<double> sized;
    std::vector<double> player;
    double resident = -1;
    zrv::bench::StartupOptions options;
    options.program = ZRV_PLAYER_PATH;
    options.presented = [](const std::vector<zrv::bench::Swap>& swaps) {
        return NthPlayerSizeFrame(swaps, kOpenScreenFrames + 1) >= 0;
    };
    for (auto _ : state) {
        for (int run = 0; run < runs; ++run) {
            // The last run stays up for the resident size at 2 s.
            options.residentAtMs = run == runs - 1 ? 2000 : 0;
            const zrv::bench::StartupRun times = zrv::bench::RunStartup(options);
            if (!times.presented) {
                state.SkipWithError("the player presented no frame at 640 x 200");
                return;
            }
            first.push_back(times.swaps.front().ms);
            sized.push_back(NthPlayerSizeFrame(times.swaps, 1));
            player.push_back(NthPlayerSizeFrame(times.swaps, kOpenScreenFrames + 1));
            if (options.residentAtMs > 0) resident = times.residentMiB;
        }
    }
    state.counters["first_frame_ms"] = zrv::bench::Median(first);
    state.counters["first_640x200_frame_ms"] = zrv::bench::Median(sized);
    state.counters["player_first_frame_ms"] = zrv::bench::Median(player);
    state.counters["player_first_frame_min_ms"] = *std::min_element(player.begin(), player.end());
    state.counters["player_first_frame_max_ms"] = *std::max_element(player.begin(), player.end());
    state.counters["resident_mib"] = resident;
}
BENCHMARK(BM_PlayerStartup)->Arg(7)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
