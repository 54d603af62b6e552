#include "core/runtime_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/paths.h"
#include "zorvane/program.h"

namespace zrv {

std::string LogPath() { return TempDirectory() + "ErrorLog.txt"; }

void DeleteLog() {
    const std::string path = LogPath();
    if (path.rfind("mem://", 0) != 0) unlink(path.c_str());
}

namespace {

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

}  // namespace zrv

void AppendLogLine(const RtString& text) {
    const std::string line = std::string(text.Buffer() != nullptr ? text.Buffer() : "") + "\r\n";
    // Each line opens and closes the file, so the log is complete on disk after every line;
    // a planted symbolic link is never followed.
    for (int attempt = 0; attempt < 5; ++attempt) {
        const std::string path = zrv::LogPath();
        if (path.rfind("mem://", 0) == 0) continue;
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd < 0) continue;
        // A failed write is not retried: a second attempt would append a torn line twice.
        zrv::WriteAll(fd, line);
        close(fd);
        return;
    }
}
