#include "zorvane/clock.h"

#include "display/frame_state.h"

double ElapsedMs() noexcept { return ReadClockMs() - zrv::Clock().startStamp; }
