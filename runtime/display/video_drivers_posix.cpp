#include <SDL2/SDL.h>

#include "display/sdl_video.h"

namespace zrv {

namespace {

bool Set(const char* variable) {
    const char* value = SDL_getenv(variable);
    return value != nullptr && *value != '\0';
}

}  // namespace

std::string VideoDrivers() {
    // Only the displays the environment names, then the console: SDL would otherwise probe
    // for a Wayland server that was never announced, complaining on stderr.
    std::string drivers;
    if (Set("DISPLAY")) drivers += "x11,";
    if (Set("WAYLAND_DISPLAY")) drivers += "wayland,";
    drivers += "kmsdrm";
    return drivers;
}

}  // namespace zrv
