// Where the window, the frame loop and start-up hand over to the 2D renderer.
#pragma once

namespace zrv {

class OpenGLLumivane;

// The display goes away: every sprite, font and background texture and every framebuffer
// object is deleted while the context is still current, and the slots are emptied.
void ReleaseGfx2dResources(OpenGLLumivane& renderer);
// Just before the buffer swap: any active virtual screen is left, so that a frame ends on
// the screen, and the finished frame is kept for saving.
void PrepareSwap();
// Every frame starts on background layer 0, when one is loaded.
void DrawBackdrop(OpenGLLumivane& renderer);
// Start-up: the built-in font in slot 0, "Loading..." centred and presented, then the
// default font "smalfont.png" (or "smalfont.bmp", or for an installed program the one in
// the runtime's share folder) in slot 0, selected.
void LoadStartupFonts();

}  // namespace zrv
