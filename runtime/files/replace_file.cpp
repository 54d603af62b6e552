#include "files/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
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

}  // namespace

bool ReplaceFileContents(const std::string& name, std::string_view contents) {
    // Through a link to the file it names, so the link stays a link. Only a plain file is
    // ever replaced: renaming over a device or a folder would destroy it.
    std::string path = name;
    struct stat link {};
    if (::lstat(name.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        char* target = ::realpath(name.c_str(), nullptr);
        if (target == nullptr) return false;
        path = target;
        std::free(target);
    }
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) return false;

    std::string temporary = path + ".XXXXXX";
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
