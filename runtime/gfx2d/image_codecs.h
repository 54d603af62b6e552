// The image decoders and encoders over bytes in memory. They never touch files or OpenGL,
// so that everything a file can contain is exercised by the tests and the fuzzers alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "gfx2d/decoded_image.h"

namespace zrv {

using ByteSpan = std::span<const std::uint8_t>;

// Each decoder refuses a file of another format by its signature and fails, leaving the
// image empty, on anything it cannot read completely and within limits. Pixels equal to
// keyColour (kNoKeyColour: none) become (0, 0, 0, 0).
bool DecodeBmp(ByteSpan bytes, std::int32_t keyColour, DecodedImage& image, const DecodeLimits& limits = {});
// name only appears in the lines printed for an unsupported depth or colour type. The key
// colour applies to RGB images only; an alpha channel of the file is kept as it is.
bool DecodePng(ByteSpan bytes, const char* name, std::int32_t keyColour, DecodedImage& image,
               const DecodeLimits& limits = {});
// JPEG images take no transparent colour.
bool DecodeJpeg(ByteSpan bytes, DecodedImage& image, const DecodeLimits& limits = {});

// A frame as the screen and textures hand it over: blue, green, red bytes, rows from the
// bottom up, stride pixels per row.
struct BgrFrame {
    const std::uint8_t* pixels = nullptr;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t stride = 0;
};

// How the transparent colour looks in the framebuffer, as blue, green, red bytes; all zero
// when the transparent colour is black.
struct KeyInFramebuffer {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
};

// 8-bit RGBA PNG, rows top-down; alpha 0 where a pixel's green and blue match the key's,
// unless the key's red is 0, in which case every pixel is opaque.
bool EncodePng(const BgrFrame& frame, const KeyInFramebuffer& key, std::vector<std::uint8_t>& out);
// 24-bit BMP, rows bottom-up; pixels of exactly the key's colour are written as the
// default transparent colour (red 255, green 0, blue 128).
bool EncodeBmp(const BgrFrame& frame, const KeyInFramebuffer& key, std::vector<std::uint8_t>& out);

// True when the name is longer than four characters and ends in ".png" in any case.
bool NamesPng(const std::string& name) noexcept;

}  // namespace zrv
