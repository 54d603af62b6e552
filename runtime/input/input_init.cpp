// Creating and releasing the input devices.
#include <SDL2/SDL.h>

#include <algorithm>

#include "input/input_events.h"
#include "input/pointer_position.h"
#include "zorvane/program.h"

namespace zrv {

namespace {

constexpr std::size_t kMaxNameBytes = 521;
constexpr std::int32_t kLevelExclusive = 5;

void OpenJoysticks(InputState& state) {
    state.sdlInput = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
    if (!state.sdlInput) {
        AppendLogLine("No DX_Input");
        return;
    }
    state.hapticService = SDL_InitSubSystem(SDL_INIT_HAPTIC) == 0;
    // Joysticks are polled when a command reads them, never queued as window events.
    SDL_JoystickEventState(SDL_IGNORE);
    const int available = SDL_NumJoysticks();
    for (int index = 0; index < available && state.joystickCount < kMaxJoysticks; ++index) {
        SDL_Joystick* joystick = SDL_JoystickOpen(index);
        if (joystick == nullptr) continue;  // a device that cannot be opened is not counted
        const std::int32_t slot = state.joystickCount++;
        state.joystickDevice[slot] = joystick;
        const char* name = SDL_JoystickName(joystick);
        state.joystickName[slot] = name != nullptr ? name : "";
        if (state.joystickName[slot].size() > kMaxNameBytes) state.joystickName[slot].resize(kMaxNameBytes);
        if (state.hapticService && SDL_JoystickIsHaptic(joystick) == 1) {
            state.joystickHaptic[slot] = SDL_HapticOpenFromJoystick(joystick);
        }
    }
}

void CloseJoysticks(InputState& state) {
    for (std::int32_t slot = 0; slot < state.joystickCount; ++slot) {
        if (state.joystickHaptic[slot] != nullptr) {
            if (state.hapticEffect[slot] >= 0) SDL_HapticDestroyEffect(state.joystickHaptic[slot], state.hapticEffect[slot]);
            SDL_HapticClose(state.joystickHaptic[slot]);
        }
        if (state.joystickDevice[slot] != nullptr) SDL_JoystickClose(state.joystickDevice[slot]);
        state.joystickHaptic[slot] = nullptr;
        state.joystickDevice[slot] = nullptr;
        state.hapticEffect[slot] = -1;
        state.joystickName[slot].clear();
    }
    state.joystickCount = 0;
    if (state.hapticService) SDL_QuitSubSystem(SDL_INIT_HAPTIC);
    state.hapticService = false;
}

}  // namespace

std::int32_t Joysticks(InputState& state) {
    // Most programs never read a joystick: the service, its device scan and the haptic
    // devices are opened when one is first asked for, and then kept to the end.
    if (state.initialised && !state.joysticksOpened) {
        state.joysticksOpened = true;
        OpenJoysticks(state);
    }
    return state.joystickCount;
}

InputState::InputState() noexcept {
    std::fill(std::begin(keyText), std::end(keyText), std::int16_t{-1});
    std::fill(std::begin(hapticEffect), std::end(hapticEffect), -1);
}

InputState::~InputState() { ReleaseInput(*this); }

void StartInput(InputState& state, SDL_Window* window, bool exclusiveMouse) {
    state.mouseIndex = 0;
    state.window = window;
    const PointerPosition pointer = ReadPointer(window, false);
    state.mouseX = pointer.x;
    state.mouseY = pointer.y;

    // The keyboard comes with the window; the key map is the identity.
    state.keyboardDevice = SDL_GetKeyboardState(nullptr) != nullptr;
    if (!state.keyboardDevice) AppendLogLine("No DX_KB");
    for (int code = 0; code < 256; ++code) state.keyMap[code] = static_cast<std::uint16_t>(code);
    state.pointerShown = false;

    if (exclusiveMouse) {
        state.mouseDevice = true;
        state.mouseCoopLevel = kLevelExclusive;
        if (SDL_SetRelativeMouseMode(SDL_TRUE) != 0) AppendLogLine("No DX_Mouse");
        SDL_ShowCursor(SDL_DISABLE);
    } else {
        ApplyPointerVisibility(state, true);
    }

    WatchInputEvents(state);
    state.initialised = true;
}

void ReleaseInput(InputState& state) {
    if (!state.initialised) return;
    state.initialised = false;
    ApplyPointerVisibility(state, true);
    SDL_SetRelativeMouseMode(SDL_FALSE);
    StopWatchingInputEvents(state);
    CloseJoysticks(state);
    if (state.sdlInput) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    state.sdlInput = false;
    state.joysticksOpened = false;
    state.mouseDevice = false;
    state.keyboardDevice = false;
    state.window = nullptr;
}

}  // namespace zrv
