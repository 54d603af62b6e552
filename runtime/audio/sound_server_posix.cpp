#include "audio/sound_server.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

namespace zrv {

namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

bool IsSocket(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

// The client's own configuration folder, where it keeps links to its runtime folders.
std::string ClientConfigFolder() {
    if (std::string path = Env("PULSE_CONFIG_PATH"); !path.empty()) return path;
    if (std::string config = Env("XDG_CONFIG_HOME"); !config.empty()) return config + "/pulse";
    if (std::string home = Env("HOME"); !home.empty()) return home + "/.config/pulse";
    return "";
}

// Without a runtime folder of the session, the client reaches its server through the links
// "<machine>-runtime" in its configuration folder.
bool SocketBehindRuntimeLinks() {
    const std::string folder = ClientConfigFolder();
    if (folder.empty()) return false;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return false;
    bool found = false;
    const std::string suffix = "-runtime";
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0 &&
            IsSocket(folder + "/" + name + "/native")) {
            found = true;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

}  // namespace

bool SoundServerReachable() {
    if (!Env("PULSE_SERVER").empty()) return true;
    if (std::string runtime = Env("PULSE_RUNTIME_PATH"); !runtime.empty()) {
        if (IsSocket(runtime + "/native")) return true;
    } else if (std::string session = Env("XDG_RUNTIME_DIR"); !session.empty()) {
        if (IsSocket(session + "/pulse/native")) return true;
    } else if (SocketBehindRuntimeLinks()) {
        return true;
    }
    // A server for the whole system.
    return IsSocket("/run/pulse/native") || IsSocket("/var/run/pulse/native");
}

}  // namespace zrv
