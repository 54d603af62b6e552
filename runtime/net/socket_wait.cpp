#include "net/socket_wait.h"

#include <poll.h>

#include <cerrno>
#include <chrono>

#include "net/socket_table.h"

namespace zrv {

bool WaitForSocket(int fd, short events, std::int32_t timeoutMs) noexcept {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
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
