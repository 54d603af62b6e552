// Panels, menu bar and player controls.
#include "player.h"
#include "shared.h"

namespace player {

void UpdatePanels() {}

}  // namespace player
