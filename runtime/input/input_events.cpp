#include "input/input_events.h"

#include <SDL2/SDL.h>

#include "input/dik_codes.h"

namespace zrv {

namespace {

// A key's text follows its key event at once; text that is not a single printable ASCII
// character (composed, or beyond 127) gives the key no character.
void LearnKeyText(InputState& state, const SDL_Event& event) {
    switch (event.type) {
    case SDL_KEYDOWN: {
        const std::int32_t scancode = event.key.keysym.scancode;
        if (scancode < 0 || scancode >= kScancodeCount) return;
        state.keyText[scancode] = -1;
        state.pendingTextKey = scancode;
        break;
    }
    case SDL_TEXTINPUT: {
        if (state.pendingTextKey < 0) return;
        const auto* text = reinterpret_cast<const unsigned char*>(event.text.text);
        const bool single = text[0] >= 32 && text[0] < 127 && text[1] == 0;
        state.keyText[state.pendingTextKey] = single ? static_cast<std::int16_t>(text[0]) : 0;
        state.pendingTextKey = -1;
        break;
    }
    case SDL_KEYUP:
        state.pendingTextKey = -1;
        break;
    default:
        break;
    }
}

// A press is counted as it arrives, so that a key let go again before the next snapshot
// still counts as down in it.
void CountPress(InputState& state, const SDL_Event& event) {
    if (event.type != SDL_KEYDOWN || event.key.repeat != 0) return;
    if (state.window == nullptr || event.key.windowID != SDL_GetWindowID(state.window)) return;
    const std::int32_t scancode = event.key.keysym.scancode;
    const std::uint8_t dik = DikFromScancode(scancode);
    if (dik == 0) return;
    ++state.keyPresses[dik];
    state.keySource[dik] = static_cast<std::uint16_t>(scancode);
}

// A click can be over before the next frame samples the buttons (a touchpad's tap sends
// the press and the release together): the frame's sample still sees it down once.
void CountButtonPress(InputState& state, const SDL_Event& event) {
    if (state.window == nullptr || event.button.windowID != SDL_GetWindowID(state.window)) return;
    const std::uint8_t button = event.button.button;
    if (button >= SDL_BUTTON_LEFT && button <= SDL_BUTTON_RIGHT) ++state.buttonPresses[button - 1];
}

int Watch(void* userdata, SDL_Event* event) {
    auto& state = *static_cast<InputState*>(userdata);
    if (event->type == SDL_MOUSEWHEEL) {
        std::int32_t y = event->wheel.y;
        if (event->wheel.direction == SDL_MOUSEWHEEL_FLIPPED) y = -y;
        state.wheelSum += y;
    } else if (event->type == SDL_MOUSEBUTTONDOWN) {
        CountButtonPress(state, *event);
    } else if (event->type == SDL_WINDOWEVENT && state.window != nullptr &&
               event->window.windowID == SDL_GetWindowID(state.window)) {
        if (event->window.event == SDL_WINDOWEVENT_ENTER) state.pointerLeftWindow = false;
        if (event->window.event == SDL_WINDOWEVENT_LEAVE) state.pointerLeftWindow = true;
    } else {
        CountPress(state, *event);
        LearnKeyText(state, *event);
    }
    return 1;
}

}  // namespace

void WatchInputEvents(InputState& state) { SDL_AddEventWatch(Watch, &state); }

void StopWatchingInputEvents(InputState& state) { SDL_DelEventWatch(Watch, &state); }

}  // namespace zrv
