// Saving what is on the screen or in a sprite slot: PNG when the name ends in ".png" (in
// any case), BMP otherwise. Error code 3 when the file cannot be written; "mem://" names
// are never written.
#pragma once

#include <cstdint>

#include "zorvane/rt_string.h"

// The last presented frame.
void SaveScreenImage(const RtString& fileName);
// The slot's image; the format follows the file name's extension, error code 3 on failure.
void SaveSpriteImage(const RtString& fileName, std::int32_t slot);
