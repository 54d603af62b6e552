// The tile effect: the picture area cut into tiles that swing and turn, copied into the
// preview's sprite.
#pragma once

namespace player {

// One frame of the effect, after the scene choice: fade, tiles, turning, the preview's
// sprite, and a cleared back buffer.
void RunTileEffect();

// A whole number from 0 to highest that differs from current: a random pick, or the one
// after it when it equals current, wrapping to 0 past highest. Scenes and the tiles'
// turning phases change this way.
double PickOther(double highest, double current);

}  // namespace player
