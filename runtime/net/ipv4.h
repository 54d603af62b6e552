// IPv4 addresses as the program sees them (32-bit integers, first octet highest) and as the
// system takes them, and name resolution.
#pragma once

#include <cstdint>

#include "net/socket_system.h"

#include "zorvane/rt_string.h"

namespace zrv {

// Ports outside 0..65535 are refused rather than cut to 16 bits, which would quietly
// reach another port.
bool IsPort(std::int32_t port) noexcept;
sockaddr_in SocketAddress(std::int32_t address, std::int32_t port) noexcept;
std::int32_t AddressOf(const sockaddr_in& address) noexcept;
std::int32_t PortOf(const sockaddr_in& address) noexcept;
// The address of a name or dotted address; false with the network error set when it does
// not resolve.
bool ResolveIPv4(const RtString& name, std::int32_t& address) noexcept;

}  // namespace zrv
