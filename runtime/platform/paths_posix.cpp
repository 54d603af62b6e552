#include <limits.h>
#include <unistd.h>

#include <vector>

#include "platform/paths.h"

namespace zrv {

std::string ExecutablePath() {
    std::vector<char> buffer(PATH_MAX + 1);
    const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    return n > 0 ? std::string(buffer.data(), static_cast<std::size_t>(n)) : std::string();
}

}  // namespace zrv
