// Opening sockets: TCP listeners, accepted and outgoing connections, datagram sockets.
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "net/ipv4.h"
#include "net/socket_open.h"
#include "net/socket_table.h"
#include "zorvane/net.h"

namespace zrv {

namespace {

constexpr int kListenBacklog = 10;

// Every socket is non-blocking from the start, and no child process inherits one.
int NewSocket(int type) noexcept { return ::socket(AF_INET, type | SOCK_NONBLOCK | SOCK_CLOEXEC, 0); }

// Closes a socket whose set-up failed, keeping the error of the failed step.
std::int32_t Abandon(int socket) noexcept {
    const int error = errno;
    ::close(socket);
    return FailWith(error);
}

std::int32_t Store(std::int32_t index, int socket, const sockaddr_in& address, bool isUdp) noexcept {
    Net().table[static_cast<std::size_t>(index)] = SocketEntry{socket, address, isUdp};
    Net().netError = 0;
    return index;
}

bool Bind(int socket, const sockaddr_in& address) noexcept {
    return ::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

// A non-blocking connect finished within the connect time-out and before the deadline.
bool Connect(int socket, const sockaddr_in& peer, NetClock::time_point deadline) noexcept {
    if (::connect(socket, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) == 0) return true;
    if (errno != EINPROGRESS && errno != EINTR) return false;
    if (!WaitForSocket(socket, POLLOUT, Net().connectTimeoutMs, deadline)) {
        errno = Net().netError;
        return false;
    }
    int error = 0;
    socklen_t size = sizeof error;
    if (::getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &size) != 0) return false;
    errno = error;
    return error == 0;
}

}  // namespace

std::int32_t ConnectTo(const RtString& host, std::int32_t port, NetClock::time_point deadline) noexcept {
    if (!IsPort(port)) return FailWith(EINVAL);
    std::int32_t address = 0;
    if (!ResolveIPv4(host, address)) return -1;
    const std::int32_t index = FindFreeEntry();
    if (index < 0) return -1;
    const int socket = NewSocket(SOCK_STREAM);
    if (socket < 0) return FailToOpen(errno);
    const sockaddr_in peer = SocketAddress(address, port);
    if (!Connect(socket, peer, deadline)) return Abandon(socket);
    return Store(index, socket, peer, false);
}

}  // namespace zrv

std::int32_t TcpListen(std::int32_t port) {
    if (!zrv::IsPort(port)) return zrv::FailWith(EINVAL);
    const std::int32_t index = zrv::FindFreeEntry();
    if (index < 0) return -1;
    const int socket = zrv::NewSocket(SOCK_STREAM);
    if (socket < 0) return zrv::FailToOpen(errno);
    // A server started again soon after it stopped must not wait for its old connections
    // to leave TIME_WAIT; two listeners on one port are still refused.
    const int one = 1;
    ::setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    const sockaddr_in local = zrv::SocketAddress(INADDR_ANY, port);
    if (!zrv::Bind(socket, local) || ::listen(socket, zrv::kListenBacklog) != 0) return zrv::Abandon(socket);
    return zrv::Store(index, socket, local, false);
}

std::int32_t TcpAccept(std::int32_t listener, std::int32_t& peerAddress) {
    zrv::SocketEntry* entry = zrv::OpenEntry(listener);
    if (entry == nullptr) return -1;
    if (entry->isUdp) return zrv::FailWith(0);
    sockaddr_in peer{};
    socklen_t size = sizeof peer;
    const int socket = ::accept4(entry->socket, reinterpret_cast<sockaddr*>(&peer), &size, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (socket < 0) return zrv::FailToOpen(errno);
    const std::int32_t index = zrv::FindFreeEntry();
    if (index < 0) {
        ::close(socket);
        return -1;
    }
    entry->address = peer;
    peerAddress = zrv::AddressOf(peer);
    return zrv::Store(index, socket, peer, false);
}

std::int32_t TcpConnect(const RtString& host, std::int32_t port) { return zrv::ConnectTo(host, port, zrv::kNoDeadline); }

std::int32_t UdpOpen(std::int32_t port) {
    if (!zrv::IsPort(port)) return zrv::FailWith(EINVAL);
    const std::int32_t index = zrv::FindFreeEntry();
    if (index < 0) return -1;
    const int socket = zrv::NewSocket(SOCK_DGRAM);
    if (socket < 0) return zrv::FailToOpen(errno);
    const sockaddr_in local = zrv::SocketAddress(INADDR_ANY, port);
    if (port != 0 && !zrv::Bind(socket, local)) return zrv::Abandon(socket);
    const int one = 1;
    ::setsockopt(socket, SOL_SOCKET, SO_BROADCAST, &one, sizeof one);
    return zrv::Store(index, socket, local, true);
}
