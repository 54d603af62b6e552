#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <atomic>
#include <cstdio>
#include <vector>

#include "files/file_system.h"

namespace zrv {

namespace {

// Programs write "/"; the system is handed "\".
std::string SystemName(const char* name) {
    std::string path = name;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

bool WriteAll(HANDLE file, const char* bytes, std::size_t count) {
    while (count > 0) {
        const DWORD piece = count > (1u << 30) ? (1u << 30) : static_cast<DWORD>(count);
        DWORD put = 0;
        if (!WriteFile(file, bytes, piece, &put, nullptr) || put == 0) return false;
        bytes += put;
        count -= put;
    }
    return true;
}

HANDLE AsHandle(std::intptr_t handle) noexcept { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

int LastFileError() noexcept { return static_cast<int>(GetLastError()); }

bool IsFolderPath(const char* path) noexcept {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool DeleteFileAt(const char* name) noexcept { return DeleteFileA(name) != 0; }

bool MakeFolder(const char* path) noexcept { return CreateDirectoryA(SystemName(path).c_str(), nullptr) != 0; }

bool EnterFolder(const char* path) noexcept { return SetCurrentDirectoryA(path) != 0; }

std::string CurrentFolder() {
    char buffer[1024] = {};
    const DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    if (length == 0 || length >= sizeof buffer) return "";
    std::string folder(buffer, length);
    for (char& c : folder) {
        if (c == '\\') c = '/';
    }
    // The root of a drive ends in its separator already.
    if (folder.back() != '/') folder += '/';
    return folder;
}

// "c:/x", "/x" and "\\server\x" name the same place from any current directory.
bool IsAbsolutePath(const std::string& name) noexcept {
    if (name.empty()) return false;
    if (name[0] == '/' || name[0] == '\\') return true;
    return name.size() >= 3 && name[1] == ':' && (name[2] == '/' || name[2] == '\\');
}

bool RemoveFile(const std::string& path) noexcept { return DeleteFileA(SystemName(path.c_str()).c_str()) != 0; }

bool WriteFreshFile(const std::string& path, const std::uint8_t* bytes, std::int32_t size) {
    const std::string name = SystemName(path.c_str());
    DeleteFileA(name.c_str());
    const HANDLE file = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool written = WriteAll(file, reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(size));
    if (!CloseHandle(file) || !written) {
        DeleteFileA(name.c_str());
        return false;
    }
    return true;
}

void ReadCurrentFolder(const std::function<void(const char* name, bool isFolder)>& take) {
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA("*.*", &found);
    if (search == INVALID_HANDLE_VALUE) return;
    try {
        do {
            take(found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
        } while (FindNextFileA(search, &found));
    } catch (...) {
        FindClose(search);
        throw;
    }
    FindClose(search);
}

int OpenDiskFile(const char* name, DiskAccess access) noexcept {
    const std::string path = SystemName(name);
    DWORD rights = GENERIC_READ;
    DWORD disposition = OPEN_EXISTING;
    if (access == DiskAccess::replace) {
        DeleteFileA(path.c_str());
        rights = GENERIC_READ | GENERIC_WRITE;
        disposition = CREATE_ALWAYS;
    } else if (access == DiskAccess::append) {
        rights = GENERIC_WRITE;
        disposition = OPEN_ALWAYS;
    }
    // A file being written is shared with nobody. A file being read is shared with other
    // readers only: the running executable, which holds the media pack, is open already
    // (the system's loader reads it), and a file that another process holds without sharing
    // still reads as missing. A folder does not open without FILE_FLAG_BACKUP_SEMANTICS.
    const DWORD sharing = access == DiskAccess::read ? FILE_SHARE_READ : 0;
    const HANDLE file =
        CreateFileA(path.c_str(), rights, sharing, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return -1;
    const int fd = _open_osfhandle(reinterpret_cast<std::intptr_t>(file),
                                   access == DiskAccess::read ? _O_RDONLY | _O_BINARY : _O_BINARY);
    if (fd < 0) CloseHandle(file);
    return fd;
}

bool ReplacementFile::Open(const std::string& target) {
    Discard();
    target_ = SystemName(target.c_str());
    const DWORD attributes = GetFileAttributesA(target_.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
    const std::size_t cut = target_.find_last_of("\\:");
    const std::string folder = cut == std::string::npos ? std::string() : target_.substr(0, cut + 1);
    // A short name of its own beside the target, so the move stays on the target's volume.
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".zrv-%05lx%04x", GetCurrentProcessId() & 0xFFFFFul,
                      counter.fetch_add(1) & 0xFFFFu);
        const std::string candidate = folder + suffix;
        const HANDLE file = CreateFileA(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            handle_ = reinterpret_cast<std::intptr_t>(file);
            temporary_ = candidate;
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    return false;
}

bool ReplacementFile::Write(const char* bytes, std::size_t count) {
    return handle_ != -1 && WriteAll(AsHandle(handle_), bytes, count);
}

bool ReplacementFile::Commit(bool durable) {
    if (handle_ == -1) return false;
    const HANDLE file = AsHandle(handle_);
    const bool flushed = !durable || FlushFileBuffers(file) != 0;
    const bool closed = CloseHandle(file) != 0;
    handle_ = -1;
    const DWORD how = MOVEFILE_REPLACE_EXISTING | (durable ? MOVEFILE_WRITE_THROUGH : 0);
    if (!flushed || !closed || !MoveFileExA(temporary_.c_str(), target_.c_str(), how)) {
        Discard();
        return false;
    }
    temporary_.clear();
    return true;
}

void ReplacementFile::Discard() noexcept {
    if (handle_ != -1) CloseHandle(AsHandle(handle_));
    handle_ = -1;
    if (!temporary_.empty()) DeleteFileA(temporary_.c_str());
    temporary_.clear();
}

}  // namespace zrv
