// The runtime's process-wide state, owned in one place. Start-up fills it, shutdown and
// the destructors at process exit release it.
#pragma once

#include <cstdint>

#include "core/random_state.h"
#include "display/frame_state.h"
#include "zorvane/program.h"
#include "zorvane/rt_string.h"

namespace zrv {

struct RuntimeState {
    ProjectSettings settings;
    RuntimeErrorState errors;

    RtString commandLineText;
    RtString titleText;
    RtString windowTitle;

    std::int32_t quitHookDone = 0;
    std::int32_t breakPending = 0;
    // Set once exit() has been called; a stop from a destructor at exit ends at once.
    bool exiting = false;
    WindowHandle mainWindow = nullptr;

    ClockState clock;
    FrameLoopFlags frame;
    RandomState random;
};

RuntimeState& Runtime() noexcept;

}  // namespace zrv
