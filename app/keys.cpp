// The player's keys.
#include "keys.h"

#include <utility>

#include "file_browser.h"
#include "media_keys.h"
#include "panels.h"
#include "transport.h"
#include "zorvane.h"

namespace player {

KeysState keys;

namespace {

constexpr double kSeekMs = 5000;
constexpr double kLongSeekMs = 30000;
constexpr double kVolumeStep = 5;
// As the scroll arrows: the press, then one more step every kRepeatFrames + 1 frames.
constexpr std::int32_t kRepeatFrames = 20;

bool Down(std::int32_t code) { return IsKeyDown(code) == 1; }

// True on the frame a key goes down and, with repeat, every kRepeatFrames + 1 frames of
// the hold after it. The first test of a key also reports a tap made since the previous
// test, the second only whether the key is held now: so two taps on successive frames are
// two presses, not one key held.
bool Pressed(std::int32_t code, bool repeat = false) {
    const bool sinceLastLook = Down(code);
    const bool heldNow = Down(code);
    std::int32_t& held = keys.heldFrames[code];
    const bool fresh = sinceLastLook && held == 0;
    held = heldNow ? held + 1 : 0;
    return fresh || (repeat && held > 1 && (held - 1) % (kRepeatFrames + 1) == 0);
}

bool Stepped(std::int32_t code) { return Pressed(code, true); }

// Two keys for one step: both are read every frame, so neither misses its presses.
bool EitherStepped(std::int32_t first, std::int32_t second) {
    const bool a = Stepped(first);
    const bool b = Stepped(second);
    return a || b;
}

void Forget(std::int32_t code) {
    Down(code);
    Down(code);
    keys.heldFrames[code] = 0;
}

}  // namespace

void UpdateKeys() {
    // The media keys the desktop leaves to the window: what they would have sent.
    constexpr std::pair<std::int32_t, std::int32_t> kMediaKeys[] = {{kKeyMediaPlayPause, kMediaPlayPause},
                                                                   {kKeyMediaStop, kMediaStop},
                                                                   {kKeyMediaNext, kMediaNext},
                                                                   {kKeyMediaPrevious, kMediaPrevious}};
    for (const auto& [code, command] : kMediaKeys) {
        if (Pressed(code)) CarryMediaCommand(command);
    }
    constexpr std::int32_t kPlayerKeys[] = {kKeySpace, kKeyN,     kKeyP,      kKeyBackspace, kKeyReturn,
                                            kKeyPadEnter, kKeyUp, kKeyDown,   kKeyLeft,      kKeyRight,
                                            kKeyEquals, kKeyPadPlus, kKeyMinus, kKeyPadMinus};
    // The drive list takes the keyboard: presses made meanwhile are let go unused.
    if (DriveListShown() || panels.menuOpen == 1) {
        for (const std::int32_t code : kPlayerKeys) Forget(code);
        return;
    }
    if (Pressed(kKeySpace)) TogglePause();
    if (Pressed(kKeyN)) PlayAdjacentTrack(1);
    if (Pressed(kKeyP)) PlayAdjacentTrack(-1);
    if (Pressed(kKeyBackspace)) OpenParentFolder();
    if (Stepped(kKeyUp)) MoveListCursor(-1);
    if (Stepped(kKeyDown)) MoveListCursor(1);
    const bool enter = Pressed(kKeyReturn);
    if (Pressed(kKeyPadEnter) || enter) OpenListCursor();

    const bool shift = Down(kKeyLeftShift) || Down(kKeyRightShift);
    const double seek = shift ? kLongSeekMs : kSeekMs;
    if (Stepped(kKeyLeft)) SeekBy(-seek);
    if (Stepped(kKeyRight)) SeekBy(seek);
    if (EitherStepped(kKeyEquals, kKeyPadPlus)) SetVolume(panels.volume + kVolumeStep);
    if (EitherStepped(kKeyMinus, kKeyPadMinus)) SetVolume(panels.volume - kVolumeStep);
}

}  // namespace player
