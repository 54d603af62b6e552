// Showing the frame and waiting for the next frame's slot.
#include <GL/gl.h>
#include <SDL2/SDL.h>

#include "display/frame_limiter.h"
#include "display/opengl_lumivane.h"
#include "display/precise_sleep.h"
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
    [](void* context, std::int32_t milliseconds) {
        // Without a window there is no queue to wake the wait, only the clock.
        if (static_cast<PumpContext*>(context)->renderer->window == nullptr) {
            SleepMs(milliseconds);
            return;
        }
        // Blocks on the window system's connection and returns as soon as an event is
        // queued, leaving it for the pump (a null event only looks).
        SDL_WaitEventTimeout(nullptr, milliseconds);
    },
    [](void*, double deadlineMs) { SleepUntilClockMs(deadlineMs); },
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
    return WaitForFrameSlot(hook);
}

double OpenGLLumivane::WaitForFrameSlot(MessageHook hook) {
    PumpContext pump{this, hook};
    FrameWaitServices services = kRuntimeServices;
    services.context = &pump;
    return WaitForFrameDeadline(nextFrameDue, framePeriod, services);
}

}  // namespace zrv
