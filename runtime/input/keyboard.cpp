// The keyboard snapshot and the key test.
#include <SDL2/SDL.h>

#include <cstring>

#include "input/dik_codes.h"
#include "input/input_state.h"
#include "zorvane/input.h"
#include "zorvane/maths.h"

namespace zrv {

namespace {

SeenPresses* SeenBy(InputState& state, KeyReader reader) noexcept {
    switch (reader) {
    case KeyReader::frame: return &state.frameSeen;
    case KeyReader::characters: return &state.charactersSeen;
    case KeyReader::none: break;
    }
    return nullptr;
}

// True when the key went down since the reader last looked; it has seen the press now.
bool TakePress(const InputState& state, SeenPresses& seen, std::int32_t code) noexcept {
    if (seen.seen[code] == state.keyPresses[code]) return false;
    seen.seen[code] = state.keyPresses[code];
    return true;
}

}  // namespace

void RefreshKeyboard(InputState& state, KeyReader reader) {
    if (state.window == nullptr) return;
    SDL_PumpEvents();
    // The key events themselves are not needed: the state above is what programs test,
    // and the presses and characters were taken from the events as they arrived.
    SDL_FlushEvents(SDL_KEYDOWN, SDL_TEXTINPUT);
    if (state.keyResetPending) {
        std::memset(state.keyState, 0, sizeof state.keyState);
        state.lastTypedChar = 0;
        for (SeenPresses* seen : {&state.frameSeen, &state.charactersSeen, &state.keyTestSeen}) {
            std::memcpy(seen->seen, state.keyPresses, sizeof seen->seen);
        }
        state.keyResetPending = false;
    }
    // Keys typed into another window are none of the program's business.
    if (SDL_GetKeyboardFocus() != state.window) return;

    int count = 0;
    const Uint8* keys = SDL_GetKeyboardState(&count);
    std::uint8_t fresh[256] = {};
    for (int scancode = 0; scancode < count; ++scancode) {
        if (keys[scancode] == 0) continue;
        const std::uint8_t dik = DikFromScancode(scancode);
        if (dik == 0) continue;
        fresh[dik] = 0x80;
        state.keySource[dik] = static_cast<std::uint16_t>(scancode);
    }
    if (SeenPresses* seen = SeenBy(state, reader)) {
        for (std::int32_t code = 0; code < 256; ++code) {
            if (TakePress(state, *seen, code)) fresh[code] = 0x80;
        }
    }
    std::memcpy(state.keyState, fresh, sizeof fresh);
}

bool TakeKeyTestPress(InputState& state, std::int32_t code) noexcept {
    return TakePress(state, state.keyTestSeen, code & 255);
}

void MarkKeyStateForReset(InputState& state) noexcept { state.keyResetPending = true; }

bool KeyDownInSnapshot(const InputState& state, std::int32_t code) noexcept {
    return (state.keyState[code & 255] & 0x80) != 0;
}

bool EscapeDownInSnapshot(const InputState& state) noexcept {
    constexpr std::int32_t kExtendedEscape = kKeyEscape + 128;
    return KeyDownInSnapshot(state, kKeyEscape) || KeyDownInSnapshot(state, kExtendedEscape);
}

bool AnyKeyDownInSnapshot(const InputState& state) noexcept {
    for (std::int32_t code = 0; code < 255; ++code) {
        if (KeyDownInSnapshot(state, code)) return true;
    }
    return false;
}

}  // namespace zrv

double IsKeyDown(double code) {
    auto* input = zrv::Input();
    if (input == nullptr) return 0;
    zrv::RefreshKeyboard(*input, zrv::KeyReader::none);
    const std::int32_t key = TruncateToInt32(code);
    // Every key test sees a press once, even when the key was let go before it looked.
    const bool pressed = zrv::TakeKeyTestPress(*input, key);
    return zrv::KeyDownInSnapshot(*input, key) || pressed ? 1 : 0;
}
