#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "files/drive_roots.h"

namespace zrv {

std::vector<std::string> SystemDriveRoots() {
    std::vector<std::string> roots;
    char drives[26 * 4 + 2] = {};
    const DWORD length = GetLogicalDriveStringsA(sizeof drives - 1, drives);
    if (length == 0 || length >= sizeof drives) return roots;
    // "C:\", "D:\", ... each ended by a NUL, in letter order; the list ends at an empty one.
    for (const char* root = drives; *root != 0; root += lstrlenA(root) + 1) {
        const char letter = root[0] >= 'A' && root[0] <= 'Z' ? static_cast<char>(root[0] + 32) : root[0];
        if (letter < 'a' || letter > 'z') continue;
        // A letter without a root folder (an unassigned or broken mapping) is no drive.
        const UINT type = GetDriveTypeA(root);
        if (type == DRIVE_NO_ROOT_DIR || type == DRIVE_UNKNOWN) continue;
        roots.push_back(std::string(1, letter) + ":/");
    }
    return roots;
}

}  // namespace zrv
