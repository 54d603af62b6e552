// Copying parts of the screen (or of the active virtual screen) into sprite slots, and
// finding how the transparent colour looks in the framebuffer.
#pragma once

#include <cstdint>

#include "gfx2d/image_codecs.h"

namespace zrv {

class OpenGLLumivane;

// The w x h rectangle at (x, y) into the slot; its frame size is cleared. Pixels in the
// transparent colour become transparent unless the framebuffer has alpha of its own.
void GrabIntoSlot(OpenGLLumivane& renderer, std::int32_t slot, std::int32_t x, std::int32_t y, std::int32_t w,
                  std::int32_t h);
// The transparent colour as the framebuffer stores it (all zero for a black key), found
// by clearing one pixel to it and reading it back; remembered per colour and framebuffer.
KeyInFramebuffer FramebufferKey(OpenGLLumivane& renderer);
// Selects the buffer reads come from: the back buffer or the active virtual screen.
void SelectReadBuffer();

}  // namespace zrv
