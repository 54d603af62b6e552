#include "net/socket_wait.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>

#include "net/socket_table.h"

namespace zrv {

NetClock::time_point DeadlineIn(std::int32_t timeoutMs) noexcept {
    return NetClock::now() + std::chrono::milliseconds(timeoutMs);
}

bool BeforeDeadline(NetClock::time_point deadline) noexcept {
    if (NetClock::now() < deadline) return true;
    FailWith(ETIMEDOUT);
    return false;
}

bool WaitForSocket(int fd, short events, std::int32_t timeoutMs, NetClock::time_point deadline) noexcept {
    deadline = std::min(deadline, DeadlineIn(timeoutMs));
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - NetClock::now()).count();
        if (left <= 0) {
            FailWith(ETIMEDOUT);
            return false;
        }
        pollfd watched{fd, events, 0};
        const int ready = ::poll(&watched, 1, static_cast<int>(left));
        if (ready > 0) return true;  // errors and hang-ups too: the next call reports them
        if (ready < 0 && errno != EINTR) {
            FailWith(errno);
            return false;
        }
    }
}

}  // namespace zrv
