#include "net/socket_table.h"

#include <dirent.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "net/net_state.h"

namespace zrv {

namespace {

// Files the program and the runtime keep beside a full table: channels, logs, the audio
// device, the X connection, libraries' own descriptors.
constexpr rlim_t kOtherFiles = 1024;
// Descriptors no socket may take, so that under a limit too low for a full table the
// program's channels, downloads and the runtime's own files still open.
constexpr rlim_t kFilesInReserve = 32;

// The descriptors this process has open; -1 when the system does not say.
int OpenDescriptorCount() noexcept {
    DIR* folder = ::opendir("/proc/self/fd");
    if (folder == nullptr) return -1;
    int count = 0;
    while (const dirent* entry = ::readdir(folder)) {
        if (entry->d_name[0] != '.') ++count;
    }
    ::closedir(folder);
    return count - 1;  // the listing's own
}

// Another socket still leaves the reserve free.
bool DescriptorToSpare() noexcept {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return true;
    const int open = OpenDescriptorCount();
    return open < 0 || static_cast<rlim_t>(open) + 1 + kFilesInReserve <= limit.rlim_cur;
}

}  // namespace

NetState::~NetState() {
    for (SocketEntry& entry : table) {
        if (entry.socket >= 0) ::close(entry.socket);
    }
}

void StartNet() noexcept {
    CloseAllSockets();
    RaiseOpenFileLimit();
}

void StopNet() noexcept {
    CloseAllSockets();
    Net().startCount = 0;
}

void RaiseOpenFileLimit() noexcept {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) return;
    const rlim_t wanted = kSocketTableSize + kOtherFiles;
    if (limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur >= wanted) return;
    limit.rlim_cur = limit.rlim_max == RLIM_INFINITY || limit.rlim_max > wanted ? wanted : limit.rlim_max;
    ::setrlimit(RLIMIT_NOFILE, &limit);
}

std::int32_t FailWith(int code) noexcept {
    Net().netError = code;
    return -1;
}

std::int32_t FindFreeEntry() noexcept {
    const auto& table = Net().table;
    for (std::int32_t i = 0; i < kSocketTableSize; ++i) {
        if (table[static_cast<std::size_t>(i)].socket < 0) return DescriptorToSpare() ? i : FailWith(kTableFullError);
    }
    return FailWith(kTableFullError);
}

std::int32_t FailToOpen(int error) noexcept { return FailWith(error == EMFILE ? kTableFullError : error); }

SocketEntry* OpenEntry(std::int32_t socket) noexcept {
    if (socket < 0 || socket >= kSocketTableSize) {
        FailWith(ENOTSOCK);
        return nullptr;
    }
    SocketEntry& entry = Net().table[static_cast<std::size_t>(socket)];
    if (entry.socket < 0) {
        FailWith(ENOTSOCK);
        return nullptr;
    }
    return &entry;
}

bool CloseEntry(SocketEntry& entry) noexcept {
    const int socket = entry.socket;
    const bool isUdp = entry.isUdp;
    entry = SocketEntry{};
    if (socket < 0) return false;
    if (!isUdp) ::shutdown(socket, SHUT_RDWR);
    // The descriptor is gone after close() whatever it reports, so it is never retried.
    return ::close(socket) == 0;
}

void CloseAllSockets() noexcept {
    for (SocketEntry& entry : Net().table) {
        if (entry.socket >= 0) CloseEntry(entry);
    }
}

std::int32_t LocalPort(std::int32_t socket) noexcept {
    const SocketEntry* entry = OpenEntry(socket);
    if (entry == nullptr) return 0;
    sockaddr_in local{};
    socklen_t size = sizeof local;
    if (::getsockname(entry->socket, reinterpret_cast<sockaddr*>(&local), &size) != 0) return 0;
    return ntohs(local.sin_port);
}

}  // namespace zrv
