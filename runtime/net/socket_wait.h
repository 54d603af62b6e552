// Waiting for a non-blocking socket with a time-out, so no call can hang forever.
#pragma once

#include <chrono>
#include <cstdint>

#include "net/socket_system.h"

namespace zrv {

using NetClock = std::chrono::steady_clock;
// No deadline beyond the time-out of each wait.
inline constexpr NetClock::time_point kNoDeadline = NetClock::time_point::max();

// The deadline timeoutMs from now.
NetClock::time_point DeadlineIn(std::int32_t timeoutMs) noexcept;
// False with the time-out network error once deadline has passed.
bool BeforeDeadline(NetClock::time_point deadline) noexcept;

// Waits until fd is ready for events (POLLIN, POLLOUT), or timeoutMs have passed, or the
// deadline has. False on the time-out (the time-out network error) or a failure (its error).
bool WaitForSocket(SocketHandle fd, short events, std::int32_t timeoutMs, NetClock::time_point deadline = kNoDeadline) noexcept;

}  // namespace zrv
