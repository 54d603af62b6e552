// Keys by the classic PC scan-code numbering (DIK codes) that programs test with.
#pragma once

#include <cstdint>

namespace zrv {

// The DIK code of an SDL scancode; 0 for a key that has none.
std::uint8_t DikFromScancode(std::int32_t scancode) noexcept;

}  // namespace zrv
