// Pixel-exact collision of two placed images through the alpha bytes of their textures.
#include <GL/gl.h>

#include <algorithm>
#include <new>

#include "gfx2d/gl_draw.h"
#include "zorvane/gfx2d.h"

namespace zrv {

namespace {

// An image placed on the screen: its rectangle, and where that rectangle starts inside
// the image (a frame's offset, else 0, 0).
struct Placement {
    SpriteRecord* sprite = nullptr;
    std::int32_t left = 0, top = 0, width = 0, height = 0;
    std::int64_t offsetX = 0, offsetY = 0;
};

bool EnsureAlphaCopy(SpriteRecord& sprite) {
    if (!sprite.alphaCopy.empty()) return true;
    if (sprite.texture == 0 || sprite.texWidth <= 0 || sprite.texHeight <= 0) return false;
    OpenGLLumivane* renderer = DrawingRenderer();
    if (renderer == nullptr) return false;
    try {
        sprite.alphaCopy.resize(static_cast<std::size_t>(sprite.texWidth) * static_cast<std::size_t>(sprite.texHeight));
    } catch (const std::bad_alloc&) {
        return false;
    }
    BindForChange(*renderer, sprite.texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_ALPHA, GL_UNSIGNED_BYTE, sprite.alphaCopy.data());
    return true;
}

// The alpha byte under a screen position; texels outside the texture count as transparent
// (a frame number past the strip's end must not read outside the copy).
bool Opaque(const Placement& p, std::int32_t screenX, std::int32_t screenY) {
    const std::int64_t x = static_cast<std::int64_t>(screenX) - p.left + p.offsetX;
    const std::int64_t y = static_cast<std::int64_t>(screenY) - p.top + p.offsetY;
    // Texture rows run from the image's bottom up.
    const std::int64_t row = p.sprite->height - 1 - y;
    if (x < 0 || x >= p.sprite->texWidth || row < 0 || row >= p.sprite->texHeight) return false;
    return p.sprite->alphaCopy[static_cast<std::size_t>(row * p.sprite->texWidth + x)] != 0;
}

std::int32_t Collide(const Placement& a, const Placement& b) {
    if (a.sprite == nullptr || b.sprite == nullptr) return 0;
    const std::int64_t left = std::max<std::int64_t>(a.left, b.left);
    const std::int64_t top = std::max<std::int64_t>(a.top, b.top);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{a.left} + a.width, std::int64_t{b.left} + b.width);
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{a.top} + a.height, std::int64_t{b.top} + b.height);
    if (right < left || bottom < top) return 0;
    if (!EnsureAlphaCopy(*a.sprite) || !EnsureAlphaCopy(*b.sprite)) return 0;
    // Four interleaved passes find a hit in a large overlap after a quarter of the work.
    for (int pass = 0; pass < 4; ++pass) {
        for (std::int64_t y = top + pass / 2; y < bottom; y += 2) {
            for (std::int64_t x = left + pass % 2; x < right; x += 2) {
                const auto sx = static_cast<std::int32_t>(x);
                const auto sy = static_cast<std::int32_t>(y);
                if (Opaque(a, sx, sy) && Opaque(b, sx, sy)) return 1;
            }
        }
    }
    return 0;
}

Placement WholeImage(std::int32_t slot, std::int32_t x, std::int32_t y) {
    Placement p;
    p.sprite = SpriteSlot(slot);
    if (p.sprite == nullptr || p.sprite->width == 0) return Placement{};
    p.left = x;
    p.top = y;
    p.width = p.sprite->width;
    p.height = p.sprite->height;
    return p;
}

Placement Frame(std::int32_t slot, std::int32_t frame, std::int32_t x, std::int32_t y) {
    Placement p;
    p.sprite = SpriteSlot(slot);
    if (p.sprite == nullptr || p.sprite->width == 0 || p.sprite->frameWidth <= 0 || p.sprite->frameHeight <= 0) {
        return Placement{};
    }
    const std::int32_t perRow = std::max(1, p.sprite->width / p.sprite->frameWidth);
    p.left = x;
    p.top = y;
    p.width = p.sprite->frameWidth;
    p.height = p.sprite->frameHeight;
    p.offsetX = std::int64_t{frame % perRow} * p.sprite->frameWidth;
    p.offsetY = std::int64_t{frame / perRow} * p.sprite->frameHeight;
    return p;
}

}  // namespace

}  // namespace zrv

std::int32_t SpritesCollide(std::int32_t slotA, std::int32_t xA, std::int32_t yA, std::int32_t slotB,
                            std::int32_t xB, std::int32_t yB) {
    return zrv::Collide(zrv::WholeImage(slotA, xA, yA), zrv::WholeImage(slotB, xB, yB));
}

std::int32_t SpriteFramesCollide(std::int32_t slotA, std::int32_t frameA, std::int32_t xA, std::int32_t yA,
                                 std::int32_t slotB, std::int32_t frameB, std::int32_t xB, std::int32_t yB) {
    return zrv::Collide(zrv::Frame(slotA, frameA, xA, yA), zrv::Frame(slotB, frameB, xB, yB));
}
