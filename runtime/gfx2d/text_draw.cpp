// Drawing text: one textured quad per byte, all drawn from one vertex array.
#include <GL/gl.h>

#include <cmath>

#include "display/opengl_lumivane.h"
#include "gfx2d/fonts.h"
#include "gfx2d/gl_draw.h"
#include "zorvane/rt_string.h"
#include "zorvane/text.h"

namespace zrv {

namespace {

constexpr std::size_t kFirstCapacity = 512;
constexpr std::size_t kGrowStep = 128;

// The buffer grows in steps and is kept, so that a steady frame allocates nothing.
bool MakeRoom(std::vector<TextVertex>& vertices, std::size_t needed) {
    if (needed < vertices.capacity()) return true;
    std::size_t capacity = kFirstCapacity;
    if (needed >= capacity) capacity = kGrowStep * (needed / kGrowStep + 1);
    try {
        vertices.reserve(capacity);
    } catch (...) {
        // No room for the vertices (see core/fatal.h): this text is not drawn.
        return false;
    }
    return true;
}

}  // namespace

}  // namespace zrv

void DrawText(const RtString& text, double x, double y) {
    const std::uint32_t length = text.Length();
    zrv::OpenGLLumivane* renderer = zrv::DrawingRenderer();
    if (length == 0 || renderer == nullptr) return;
    auto& gfx = zrv::Gfx();
    const zrv::SpriteRecord& font = *zrv::SpriteSlot(zrv::FontSlot(gfx.currentFont));
    if (font.texture == 0 || font.width <= 0 || font.height <= 0) return;

    // Font images keep their texels sharp whatever sprites are smoothed with.
    zrv::BindTextureNearest(*renderer, font.texture);
    const zrv::FontGrid grid = zrv::GridOf(font.width, font.height);
    const float rowStep = static_cast<float>(font.height) / static_cast<float>(font.texHeight) / static_cast<float>(grid.rows);
    const float columnStep = static_cast<float>(font.width) / static_cast<float>(font.texWidth) / 16.0f;
    const auto topRow = static_cast<float>(grid.rows - 1);
    const auto cw = static_cast<float>(grid.cellWidth);
    const auto ch = static_cast<float>(grid.cellHeight);
    float left = static_cast<float>(std::ceil(x));
    const auto top = static_cast<float>(std::ceil(y));

    std::vector<zrv::TextVertex>& vertices = gfx.text;
    if (!zrv::MakeRoom(vertices, std::size_t{4} * length)) return;
    vertices.clear();
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.Buffer());
    for (std::uint32_t i = 0; i < length; ++i) {
        const std::int32_t code = bytes[i] % grid.codes;
        const float s0 = columnStep * static_cast<float>(code % 16);
        const float s1 = s0 + columnStep;
        const float t0 = rowStep * (topRow - static_cast<float>(code / 16));
        const float t1 = t0 + rowStep;
        vertices.push_back({left, top + ch, 0, s0, t0});
        vertices.push_back({left + cw, top + ch, 0, s1, t0});
        vertices.push_back({left + cw, top, 0, s1, t1});
        vertices.push_back({left, top, 0, s0, t1});
        left += cw;
    }
    constexpr GLsizei kStride = sizeof(zrv::TextVertex);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, kStride, &vertices.data()->x);
    glTexCoordPointer(2, GL_FLOAT, kStride, &vertices.data()->s);
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(vertices.size()));
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void DrawNumber(double value, double x, double y) { DrawText(NumberToText(value), x, y); }
