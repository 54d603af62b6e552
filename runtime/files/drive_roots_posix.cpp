#include "files/drive_roots.h"

#include <mntent.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <set>
#include <string_view>


namespace zrv {

namespace {

// Where desktops and users mount removable media and extra disks.
bool InUserPlace(std::string_view dir) {
    for (const std::string_view place : {"/media", "/run/media", "/mnt", "/home"}) {
        if (dir == place || (dir.starts_with(place) && dir.size() > place.size() && dir[place.size()] == '/')) {
            return true;
        }
    }
    return false;
}

std::string AsRoot(std::string path) {
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

void AddRoot(std::vector<std::string>& roots, std::string root) {
    if (std::find(roots.begin(), roots.end(), root) == roots.end()) roots.push_back(std::move(root));
}

}  // namespace

std::vector<std::string> DriveRootsFrom(const char* mountTable, const std::string& home) {
    std::vector<std::string> roots{"/"};
    if (!home.empty()) AddRoot(roots, AsRoot(home));
    FILE* table = ::setmntent(mountTable, "r");
    if (table == nullptr) return roots;
    std::set<std::string> devicesSeen;
    // getmntent has already turned the table's escapes ("\040" for a blank) into bytes.
    while (const mntent* entry = ::getmntent(table)) {
        const std::string_view device = entry->mnt_fsname;
        const bool firstSight = devicesSeen.emplace(device).second;
        if (firstSight && device.starts_with("/dev/") && InUserPlace(entry->mnt_dir)) {
            AddRoot(roots, AsRoot(entry->mnt_dir));
        }
    }
    ::endmntent(table);
    return roots;
}

std::vector<std::string> SystemDriveRoots() {
    // The kernel's own table of this process; the older file where /proc is missing.
    const char* table = ::access("/proc/self/mounts", R_OK) == 0 ? "/proc/self/mounts" : "/etc/mtab";
    const char* home = ::getenv("HOME");
    return DriveRootsFrom(table, home != nullptr ? home : "");
}

}  // namespace zrv
