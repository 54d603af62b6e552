// Name resolution and the dotted form of addresses.
#include <cstdio>

#include "net/ipv4.h"
#include "net/socket_system.h"
#include "net/socket_table.h"
#include "zorvane/net.h"

namespace zrv {

namespace {

constexpr std::int32_t kLoopback = 0x7F000001;

bool IsLoopback(std::int32_t address) noexcept { return (static_cast<std::uint32_t>(address) >> 24) == 127; }

// The first IPv4 address of a name (any address outside 127/8 when outsideLoopback is set).
bool LookUp(const char* name, bool outsideLoopback, std::int32_t& address) noexcept {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const int status = ::getaddrinfo(name, nullptr, &hints, &found);
    if (status != 0) {
        FailWith(ResolveError(status));
        return false;
    }
    bool ok = false;
    for (const addrinfo* each = found; each != nullptr && !ok; each = each->ai_next) {
        const std::int32_t candidate = AddressOf(*reinterpret_cast<const sockaddr_in*>(each->ai_addr));
        if (outsideLoopback && IsLoopback(candidate)) continue;
        address = candidate;
        ok = true;
    }
    ::freeaddrinfo(found);
    return ok;
}

// This machine's first IPv4 address outside 127/8: those of its name first, then those
// of its interfaces.
bool OwnAddress(std::int32_t& address) noexcept {
    char name[128] = {};
    if (::gethostname(name, sizeof name - 1) == 0 && LookUp(name, true, address)) return true;
    return InterfaceAddress(address);
}

}  // namespace

bool IsPort(std::int32_t port) noexcept { return port >= 0 && port <= 65535; }

sockaddr_in SocketAddress(std::int32_t address, std::int32_t port) noexcept {
    sockaddr_in result{};
    result.sin_family = AF_INET;
    result.sin_port = htons(static_cast<std::uint16_t>(port));
    result.sin_addr.s_addr = htonl(static_cast<std::uint32_t>(address));
    return result;
}

std::int32_t AddressOf(const sockaddr_in& address) noexcept {
    return static_cast<std::int32_t>(ntohl(address.sin_addr.s_addr));
}

std::int32_t PortOf(const sockaddr_in& address) noexcept { return ntohs(address.sin_port); }

bool ResolveIPv4(const RtString& name, std::int32_t& address) noexcept {
    if (!SocketSystemReady()) {
        FailWith(LastSocketError());
        return false;
    }
    if (!name.IsEmpty()) return LookUp(name.c_str(), false, address);
    if (OwnAddress(address)) return true;
    address = kLoopback;
    return true;
}

}  // namespace zrv

std::int32_t ResolveHost(const RtString& name) {
    std::int32_t address = 0;
    if (!zrv::ResolveIPv4(name, address)) return -1;
    zrv::Net().netError = 0;
    return address;
}

RtString IpToString(std::int32_t address) {
    const auto bits = static_cast<std::uint32_t>(address);
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", bits >> 24, (bits >> 16) & 0xFF, (bits >> 8) & 0xFF, bits & 0xFF);
    return text;
}
