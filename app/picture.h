// The picture area and its tile effect: coloured shapes drawn off to the side while music
// plays, cut into wobbling tiles and copied into the sprite the preview shows.
#pragma once

#include "zorvane.h"

namespace player {

// The sprite the tile effect leaves the finished picture in; the panels draw it stretched
// into the preview while the picture runs.
constexpr std::int32_t kPictureSprite = 190;

struct PictureState {
    // "no" while the picture runs (music playing or fading out); empty or "yes" when idle.
    RtString pictureIdle;
};

extern PictureState picture;

}  // namespace player
