// Where the settings live on POSIX desktops: the XDG configuration folder.
#include <cstdlib>

#include "settings.h"

namespace player {

bool IsAbsolutePath(const char* path) { return path != nullptr && path[0] == '/'; }

RtString SettingsFileName() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    RtString folder;
    if (IsAbsolutePath(config)) {
        folder = config;
    } else if (const char* home = std::getenv("HOME"); IsAbsolutePath(home)) {
        folder = RtString(home) + "/.config";
    } else {
        return RtString();
    }
    return folder + "/zorvane/player.ini";
}

}  // namespace player
