// Testing, deleting, copying files and folders, and the current directory.
#include <string>

#include "core/core_state.h"
#include "files/file_system.h"
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

std::int32_t IsDirectory(const RtString& path) noexcept { return zrv::IsFolderPath(path.c_str()) ? 1 : 0; }

std::int32_t DeleteFile(const RtString& name) noexcept { return zrv::DeleteFileAt(name.c_str()) ? 1 : 0; }

std::int32_t CreateDir(const RtString& path) noexcept { return zrv::MakeFolder(path.c_str()) ? 1 : 0; }

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
            zrv::RemoveFile(destination.c_str());
            return;
        }
    }
}

RtString ReadCurrentDir() {
    const std::string folder = zrv::CurrentFolder();
    return RtString(folder.empty() ? "/" : folder.c_str());
}

RtString ReadStartDir() {
    const RtString& folder = zrv::Files().startDirectory;
    return folder.IsEmpty() ? ReadCurrentDir() : folder;
}

std::int32_t ChangeDir(const RtString& path) {
    SetErrorCodeOnly(0);
    if (zrv::EnterFolder(path.c_str())) return 1;
    SetErrorCode(kErrorNoSuchFile);
    return 0;
}
