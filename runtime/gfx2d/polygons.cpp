// Textured or plain polygons, gathered vertex by vertex and drawn as one triangle fan.
#include <GL/gl.h>

#include <cstddef>

#include "display/opengl_lumivane.h"
#include "gfx2d/gl_draw.h"
#include "zorvane/gfx2d.h"

namespace zrv {

namespace {

constexpr std::size_t kFirstCapacity = 512;
constexpr std::size_t kGrowStep = 128;

// The buffer is reused from polygon to polygon, so a steady frame allocates nothing.
void MakeRoomFor(std::vector<PolygonVertex>& vertices, std::size_t needed) {
    if (needed < vertices.capacity()) return;
    std::size_t capacity = kFirstCapacity;
    if (needed >= capacity) capacity = kGrowStep * (needed / kGrowStep + 1);
    vertices.reserve(capacity);
}

const SpriteRecord* TexturingSprite() {
    const std::int32_t slot = Gfx().polygonSlot;
    const SpriteRecord* sprite = slot >= 0 ? SpriteSlot(slot) : nullptr;
    return sprite != nullptr && sprite->texture != 0 ? sprite : nullptr;
}

}  // namespace

}  // namespace zrv

void BeginPolygon(std::int32_t slot) {
    auto& gfx = zrv::Gfx();
    gfx.polygonSlot = slot;
    gfx.polygon.clear();
    try {
        zrv::MakeRoomFor(gfx.polygon, 1);
    } catch (...) {
        // No room yet (see core/fatal.h): each vertex asks again as it is added.
    }
    zrv::OpenGLLumivane* renderer = zrv::DrawingRenderer();
    if (renderer == nullptr) return;
    if (const zrv::SpriteRecord* sprite = zrv::TexturingSprite()) {
        zrv::BindSprite(*renderer, *sprite);
    } else {
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_COLOR_MATERIAL);
        zrv::UnbindTexture(*renderer);
    }
}

void AddPolygonVertex(std::int32_t x, std::int32_t y, std::int32_t textureX, std::int32_t textureY,
                      std::int32_t colour) {
    auto& gfx = zrv::Gfx();
    const zrv::OpenGLLumivane* renderer = zrv::Renderer();
    const float alpha = renderer != nullptr ? renderer->currentAlpha : 1.0f;
    zrv::PolygonVertex vertex{static_cast<float>(x), static_cast<float>(y), 0, 0,
                              static_cast<float>(colour & 0xFF) / 255.0f,
                              static_cast<float>((colour >> 8) & 0xFF) / 255.0f,
                              static_cast<float>((colour >> 16) & 0xFF) / 255.0f,
                              colour == gfx.spriteKey ? 0.0f : alpha};
    // Texture positions are pixels of the image with y downward.
    if (const zrv::SpriteRecord* sprite = zrv::TexturingSprite()) {
        vertex.s = static_cast<float>(textureX) / static_cast<float>(sprite->texWidth);
        vertex.t = static_cast<float>(sprite->height - static_cast<double>(textureY)) / static_cast<float>(sprite->texHeight);
    }
    try {
        zrv::MakeRoomFor(gfx.polygon, gfx.polygon.size() + 1);
        gfx.polygon.push_back(vertex);
    } catch (...) {
        // No room for the vertex (see core/fatal.h): the polygon is drawn without it.
    }
}

void EndPolygon() {
    auto& gfx = zrv::Gfx();
    zrv::OpenGLLumivane* renderer = zrv::DrawingRenderer();
    if (renderer == nullptr || gfx.polygon.empty()) return;
    const zrv::SpriteRecord* sprite = zrv::TexturingSprite();
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_DITHER);
    glShadeModel(GL_SMOOTH);
    constexpr GLsizei kStride = sizeof(zrv::PolygonVertex);
    const zrv::PolygonVertex* first = gfx.polygon.data();
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, kStride, &first->x);
    if (sprite != nullptr) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, kStride, &first->s);
        const GLint filter = renderer->smoothing != 0 ? GL_LINEAR : GL_NEAREST;
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    }
    glEnableClientState(GL_COLOR_ARRAY);
    glColorPointer(4, GL_FLOAT, kStride, &first->red);
    glDrawArrays(GL_TRIANGLE_FAN, 0, static_cast<GLsizei>(gfx.polygon.size()));
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glShadeModel(GL_FLAT);
    glEnable(GL_TEXTURE_2D);
    zrv::RestoreWhite(*renderer);
    glDisable(GL_DITHER);
    glDisable(GL_COLOR_MATERIAL);
}
