// Moving bytes through a socket of the table.
#pragma once

#include <cstddef>
#include <cstdint>

#include "net/socket_system.h"
#include "net/socket_wait.h"

namespace zrv {

// Sends every byte (to destination when it is not null), waiting while the system cannot
// take more; gives up after the transfer time-out without progress, or at the deadline.
// The count sent, or -1.
std::int32_t SendAll(SocketHandle socket, const char* bytes, std::size_t count, const sockaddr_in* destination,
                     NetClock::time_point deadline = kNoDeadline) noexcept;

}  // namespace zrv
