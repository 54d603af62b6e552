#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>

#include "core/runtime_log.h"

namespace zrv {

namespace {

std::string SystemName(std::string path) {
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

}  // namespace

// The temporary folder belongs to the user here, so any file at the log's name is the log.
bool AppendToOwnLog(const std::string& path, RuntimeLogFile& log, const std::string& line) {
    const HANDLE file = CreateFileA(SystemName(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    log.path = path;
    SetFilePointer(file, 0, nullptr, FILE_END);
    DWORD written = 0;
    // A failed write is not retried: a second attempt would append a torn line twice.
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
    return true;
}

void RemoveLogFile(const std::string& path) { DeleteFileA(SystemName(path).c_str()); }

}  // namespace zrv
