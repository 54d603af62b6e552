// The baseline the runtime's frame, sprite and start-up figures are set against: a program
// of SDL2 and OpenGL alone, doing what the runtime does for a program with nothing of the
// runtime around it. The benchmarks start it as a child; by hand:
//   zrv_bench_bare_gl startup                   640 x 200 window, first swap, then a swap
//                                               every 16 ms until it is ended
//   zrv_bench_bare_gl startup-drawn             the same with one blended textured quad
//                                               before the first swap, as the runtime's
//                                               start-up shows "Loading...": the share of
//                                               the driver's shader compiler
//   zrv_bench_bare_gl loop <seconds>            640 x 480, vsync off, a small quad a frame,
//                                               SDL_Delay to a 60 fps deadline; prints the
//                                               figures of loop_report.h
//   zrv_bench_bare_gl sprites <count> <seconds> 640 x 480 without depth or stencil buffer:
//                                               count moving blended 32 x 32 sprites a frame,
//                                               as immediate-mode quads, then as one vertex
//                                               array; prints "immediate_ms_per_frame <ms>",
//                                               "array_ms_per_frame <ms>",
//                                               "array_cpu_ms_per_frame <ms>", "depth_bits <n>"
#include <GL/gl.h>
#define SDL_MAIN_HANDLED
#include <SDL2/SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "loop_report.h"
#include "sprite_field.h"

namespace {

using zrv::bench::MonotonicMs;

struct Window {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
};

Window Open(int width, int height, bool depth) {
    Window w;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return w;
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    if (!depth) {
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
        SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    }
    w.window = SDL_CreateWindow("Zorvane bare GL", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height,
                                SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    if (w.window == nullptr) return w;
    w.context = SDL_GL_CreateContext(w.window);
    if (w.context == nullptr) return w;
    SDL_GL_SetSwapInterval(0);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    return w;
}

// False once the window was asked to close.
bool Pump() {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        if (event.type == SDL_QUIT) return false;
    }
    return true;
}

GLuint SpriteTexture();

int Startup(bool drawn) {
    const Window w = Open(640, 200, true);
    if (w.context == nullptr) return 1;
    if (drawn) {
        SpriteTexture();
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0), glVertex2f(300, 90);
        glTexCoord2f(1, 0), glVertex2f(340, 90);
        glTexCoord2f(1, 1), glVertex2f(340, 110);
        glTexCoord2f(0, 1), glVertex2f(300, 110);
        glEnd();
    }
    SDL_GL_SwapWindow(w.window);
    while (Pump()) {
        SDL_Delay(16);
        glClear(GL_COLOR_BUFFER_BIT);
        SDL_GL_SwapWindow(w.window);
    }
    return 0;
}

int Loop(double seconds) {
    const Window w = Open(640, 480, true);
    if (w.context == nullptr) return 1;
    const double period = 1000.0 / 60.0;
    double due = MonotonicMs() + period;
    zrv::bench::LoopReport report;
    while (report.NextFrame(seconds)) {
        Pump();
        glClear(GL_COLOR_BUFFER_BIT);
        glRectf(10, 10, 18, 18);
        SDL_GL_SwapWindow(w.window);
        double now = MonotonicMs();
        while (now < due) {
            SDL_Delay(static_cast<Uint32>(std::max(1.0, std::floor(due - now))));
            now = MonotonicMs();
        }
        due += period;
        while (now > due) due += period;  // a late frame skips the slots it missed
    }
    report.Print();
    return 0;
}

GLuint SpriteTexture() {
    using zrv::bench::kSpriteSide;
    std::vector<unsigned char> rgba(kSpriteSide * kSpriteSide * 4);
    for (int y = 0; y < kSpriteSide; ++y) {
        for (int x = 0; x < kSpriteSide; ++x) {
            unsigned char* p = &rgba[static_cast<std::size_t>(y * kSpriteSide + x) * 4];
            p[0] = static_cast<unsigned char>(x * 8);
            p[1] = static_cast<unsigned char>(y * 8);
            p[2] = 160;
            p[3] = zrv::bench::SpriteTexelOpaque(x, y) ? 255 : 0;
        }
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, kSpriteSide, kSpriteSide, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return texture;
}

// x, y, s, t for each corner of each sprite, filled anew each frame as moving sprites need.
void ArrayQuads(int count, int frame, std::vector<float>& vertices) {
    constexpr float side = zrv::bench::kSpriteSide;
    vertices.resize(static_cast<std::size_t>(count) * 16);
    float* v = vertices.data();
    for (int i = 0; i < count; ++i, v += 16) {
        const auto x = static_cast<float>(zrv::bench::SpriteX(i, frame));
        const auto y = static_cast<float>(zrv::bench::SpriteY(i, frame));
        const float corners[16] = {x + side, y, 1, 1, x, y, 0, 1, x, y + side, 0, 0, x + side, y + side, 1, 0};
        std::memcpy(v, corners, sizeof corners);
    }
    glVertexPointer(2, GL_FLOAT, 16, vertices.data());
    glTexCoordPointer(2, GL_FLOAT, 16, vertices.data() + 2);
    glDrawArrays(GL_QUADS, 0, count * 4);
}

struct FrameCost {
    double wallMs = 0;
    double cpuMs = 0;  // the process's: llvmpipe rasterises on the drawing thread here
};

// Milliseconds per frame, drawn to the end, over at least the given time and three frames.
template <typename Draw>
FrameCost CostPerFrame(double seconds, Draw draw) {
    draw(0);
    glFinish();
    const double start = MonotonicMs();
    const double cpuStart = zrv::bench::ProcessCpuMs();
    int frames = 0;
    while (frames < 3 || MonotonicMs() - start < seconds * 1000.0) {
        draw(++frames);
        glFinish();
    }
    return {(MonotonicMs() - start) / frames, (zrv::bench::ProcessCpuMs() - cpuStart) / frames};
}

int Sprites(int count, double seconds) {
    const Window w = Open(zrv::bench::kFieldWidth, zrv::bench::kFieldHeight, false);
    if (w.context == nullptr) return 1;
    int depthBits = -1;
    SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &depthBits);
    SpriteTexture();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1, 1, 1, 1);
    const FrameCost immediate =
        CostPerFrame(seconds, [count](int frame) { zrv::bench::ImmediateSpriteQuads(count, frame); });
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    std::vector<float> vertices;
    const FrameCost array =
        CostPerFrame(seconds, [count, &vertices](int frame) { ArrayQuads(count, frame, vertices); });
    std::printf("immediate_ms_per_frame %.4f\narray_ms_per_frame %.4f\narray_cpu_ms_per_frame %.4f\ndepth_bits %d\n",
                immediate.wallMs, array.wallMs, array.cpuMs, depthBits);
    std::fflush(stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const char* mode = argc > 1 ? argv[1] : "";
    int code = 2;
    if (std::strcmp(mode, "startup") == 0) code = Startup(false);
    if (std::strcmp(mode, "startup-drawn") == 0) code = Startup(true);
    if (std::strcmp(mode, "loop") == 0 && argc > 2) code = Loop(std::atof(argv[2]));
    if (std::strcmp(mode, "sprites") == 0 && argc > 3) code = Sprites(std::atoi(argv[2]), std::atof(argv[3]));
    if (code == 2) std::fprintf(stderr, "usage: %s startup | startup-drawn | loop <seconds> | sprites <count> <seconds>\n", argv[0]);
    SDL_Quit();
    return code;
}
