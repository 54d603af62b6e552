// Loaded into the player's process by the start-up benchmark (LD_PRELOAD): every buffer
// swap is appended to the file named by ZRV_SWAP_LOG as "milliseconds width height", the
// milliseconds on the monotonic clock the benchmark itself reads, so that it sees when
// each frame was presented and at what size.
#include <dlfcn.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>

struct SDL_Window;

namespace {

using SwapWindow = void (*)(SDL_Window*);
using DrawableSize = void (*)(SDL_Window*, int*, int*);

double NowMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

}  // namespace

extern "C" void SDL_GL_SwapWindow(SDL_Window* window) {
    static const auto swap = reinterpret_cast<SwapWindow>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
    static const auto size = reinterpret_cast<DrawableSize>(dlsym(RTLD_NEXT, "SDL_GL_GetDrawableSize"));
    static std::FILE* log = [] {
        const char* path = std::getenv("ZRV_SWAP_LOG");
        return path != nullptr ? std::fopen(path, "a") : nullptr;
    }();
    if (swap != nullptr) swap(window);
    if (log == nullptr) return;
    int width = 0;
    int height = 0;
    if (size != nullptr) size(window, &width, &height);
    std::fprintf(log, "%.3f %d %d\n", NowMs(), width, height);
    std::fflush(log);
}
