#include "net/socket_wait.h"

#include <algorithm>

#include "net/socket_table.h"

namespace zrv {

NetClock::time_point DeadlineIn(std::int32_t timeoutMs) noexcept {
    return NetClock::now() + std::chrono::milliseconds(timeoutMs);
}

bool BeforeDeadline(NetClock::time_point deadline) noexcept {
    if (NetClock::now() < deadline) return true;
    FailWith(kErrorTimedOut);
    return false;
}

bool WaitForSocket(SocketHandle fd, short events, std::int32_t timeoutMs, NetClock::time_point deadline) noexcept {
    deadline = std::min(deadline, DeadlineIn(timeoutMs));
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - NetClock::now()).count();
        if (left <= 0) {
            FailWith(kErrorTimedOut);
            return false;
        }
        const int ready = WaitForEvents(fd, events, static_cast<int>(left));
        if (ready > 0) return true;  // errors and hang-ups too: the next call reports them
        if (ready < 0) {
            const int error = LastSocketError();
            if (error == kErrorInterrupted) continue;
            FailWith(error);
            return false;
        }
    }
}

}  // namespace zrv
