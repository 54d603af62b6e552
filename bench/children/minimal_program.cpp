// The smallest runtime program, started as a child by the frame-loop and start-up
// benchmarks (beside zrv_bench_bare_gl, which does the same with SDL2 and OpenGL alone):
//   zrv_bench_min_program startup           a 640 x 200 window and a PresentFrame loop
//                                           drawing nothing, until it is ended
//   zrv_bench_min_program loop <seconds>    640 x 480 at LimitFrameRate(60), a small
//                                           rectangle a frame; prints the figures of
//                                           loop_report.h and ends
#include <cstdlib>

#include "loop_report.h"
#include "zorvane.h"

namespace {

bool LoopMode() { return ProgramArgument(1) == "loop"; }

}  // namespace

void ApplyProjectSettings() {
    ProjectSettings& settings = GetProjectSettings();
    settings.width = 640;
    settings.height = LoopMode() ? 480 : 200;
    settings.frameRateLimit = 60;
    settings.title = "Zorvane minimal program";
}

void ProgramMain() {
    // An unfocused window under a bare X server must not hold the loop.
    SetAutoPause(0);
    if (!LoopMode()) {
        for (;;) PresentFrame();
    }
    LimitFrameRate(60);
    const double seconds = std::atof(ProgramArgument(2).c_str());
    zrv::bench::LoopReport report;
    while (report.NextFrame(seconds)) {
        FillRect(10, 10, 8, 8, 0xFFFFFF);
        PresentFrame();
    }
    report.Print();
    EndProgram();
}

const FunctionNameEntry FunctionNameTable[] = {{nullptr, nullptr}};
