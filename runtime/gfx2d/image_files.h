// Image files by name: the readers and the writer on top of RtFile, so that a path and a
// "mem://" in-memory file behave alike. Names have already passed the media resolver.
#pragma once

#include <cstdint>
#include <string>

#include "gfx2d/decoded_image.h"
#include "gfx2d/image_codecs.h"

namespace zrv {

bool ReadBmp(DecodedImage& image, const std::string& name, std::int32_t keyColour);
bool ReadPng(DecodedImage& image, const std::string& name, std::int32_t keyColour);
bool ReadJpeg(DecodedImage& image, const std::string& name);
// BMP, then PNG, then JPEG: the first that succeeds. The file is read once.
bool ReadImage(DecodedImage& image, const std::string& name, std::int32_t keyColour);

// PNG when the name ends in ".png" in any case, otherwise BMP. "mem://" names never save.
bool WriteImage(const std::string& name, const BgrFrame& frame, const KeyInFramebuffer& key);

}  // namespace zrv
