// The frame call: one pass of the program's frame loop.
#include <GL/gl.h>
#include <SDL2/SDL.h>

#include "audio/audio_runtime.h"
#include "core/runtime_state.h"
#include "display/frame_pump.h"
#include "display/window_events.h"
#include "gfx2d/gfx2d_hooks.h"
#include "gfx2d/shader_programs.h"
#include "zorvane/clock.h"
#include "zorvane/display.h"
#include "zorvane/input.h"

namespace zrv {

namespace {

// After a break the debugger had the window hidden; in a debugging session it comes back
// at the next frame.
void ShowAfterBreak() {
    auto& runtime = Runtime();
    if (runtime.settings.debugMode == 0 || runtime.breakPending == 0) return;
    auto* renderer = runtime.renderer.get();
    if (renderer == nullptr || renderer->window == nullptr) return;
    SDL_ShowWindow(renderer->window);
    SDL_RaiseWindow(renderer->window);
    SDL_SetWindowInputFocus(renderer->window);
}

void ResetDrawingState(OpenGLLumivane& renderer) {
    if (renderer.context == nullptr) return;
    glDisable(GL_BLEND);
    renderer.currentAlpha = 1.0f;
    glColor4f(1, 1, 1, 1);
    // Background layer 0, when one is loaded: every frame starts on it.
    DrawBackdrop(renderer);
    renderer.ResetView2D(0, 0, 0, 0);
}

}  // namespace

}  // namespace zrv

void PresentFrame() {
    auto& runtime = zrv::Runtime();
    zrv::ShowAfterBreak();

    runtime.clock.lastFrameStamp = runtime.clock.thisFrameStamp;
    runtime.clock.thisFrameStamp = ReadClockMs();

    // An inactive window holds the program here, while its window stays responsive.
    while (runtime.frame.paused != 0 && runtime.renderer != nullptr &&
           runtime.renderer->window != nullptr) {
        zrv::CheckMusicLoop();
        zrv::PumpWithHook();
        SleepMs(100);
    }

    if (auto* input = runtime.input.get()) {
        zrv::RefreshKeyboard(*input);
        input->newFrame = true;
        const bool escape = zrv::EscapeDownInSnapshot(*input);
        const bool altF4 = zrv::KeyDownInSnapshot(*input, kKeyLeftAlt) && zrv::KeyDownInSnapshot(*input, kKeyF4);
        if ((runtime.frame.escapeQuits != 0 && escape) || altF4) {
            SetErrorCode(0);
            StopProgram();
        }
    }

    // The runtime draws in 2D only, so the frame has no shadow pass or scene to finish first.
    zrv::CheckMusicLoop();
    zrv::PumpWithHook();

    auto* renderer = runtime.renderer.get();
    if (renderer != nullptr) {
        renderer->SwapAndWait(zrv::LookUpMessageHook());
        zrv::ResetDrawingState(*renderer);
    }
    SetErrorCode(0);
    zrv::SwitchShadersOff();
}
