#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "core/temp_directory.h"

namespace zrv {

std::string TempDirectory() {
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof buffer, buffer);
    if (length == 0 || length > MAX_PATH) return ".\\";
    std::string folder(buffer, length);
    if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
    return folder;
}

}  // namespace zrv
