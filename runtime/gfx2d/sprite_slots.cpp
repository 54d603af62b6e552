#include "gfx2d/sprite_slots.h"

#include <new>

#include "files/files_state.h"
#include "files/media_resolver.h"
#include "gfx2d/gl_draw.h"
#include "gfx2d/image_files.h"
#include "gfx2d/texture_prep.h"

namespace zrv {

void EmptySlot(SpriteRecord& sprite) {
    // Without a context the names cannot be deleted (and none were made).
    if (DrawingRenderer() != nullptr) {
        DeleteTexture(sprite.texture);
        DeleteTexture(sprite.mipTexture);
    }
    sprite.texture = sprite.mipTexture = 0;
    sprite.mipPending = false;
    sprite.texWidth = sprite.texHeight = -1;
    sprite.width = sprite.height = 0;
    std::vector<std::uint8_t>().swap(sprite.alphaCopy);
}

bool PutImageIntoSlot(std::int32_t slot, DecodedImage& image, const UploadOptions& options) {
    SpriteRecord* sprite = SpriteSlot(slot);
    if (sprite == nullptr) return false;
    EmptySlot(*sprite);
    if (image.width <= 0 || image.height <= 0) return false;
    OpenGLLumivane* renderer = DrawingRenderer();
    if (renderer == nullptr) {
        sprite->texWidth = PowerOfTwoAtLeast(image.width);
        sprite->texHeight = PowerOfTwoAtLeast(image.height);
        sprite->width = image.width;
        sprite->height = image.height;
        return true;
    }
    UploadedTexture uploaded;
    try {
        if (!UploadWholeImage(*renderer, image, options, uploaded)) return false;
    } catch (const std::bad_alloc&) {
        DeleteTexture(uploaded.texture);
        return false;
    }
    sprite->texture = uploaded.texture;
    sprite->mipPending = uploaded.mipPending;
    sprite->texWidth = uploaded.texWidth;
    sprite->texHeight = uploaded.texHeight;
    sprite->width = uploaded.width;
    sprite->height = uploaded.height;
    return true;
}

bool ResolveImageName(const std::string& name, std::string& usable) {
    try {
        return ResolveName(Files().memoryResolver, name, usable, true) != 0;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool LoadImageIntoSlot(std::int32_t slot, const std::string& name, std::int32_t keyColour,
                       const UploadOptions& options) {
    SpriteRecord* sprite = SpriteSlot(slot);
    if (sprite == nullptr) return false;
    EmptySlot(*sprite);
    std::string usable;
    if (!ResolveImageName(name, usable)) return false;
    DecodedImage image;
    if (!ReadImage(image, usable, keyColour)) return false;
    return PutImageIntoSlot(slot, image, options);
}

}  // namespace zrv
