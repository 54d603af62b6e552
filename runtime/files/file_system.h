// The system's file and folder calls under the file commands, the runtime's own files and
// the listing; file_system_posix.cpp and file_system_win32.cpp serve them. Names are the
// program's (with "/"); each side hands them to its system in the form it takes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace zrv {

// The error of the file call that failed last on this thread, in the system's own numbers.
int LastFileError() noexcept;

bool IsFolderPath(const char* path) noexcept;
bool DeleteFileAt(const char* name) noexcept;
// One level only: the parent must exist.
bool MakeFolder(const char* path) noexcept;
bool EnterFolder(const char* path) noexcept;
// The current directory with "/" between its parts and at its end; "" when the system
// cannot say.
std::string CurrentFolder();
bool IsAbsolutePath(const std::string& name) noexcept;
// Removes a file the runtime made (a temporary file, a half copy); false when it could not.
bool RemoveFile(const std::string& path) noexcept;
// A fresh file at path holding the bytes. Whatever stood under the name before (even a link
// planted in a shared temporary folder) is removed, never written through.
bool WriteFreshFile(const std::string& path, const std::uint8_t* bytes, std::int32_t size);
// Every entry of the current folder, "." and ".." included, in the system's order; a link
// to a folder counts as a folder.
void ReadCurrentFolder(const std::function<void(const char* name, bool isFolder)>& take);

// How RtFile opens a disk file. read: an existing file; replace: the file deleted and made
// anew, for reading and writing; append: for writing, created when missing.
enum class DiskAccess { read, replace, append };
// A descriptor of the C library's read/write/lseek/fstat, or -1; a folder is never opened
// (it cannot be on the system the programs were written for, and the file browser tells
// folders from files that way).
int OpenDiskFile(const char* name, DiskAccess access) noexcept;

// New contents for a file, written to a fresh file beside it and put in its place only when
// complete, so the file is never missing nor half written.
class ReplacementFile {
public:
    ReplacementFile() = default;
    // Unfinished contents leave nothing behind.
    ~ReplacementFile() { Discard(); }
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Through a link to the file it names, so the link stays a link. False when no new file
    // can be made beside the target, or the target exists and is not a plain file.
    bool Open(const std::string& target);
    bool Write(const char* bytes, std::size_t count);
    // Puts the new file in the target's place (on the disk itself first when durable);
    // false leaves the old file.
    bool Commit(bool durable);
    void Discard() noexcept;

private:
    std::intptr_t handle_ = -1;
    std::string target_;
    std::string temporary_;
};

}  // namespace zrv
