#include "display/sdl_video.h"

#include <SDL2/SDL.h>

#include <string>

namespace zrv {

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
    // SDL would otherwise go on to drivers that draw into memory: a program that cannot
    // be seen should not run. SDL_VIDEODRIVER in the environment still decides when set.
    SDL_SetHint(SDL_HINT_VIDEODRIVER, VideoDrivers().c_str());
    return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

}  // namespace zrv
