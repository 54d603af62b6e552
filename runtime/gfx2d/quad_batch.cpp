#include "gfx2d/quad_batch.h"

#include <GL/gl.h>

#include "display/opengl_lumivane.h"
#include "gfx2d/gl_draw.h"

namespace zrv {

namespace {

constexpr GLsizei kStride = sizeof(BatchVertex);

// The state the primitives draw in, set for the draw alone: see through the alpha test,
// and the projection moved by 3/8 of a pixel so that integer coordinates hit pixel centres
// rather than pixel edges. (The texture was unbound when the run began.)
void DrawRectangles(OpenGLLumivane& renderer, const BatchVertex* first, GLsizei count) {
    glDisable(GL_ALPHA_TEST);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glTranslatef(0.375f, 0.375f, 0.0f);
    glMatrixMode(GL_MODELVIEW);
    glEnableClientState(GL_COLOR_ARRAY);
    glColorPointer(4, GL_UNSIGNED_BYTE, kStride, &first->red);
    glDrawArrays(GL_TRIANGLES, 0, count);
    glDisableClientState(GL_COLOR_ARRAY);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    // The colour array leaves the current colour undefined.
    RestoreWhite(renderer);
    glEnable(GL_ALPHA_TEST);
}

BatchVertex* Gather(BatchRun run, std::int32_t corners) noexcept {
    DrawBatch& batch = Gfx().batch;
    if (batch.count != 0 && (batch.run != static_cast<std::uint8_t>(run) || batch.count + corners > kBatchCorners)) {
        DrawGathered();
    }
    batch.run = static_cast<std::uint8_t>(run);
    BatchVertex* space = batch.corners.get() + batch.count;
    batch.count += corners;
    return space;
}

// Without gathering, each quad is drawn as soon as it is added.
void Gathered() noexcept {
    if (!Gfx().batch.on) DrawGathered();
}

}  // namespace

void GatherQuad(BatchRun run, const BatchVertex (&corners)[4]) noexcept {
    BatchVertex* v = Gather(run, 4);
    for (int i = 0; i < 4; ++i) v[i] = corners[i];
    Gathered();
}

void GatherFan(BatchRun run, const BatchVertex (&fan)[4]) noexcept {
    // The split a four-corner fan gets: (0, 1, 2) and (0, 2, 3).
    BatchVertex* v = Gather(run, 6);
    v[0] = fan[0];
    v[1] = fan[1];
    v[2] = fan[2];
    v[3] = fan[0];
    v[4] = fan[2];
    v[5] = fan[3];
    Gathered();
}

void DrawGathered() noexcept {
    DrawBatch& batch = Gfx().batch;
    const GLsizei count = batch.count;
    const auto run = static_cast<BatchRun>(batch.run);
    // Cleared first: the steps of the draw below flush too, and must find nothing.
    batch.count = 0;
    batch.run = static_cast<std::uint8_t>(BatchRun::kNone);
    OpenGLLumivane* renderer = GatheringRenderer();
    if (count == 0 || renderer == nullptr) return;

    const BatchVertex* first = batch.corners.get();
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, kStride, &first->x);
    if (run == BatchRun::kRectangles) {
        DrawRectangles(*renderer, first, count);
    } else {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, kStride, &first->s);
        if (run == BatchRun::kQuads) {
            glDrawArrays(GL_QUADS, 0, count);
        } else if (run == BatchRun::kMirroredTriangles) {
            // A mirrored quad turns its back to the viewer; its winding is taken as the
            // front for this draw.
            glFrontFace(GL_CW);
            glDrawArrays(GL_TRIANGLES, 0, count);
            glFrontFace(GL_CCW);
        } else {
            glDrawArrays(GL_TRIANGLES, 0, count);
        }
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    glDisableClientState(GL_VERTEX_ARRAY);
}

void DropQuadBatch() noexcept {
    Gfx().batch.count = 0;
    Gfx().batch.run = static_cast<std::uint8_t>(BatchRun::kNone);
}

void SetQuadBatching(bool on) noexcept {
    FlushQuadBatch();
    Gfx().batch.on = on;
}

}  // namespace zrv
