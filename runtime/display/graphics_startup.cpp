#include "display/graphics_startup.h"

#include <GL/gl.h>
#include <SDL2/SDL.h>

#include <memory>
#include <string>

#include "core/core_state.h"
#include "core/fatal.h"
#include "display/frame_state.h"
#include "display/opengl_lumivane.h"
#include "display/sdl_video.h"
#include "display/window_events.h"
#include "gfx2d/gfx2d_hooks.h"
#include "zorvane/clock.h"

namespace zrv {

namespace {

constexpr std::int32_t kShowHidden = 0;

OpenGLLumivane* OpenRenderer() {
    auto* renderer = Renderer();
    return renderer != nullptr && renderer->window != nullptr ? renderer : nullptr;
}

}  // namespace

DisplayStart StartDisplay(const RtString& title) {
    const ProjectSettings& settings = Settings();
    RendererSlot() = std::make_unique<OpenGLLumivane>();
    OpenGLLumivane& renderer = *Renderer();
    if (!renderer.CreateDisplay(nullptr, settings.width, settings.height, 0,
                                settings.frameRateLimit, settings.sampleCount)) {
        // Asked for, the renderer stays without a window and the frame loop still keeps the
        // frame rate. Otherwise a program nobody can see or stop would run on forever.
        if (WindowlessRun()) return DisplayStart::headless;
        const char* detail = SDL_GetError();
        std::string reason = SDL_WasInit(SDL_INIT_VIDEO) != 0 ? "Window creation failed: the window could not be made"
                                                              : "Window creation failed: no display could be opened";
        if (detail != nullptr && *detail != '\0') reason += std::string(" (") + detail + ")";
        StopAtStartUp(reason);
    }
    MainWindow() = renderer.window;
    SDL_SetWindowTitle(renderer.window, title.c_str());
    return DisplayStart::ready;
}

void StartDisplayMode() {
    OpenGLLumivane* renderer = OpenRenderer();
    if (renderer == nullptr) return;
    if (Settings().fullscreen != 0) {
        renderer->EnterFullscreen();
    } else {
        renderer->EnterWindowed();
    }
    MainWindow() = renderer->window;
}

void StartFirstFrame(std::int32_t showCommand) {
    OpenGLLumivane* renderer = OpenRenderer();
    if (renderer == nullptr) {
        StampFrameClocks();
        return;
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    StampFrameClocks();
    renderer->SwapAndWait(nullptr);
    renderer->ResetView2D(0, 0, 0, 0);

    // Font slot 0 with its built-in fallback, "Loading..." centred and presented, and the
    // start-up font "smalfont.png" or "smalfont.bmp".
    LoadStartupFonts();

    SDL_SetCursor(SDL_GetDefaultCursor());
    StampFrameClocks();
    if (showCommand == kShowHidden) renderer->HideDisplay();
}

void StampFrameClocks() {
    auto& clock = Clock();
    clock.startStamp = clock.thisFrameStamp = clock.lastFrameStamp = ReadClockMs();
}

void HideMainWindow() {
    OpenGLLumivane* renderer = OpenRenderer();
    if (renderer == nullptr) return;
    const bool hadFocus = SDL_GetKeyboardFocus() == renderer->window;
    SDL_HideWindow(renderer->window);
    // The deactivation reaches the window procedure now, while the window is hidden, as
    // it would during the hiding itself: whoever hides it decides about the pause after.
    const double until = ReadClockMs() + 100;
    do {
        renderer->PumpMessages(LookUpMessageHook());
        if (!hadFocus || SDL_GetKeyboardFocus() != renderer->window) break;
        SleepMs(1);
    } while (ReadClockMs() < until);
}

}  // namespace zrv
