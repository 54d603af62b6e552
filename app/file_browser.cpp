// File browser and playback.
#include "player.h"
#include "shared.h"

namespace player {

void UpdateFileBrowser() {}

}  // namespace player
