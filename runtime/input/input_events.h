// What the input record learns from SDL's events as they arrive, before the window
// procedure sees them: the wheel and the characters keys produce.
#pragma once

#include "input/input_state.h"

namespace zrv {

void WatchInputEvents(InputState& state);
void StopWatchingInputEvents(InputState& state);

}  // namespace zrv
