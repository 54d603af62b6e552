// ALSA, under SDL's audio driver of the same name, prints its complaints to standard error
// when a machine has no sound card; the runtime keeps the terminal to the program.
#pragma once

namespace zrv {

// Gives ALSA's error reporting a handler that drops the text, when ALSA is installed.
void QuietenAlsa();

}  // namespace zrv
