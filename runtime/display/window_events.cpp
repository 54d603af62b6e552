#include "display/window_events.h"

#include <SDL2/SDL.h>

#include "core/core_state.h"
#include "display/frame_pump.h"
#include "display/frame_state.h"
#include "display/opengl_lumivane.h"

namespace zrv {

namespace {

enum class Activity { activated, deactivated, minimised, restored };

// Activation and deactivation pause the program only in ordinary runs with auto-pause on:
// a debugging session must be able to look at a window that does not have the focus. A
// program that pauses only while minimised keeps running behind other windows.
void OnActivity(Activity activity) {
    if (Settings().debugMode != 0 || Frame().autoPause == 0) return;
    if (Renderer() == nullptr || Renderer()->window == nullptr) return;
    const bool onlyMinimised = Frame().pauseOnlyMinimised != 0;
    bool hold = false;
    switch (activity) {
    case Activity::activated:  // a window with the focus is not minimised either
        break;
    case Activity::deactivated:
        if (onlyMinimised) return;
        hold = true;
        break;
    case Activity::minimised:
        if (!onlyMinimised) return;
        hold = true;
        break;
    case Activity::restored:
        if (!onlyMinimised) return;
        break;
    }
    const RtString title = hold ? WindowTitle() + " <pause>" : WindowTitle();
    SDL_SetWindowTitle(Renderer()->window, title.c_str());
    Frame().paused = hold ? 1 : 0;
}

}  // namespace

void HandleWindowEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_WINDOWEVENT:
        switch (event.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            OnActivity(Activity::activated);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            OnActivity(Activity::deactivated);
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            OnActivity(Activity::minimised);
            break;
        case SDL_WINDOWEVENT_RESTORED:
            OnActivity(Activity::restored);
            break;
        case SDL_WINDOWEVENT_CLOSE:
            StopProgram();
            break;
        default:
            break;
        }
        break;
    case SDL_QUIT:
        StopProgram();
        break;
    case SDL_KEYDOWN:
        // The system's own Close for Alt+F4, also when the keys are gone again before the
        // frame call looks at the keyboard.
        if (event.key.keysym.scancode == SDL_SCANCODE_F4 && (event.key.keysym.mod & KMOD_ALT) != 0) {
            StopProgram();
        }
        break;
    default:
        break;
    }
}

MessageHook LookUpMessageHook() {
    auto& frame = Frame();
    if (frame.messageHookState < 0) {
        frame.messageHook = FindFunctionByName("ZRV_WIN32_MSG");
        frame.messageHookState = frame.messageHook != nullptr ? 1 : 0;
    }
    return frame.messageHook;
}

void PumpWithHook() {
    const MessageHook hook = LookUpMessageHook();
    if (auto* renderer = Renderer()) renderer->PumpMessages(hook);
}

bool OpenGLLumivane::PumpMessages(MessageHook hook) {
    if (window == nullptr) return true;
    SDL_PumpEvents();
    // Only what is waiting now: events that arrive while these are handled wait for the
    // next pass, so a flood of input cannot hold the frame here.
    int waiting = SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
    SDL_Event event;
    while (waiting-- > 0) {
        if (hook != nullptr) {
            if (SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) <= 0) break;
            hook();
        }
        if (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) <= 0) break;
        HandleWindowEvent(event);
    }
    return true;
}

}  // namespace zrv
