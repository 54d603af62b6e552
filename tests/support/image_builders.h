// Image files made in the tests and benchmarks: BMP written byte by byte, PNG and JPEG
// through the same libraries the runtime reads them with, each in the exact variant needed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zrv::test {

using Bytes = std::vector<std::uint8_t>;

struct Rgb {
    std::uint8_t red, green, blue;
};

// A BMP with the 40-byte information header; rows are given top row first and written
// bottom-up, each padded to four bytes. A negative height stores -height in the header but
// the same rows in the same order.
struct BmpLayout {
    std::int32_t width = 0;
    std::int32_t height = 0;  // rows() count is |height|
    std::uint16_t bits = 24;
    std::vector<Rgb> palette;
    // Per row, the packed pixel bytes as the format stores them (without padding).
    std::vector<Bytes> rows;
};
Bytes MakeBmp(const BmpLayout& layout);
// The same headers with a compression code and the pixel data as stored (rows unused).
Bytes MakeCompressedBmp(const BmpLayout& layout, std::uint32_t compression, const Bytes& data);
// Builds the packed row bytes of a 24-bit image from colours.
Bytes Row24(const std::vector<Rgb>& pixels);

// A PNG of any colour type and depth with the given raw samples (rows top-down, packed as
// PNG stores them); palette and transparency chunk when given.
struct PngLayout {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int colourType = 2;  // PNG_COLOR_TYPE_RGB
    int depth = 8;
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> transparency;  // tRNS entries of a palette image
    std::vector<Bytes> rows;
};
Bytes MakePng(const PngLayout& layout);

// A baseline JPEG of RGB (components 3) or grey (components 1) samples, top-down.
Bytes MakeJpeg(std::int32_t width, std::int32_t height, int components, const Bytes& samples, int quality = 95);

void StoreFile(const std::string& path, const Bytes& bytes);

}  // namespace zrv::test
