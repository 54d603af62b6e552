// Turning a decoded image (or a rectangle of it) into an OpenGL texture.
#pragma once

#include <cstdint>

#include "gfx2d/decoded_image.h"

namespace zrv {

class OpenGLLumivane;
struct SpriteRecord;

struct UploadOptions {
    // Fonts: nearest filtering and no colour bleed.
    bool font = false;
    // A square mipmapped second texture, for the 3D engine's use of sprites: made from the
    // texture when geometry first asks for it (MipmappedCopy), so that a large image is
    // not held twice more while nothing draws with it.
    bool mipmapped = false;
    // The image's blue channel as heights, turned into a normal map.
    bool normalMap = false;
};

struct UploadedTexture {
    std::uint32_t texture = 0;
    bool mipPending = false;
    std::int32_t texWidth = 0;
    std::int32_t texHeight = 0;
    std::int32_t width = 0;   // the rectangle actually uploaded
    std::int32_t height = 0;
};

// Uploads the w x h rectangle at (x0, y0) of the image (w or h of 0: up to the image's
// edge), limited to the largest texture the context takes. False, and nothing made, when
// nothing is left of the rectangle.
bool UploadImage(OpenGLLumivane& renderer, const DecodedImage& image, std::int32_t x0, std::int32_t y0,
                 std::int32_t w, std::int32_t h, const UploadOptions& options, UploadedTexture& result);

// The same for the whole image, whose buffer becomes the texels on the way: the pixels are
// held only once. The image is used up (left empty).
bool UploadWholeImage(OpenGLLumivane& renderer, DecodedImage& image, const UploadOptions& options,
                      UploadedTexture& result);

// The sprite's square mipmapped copy, made from its texture on the first call; 0 for a
// slot that has none (fonts, grabbed images, empty slots).
std::uint32_t MipmappedCopy(OpenGLLumivane& renderer, SpriteRecord& sprite);

// A new texture name, bound, repeating, with the given filters and no image yet.
std::uint32_t NewTexture(OpenGLLumivane& renderer, std::int32_t magFilter, std::int32_t minFilter);

}  // namespace zrv
