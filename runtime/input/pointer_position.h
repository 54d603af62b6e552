// Where the system pointer is, in the window's client coordinates (outside the window
// too, so values may be negative or beyond the size).
#pragma once

#include <cstdint>

struct SDL_Window;

namespace zrv {

struct PointerPosition {
    std::int32_t x;
    std::int32_t y;
    std::uint32_t buttons;  // SDL button mask, read live
};

// pointerLeft: the window saw the pointer leave it (and not come back) since it opened.
PointerPosition ReadPointer(SDL_Window* window, bool pointerLeft);

}  // namespace zrv
