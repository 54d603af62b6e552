#include "files/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace zrv {

namespace {

bool WriteAll(int fd, std::string_view contents) {
    std::size_t done = 0;
    while (done < contents.size()) {
        const ssize_t put = ::write(fd, contents.data() + done, contents.size() - done);
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

}  // namespace

bool ReplaceFileContents(const std::string& name, std::string_view contents) {
    // Through a link to the file it names, so the link stays a link. Only a plain file is
    // ever replaced: renaming over a device or a folder would destroy it.
    const std::string path = FileBehindLinks(name);
    if (path.empty()) return false;
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) return false;

    // A short name of its own: the file's name plus a suffix could pass the longest name a
    // folder takes.
    const std::size_t slash = path.find_last_of('/');
    std::string temporary = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + ".zrv-XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return false;
    const mode_t mode = exists ? (old.st_mode & 07777) : DefaultFileMode();
    const bool written = ::fchmod(fd, mode) == 0 && WriteAll(fd, contents) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

std::string AbsolutePath(const std::string& name) {
    if (name.empty() || name.front() == '/') return name;
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE || buffer.size() > (1u << 20)) return name;
        buffer.resize(buffer.size() * 2);
    }
    std::string absolute = buffer.data();
    if (absolute.back() != '/') absolute += '/';
    return absolute + name;
}

}  // namespace zrv
