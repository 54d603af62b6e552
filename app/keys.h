// The player's keys. Each acts once per press; the keys that step (the cursor, seeking and
// the volume) repeat while held as the scroll arrows do: once at the press, then once every
// 21 frames. While the drive list is open only Escape and S act, as before.
//
//   Space          pause / resume
//   Left / Right   seek 5 s back / on; with Shift 30 s
//   N / P          the next / previous music file of the list, wrapping round at the ends
//   + / -          volume up / down by 5 (main row = and -, keypad + and -)
//   Backspace      the parent folder, as a click on ".." opens it
//   Up / Down      move the list's cursor; Enter (either) opens or plays the entry under it
//   media keys     play / pause, stop, next, previous, as the desktop's media controls do;
//                  they act while the drive list is open too
#pragma once

#include <cstdint>

namespace player {

struct KeysState {
    // Frames each key has been held, 0 while it is up; indexed by scan code.
    std::int32_t heldFrames[256] = {};
};

extern KeysState keys;

// Reads the keys once and acts on them; runs before the screen areas of the frame.
void UpdateKeys();

}  // namespace player
