// Opening sockets: TCP listeners, accepted and outgoing connections, datagram sockets.
#include "net/ipv4.h"
#include "net/socket_open.h"
#include "net/socket_system.h"
#include "net/socket_table.h"
#include "zorvane/net.h"

namespace zrv {

namespace {

constexpr int kListenBacklog = 10;

// Closes a socket whose set-up failed, keeping the error of the failed step.
std::int32_t Abandon(SocketHandle socket, int error) noexcept {
    CloseSocketHandle(socket);
    return FailWith(error);
}

std::int32_t Abandon(SocketHandle socket) noexcept { return Abandon(socket, LastSocketError()); }

std::int32_t Store(std::int32_t index, SocketHandle socket, const sockaddr_in& address, bool isUdp) noexcept {
    Net().table[static_cast<std::size_t>(index)] = SocketEntry{socket, AddressOf(address), PortOf(address), isUdp};
    Net().netError = 0;
    return index;
}

bool Bind(SocketHandle socket, const sockaddr_in& address) noexcept {
    return ::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

// A non-blocking connect finished within the connect time-out and before the deadline: 0,
// or the error it failed with.
int Connect(SocketHandle socket, const sockaddr_in& peer, NetClock::time_point deadline) noexcept {
    if (::connect(socket, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) == 0) return 0;
    const int started = LastSocketError();
    if (started != kErrorInProgress && started != kErrorInterrupted) return started;
    if (!WaitForSocket(socket, POLLOUT, Net().connectTimeoutMs, deadline)) return Net().netError;
    const int error = PendingError(socket);
    return error < 0 ? LastSocketError() : error;
}

}  // namespace

std::int32_t ConnectTo(const RtString& host, std::int32_t port, NetClock::time_point deadline) noexcept {
    if (!IsPort(port)) return FailWith(kErrorInvalid);
    std::int32_t address = 0;
    if (!ResolveIPv4(host, address)) return -1;
    const std::int32_t index = FindFreeEntry();
    if (index < 0) return -1;
    const SocketHandle socket = OpenSocket(SOCK_STREAM);
    if (socket == kNoSocket) return FailToOpen(LastSocketError());
    const sockaddr_in peer = SocketAddress(address, port);
    const int error = Connect(socket, peer, deadline);
    if (error != 0) return Abandon(socket, error);
    return Store(index, socket, peer, false);
}

}  // namespace zrv

std::int32_t TcpListen(std::int32_t port) {
    if (!zrv::IsPort(port)) return zrv::FailWith(zrv::kErrorInvalid);
    const std::int32_t index = zrv::FindFreeEntry();
    if (index < 0) return -1;
    const zrv::SocketHandle socket = zrv::OpenSocket(SOCK_STREAM);
    if (socket == zrv::kNoSocket) return zrv::FailToOpen(zrv::LastSocketError());
    // A server started again soon after it stopped must not wait for its old connections
    // to leave TIME_WAIT; two listeners on one port are still refused.
    const int one = 1;
    ::setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&one), sizeof one);
    const sockaddr_in local = zrv::SocketAddress(INADDR_ANY, port);
    if (!zrv::Bind(socket, local) || ::listen(socket, zrv::kListenBacklog) != 0) return zrv::Abandon(socket);
    return zrv::Store(index, socket, local, false);
}

std::int32_t TcpAccept(std::int32_t listener, std::int32_t& peerAddress) {
    zrv::SocketEntry* entry = zrv::OpenEntry(listener);
    if (entry == nullptr) return -1;
    if (entry->isUdp) return zrv::FailWith(0);
    sockaddr_in peer{};
    const zrv::SocketHandle socket = zrv::AcceptSocket(entry->socket, peer);
    if (socket == zrv::kNoSocket) return zrv::FailToOpen(zrv::LastSocketError());
    const std::int32_t index = zrv::FindFreeEntry();
    if (index < 0) {
        zrv::CloseSocketHandle(socket);
        return -1;
    }
    entry->address = zrv::AddressOf(peer);
    entry->port = zrv::PortOf(peer);
    peerAddress = zrv::AddressOf(peer);
    return zrv::Store(index, socket, peer, false);
}

std::int32_t TcpConnect(const RtString& host, std::int32_t port) { return zrv::ConnectTo(host, port, zrv::kNoDeadline); }

std::int32_t UdpOpen(std::int32_t port) {
    if (!zrv::IsPort(port)) return zrv::FailWith(zrv::kErrorInvalid);
    const std::int32_t index = zrv::FindFreeEntry();
    if (index < 0) return -1;
    const zrv::SocketHandle socket = zrv::OpenSocket(SOCK_DGRAM);
    if (socket == zrv::kNoSocket) return zrv::FailToOpen(zrv::LastSocketError());
    const sockaddr_in local = zrv::SocketAddress(INADDR_ANY, port);
    if (port != 0 && !zrv::Bind(socket, local)) return zrv::Abandon(socket);
    const int one = 1;
    ::setsockopt(socket, SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&one), sizeof one);
    return zrv::Store(index, socket, local, true);
}
