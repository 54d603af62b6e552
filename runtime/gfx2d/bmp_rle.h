// Run-length encoded BMP pixel data (8 and 4 bits per pixel): the stream expanded into one
// palette index per pixel.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace zrv {

// Fills indexes with width x height palette indexes, file rows in file order (the bottom
// row first). Pixels the stream skips (end of line, delta, end of bitmap) keep index 0;
// pixels beyond a row's end are dropped, and a stream that moves past the last row ends
// there. False when the stream ends, without its end-of-bitmap code, before the last row is
// full.
bool ExpandRle(std::span<const std::uint8_t> stream, std::int32_t width, std::int32_t height,
               std::uint32_t bitsPerPixel, std::vector<std::uint8_t>& indexes);

}  // namespace zrv
