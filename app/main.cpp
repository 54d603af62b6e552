// The music player's executable: project settings and the endless main loop. The player
// ends only through the runtime (Escape, Alt+F4 or closing the window).
#include "player.h"
#include "zorvane.h"

void ApplyProjectSettings() {
    ProjectSettings& settings = GetProjectSettings();
    settings.width = 640;
    settings.height = 480;
    settings.frameRateLimit = 60;
    settings.fullscreen = 0;
    settings.title = "Zorvane kelvo_5";
}

void ProgramMain() {
    player::StartPlayer();
    for (;;) player::RunPlayerFrame();
}

const FunctionNameEntry FunctionNameTable[] = {{nullptr, nullptr}};
