#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "pack_output.h"

namespace zrv::pack {

namespace {

std::string SystemError() { return std::strerror(errno); }

bool Fail(std::string& error, const std::string& message) {
    error = message;
    return false;
}

bool WriteAll(int fd, const std::uint8_t* bytes, std::size_t count) {
    while (count > 0) {
        const ssize_t put = ::write(fd, bytes, count);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        bytes += put;
        count -= static_cast<std::size_t>(put);
    }
    return true;
}

bool CopyInto(int to, const std::string& hostPath, std::string& error) {
    const int from = ::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (from < 0) {
        error = "cannot read \"" + hostPath + "\": " + SystemError();
        return false;
    }
    std::vector<std::uint8_t> chunk(1 << 16);
    for (;;) {
        const ssize_t got = ::read(from, chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0 || (got > 0 && !WriteAll(to, chunk.data(), static_cast<std::size_t>(got)))) {
            error = "copying \"" + hostPath + "\" failed: " + SystemError();
            ::close(from);
            return false;
        }
        if (got == 0) break;
    }
    ::close(from);
    return true;
}

}  // namespace

const char kPathSeparators[] = "/";

// Host bytes (if any) and the pack into a new file beside output, renamed over it.
bool WriteResult(const std::string& output, const std::string& host, const std::vector<std::uint8_t>& pack,
                 std::string& error) {
    mode_t mode = 0;
    if (!host.empty()) {
        struct stat info {};
        if (::stat(host.c_str(), &info) != 0) return Fail(error, "cannot read \"" + host + "\": " + SystemError());
        if (!S_ISREG(info.st_mode)) return Fail(error, "\"" + host + "\" is not a regular file");
        mode = info.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    std::string temporary = output + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return Fail(error, "cannot create a file beside \"" + output + "\": " + SystemError());
    bool ok = host.empty() || CopyInto(fd, host, error);
    if (ok && !WriteAll(fd, pack.data(), pack.size())) {
        error = "writing \"" + temporary + "\" failed: " + SystemError();
        ok = false;
    }
    if (ok && (::fchmod(fd, mode) != 0 || ::fsync(fd) != 0)) {
        error = "finishing \"" + temporary + "\" failed: " + SystemError();
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        error = "writing \"" + temporary + "\" failed: " + SystemError();
        ok = false;
    }
    if (ok && ::rename(temporary.c_str(), output.c_str()) != 0) {
        error = "cannot replace \"" + output + "\": " + SystemError();
        ok = false;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return Fail(error, error + (host.empty() ? "" : "; \"" + host + "\" is unchanged"));
    }
    return true;
}


}  // namespace zrv::pack
