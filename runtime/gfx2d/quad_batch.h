// Sprites, text and the primitives are not drawn one by one: their corners are gathered
// into one client-side vertex array and drawn with one glDrawArrays per run of the same
// texture and state (the lines and points of a run go in immediate mode, all in the
// primitives' state set once). Whatever changes state a gathered draw depends on, or reads
// or shows the framebuffer, draws what was gathered first:
// - every command reaches the renderer through Renderer() (or DrawingRenderer()), and
//   that flushes, so anything a command does to GL comes after the draws before it;
// - the drawing steps of gl_draw.h flush before they bind, filter, clamp or colour;
// - only the gathering draws take the renderer through GatheringRenderer(), which does not.
// Code outside the runtime that calls GL itself (tests, benchmarks) calls FlushQuadBatch()
// before it reads or changes anything. A program that declares an OpenGL function of its
// own (ResolveExternalFunction) turns gathering off for the rest of its run.
#pragma once

#include <cstdint>

#include "gfx2d/gfx2d_state.h"

namespace zrv {

// How a run of gathered corners is drawn; a draw of another kind ends the run.
enum class BatchRun : std::uint8_t {
    kNone,
    // GL_QUADS in the current colour with the bound texture: sprites and text.
    kQuads,
    // GL_TRIANGLES, each quad split into the two triangles of its four-corner fan, so that
    // the pixels are those of the fan: stretched, zoomed and turned sprites.
    kTriangles,
    // The same with the front face clockwise: sprites mirrored in one direction.
    kMirroredTriangles,
    // Rectangles, lines and points in colours of their own, untextured, without the alpha
    // test, on pixel centres. The texture is unbound when the run begins.
    kPrimitives,
};

// Adds a quad to the run of that kind, after drawing what was gathered first when that
// was of another kind or the buffer is full. GatherQuad keeps the corners as they are
// (kQuads); GatherFan takes them in fan order (bottom-left, bottom-right, top-right,
// top-left of the destination) and adds the fan's two triangles.
void GatherQuad(BatchRun run, const BatchVertex (&corners)[4]) noexcept;
void GatherFan(BatchRun run, const BatchVertex (&fan)[4]) noexcept;
// A line including both end pixels, and a single pixel, in the run of primitives.
void GatherLine(const BatchVertex& from, const BatchVertex& to) noexcept;
void GatherPoint(const BatchVertex& at) noexcept;

// True while quads of that kind are gathered and not yet drawn.
inline bool Gathering(BatchRun run) noexcept {
    return Gfx().batch.count != 0 && Gfx().batch.run == static_cast<std::uint8_t>(run);
}
// Draws what was gathered; the out-of-line part of FlushQuadBatch.
void DrawGathered() noexcept;
inline void FlushQuadBatch() noexcept {
    if (Gfx().batch.count != 0) DrawGathered();
}
// Forgets what was gathered without drawing it: the display it was meant for goes away.
void DropQuadBatch() noexcept;
// From now on every draw goes out as it is made: the program calls OpenGL itself, between
// the runtime's commands, and its own calls must find the runtime's draws before them.
void DrawEachAtOnce() noexcept;

}  // namespace zrv
