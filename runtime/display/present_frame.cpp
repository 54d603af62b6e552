// The frame call: one pass of the program's frame loop.
#include <GL/gl.h>
#include <SDL2/SDL.h>

#include "audio/audio_runtime.h"
#include "core/core_state.h"
#include "display/frame_pump.h"
#include "display/frame_state.h"
#include "display/opengl_lumivane.h"
#include "display/window_events.h"
#include "gfx2d/gfx2d_hooks.h"
#include "gfx2d/quad_batch.h"
#include "gfx2d/shader_programs.h"
#include "input/input_state.h"
#include "zorvane/clock.h"
#include "zorvane/display.h"
#include "zorvane/input.h"

namespace zrv {

namespace {

// After a break the debugger had the window hidden; in a debugging session it comes back
// at the next frame.
void ShowAfterBreak() {
    if (Settings().debugMode == 0 || BreakPending() == 0) return;
    auto* renderer = Renderer();
    if (renderer == nullptr || renderer->window == nullptr) return;
    SDL_ShowWindow(renderer->window);
    SDL_RaiseWindow(renderer->window);
    SDL_SetWindowInputFocus(renderer->window);
}

void ResetDrawingState(OpenGLLumivane& renderer) {
    if (renderer.context == nullptr) return;
    // A message hook may have drawn during the wait: that goes out in its own state.
    FlushQuadBatch();
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
    zrv::ShowAfterBreak();

    zrv::Clock().lastFrameStamp = zrv::Clock().thisFrameStamp;
    zrv::Clock().thisFrameStamp = ReadClockMs();

    // An inactive window holds the program here, while its window stays responsive.
    while (zrv::Frame().paused != 0 && zrv::Renderer() != nullptr &&
           zrv::Renderer()->window != nullptr) {
        zrv::CheckMusicLoop();
        zrv::PumpWithHook();
        SleepMs(100);
    }

    if (auto* input = zrv::Input()) {
        zrv::RefreshKeyboard(*input);
        input->newFrame = true;
        const bool escape = zrv::EscapeDownInSnapshot(*input);
        const bool altF4 = zrv::KeyDownInSnapshot(*input, kKeyLeftAlt) && zrv::KeyDownInSnapshot(*input, kKeyF4);
        if ((zrv::Frame().escapeQuits != 0 && escape) || altF4) {
            SetErrorCode(0);
            StopProgram();
        }
    }

    // The runtime draws in 2D only, so the frame has no shadow pass or scene to finish first.
    zrv::CheckMusicLoop();
    zrv::PumpWithHook();

    auto* renderer = zrv::Renderer();
    if (renderer != nullptr) {
        renderer->SwapAndWait(zrv::LookUpMessageHook());
        zrv::ResetDrawingState(*renderer);
    }
    SetErrorCode(0);
    zrv::SwitchShadersOff();
}
