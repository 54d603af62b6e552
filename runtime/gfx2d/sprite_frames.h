// Frames of an animation strip: where a frame lies in its image.
#pragma once

#include <cstdint>

#include "gfx2d/gfx2d_state.h"

namespace zrv {

struct FrameCoordinates {
    float s0, t0, s1, t1;
};

// Frames run left to right, then top to bottom, frameWidth x frameHeight each.
FrameCoordinates FrameTextureCoordinates(const SpriteRecord& sprite, std::int32_t frame) noexcept;

}  // namespace zrv
