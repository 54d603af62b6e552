// A decoded image: 32-bit RGBA pixels, row 0 at the top, as every reader produces them and
// the texture upload consumes them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zrv {

struct DecodedImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    // At least width * height * 4 bytes; kept between loads and grown when too small.
    std::vector<std::uint8_t> pixels;

    std::uint8_t* Row(std::int32_t y) noexcept {
        return pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 4;
    }
    const std::uint8_t* Row(std::int32_t y) const noexcept {
        return pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 4;
    }
};

// Transparent-colour argument meaning "no transparent colour".
constexpr std::int32_t kNoKeyColour = -1;

// Image files are outside data: sizes beyond these are refused before any pixel memory is
// taken. A side fits the sprite record's 16-bit fields; 2^26 pixels are 256 MiB of RGBA.
constexpr std::int32_t kMaxImageSide = 32767;
constexpr std::int64_t kMaxImagePixels = std::int64_t{1} << 26;

struct DecodeLimits {
    std::int64_t maxPixels = kMaxImagePixels;
};

// Sizes the buffer for width x height; false (and an empty image) when the size is not
// acceptable or the memory cannot be had.
bool PrepareImage(DecodedImage& image, std::int64_t width, std::int64_t height, const DecodeLimits& limits);

// The packed colour (red + green * 256 + blue * 65536) of an RGB triple.
constexpr std::int32_t PackColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) noexcept {
    return static_cast<std::int32_t>(red | (green << 8) | (blue << 16));
}

}  // namespace zrv
