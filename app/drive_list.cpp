// Drive list.
#include "player.h"
#include "shared.h"

namespace player {

void UpdateDriveList() {}

}  // namespace player
