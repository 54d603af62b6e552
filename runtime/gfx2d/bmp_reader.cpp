// BMP files of 1, 4, 8, 24 and 32 bits per pixel, the 8- and 4-bit ones also run-length
// encoded. Every size and offset the header gives is checked against the file before a byte
// of pixel data is touched.
#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "files/little_endian.h"
#include "gfx2d/bmp_rle.h"
#include "gfx2d/image_codecs.h"

namespace zrv {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::size_t kPaletteEntries = 256;
constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;

struct BmpHeader {
    std::uint32_t dataOffset = 0;
    std::uint32_t headerSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t bits = 0;
    std::uint32_t compression = kUncompressed;
};

// Palette entries the file does not have stay black, so that any index is safe to use.
using Palette = std::array<std::array<std::uint8_t, 3>, kPaletteEntries>;  // red, green, blue

template <class T>
T At(ByteSpan bytes, std::size_t offset) noexcept {
    return LoadLittleEndian<T>(bytes.data() + offset);
}

bool ReadHeader(ByteSpan bytes, BmpHeader& header) {
    if (bytes.size() < kFileHeaderSize + 4 || bytes[0] != 'B' || bytes[1] != 'M') return false;
    header.dataOffset = At<std::uint32_t>(bytes, 10);
    header.headerSize = At<std::uint32_t>(bytes, 14);
    // The old 12-byte header has 16-bit fields; every later one starts with the 40-byte
    // layout.
    if (header.headerSize == kCoreHeaderSize) {
        if (bytes.size() < kFileHeaderSize + kCoreHeaderSize) return false;
        header.width = At<std::uint16_t>(bytes, 18);
        header.height = At<std::uint16_t>(bytes, 20);
        header.bits = At<std::uint16_t>(bytes, 24);
        return true;
    }
    if (bytes.size() < kFileHeaderSize + kInfoHeaderSize) return false;
    header.width = At<std::int32_t>(bytes, 18);
    // Rows are taken bottom-up whatever the sign says: a top-down file keeps the row order
    // of its bottom-up twin.
    header.height = std::abs(static_cast<std::int64_t>(At<std::int32_t>(bytes, 22)));
    header.bits = At<std::uint16_t>(bytes, 28);
    header.compression = At<std::uint32_t>(bytes, 30);
    return true;
}

void ReadPalette(ByteSpan bytes, const BmpHeader& header, std::size_t dataStart, Palette& palette) {
    for (auto& entry : palette) entry = {0, 0, 0};
    std::size_t start = 0;
    std::size_t entrySize = 4;
    std::size_t count = 0;
    if (header.headerSize == kCoreHeaderSize) {
        start = kFileHeaderSize + kCoreHeaderSize;
        entrySize = 3;
        count = header.bits <= 8 ? std::size_t{1} << header.bits : 0;
    } else if (header.dataOffset > kInfoHeaderSize) {
        // The entries lie between the information header and the pixel data.
        const std::size_t headerEnd = kFileHeaderSize + std::max<std::size_t>(header.headerSize, kInfoHeaderSize);
        start = headerEnd <= dataStart ? headerEnd : kFileHeaderSize + kInfoHeaderSize;
        count = dataStart > start ? (dataStart - start) / entrySize : 0;
    }
    count = std::min(count, kPaletteEntries);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = start + i * entrySize;
        if (at + 3 > bytes.size()) break;
        palette[i] = {bytes[at + 2], bytes[at + 1], bytes[at]};
    }
}

std::size_t PaletteIndex(const std::uint8_t* row, std::uint32_t bits, std::int32_t x) noexcept {
    switch (bits) {
        case 1: return (row[x / 8] >> (7 - x % 8)) & 1;
        case 4: return x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F;
        default: return row[x];
    }
}

// Whether the pixel data is run-length encoded: only the two encodings of the 8- and 4-bit
// formats are; other compression values are read as uncompressed rows.
bool RunLengthEncoded(const BmpHeader& header) noexcept {
    return (header.compression == kRle8 && header.bits == 8) || (header.compression == kRle4 && header.bits == 4);
}

void StorePixel(std::uint8_t* out, std::uint8_t red, std::uint8_t green, std::uint8_t blue,
                std::int32_t keyColour) noexcept {
    if (keyColour != kNoKeyColour && PackColour(red, green, blue) == keyColour) {
        std::memset(out, 0, 4);
        return;
    }
    out[0] = red;
    out[1] = green;
    out[2] = blue;
    out[3] = 255;
}

}  // namespace

bool DecodeBmp(ByteSpan bytes, std::int32_t keyColour, DecodedImage& image, const DecodeLimits& limits) {
    image.width = image.height = 0;
    BmpHeader header;
    if (!ReadHeader(bytes, header)) return false;
    const std::uint32_t bits = header.bits;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;
    if (header.width <= 0 || header.height <= 0) return false;
    const bool encoded = RunLengthEncoded(header);
    // A run-length code that does not fit the depth would be read as garbage.
    if ((header.compression == kRle8 || header.compression == kRle4) && !encoded) return false;

    // The pixel data starts at its offset; an offset inside the headers means it follows
    // them directly.
    const std::size_t headersEnd = kFileHeaderSize + (header.headerSize == kCoreHeaderSize ? kCoreHeaderSize : kInfoHeaderSize);
    const std::size_t dataStart = std::max<std::size_t>(header.dataOffset, headersEnd);
    // Whole bytes per row, padded to four.
    const std::uint64_t rowSize = ((static_cast<std::uint64_t>(header.width) * bits + 31) / 32) * 4;
    const std::uint64_t dataSize = encoded ? 0 : rowSize * static_cast<std::uint64_t>(header.height);
    if (header.width > kMaxImageSide || header.height > kMaxImageSide) return false;
    if (dataStart > bytes.size() || dataSize > bytes.size() - dataStart) return false;
    if (!PrepareImage(image, header.width, header.height, limits)) return false;

    Palette palette;
    if (bits <= 8) ReadPalette(bytes, header, dataStart, palette);
    const auto store = [&](std::uint8_t* out, std::size_t index) {
        const auto& entry = palette[index];
        StorePixel(out, entry[0], entry[1], entry[2], keyColour);
    };

    if (encoded) {
        std::vector<std::uint8_t> indexes;
        if (!ExpandRle(bytes.subspan(dataStart), image.width, image.height, bits, indexes)) {
            image.width = image.height = 0;
            return false;
        }
        for (std::int32_t y = 0; y < image.height; ++y) {
            const std::uint8_t* row = indexes.data() + static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height - 1 - y);
            std::uint8_t* out = image.Row(y);
            for (std::int32_t x = 0; x < image.width; ++x, out += 4) store(out, row[x]);
        }
        return true;
    }

    const std::uint8_t* data = bytes.data() + dataStart;
    for (std::int32_t y = 0; y < image.height; ++y) {
        const std::uint8_t* row = data + rowSize * static_cast<std::uint64_t>(image.height - 1 - y);
        std::uint8_t* out = image.Row(y);
        for (std::int32_t x = 0; x < image.width; ++x, out += 4) {
            if (bits <= 8) {
                store(out, PaletteIndex(row, bits, x));
            } else {
                const std::uint8_t* pixel = row + static_cast<std::size_t>(x) * (bits / 8);
                StorePixel(out, pixel[2], pixel[1], pixel[0], keyColour);
            }
        }
    }
    return true;
}

}  // namespace zrv
