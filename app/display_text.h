// Names as the player's font draws them. Names here are UTF-8; the font has one cell per
// byte value, with the printable ASCII and Latin-1 characters in their own cells. So each
// character of a name becomes one cell: the character itself when the font has it, else
// kMissingCell. A byte that does not belong to a UTF-8 character (a name made on a system
// that wrote Latin-1) is taken as the Latin-1 character of that byte, so such names read
// right too. Widths and columns are counted in cells; the name a click opens stays the
// bytes the folder listing gave.
#pragma once

#include "zorvane.h"

namespace player {

// What stands for a character that the font has no cell for.
constexpr char kMissingCell = '?';

// The text's characters, one font cell (one byte) each.
RtString FontCells(const RtString& text);
// The first count characters of the text as font cells; a character is never cut apart.
RtString FirstCells(const RtString& text, std::int32_t count);

}  // namespace player
