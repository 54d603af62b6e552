#include "input/pointer_position.h"

#include <SDL2/SDL.h>

namespace zrv {

PointerPosition ReadPointer(SDL_Window* window) {
    int globalX = 0;
    int globalY = 0;
    const Uint32 buttons = SDL_GetGlobalMouseState(&globalX, &globalY);
    int windowX = 0;
    int windowY = 0;
    if (window != nullptr) SDL_GetWindowPosition(window, &windowX, &windowY);
    return {globalX - windowX, globalY - windowY, buttons};
}

}  // namespace zrv
