#include <dirent.h>
#include <ifaddrs.h>
#include <netdb.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstring>

#include "net/ipv4.h"
#include "net/net_state.h"
#include "net/socket_system.h"

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

bool IsLoopback(std::int32_t address) noexcept { return (static_cast<std::uint32_t>(address) >> 24) == 127; }

}  // namespace

int LastSocketError() noexcept { return errno; }

bool WouldBlock(int error) noexcept { return error == EAGAIN || error == EWOULDBLOCK; }

bool SocketSystemReady() noexcept { return true; }

SocketHandle OpenSocket(int type) noexcept { return ::socket(AF_INET, type | SOCK_NONBLOCK | SOCK_CLOEXEC, 0); }

SocketHandle AcceptSocket(SocketHandle listener, sockaddr_in& peer) noexcept {
    socklen_t size = sizeof peer;
    return ::accept4(static_cast<int>(listener), reinterpret_cast<sockaddr*>(&peer), &size, SOCK_NONBLOCK | SOCK_CLOEXEC);
}

// The descriptor is gone after close() whatever it reports, so it is never retried.
bool CloseSocketHandle(SocketHandle socket) noexcept { return ::close(socket) == 0; }

void ShutdownSocket(SocketHandle socket) noexcept { ::shutdown(socket, SHUT_RDWR); }

long SendSome(SocketHandle socket, const char* bytes, std::size_t count, const sockaddr_in* destination) noexcept {
    // MSG_NOSIGNAL: a peer that went away is an error of the call, not the end of the process.
    return destination == nullptr
               ? ::send(socket, bytes, count, MSG_NOSIGNAL)
               : ::sendto(socket, bytes, count, MSG_NOSIGNAL, reinterpret_cast<const sockaddr*>(destination),
                          sizeof *destination);
}

long ReceiveSome(SocketHandle socket, char* buffer, std::size_t room) noexcept { return ::recv(socket, buffer, room, 0); }

int WaitForEvents(SocketHandle socket, short events, int timeoutMs) noexcept {
    pollfd watched{static_cast<int>(socket), events, 0};
    return ::poll(&watched, 1, timeoutMs);
}

int PendingError(SocketHandle socket) noexcept {
    int error = 0;
    socklen_t size = sizeof error;
    if (::getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &size) != 0) return -1;
    return error;
}

bool DescriptorToSpare() noexcept {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return true;
    const int open = OpenDescriptorCount();
    return open < 0 || static_cast<rlim_t>(open) + 1 + kFilesInReserve <= limit.rlim_cur;
}

void RaiseOpenFileLimit() noexcept {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) return;
    const rlim_t wanted = kSocketTableSize + kOtherFiles;
    if (limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur >= wanted) return;
    limit.rlim_cur = limit.rlim_max == RLIM_INFINITY || limit.rlim_max > wanted ? wanted : limit.rlim_max;
    ::setrlimit(RLIMIT_NOFILE, &limit);
}

// A name often resolves only to a loopback address here, so the interfaces are asked too.
bool InterfaceAddress(std::int32_t& address) noexcept {
    ifaddrs* interfaces = nullptr;
    if (::getifaddrs(&interfaces) != 0) return false;
    bool ok = false;
    for (const ifaddrs* each = interfaces; each != nullptr && !ok; each = each->ifa_next) {
        if (each->ifa_addr == nullptr || each->ifa_addr->sa_family != AF_INET) continue;
        const std::int32_t candidate = AddressOf(*reinterpret_cast<const sockaddr_in*>(each->ifa_addr));
        if (IsLoopback(candidate)) continue;
        address = candidate;
        ok = true;
    }
    ::freeifaddrs(interfaces);
    return ok;
}

int ResolveError(int status) noexcept { return status == EAI_SYSTEM ? errno : status == EAI_AGAIN ? EAGAIN : ENXIO; }

std::string SocketErrorText(int code) {
    // A full table means no room for another socket; the system's own text for 8 would
    // speak of executable formats.
    const char* text = ::strerrordesc_np(code == kTableFullError ? ENOMEM : code);
    return text != nullptr ? text : "";
}

}  // namespace zrv
