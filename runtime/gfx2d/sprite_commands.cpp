// Loading sprites and asking about slots.
#include "gfx2d/gl_draw.h"
#include "gfx2d/sprite_slots.h"
#include "zorvane/gfx2d.h"
#include "zorvane/maths.h"
#include "zorvane/program.h"

namespace zrv {

namespace {

UploadOptions SlotOptions(std::int32_t slot, bool normalMap) {
    UploadOptions options;
    options.font = IsFontSlot(slot);
    options.mipmapped = !options.font;
    options.normalMap = normalMap && !options.font;
    return options;
}

void LoadIntoSlot(const RtString& fileName, std::int32_t slot, bool normalMap) {
    SetErrorCode(0);
    if (!LoadImageIntoSlot(slot, fileName.c_str(), Gfx().spriteKey, SlotOptions(slot, normalMap))) {
        SetErrorCode(kErrorNoSuchFile);
    }
}

}  // namespace

}  // namespace zrv

void LoadSpriteImage(const RtString& fileName, std::int32_t slot) { zrv::LoadIntoSlot(fileName, slot, false); }

void LoadAnimatedSprite(const RtString& fileName, std::int32_t slot, std::int32_t frameWidth,
                        std::int32_t frameHeight) {
    zrv::LoadIntoSlot(fileName, slot, false);
    zrv::SpriteRecord* sprite = zrv::SpriteSlot(slot);
    if (sprite == nullptr || sprite->width == 0) return;
    sprite->frameWidth = frameWidth;
    sprite->frameHeight = frameHeight;
}

void LoadBumpTexture(const RtString& fileName, std::int32_t slot) { zrv::LoadIntoSlot(fileName, slot, true); }

void QuerySpriteSize(double slot, double& width, double& height) {
    std::int32_t w = 0;
    std::int32_t h = 0;
    QuerySpriteSizeInt(TruncateToInt32(slot), w, h);
    width = w;
    height = h;
}

void QuerySpriteSizeInt(std::int32_t slot, std::int32_t& width, std::int32_t& height) {
    const zrv::SpriteRecord* sprite = zrv::SpriteSlot(slot);
    width = sprite != nullptr ? sprite->width : 0;
    height = sprite != nullptr ? sprite->height : 0;
}

double QuerySpriteTextureId(std::int32_t slot) {
    const zrv::SpriteRecord* sprite = zrv::SpriteSlot(slot);
    return sprite != nullptr ? sprite->texture : 0;
}

std::int32_t FindFreeSprite() {
    for (std::int32_t slot = 0; slot < zrv::kFirstFontSlot; ++slot) {
        const zrv::SpriteRecord* sprite = zrv::Gfx().sprites.Peek(static_cast<std::size_t>(slot));
        if (sprite == nullptr || sprite->width == 0) return slot;
    }
    return -1;
}
