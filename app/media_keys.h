// The desktop's media keys and media controls: what they send becomes the player's own
// transport calls, and what plays is shown back to them.
#pragma once

#include <cstdint>

namespace player {

// Offers the player to the desktop's media controls; once, at start.
void OfferToMediaControls();
// Carries out the commands the desktop sent since the last frame, then tells it what plays.
void UpdateMediaKeys();
// Carries out one media command (kMediaPlayPause ...), as from the desktop or a media key.
void CarryMediaCommand(std::int32_t command, double value = 0);

}  // namespace player
