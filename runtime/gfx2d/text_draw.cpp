// Drawing text: one textured quad per byte, gathered with the draws around it into one
// vertex array.
#include <cmath>

#include "display/opengl_lumivane.h"
#include "gfx2d/fonts.h"
#include "gfx2d/gl_draw.h"
#include "zorvane/rt_string.h"
#include "zorvane/text.h"

void DrawText(const RtString& text, double x, double y) {
    const std::uint32_t length = text.Length();
    zrv::OpenGLLumivane* renderer = zrv::GatheringRenderer();
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

    const auto* bytes = reinterpret_cast<const unsigned char*>(text.Buffer());
    for (std::uint32_t i = 0; i < length; ++i) {
        const std::int32_t code = bytes[i] % grid.codes;
        const float s0 = columnStep * static_cast<float>(code % 16);
        const float s1 = s0 + columnStep;
        const float t0 = rowStep * (topRow - static_cast<float>(code / 16));
        const float t1 = t0 + rowStep;
        zrv::GatherQuad(zrv::BatchRun::kQuads, {{left, top + ch, s0, t0, 0, 0, 0, 0},
                                                {left + cw, top + ch, s1, t0, 0, 0, 0, 0},
                                                {left + cw, top, s1, t1, 0, 0, 0, 0},
                                                {left, top, s0, t1, 0, 0, 0, 0}});
        left += cw;
    }
}

void DrawNumber(double value, double x, double y) { DrawText(NumberToText(value), x, y); }
