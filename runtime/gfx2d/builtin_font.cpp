#include "gfx2d/builtin_font.h"

#include <array>
#include <cstring>

namespace zrv {

namespace {

constexpr std::int32_t kFirstCode = 32;
constexpr std::int32_t kCell = 8;
constexpr std::int32_t kGlyphColumns = 5;
constexpr std::int32_t kGlyphRows = 6;
constexpr std::uint8_t kOutline = 8;

constexpr std::array<std::uint32_t, 96> kGlyphMasks = {
    0x00000000, 0x08021080, 0x00002940, 0x15F57D40, 0x08E619C4, 0x14222140, 0x0ED114E0, 0x00001080,
    0x08210880, 0x04421040, 0x09575480, 0x08471080, 0x04400000, 0x00070000, 0x08000000, 0x04222100,
    0x00E5294E, 0x004210C4, 0x00E1390E, 0x00E4390E, 0x0084394A, 0x00E4384E, 0x00E5384E, 0x0042210E,
    0x00E5394E, 0x00E4394E, 0x00020080, 0x00220080, 0x00820888, 0x000701C0, 0x00222082, 0x0040310E,
    0x00E0B526, 0x00A5394E, 0x00E5194E, 0x00E5094E, 0x00E52946, 0x00E1384E, 0x0021384E, 0x00E5284E,
    0x00A5394A, 0x00E2108E, 0x00E5210C, 0x00A5194A, 0x00E10842, 0x015AD6BF, 0x00A5294E, 0x00E5294E,
    0x0021394E, 0x00F294A7, 0x00A5194E, 0x00E4384E, 0x0042108E, 0x00E5294A, 0x0045294A, 0x01FAD6B5,
    0x00A5114A, 0x0042394A, 0x00E1110E, 0x00610846, 0x01041041, 0x00621086, 0x00000144, 0x00E00000,
    0x00000082, 0x00E53000, 0x00E53842, 0x00E13800, 0x00E53908, 0x08273800, 0x00423888, 0x08873800,
    0x00A51842, 0x00421004, 0x04421004, 0x00A32842, 0x00421084, 0x015ABC00, 0x00A51800, 0x00E53800,
    0x04E51800, 0x10E53000, 0x00253800, 0x00E409C0, 0x00C23884, 0x00C52800, 0x00452800, 0x00EAD400,
    0x00A22800, 0x1C872800, 0x00E121C0, 0x00821888, 0x00421084, 0x00223082, 0x0002A800, 0x3F18C63F,
};

// The glyph bit at cell offset (x, y); the glyph's top-left pixel sits at (1, 1).
bool GlyphBit(std::uint32_t mask, std::int32_t x, std::int32_t y) noexcept {
    const std::int32_t column = x - 1;
    const std::int32_t row = y - 1;
    if (column < 0 || column >= kGlyphColumns || row < 0 || row >= kGlyphRows) return false;
    return ((mask >> (row * kGlyphColumns + column)) & 1) != 0;
}

void SetPixel(DecodedImage& image, std::int32_t x, std::int32_t y, std::uint8_t level) {
    std::uint8_t* pixel = image.Row(y) + static_cast<std::size_t>(x) * 4;
    pixel[0] = pixel[1] = pixel[2] = level;
    pixel[3] = 255;
}

}  // namespace

std::uint32_t BuiltinGlyphMask(std::int32_t code) noexcept {
    if (code < kFirstCode || code >= kFirstCode + static_cast<std::int32_t>(kGlyphMasks.size())) return 0;
    return kGlyphMasks[static_cast<std::size_t>(code - kFirstCode)];
}

void MakeBuiltinFont(DecodedImage& image) {
    PrepareImage(image, kBuiltinFontWidth, kBuiltinFontHeight, DecodeLimits{});
    std::memset(image.pixels.data(), 0, static_cast<std::size_t>(kBuiltinFontWidth) * kBuiltinFontHeight * 4);
    for (std::int32_t code = kFirstCode; code < 128; ++code) {
        const std::uint32_t mask = BuiltinGlyphMask(code);
        const std::int32_t left = code % 16 * kCell;
        const std::int32_t top = code / 16 * kCell;
        for (std::int32_t y = 0; y < kCell; ++y) {
            for (std::int32_t x = 0; x < kCell - 1; ++x) {
                if (GlyphBit(mask, x, y)) {
                    SetPixel(image, left + x, top + y, 255);
                } else if (GlyphBit(mask, x - 1, y) || GlyphBit(mask, x + 1, y) || GlyphBit(mask, x, y - 1) ||
                           GlyphBit(mask, x, y + 1)) {
                    SetPixel(image, left + x, top + y, kOutline);
                }
            }
        }
    }
}

}  // namespace zrv
