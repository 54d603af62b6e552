#include "input/pointer_position.h"

#include <SDL2/SDL.h>

namespace zrv {

PointerPosition ReadPointer(SDL_Window* window, bool pointerLeft) {
    int globalX = 0;
    int globalY = 0;
    const Uint32 globalButtons = SDL_GetGlobalMouseState(&globalX, &globalY);
    if (window == nullptr) return {globalX, globalY, globalButtons};
    int windowX = 0;
    int windowY = 0;
    SDL_GetWindowPosition(window, &windowX, &windowY);
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window, &width, &height);
    PointerPosition pointer{globalX - windowX, globalY - windowY, globalButtons};

    // The global position is refreshed only when the server reports raw device motion,
    // which pointer motion sent through XTest (remote desktops, tests) never does; the
    // window's own motion events follow every move over it, and a drag beyond its edges.
    int eventX = 0;
    int eventY = 0;
    const Uint32 eventButtons = SDL_GetMouseState(&eventX, &eventY);
    const bool overWindow = SDL_GetMouseFocus() == window;
    const bool staleInside = pointerLeft && pointer.x >= 0 && pointer.y >= 0 && pointer.x < width && pointer.y < height;
    if (overWindow || staleInside) {
        // Not over the window but reported inside it: the pointer left it since, at the
        // edge the window saw it last.
        pointer.x = eventX;
        pointer.y = eventY;
    }
    if (overWindow) pointer.buttons |= eventButtons;
    return pointer;
}

}  // namespace zrv
