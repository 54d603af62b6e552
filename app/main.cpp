// The music player's executable: project settings and the endless main loop. The player
// ends only through the runtime (Escape, Alt+F4 or closing the window).
//
// Usage: zorvane_player [FOLDER]. The runtime starts every program in its executable's
// folder; the player goes back to the folder it was started in, or into the folder named
// on the command line, or else into the folder it listed last time, before it starts, so
// that it browses where the user asked.
#include "player.h"
#include "settings.h"
#include "zorvane.h"

namespace {

// The quit hook: what changed since the last frame is kept too.
double SaveSettingsAtQuit() {
    player::SaveChangedSettings(true);
    return 0;
}

}  // namespace

void ApplyProjectSettings() {
    ProjectSettings& settings = GetProjectSettings();
    settings.width = 640;
    settings.height = 480;
    settings.frameRateLimit = 60;
    settings.fullscreen = 0;
    settings.title = "Zorvane kelvo_5";
}

void ProgramMain() {
    ChangeDir(ReadStartDir());
    player::LoadSettings();
    RtString startFolder = ProgramArgument(1);
    if (startFolder.IsEmpty()) startFolder = player::settings.folder;
    if (!startFolder.IsEmpty()) ChangeDir(startFolder);
    player::StartPlayer();
    for (;;) player::RunPlayerFrame();
}

const FunctionNameEntry FunctionNameTable[] = {{SaveSettingsAtQuit, "ZRV_ON_QUIT"}, {nullptr, nullptr}};
