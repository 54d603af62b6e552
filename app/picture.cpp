// Picture area and tile effect.
#include "player.h"
#include "shared.h"

namespace player {

void UpdatePicture() {}
void UpdateTileEffect() {}

}  // namespace player
