// The audio steps of start-up, the frame loop and shutdown.
#pragma once

#include "zorvane/program.h"

namespace zrv {

// Start-up, with the other service objects: the sound slot table, all slots empty.
void CreateSoundSlots();
// Start-up, once the window exists: opens the audio device. Without one there is no
// SoundSystem and every sound command does nothing. Called again for a new window, which
// the device does not need.
void InitSound(WindowHandle window);
// Restarts looping music whose end has come; the frame call and every wait run it.
void CheckMusicLoop();
// Shutdown: the music (and a movie, when the program ends while one plays) stopped and
// closed, the last volume forgotten.
void CloseMusic();
// Shutdown: every voice stopped and the slot table released.
void DestroySoundSlots();
// Shutdown: the audio device closed.
void ReleaseSound();

}  // namespace zrv
