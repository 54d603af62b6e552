// What the player remembers between runs: the folder it lists, the volume and the loop
// switch, in "player.ini" of the user's configuration folder ($XDG_CONFIG_HOME/zorvane,
// else ~/.config/zorvane; on Windows %APPDATA%/zorvane), written with the runtime's configuration commands. A setting
// the user changes is written at the end of the first frame in which no mouse button is
// held (a drag of the knob is saved once, when it is let go); at quit whatever differs
// from the file is written, such as the folder named on the command line. Nothing is
// written while nothing differs, so a run that changes nothing leaves the home folder as
// it was until it quits. A file that cannot be read, holds nonsense or cannot be written
// is passed over: the player starts as new.
#pragma once

#include "zorvane.h"

namespace player {

struct SettingsState {
    // The file, empty until LoadSettings named one (nothing is ever written then).
    RtString file;
    // The settings as the file last held them; a setting never stored reads "NO_DATA".
    RtString savedFolder;
    RtString savedVolume;
    RtString savedLoop;
    // The settings as the previous frame left them; empty before the first frame.
    RtString seen;
    // The remembered folder, when it is still there.
    RtString folder;
};

extern SettingsState settings;

// Where the file lives for this user; empty when the environment names no absolute folder
// for it (settings_location_posix.cpp, settings_location_win32.cpp).
RtString SettingsFileName();
// A path that does not depend on the current folder.
bool IsAbsolutePath(const char* path);
// Reads the file; the volume and the loop switch go to the controls before the first frame.
void LoadSettings();
// Stores the listed folder, the volume and the loop switch when one changed. At quit the
// mouse is not waited for.
void SaveChangedSettings(bool quitting = false);

}  // namespace player
