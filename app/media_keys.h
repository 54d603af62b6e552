// The desktop's media keys and media controls: what they send becomes the player's own
// transport calls, and what plays is shown back to them.
#pragma once

namespace player {

// Offers the player to the desktop's media controls; once, at start.
void OfferToMediaControls();
// Carries out the commands the desktop sent since the last frame, then tells it what plays.
void UpdateMediaKeys();

}  // namespace player
