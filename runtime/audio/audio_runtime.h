// The audio steps of start-up, the frame loop and shutdown.
#pragma once

#include "zorvane/program.h"

namespace zrv {

// Start-up, with the other service objects: the sound slot table, all slots empty.
void StartSoundSlots();
// Start-up, once the window exists: opens the audio device. Without one there is no
// SoundSystem and every sound command does nothing. Called again for a new window, which
// the device does not need.
void StartSound(WindowHandle window);
// Restarts looping music whose end has come; the frame call and every wait run it.
void CheckMusicLoop();
// Shutdown: the music (and a movie, when the program ends while one plays) stopped and
// closed, the last volume forgotten.
void StopMusicPlayer();
// Shutdown: every voice stopped and the slot table released.
void StopSoundSlots();
// Shutdown: the audio device closed.
void StopSound();

}  // namespace zrv
