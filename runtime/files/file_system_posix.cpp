#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "files/file_system.h"

namespace zrv {

namespace {

bool WriteAll(int fd, const char* bytes, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t put = ::write(fd, bytes + done, count - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
}

// What a newly created file would get.
mode_t DefaultFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// What a link points at, as written in the link; empty when it cannot be read.
std::string ReadLink(const std::string& path) {
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
        if (n < 0) return "";
        if (static_cast<std::size_t>(n) < buffer.size()) return std::string(buffer.data(), static_cast<std::size_t>(n));
        if (buffer.size() > (1u << 16)) return "";
        buffer.resize(buffer.size() * 2);
    }
}

// The file at the end of the chain of links that starts at name (name itself when it is no
// link); it need not exist. Empty for a chain that does not end.
std::string FileBehindLinks(const std::string& name) {
    constexpr int kMaxLinks = 40;
    std::string path = name;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
        const std::string target = ReadLink(path);
        if (target.empty()) return "";
        const std::size_t slash = path.find_last_of('/');
        path = target.front() == '/' || slash == std::string::npos ? target : path.substr(0, slash + 1) + target;
    }
    return "";
}

bool IsFolderEntry(DIR* folder, const dirent& entry) {
    if (entry.d_type == DT_DIR) return true;
    if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK) return false;
    // A link to a folder is entered like a folder.
    struct stat info {};
    return ::fstatat(::dirfd(folder), entry.d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

int LastFileError() noexcept { return errno; }

bool IsFolderPath(const char* path) noexcept {
    struct stat info {};
    return ::stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

bool DeleteFileAt(const char* name) noexcept {
    // Device nodes cannot be deleted as files on the system programs were written for.
    struct stat info {};
    if (::lstat(name, &info) != 0 || S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)) return false;
    return ::unlink(name) == 0;
}

bool MakeFolder(const char* path) noexcept { return ::mkdir(path, 0777) == 0; }

bool EnterFolder(const char* path) noexcept { return ::chdir(path) == 0; }

std::string CurrentFolder() {
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE || buffer.size() > (1u << 20)) return "";
        buffer.resize(buffer.size() * 2);
    }
    std::string folder = buffer.data();
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

bool IsAbsolutePath(const std::string& name) noexcept { return !name.empty() && name.front() == '/'; }

bool RemoveFile(const std::string& path) noexcept { return ::unlink(path.c_str()) == 0; }

bool WriteFreshFile(const std::string& path, const std::uint8_t* bytes, std::int32_t size) {
    ::unlink(path.c_str());
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    const bool written = WriteAll(fd, reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(size));
    if (::close(fd) != 0 || !written) {
        ::unlink(path.c_str());
        return false;
    }
    return true;
}

void ReadCurrentFolder(const std::function<void(const char* name, bool isFolder)>& take) {
    DIR* folder = ::opendir(".");
    if (folder == nullptr) return;
    try {
        while (const dirent* entry = ::readdir(folder)) take(entry->d_name, IsFolderEntry(folder, *entry));
    } catch (...) {
        ::closedir(folder);
        throw;
    }
    ::closedir(folder);
}

int OpenDiskFile(const char* name, DiskAccess access) noexcept {
    int flags = O_RDONLY;
    if (access == DiskAccess::replace) {
        // Deleted first, so the new file is a file of its own (not one more name of a file
        // with several links). Only plain files and links are deleted: a device or a pipe
        // is written into, never removed.
        struct stat info {};
        if (::lstat(name, &info) == 0 && (S_ISREG(info.st_mode) || S_ISLNK(info.st_mode))) ::unlink(name);
        flags = O_RDWR | O_CREAT | O_TRUNC;
    } else if (access == DiskAccess::append) {
        flags = O_WRONLY | O_CREAT;
    }
    // Non-blocking while opening, so that a named pipe cannot hang the program here.
    const int fd = ::open(name, flags | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

bool ReplacementFile::Open(const std::string& target) {
    Discard();
    // Only a plain file is ever replaced: renaming over a device or a folder would destroy it.
    target_ = FileBehindLinks(target);
    if (target_.empty()) return false;
    struct stat old {};
    const bool exists = ::stat(target_.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) return false;
    // A short name of its own: the file's name plus a suffix could pass the longest name a
    // folder takes.
    const std::size_t slash = target_.find_last_of('/');
    temporary_ = (slash == std::string::npos ? std::string() : target_.substr(0, slash + 1)) + ".zrv-XXXXXX";
    const int fd = ::mkostemp(temporary_.data(), O_CLOEXEC);
    if (fd < 0) {
        temporary_.clear();
        return false;
    }
    handle_ = fd;
    if (::fchmod(fd, exists ? (old.st_mode & 07777) : DefaultFileMode()) != 0) {
        Discard();
        return false;
    }
    return true;
}

bool ReplacementFile::Write(const char* bytes, std::size_t count) {
    return handle_ >= 0 && WriteAll(static_cast<int>(handle_), bytes, count);
}

bool ReplacementFile::Commit(bool durable) {
    if (handle_ < 0) return false;
    const int fd = static_cast<int>(handle_);
    const bool synced = !durable || ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    handle_ = -1;
    if (!synced || !closed || ::rename(temporary_.c_str(), target_.c_str()) != 0) {
        Discard();
        return false;
    }
    temporary_.clear();
    return true;
}

void ReplacementFile::Discard() noexcept {
    if (handle_ >= 0) ::close(static_cast<int>(handle_));
    handle_ = -1;
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
}

}  // namespace zrv
