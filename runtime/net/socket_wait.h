// Waiting for a non-blocking socket with a time-out, so no call can hang forever.
#pragma once

#include <cstdint>

namespace zrv {

// Waits until fd is ready for events (POLLIN, POLLOUT) or timeoutMs have passed. False on
// the time-out (network error ETIMEDOUT) or a failure (its error).
bool WaitForSocket(int fd, short events, std::int32_t timeoutMs) noexcept;

}  // namespace zrv
