// Opening an outgoing TCP connection into the socket table.
#pragma once

#include <cstdint>

#include "net/socket_wait.h"
#include "zorvane/rt_string.h"

namespace zrv {

// As TcpConnect, and connecting gives up at the deadline too.
std::int32_t ConnectTo(const RtString& host, std::int32_t port, NetClock::time_point deadline) noexcept;

}  // namespace zrv
