// The font the runtime always has: 8 x 8 cells of 5 x 6 glyphs with a dark outline, made
// from a table of glyph masks rather than from any file.
#pragma once

#include <cstdint>

#include "gfx2d/decoded_image.h"

namespace zrv {

constexpr std::int32_t kBuiltinFontWidth = 128;
constexpr std::int32_t kBuiltinFontHeight = 64;

// The 30-bit mask of a code from 32 to 127 (bit r * 5 + c: glyph row r, column c); 0 for
// any other code.
std::uint32_t BuiltinGlyphMask(std::int32_t code) noexcept;
// The 128 x 64 font image, codes 0..127 in 16 x 8 cells.
void MakeBuiltinFont(DecodedImage& image);

}  // namespace zrv
