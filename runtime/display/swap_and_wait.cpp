// Showing the frame and waiting for the next frame's slot.
#include <GL/gl.h>
#include <SDL2/SDL.h>

#include "display/frame_limiter.h"
#include "display/opengl_lumivane.h"
#include "gfx2d/gfx2d_hooks.h"
#include "zorvane/clock.h"

namespace zrv {

namespace {

struct PumpContext {
    OpenGLLumivane* renderer;
    MessageHook hook;
};

const FrameWaitServices kRuntimeServices{
    [](void*) { return ReadClockMs(); },
    [](void*, std::int32_t milliseconds) { SleepMs(milliseconds); },
    [](void* context) {
        auto* pump = static_cast<PumpContext*>(context);
        pump->renderer->PumpMessages(pump->hook);
    },
    nullptr,
};

}  // namespace

double OpenGLLumivane::SwapAndWait(MessageHook hook) {
    // An active render target is left first, so that every frame ends on the screen, and
    // the finished frame is kept for saving.
    PrepareSwap();
    if (window != nullptr) {
        SDL_GL_SwapWindow(window);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    PumpContext pump{this, hook};
    FrameWaitServices services = kRuntimeServices;
    services.context = &pump;
    return WaitForFrameDeadline(nextFrameDue, framePeriod, services);
}

}  // namespace zrv
