// Showing and hiding the system pointer; a hidden pointer gives the device mouse to the
// program alone, as unbounded relative motion.
#include <SDL2/SDL.h>

#include "input/input_state.h"
#include "zorvane/input.h"

namespace zrv {

namespace {

constexpr std::int32_t kLevelExclusive = 5;
constexpr std::int32_t kLevelShared = 6;

}  // namespace

void ApplyPointerVisibility(InputState& state, bool shown) {
    if (state.window == nullptr) return;
    if (state.mouseDevice) {
        state.mouseCoopLevel = shown ? kLevelShared : kLevelExclusive;
        // Switching SDL's relative mode moves the system pointer: only when it changes.
        const SDL_bool relative = shown ? SDL_FALSE : SDL_TRUE;
        if (SDL_GetRelativeMouseMode() != relative) SDL_SetRelativeMouseMode(relative);
    }
    if (shown) {
        // The pointer reappears where the program had its mouse.
        if (!state.pointerShown) SDL_WarpMouseInWindow(state.window, state.mouseX, state.mouseY);
        SDL_SetCursor(SDL_GetDefaultCursor());
        SDL_ShowCursor(SDL_ENABLE);
    } else {
        SDL_ShowCursor(SDL_DISABLE);
    }
    state.pointerShown = shown;
}

void BindInputToWindow(InputState& state, SDL_Window* window) {
    state.window = window;
    ApplyPointerVisibility(state, state.pointerShown);
}

}  // namespace zrv

void ShowMousePointer(double flag) {
    if (auto* input = zrv::Input()) zrv::ApplyPointerVisibility(*input, flag != 0);
}
