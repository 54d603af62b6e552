// Filling and emptying sprite slots.
#pragma once

#include <cstdint>
#include <string>

#include "gfx2d/decoded_image.h"
#include "gfx2d/gfx2d_state.h"
#include "gfx2d/texture_upload.h"

namespace zrv {

// Deletes the slot's textures, frees its alpha copy and marks it empty; the frame size
// stays.
void EmptySlot(SpriteRecord& sprite);
// Uploads the image into the slot (emptied first); the frame size stays. Without a display
// only the sizes are recorded. False when nothing could be uploaded. The image's buffer
// goes into the texture: the image is left empty.
bool PutImageIntoSlot(std::int32_t slot, DecodedImage& image, const UploadOptions& options);
// Resolves the name, decodes the file with the transparent colour and puts the image into
// the slot. False (slot empty) on any failure.
bool LoadImageIntoSlot(std::int32_t slot, const std::string& name, std::int32_t keyColour,
                       const UploadOptions& options);
// The media name as the memory resolver hands it out; false when it does not resolve.
bool ResolveImageName(const std::string& name, std::string& usable);

}  // namespace zrv
