#include "display/sdl_video.h"

#include <SDL2/SDL.h>

#include <string>

namespace zrv {

namespace {

bool Set(const char* variable) {
    const char* value = SDL_getenv(variable);
    return value != nullptr && *value != '\0';
}

}  // namespace

bool WindowlessRun() {
    const char* value = SDL_getenv("ZRV_NO_WINDOW");
    return value != nullptr && *value != '\0' && std::string(value) != "0";
}

bool StartVideo() {
    if (WindowlessRun()) return false;
    // SIGINT and SIGTERM keep ending the process: a program that never calls the frame
    // loop would otherwise ignore them, since SDL only turns them into quit events.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The runtime paces frames itself and decides about the screen saver itself.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "0");
    // Only the displays the environment names, then the console. SDL would otherwise go
    // on to drivers that draw into memory (a program that cannot be seen should not run)
    // and probe for a Wayland server that was never announced, complaining on stderr.
    // SDL_VIDEODRIVER in the environment still decides when it is set.
    std::string drivers;
    if (Set("DISPLAY")) drivers += "x11,";
    if (Set("WAYLAND_DISPLAY")) drivers += "wayland,";
    drivers += "kmsdrm";
    SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
    return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

}  // namespace zrv
