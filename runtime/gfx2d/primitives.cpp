// Blending, the transparent colour, and the untextured primitives: points, lines and
// rectangles drawn with integer coordinates on pixel centres.
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cmath>

#include "display/opengl_lumivane.h"
#include "gfx2d/decoded_image.h"
#include "gfx2d/background_layers.h"
#include "gfx2d/gl_draw.h"
#include "zorvane/gfx2d.h"

namespace zrv {

namespace {

// The primitives gather into one run (quad_batch.cpp), drawn without a texture; the
// gathered draws before them go out with theirs. Null when nothing can be drawn.
OpenGLLumivane* PrimitiveRenderer() {
    OpenGLLumivane* renderer = GatheringRenderer();
    if (renderer != nullptr && !Gathering(BatchRun::kPrimitives)) UnbindTexture(*renderer);
    return renderer;
}

BatchVertex At(BatchVertex coloured, float x, float y) {
    coloured.x = x;
    coloured.y = y;
    return coloured;
}

BatchVertex At(const OpenGLLumivane& renderer, std::int32_t x, std::int32_t y, std::int32_t colour) {
    return At(ColouredCorner(renderer, colour), static_cast<float>(x), static_cast<float>(y));
}

// A negative extent e from p covers p + e + 1 .. p + 1.
void Span(std::int32_t start, std::int32_t extent, float& from, float& to) {
    if (extent < 0) {
        from = static_cast<float>(static_cast<double>(start) + extent + 1);
        to = static_cast<float>(static_cast<double>(start) + 1);
    } else {
        from = static_cast<float>(start);
        to = static_cast<float>(static_cast<double>(start) + extent);
    }
}

}  // namespace

}  // namespace zrv

void SetBlendAlpha(double alpha) {
    zrv::OpenGLLumivane* renderer = zrv::Renderer();
    if (renderer == nullptr) return;
    // Not a number counts as 0: blending off.
    const auto a = std::isnan(alpha) ? 0.0f : static_cast<float>(alpha);
    renderer->currentAlpha = a == 0 ? 1.0f : std::min(std::fabs(a), 1.0f);
    if (zrv::DrawingRenderer() == nullptr) return;
    if (a != 0) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, a > 0 ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA);
    } else {
        glDisable(GL_BLEND);
    }
    zrv::RestoreWhite(*renderer);
}

void SetSmoothing(std::int32_t flag) {
    if (zrv::OpenGLLumivane* renderer = zrv::Renderer()) renderer->smoothing = flag != 0 ? 1 : 0;
}

void SetTransparentColour(std::int32_t colour) {
    auto& gfx = zrv::Gfx();
    gfx.spriteKey = colour;
    gfx.fontKey = colour;
}

void PlotPixel(std::int32_t x, std::int32_t y, std::int32_t colour) {
    zrv::OpenGLLumivane* renderer = zrv::PrimitiveRenderer();
    if (renderer == nullptr) return;
    zrv::GatherPoint(zrv::At(*renderer, x, y, colour));
}

void DrawLineSegment(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t colour) {
    zrv::OpenGLLumivane* renderer = zrv::PrimitiveRenderer();
    if (renderer == nullptr) return;
    zrv::GatherLine(zrv::At(*renderer, x1, y1, colour), zrv::At(*renderer, x2, y2, colour));
}

void FillRect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height, std::int32_t colour) {
    zrv::OpenGLLumivane* renderer = zrv::PrimitiveRenderer();
    if (renderer == nullptr) return;
    float left = 0, right = 0, top = 0, bottom = 0;
    zrv::Span(x, width, left, right);
    zrv::Span(y, height, top, bottom);
    const zrv::BatchVertex c = zrv::ColouredCorner(*renderer, colour);
    zrv::GatherFan(zrv::BatchRun::kPrimitives,
                   {zrv::At(c, left, bottom), zrv::At(c, right, bottom), zrv::At(c, right, top), zrv::At(c, left, top)});
}

std::int32_t ReadPixelColour(std::int32_t x, std::int32_t y) {
    zrv::OpenGLLumivane* renderer = zrv::DrawingRenderer();
    if (renderer == nullptr) return 0;
    GLubyte pixel[4] = {0, 0, 0, 0};
    glReadBuffer(zrv::DrawingIntoFramebuffer() ? GL_COLOR_ATTACHMENT0_EXT : GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, zrv::SurfaceHeight(*renderer) - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return zrv::PackColour(pixel[0], pixel[1], pixel[2]);
}

void ClearBackBuffer() {
    zrv::EmptyLayer(0);
    if (zrv::DrawingRenderer() == nullptr) return;
    glClear(GL_COLOR_BUFFER_BIT);
}
