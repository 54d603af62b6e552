#include "net/download_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace zrv {

namespace {

// What a newly created file would get.
mode_t DefaultFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

DownloadFile::~DownloadFile() { Discard(); }

bool DownloadFile::Open(const std::string& target) {
    Discard();
    // Through a link to the file it names, so the link stays a link; only a plain file is
    // ever replaced, renaming over a device or a folder would destroy it.
    target_ = target;
    struct stat link {};
    if (::lstat(target.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        char* resolved = ::realpath(target.c_str(), nullptr);
        if (resolved == nullptr) return false;
        target_ = resolved;
        std::free(resolved);
    }
    struct stat old {};
    const bool exists = ::stat(target_.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) return false;

    temporary_ = target_ + ".XXXXXX";
    fd_ = ::mkostemp(temporary_.data(), O_CLOEXEC);
    if (fd_ < 0) {
        temporary_.clear();
        return false;
    }
    if (::fchmod(fd_, exists ? (old.st_mode & 07777) : DefaultFileMode()) != 0) {
        Discard();
        return false;
    }
    return true;
}

bool DownloadFile::Write(std::string_view bytes) {
    if (fd_ < 0) return false;
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd_, bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

bool DownloadFile::Finish() {
    if (fd_ < 0) return false;
    // No fsync: the rename keeps a failed download from ever touching the old file, and a
    // download can be fetched again after a power cut.
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (!closed || ::rename(temporary_.c_str(), target_.c_str()) != 0) {
        Discard();
        return false;
    }
    temporary_.clear();
    return true;
}

void DownloadFile::Discard() noexcept {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
}

}  // namespace zrv
