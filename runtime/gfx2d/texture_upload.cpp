#include "gfx2d/texture_upload.h"

#include <GL/gl.h>

#include <algorithm>
#include <vector>

#include "gfx2d/gfx2d_state.h"
#include "gfx2d/gl_draw.h"
#include "gfx2d/texture_prep.h"

namespace zrv {

namespace {

void ResetUnpackState() {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
}

// The square mipmapped copy, made from the texels, which it uses up: each level is
// written over the one before.
std::uint32_t UploadMipmapped(OpenGLLumivane& renderer, std::vector<std::uint8_t>& texels, std::int32_t width,
                              std::int32_t height) {
    ResetUnpackState();
    const std::uint32_t name = NewTexture(renderer, GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR);
    MakeSquare(texels, width, height);
    std::int32_t size = width;
    for (GLint level = 0;; ++level) {
        glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA8, size, size, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        if (size < 2) break;
        NextMipLevel(texels, size);
        size /= 2;
    }
    return name;
}

// The texels (TW x TH, in texture layout) made into the texture; the texels are used up.
void UploadTexels(OpenGLLumivane& renderer, std::vector<std::uint8_t>& texels, std::int32_t texWidth,
                  std::int32_t texHeight, const UploadOptions& options, UploadedTexture& result) {
    if (!options.font) BleedTransparentTexels(texels, texWidth, texHeight);
    ResetUnpackState();
    const GLint filter = options.font ? GL_NEAREST : GL_LINEAR;
    result.texture = NewTexture(renderer, filter, filter);
    if (options.normalMap) MakeNormalMap(texels, texWidth, texHeight);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, texWidth, texHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    result.mipPending = options.mipmapped;
    result.texWidth = texWidth;
    result.texHeight = texHeight;
}

}  // namespace

std::uint32_t NewTexture(OpenGLLumivane& renderer, std::int32_t magFilter, std::int32_t minFilter) {
    GLuint name = 0;
    glGenTextures(1, &name);
    BindForChange(renderer, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
    return name;
}

std::uint32_t MipmappedCopy(OpenGLLumivane& renderer, SpriteRecord& sprite) {
    if (sprite.mipTexture != 0 || !sprite.mipPending || sprite.texture == 0) return sprite.mipTexture;
    // The texture holds exactly the texels the copy is made from.
    std::vector<std::uint8_t> texels(static_cast<std::size_t>(sprite.texWidth) * sprite.texHeight * 4);
    BindForChange(renderer, sprite.texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    sprite.mipTexture = UploadMipmapped(renderer, texels, sprite.texWidth, sprite.texHeight);
    sprite.mipPending = false;
    return sprite.mipTexture;
}

bool UploadImage(OpenGLLumivane& renderer, const DecodedImage& image, std::int32_t x0, std::int32_t y0,
                 std::int32_t w, std::int32_t h, const UploadOptions& options, UploadedTexture& result) {
    result = UploadedTexture{};
    if (x0 < 0 || y0 < 0 || x0 >= image.width || y0 >= image.height) return false;
    if (w <= 0 || w > image.width - x0) w = image.width - x0;
    if (h <= 0 || h > image.height - y0) h = image.height - y0;
    const std::int32_t maxSize = MaxTextureSize();
    w = std::min(w, maxSize);
    h = std::min(h, maxSize);
    if (w < 1 || h < 1) return false;

    const std::int32_t texWidth = PowerOfTwoAtLeast(w);
    const std::int32_t texHeight = PowerOfTwoAtLeast(h);
    std::vector<std::uint8_t> texels;
    CopyFlipped(image, x0, y0, w, h, texWidth, texHeight, texels);
    UploadTexels(renderer, texels, texWidth, texHeight, options, result);
    result.width = w;
    result.height = h;
    return true;
}

bool UploadWholeImage(OpenGLLumivane& renderer, DecodedImage& image, const UploadOptions& options,
                      UploadedTexture& result) {
    result = UploadedTexture{};
    const std::int32_t maxSize = MaxTextureSize();
    const std::int32_t w = std::min(image.width, maxSize);
    const std::int32_t h = std::min(image.height, maxSize);
    if (w < 1 || h < 1) return false;

    const std::int32_t texWidth = PowerOfTwoAtLeast(w);
    const std::int32_t texHeight = PowerOfTwoAtLeast(h);
    LayOutAsTexture(image, w, h, texWidth, texHeight);
    UploadTexels(renderer, image.pixels, texWidth, texHeight, options, result);
    image = DecodedImage{};
    result.width = w;
    result.height = h;
    return true;
}

}  // namespace zrv
