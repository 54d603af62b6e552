// Loading fonts into their slots, and the current font.
#include "gfx2d/fonts.h"

#include "gfx2d/builtin_font.h"
#include "gfx2d/gl_draw.h"
#include "gfx2d/sprite_slots.h"
#include "zorvane/program.h"
#include "zorvane/text.h"

namespace zrv {

namespace {

UploadOptions FontTreatment() {
    UploadOptions options;
    options.font = true;
    return options;
}

}  // namespace

FontGrid GridOf(std::int32_t width, std::int32_t height) noexcept {
    FontGrid grid;
    grid.cellWidth = width / 16;
    if (width < height) {
        grid.rows = 16;
        grid.codes = 256;
    }
    grid.cellHeight = height / grid.rows;
    return grid;
}

void PutBuiltinFont(std::int32_t font) {
    DecodedImage image;
    MakeBuiltinFont(image);
    PutImageIntoSlot(FontSlot(ClampFont(font)), image, FontTreatment());
}

}  // namespace zrv

void LoadBitmapFont(const RtString& fileName, std::int32_t slot) {
    SetErrorCode(0);
    auto& gfx = zrv::Gfx();
    gfx.currentFont = zrv::ClampFont(slot);
    if (!zrv::LoadImageIntoSlot(zrv::FontSlot(gfx.currentFont), fileName.c_str(), gfx.fontKey, zrv::FontTreatment())) {
        SetErrorCode(kErrorNoSuchFile);
        zrv::PutBuiltinFont(gfx.currentFont);
    }
}

void SelectFont(std::int32_t slot) { zrv::Gfx().currentFont = zrv::ClampFont(slot); }

void QueryFontSizeInt(std::int32_t& width, std::int32_t& height) {
    const zrv::SpriteRecord* sprite = zrv::SpriteSlot(zrv::FontSlot(zrv::Gfx().currentFont));
    const zrv::FontGrid grid = zrv::GridOf(sprite->width, sprite->height);
    width = grid.cellWidth;
    height = grid.cellHeight;
}

void QueryFontSize(double& width, double& height) {
    std::int32_t w = 0;
    std::int32_t h = 0;
    QueryFontSizeInt(w, h);
    width = w;
    height = h;
}
