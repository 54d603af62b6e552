// Names as the player's font draws them.
#include "display_text.h"

#include <string>

namespace player {

namespace {

// The font draws nothing in the cells of the control codes, nor in 127..159.
bool FontHasCell(std::uint32_t code) { return (code >= 32 && code < 127) || (code >= 160 && code < 256); }

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the well-formed UTF-8 character at text[at] (1..4) and its code, or 0 when the
// bytes there are no such character: a stray continuation byte, a cut-off sequence, an
// overlong form, a surrogate or a code above U+10FFFF.
std::uint32_t DecodeAt(const unsigned char* text, std::uint32_t at, std::uint32_t length, std::uint32_t& code) {
    const unsigned char lead = text[at];
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    std::uint32_t count = 0;
    unsigned char low = 0x80;  // the range the second byte must lie in
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        count = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        count = 3;
        code = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        count = 4;
        code = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (at + count > length) return 0;
    if (text[at + 1] < low || text[at + 1] > high) return 0;
    for (std::uint32_t k = 1; k < count; ++k) {
        if (!IsContinuation(text[at + k])) return 0;
        code = (code << 6) | (text[at + k] & 0x3F);
    }
    return count;
}

}  // namespace

RtString FirstCells(const RtString& text, std::int32_t count) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.Buffer());
    const std::uint32_t length = text.Length();
    std::string cells;
    for (std::uint32_t at = 0; at < length && static_cast<std::int32_t>(cells.size()) < count;) {
        std::uint32_t code = 0;
        std::uint32_t taken = DecodeAt(bytes, at, length, code);
        if (taken == 0) {
            code = bytes[at];
            taken = 1;
        }
        cells += FontHasCell(code) ? static_cast<char>(code) : kMissingCell;
        at += taken;
    }
    return RtString(cells.data(), static_cast<std::uint32_t>(cells.size()));
}

RtString FontCells(const RtString& text) { return FirstCells(text, static_cast<std::int32_t>(text.Length())); }

}  // namespace player
