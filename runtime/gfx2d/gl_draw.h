// The renderer's shared drawing steps: which renderer can draw, slots by number, binding a
// sprite's texture, colours under the transparent-colour rule, and the common quad.
#pragma once

#include <cstdint>

#include "gfx2d/gfx2d_state.h"
#include "gfx2d/quad_batch.h"

namespace zrv {

class OpenGLLumivane;

// The renderer while it has a window and a current context that can draw; null otherwise
// (no display, or before creation has completed), and then drawing does nothing. What was
// gathered (quad_batch.h) is drawn first.
OpenGLLumivane* DrawingRenderer() noexcept;
// The same for the draws that gather: what was gathered stays.
OpenGLLumivane* GatheringRenderer() noexcept;
// The slot's record; null for a number outside 0..65535.
SpriteRecord* SpriteSlot(std::int32_t slot) noexcept;
constexpr bool IsFontSlot(std::int32_t slot) noexcept { return slot >= kFirstFontSlot; }

// GL_MAX_TEXTURE_SIZE of the context.
std::int32_t MaxTextureSize();
// Binds the texture on unit 0 with texturing on (unit 1 off) and both filters by the
// renderer's smoothing.
void BindSprite(OpenGLLumivane& renderer, const SpriteRecord& sprite);
// Binds a texture with fixed filtering, as fonts and background tiles want.
void BindTextureNearest(OpenGLLumivane& renderer, std::uint32_t texture);
void UnbindTexture(OpenGLLumivane& renderer);
// Binds a texture to change its image or parameters; the next draw binds again.
void BindForChange(OpenGLLumivane& renderer, std::uint32_t texture);
// Deletes the texture (when not 0) and sets the name to 0.
void DeleteTexture(std::uint32_t& texture);
// A gathered corner in the colour (red, green, blue, A): A is 0 for the sprite transparent
// colour, else the current alpha. Position and texture position are left at 0.
BatchVertex ColouredCorner(const OpenGLLumivane& renderer, std::int32_t colour) noexcept;
// White with the current alpha, the colour sprites are modulated by.
void RestoreWhite(const OpenGLLumivane& renderer);

// Clamps the bound texture's edges, once per binding.
void ClampBoundTexture();
// Four (x, y, s, t) corners drawn at once as a triangle fan, bottom-left, bottom-right, top-right,
// top-left of the destination rectangle, with clamped texture edges.
void DrawQuad(float left, float top, float right, float bottom, float s0, float t0, float s1, float t1);
// The same quad gathered into a run of triangles (kTriangles or kMirroredTriangles).
void GatherQuadFan(BatchRun run, float left, float top, float right, float bottom, float s0, float t0, float s1,
                   float t1);
// A sprite's quad as GL_QUADS, right-top, left-top, left-bottom, right-bottom, gathered.
void GatherSpriteQuad(float left, float top, float right, float bottom, float s0, float t0, float s1, float t1);

// Height of what is drawn into: the active virtual screen's, else the window's. Rows of
// the surface are counted from the bottom by OpenGL.
std::int32_t SurfaceHeight(const OpenGLLumivane& renderer) noexcept;
// True while drawing goes into a framebuffer object.
bool DrawingIntoFramebuffer() noexcept;

}  // namespace zrv
