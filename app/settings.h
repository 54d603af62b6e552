// What the player remembers between runs: the folder it lists, the volume and the loop
// switch, in "player.ini" of the user's configuration folder ($XDG_CONFIG_HOME/zorvane,
// else ~/.config/zorvane), written with the runtime's configuration commands. A setting
// that changed is written at the end of the frame in which no mouse button is held (a
// drag of the knob is saved once, when it is let go), and at quit. A file that cannot be
// read, holds nonsense or cannot be written is passed over: the player starts as new.
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
    // The remembered folder, when it is still there.
    RtString folder;
};

extern SettingsState settings;

// Where the file lives for this user; empty when neither XDG_CONFIG_HOME nor HOME names
// an absolute folder.
RtString SettingsFileName();
// Reads the file; the volume and the loop switch go to the controls before the first frame.
void LoadSettings();
// Stores the listed folder, the volume and the loop switch when one changed. At quit the
// mouse is not waited for.
void SaveChangedSettings(bool quitting = false);

}  // namespace player
