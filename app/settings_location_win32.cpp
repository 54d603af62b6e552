// Where the settings live on Windows: the user's roaming application data.
#include <cstdlib>
#include <string>

#include "settings.h"

namespace player {

bool IsAbsolutePath(const char* path) {
    if (path == nullptr) return false;
    const auto separator = [](char c) { return c == '/' || c == '\\'; };
    // "c:/..." or a share "//server/...".
    const bool letter = (path[0] >= 'a' && path[0] <= 'z') || (path[0] >= 'A' && path[0] <= 'Z');
    return (letter && path[1] == ':' && separator(path[2])) || (separator(path[0]) && separator(path[1]));
}

RtString SettingsFileName() {
    const char* appData = std::getenv("APPDATA");
    if (!IsAbsolutePath(appData)) return RtString();
    // Paths the runtime hands back use "/"; the stored folder is compared with them.
    std::string folder = appData;
    for (char& c : folder) {
        if (c == '\\') c = '/';
    }
    return RtString(folder.c_str()) + "/zorvane/player.ini";
}

}  // namespace player
