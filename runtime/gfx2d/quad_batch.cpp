#include "gfx2d/quad_batch.h"

#include <GL/gl.h>

#include "display/opengl_lumivane.h"
#include "gfx2d/gl_draw.h"

namespace zrv {

namespace {

constexpr GLsizei kStride = sizeof(BatchVertex);

// A run of primitives tells its parts apart by the texture coordinate s, which they do
// not use: the two triangles of a rectangle, a line, a point.
constexpr float kFanPart = 0;
constexpr float kLinePart = 1;
constexpr float kPointPart = 2;

void Vertex(const BatchVertex& v) { glVertex2f(v.x, v.y); }

void Point(const BatchVertex& at) {
    glColor4ub(at.red, at.green, at.blue, at.alpha);
    glBegin(GL_POINTS);
    Vertex(at);
    glEnd();
}

// Rectangles in a row are one draw from the array; lines and points go in immediate mode,
// which the driver gathers itself while no state changes between them. A line leaves out
// its last pixel; the point after it puts it in.
void DrawPrimitiveParts(const BatchVertex* first, GLsizei count) {
    GLsizei i = 0;
    while (i < count) {
        const BatchVertex& part = first[i];
        if (part.s == kFanPart) {
            GLsizei end = i;
            while (end < count && first[end].s == kFanPart) end += 6;
            glDrawArrays(GL_TRIANGLES, i, end - i);
            i = end;
        } else if (part.s == kLinePart) {
            glColor4ub(part.red, part.green, part.blue, part.alpha);
            glBegin(GL_LINES);
            Vertex(part);
            Vertex(first[i + 1]);
            glEnd();
            Point(first[i + 1]);
            i += 2;
        } else {
            Point(part);
            ++i;
        }
    }
}

// The state the primitives draw in, set for the draw alone: see through the alpha test,
// and the projection moved by 3/8 of a pixel so that integer coordinates hit pixel centres
// rather than pixel edges. (The texture was unbound when the run began.)
void DrawPrimitives(OpenGLLumivane& renderer, const BatchVertex* first, GLsizei count) {
    glDisable(GL_ALPHA_TEST);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glTranslatef(0.375f, 0.375f, 0.0f);
    glMatrixMode(GL_MODELVIEW);
    glEnableClientState(GL_COLOR_ARRAY);
    glColorPointer(4, GL_UNSIGNED_BYTE, kStride, &first->red);
    DrawPrimitiveParts(first, count);
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

void Gathered() noexcept {
    if (Gfx().batch.eachAtOnce) DrawGathered();
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

void GatherLine(const BatchVertex& from, const BatchVertex& to) noexcept {
    BatchVertex* v = Gather(BatchRun::kPrimitives, 2);
    v[0] = from;
    v[0].s = kLinePart;
    v[1] = to;
    v[1].s = kLinePart;
    Gathered();
}

void GatherPoint(const BatchVertex& at) noexcept {
    BatchVertex* v = Gather(BatchRun::kPrimitives, 1);
    v[0] = at;
    v[0].s = kPointPart;
    Gathered();
}

void DrawEachAtOnce() noexcept {
    FlushQuadBatch();
    Gfx().batch.eachAtOnce = true;
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
    if (run == BatchRun::kPrimitives) {
        DrawPrimitives(*renderer, first, count);
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

}  // namespace zrv
