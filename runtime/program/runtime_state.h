// The runtime's process-wide state, owned in one place. Start-up fills it, shutdown and
// the destructors at process exit release it.
#pragma once

#include <cstdint>
#include <memory>

#include "audio/audio_state.h"
#include "core/core_state.h"
#include "core/random_state.h"
#include "core/runtime_log.h"
#include "display/frame_state.h"
#include "display/opengl_lumivane.h"
#include "files/files_state.h"
#include "gfx2d/gfx2d_state.h"
#include "input/input_state.h"
#include "net/net_state.h"
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
    RuntimeLogFile log;

    ClockState clock;
    FrameLoopFlags frame;
    DisplayProcessState display;
    RandomState random;
    FilesState files;
    // Before the renderer: its release deletes the textures recorded here.
    Gfx2dState gfx2d;
    AudioState audio;
    NetState net;

    // Destroyed in reverse order at exit: input before the renderer, as shutdown does.
    std::unique_ptr<OpenGLLumivane> renderer;
    std::unique_ptr<InputState> input;
};

RuntimeState& Runtime() noexcept;

}  // namespace zrv
