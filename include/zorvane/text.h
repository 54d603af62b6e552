// Text in bitmap fonts: a font image holds 16 character cells per row, one per code. An
// image narrower than it is tall has 16 rows (codes 0..255), any other 8 rows (codes
// 0..127, higher bytes wrap around). 32 font slots; a built-in 8 x 8 font stands in for
// any font that cannot be loaded.
#pragma once

#include <cstdint>

#include "zorvane/rt_string.h"

// Loads the image into font slot 0..31 (limited to that range) and makes it the current
// font; on failure error code 3 and the built-in font in that slot. Black pixels (or the
// colour SetTransparentColour chose) are transparent.
void LoadBitmapFont(const RtString& fileName, std::int32_t slot);
// Makes the font slot (limited to 0..31) the current font.
void SelectFont(std::int32_t slot);
// The top-left corner of the first cell at (x, y), rounded up to whole pixels; one cell
// per byte, no line breaks.
void DrawText(const RtString& text, double x, double y);
// The value as the runtime prints numbers, drawn as DrawText draws.
void DrawNumber(double value, double x, double y);
// Cell width and height of the current font.
void QueryFontSize(double& width, double& height);
// Cell width and height of the current font, as integers.
void QueryFontSizeInt(std::int32_t& width, std::int32_t& height);
