// The work on pixels before a texture goes to OpenGL: the flipped copy into a power-of-two
// buffer, the colour bleed under transparent texels, the normal map and the mipmap
// levels. Pure functions over RGBA buffers, texture rows counted from the bottom. All but
// the copy work where the pixels lie: a large image is held only once on its way to the
// texture.
#pragma once

#include <cstdint>
#include <vector>

#include "gfx2d/decoded_image.h"

namespace zrv {

// The smallest power of two >= size, but at least minimum.
std::int32_t PowerOfTwoAtLeast(std::int32_t size, std::int32_t minimum = 2) noexcept;

// A TW x TH buffer of zeros with the w x h rectangle at (x0, y0) of the image copied in
// upside down: the image's top row becomes texture row h - 1.
void CopyFlipped(const DecodedImage& image, std::int32_t x0, std::int32_t y0, std::int32_t w, std::int32_t h,
                 std::int32_t texWidth, std::int32_t texHeight, std::vector<std::uint8_t>& texels);

// The same for the w x h rectangle at the image's top left, done in the image's own buffer,
// which then holds the TW x TH texels (width and height become TW and TH).
void LayOutAsTexture(DecodedImage& image, std::int32_t w, std::int32_t h, std::int32_t texWidth,
                     std::int32_t texHeight);

// Every texel with alpha 0 takes the average colour of those of its eight neighbours that
// are opaque and lie off the texture's outermost rows and columns (black when there are
// none), so that bilinear filtering blends nothing foreign in at transparent edges. Alpha
// stays 0.
void BleedTransparentTexels(std::vector<std::uint8_t>& texels, std::int32_t width, std::int32_t height);

// The normal map of the heights in byte 2 (blue), wrapping around at the edges; alpha kept.
// Every texel is computed from the heights as they were before.
void MakeNormalMap(std::vector<std::uint8_t>& texels, std::int32_t width, std::int32_t height);

// Halves the longer side by averaging pairs until the buffer is square.
void MakeSquare(std::vector<std::uint8_t>& texels, std::int32_t& width, std::int32_t& height);
// The next smaller mipmap level of a size x size buffer (size / 2 on each side), written
// over the start of the buffer, which shrinks to it.
void NextMipLevel(std::vector<std::uint8_t>& texels, std::int32_t size);

}  // namespace zrv
