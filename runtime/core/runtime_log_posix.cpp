#include "core/runtime_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>


namespace zrv {

namespace {

// Opening never waits: a pipe at the log's name without a reader fails at once.
constexpr int kOpenFlags = O_WRONLY | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;

// A new file only: a name that is taken already (by a link, a pipe, another user's file)
// fails.
int CreateLog(const std::string& path, RuntimeLogFile& log) {
    const int fd = open(path.c_str(), kOpenFlags | O_CREAT | O_EXCL, 0644);
    if (fd < 0) return -1;
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        close(fd);
        return -1;
    }
    log.path = path;
    log.device = info.st_dev;
    log.inode = info.st_ino;
    return fd;
}

// The process's own log file at path, made when there is none yet; -1 when whatever is at
// the name is not that file.
int OpenOwnLog(const std::string& path, RuntimeLogFile& log) {
    if (log.path != path) return CreateLog(path, log);
    const int fd = open(path.c_str(), kOpenFlags);
    if (fd < 0) return errno == ENOENT ? CreateLog(path, log) : -1;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_dev != log.device || info.st_ino != log.inode) {
        close(fd);
        return -1;
    }
    return fd;
}

void WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        done += static_cast<std::size_t>(n);
    }
}

}  // namespace

bool AppendToOwnLog(const std::string& path, RuntimeLogFile& log, const std::string& line) {
    const int fd = OpenOwnLog(path, log);
    if (fd < 0) return false;
    // A failed write is not retried: a second attempt would append a torn line twice.
    WriteAll(fd, line);
    close(fd);
    return true;
}

void RemoveLogFile(const std::string& path) { unlink(path.c_str()); }

}  // namespace zrv
