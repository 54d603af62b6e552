// Font slots: loading, the built-in fallback and the grid rule.
#pragma once

#include <cstdint>
#include <string>

#include "gfx2d/gfx2d_state.h"

namespace zrv {

// The grid of a font image: 16 columns, and 16 rows when narrower than tall, else 8.
struct FontGrid {
    std::int32_t cellWidth = 0;
    std::int32_t cellHeight = 0;
    std::int32_t rows = 8;
    std::int32_t codes = 128;
};

FontGrid GridOf(std::int32_t width, std::int32_t height) noexcept;
constexpr std::int32_t FontSlot(std::int32_t font) noexcept { return kFirstFontSlot + font; }
constexpr std::int32_t ClampFont(std::int32_t font) noexcept { return font < 0 ? 0 : font > 31 ? 31 : font; }
// Puts the built-in 8 x 8 font into the font slot.
void PutBuiltinFont(std::int32_t font);

}  // namespace zrv
