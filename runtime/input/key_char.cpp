// Typed characters: the first key down that gives one, reported once while it is held.
#include <SDL2/SDL.h>

#include "input/input_state.h"
#include "zorvane/input.h"

namespace zrv {

namespace {

bool GivesNothing(std::int32_t code) {
    switch (code) {
    // Modifiers, locks and the Apps key.
    case kKeyLeftControl: case kKeyLeftShift: case kKeyRightShift: case kKeyLeftAlt: case kKeyCapsLock:
    case kKeyNumLock: case kKeyApps:
        return true;
    default:
        return false;
    }
}

// The character the active layout gives for the key: what it produced when it went
// down, else its unshifted character (Control held gives none, as control characters
// never count).
std::int32_t CharacterOfKey(const InputState& state, std::int32_t code) {
    if (code == kKeyBackspace) return 8;
    if (code == kKeyReturn || code == kKeyPadEnter) return 10;
    if (GivesNothing(code)) return 0;
    const std::int32_t scancode = state.keySource[code];
    const std::int32_t learned = state.keyText[scancode];
    if (learned >= 0) return learned;
    if ((SDL_GetModState() & KMOD_CTRL) != 0) return 0;
    const SDL_Keycode key = SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(scancode));
    return key >= 32 && key < 127 ? key : 0;
}

bool Counts(std::int32_t character) { return character == 8 || character == 10 || (character >= 32 && character < 128); }

// The character, or 0 when there is none or the held key already reported it.
char ScanKeyChar(InputState& state) {
    RefreshKeyboard(state, KeyReader::characters);
    std::int32_t key = 0;
    for (std::int32_t code = 0; code < 255 && key == 0; ++code) {
        if (!KeyDownInSnapshot(state, code)) continue;
        const std::int32_t character = CharacterOfKey(state, code);
        if (Counts(character)) key = character;
    }
    const std::int32_t canonical = key >= 'A' && key <= 'Z' ? key - 'A' + 'a' : key;
    const bool shift = KeyDownInSnapshot(state, kKeyLeftShift) || KeyDownInSnapshot(state, kKeyRightShift);
    if (key >= 'a' && key <= 'z' && shift) key = key - 'a' + 'A';
    if (canonical == state.lastTypedChar) return 0;
    state.lastTypedChar = static_cast<std::uint8_t>(canonical);
    return static_cast<char>(key);
}

}  // namespace

bool AnyKeyTyped(InputState& state) { return ScanKeyChar(state) != 0; }

}  // namespace zrv

RtString ReadKeyChar() {
    auto* input = zrv::Input();
    if (input == nullptr) return RtString();
    const char character = zrv::ScanKeyChar(*input);
    return character != 0 ? RtString(&character, 1) : RtString();
}
