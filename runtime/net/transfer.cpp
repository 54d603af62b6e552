// Sending and receiving on table sockets.
#include "net/transfer.h"

#include <algorithm>
#include <limits>

#include "net/ipv4.h"
#include "net/socket_table.h"
#include "zorvane/net.h"

namespace zrv {

namespace {

// A receive never asks for more room than this, whatever maximum the program gives: a
// datagram is at most 64 KiB, and a stream simply delivers the rest on the next call.
constexpr std::int32_t kLargestReceive = 1 << 20;

}  // namespace

std::int32_t SendAll(SocketHandle socket, const char* bytes, std::size_t count, const sockaddr_in* destination,
                     NetClock::time_point deadline) noexcept {
    std::size_t sent = 0;
    while (sent < count) {
        const long put = SendSome(socket, bytes + sent, count - sent, destination);
        const int error = put < 0 ? LastSocketError() : 0;
        if (put >= 0) {
            sent += static_cast<std::size_t>(put);
        } else if (WouldBlock(error)) {
            if (!WaitForSocket(socket, POLLOUT, Net().transferTimeoutMs, deadline)) return -1;
        } else if (error != kErrorInterrupted) {
            return FailWith(error);
        }
    }
    Net().netError = 0;
    return static_cast<std::int32_t>(std::min<std::size_t>(sent, std::numeric_limits<std::int32_t>::max()));
}

namespace {

std::int32_t Send(std::int32_t socket, const RtString& data, std::int32_t address, std::int32_t port, bool withAddress) {
    const SocketEntry* entry = OpenEntry(socket);
    if (entry == nullptr) return -1;
    if (data.IsEmpty()) {
        Net().netError = 0;
        return 0;
    }
    if (!entry->isUdp) return SendAll(entry->socket, data.Buffer(), data.Length(), nullptr);
    if (!withAddress || (address == 0 && port == 0)) return FailWith(kErrorNoDestination);
    if (!IsPort(port)) return FailWith(kErrorInvalid);
    const sockaddr_in destination = SocketAddress(address, port);
    return SendAll(entry->socket, data.Buffer(), data.Length(), &destination);
}

}  // namespace

}  // namespace zrv

std::int32_t SendTcp(std::int32_t socket, const RtString& data) { return zrv::Send(socket, data, 0, 0, false); }

std::int32_t SendUdp(std::int32_t socket, const RtString& data, std::int32_t address, std::int32_t port) {
    return zrv::Send(socket, data, address, port, true);
}

std::int32_t ReceiveData(std::int32_t socket, RtString& data, std::int32_t maxLength) {
    data.Clear();
    const zrv::SocketEntry* entry = zrv::OpenEntry(socket);
    if (entry == nullptr) return -1;
    if (maxLength < 0) return zrv::FailWith(zrv::kErrorInvalid);
    const std::int32_t room = std::min(maxLength, zrv::kLargestReceive);
    char* buffer = data.WritableBuffer(static_cast<std::uint32_t>(room));
    long got = 0;
    int error = 0;
    do {
        got = zrv::ReceiveSome(entry->socket, buffer, static_cast<std::size_t>(room));
        error = got < 0 ? zrv::LastSocketError() : 0;
    } while (got < 0 && error == zrv::kErrorInterrupted);
    if (got > 0) {
        // The length is the count received: zero bytes in the data are kept.
        data.TruncateText(static_cast<std::int32_t>(got));
        zrv::Net().netError = 0;
        return static_cast<std::int32_t>(got);
    }
    data.Clear();
    if (got == 0) {
        zrv::Net().netError = 0;
        return 0;
    }
    zrv::FailWith(error);
    if (error == zrv::kErrorConnectionReset) return 0;
    if (zrv::WouldBlock(error)) return -2;
    return -1;
}
