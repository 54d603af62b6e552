// Testing, deleting, copying files and folders, and the current directory.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "core/core_state.h"
#include "files/files_state.h"
#include "files/memory_files.h"
#include "files/rt_file.h"
#include "zorvane/files.h"

namespace {

constexpr std::int32_t kCopyChunk = 4096;

void SetErrorCodeOnly(std::int32_t code) noexcept { zrv::Errors().errorCode = code; }

}  // namespace

std::int32_t FileExists(const RtString& name) {
    if (zrv::IsMemoryFileName(name.c_str())) return 1;
    zrv::RtFile file;
    return file.OpenRead(name.c_str()) ? 1 : 0;
}

std::int32_t IsDirectory(const RtString& path) noexcept {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) ? 1 : 0;
}

std::int32_t DeleteFile(const RtString& name) noexcept {
    // Device nodes cannot be deleted as files on the system programs were written for.
    struct stat info {};
    if (::lstat(name.c_str(), &info) != 0 || S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)) return 0;
    return ::unlink(name.c_str()) == 0 ? 1 : 0;
}

std::int32_t CreateDir(const RtString& path) noexcept { return ::mkdir(path.c_str(), 0777) == 0 ? 1 : 0; }

void CopyFile(const RtString& source, const RtString& destination) {
    SetErrorCodeOnly(0);
    zrv::RtFile from;
    if (!from.OpenRead(source.c_str())) {
        SetErrorCode(kErrorNoSuchFile);
        return;
    }
    zrv::RtFile to;
    if (!to.OpenWrite(destination.c_str())) {
        SetErrorCodeOnly(kErrorNoSuchFile);
        return;
    }
    char chunk[kCopyChunk];
    for (std::int32_t left = from.Size(); left > 0; left -= kCopyChunk) {
        const std::int32_t n = left < kCopyChunk ? left : kCopyChunk;
        if (!from.ReadBytes(chunk, n) || !to.WriteBytes(chunk, n)) {
            // No half copy is left behind; the program sees the destination missing.
            to.Close();
            ::unlink(destination.c_str());
            return;
        }
    }
}

RtString ReadCurrentDir() {
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE || buffer.size() > (1u << 20)) return RtString("/");
        buffer.resize(buffer.size() * 2);
    }
    std::string folder = buffer.data();
    if (folder.empty() || folder.back() != '/') folder += '/';
    return RtString(folder.c_str());
}

RtString ReadStartDir() {
    const RtString& folder = zrv::Files().startDirectory;
    return folder.IsEmpty() ? ReadCurrentDir() : folder;
}

std::int32_t ChangeDir(const RtString& path) {
    SetErrorCodeOnly(0);
    if (::chdir(path.c_str()) == 0) return 1;
    SetErrorCode(kErrorNoSuchFile);
    return 0;
}
