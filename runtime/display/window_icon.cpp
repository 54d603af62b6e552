#include "display/window_icon.h"

#include <SDL2/SDL.h>

#include "gfx2d/image_codecs.h"

namespace zrv {

// Made at build time from zorvane_icon.png (scripts/make-icon.sh draws it).
extern const unsigned char kWindowIconPng[];
extern const std::size_t kWindowIconPngSize;

void SetClassIcon(SDL_Window* window) {
    if (window == nullptr) return;
    DecodedImage icon;
    if (!DecodePng(ByteSpan(kWindowIconPng, kWindowIconPngSize), "zorvane_icon.png", kNoKeyColour, icon)) return;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(icon.pixels.data(), icon.width, icon.height, 32,
                                                              icon.width * 4, SDL_PIXELFORMAT_RGBA32);
    if (surface == nullptr) return;
    // SDL hands a copy to the window system; the surface is ours to free at once.
    SDL_SetWindowIcon(window, surface);
    SDL_FreeSurface(surface);
}

}  // namespace zrv
