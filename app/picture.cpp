// Picture area and tile effect.
#include "picture.h"

#include "player.h"
#include "shared.h"

namespace player {

PictureState picture;

void UpdatePicture() {}
void UpdateTileEffect() {}

}  // namespace player
