#include "platform/paths.h"

#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <vector>

namespace zrv {

std::string ExecutablePath() {
    std::vector<char> buffer(PATH_MAX + 1);
    const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    return n > 0 ? std::string(buffer.data(), static_cast<std::size_t>(n)) : std::string();
}

std::string ExecutableDirectory() {
    const std::string path = ExecutablePath();
    const std::size_t cut = path.find_last_of('/');
    if (cut == std::string::npos) return std::string();
    return cut == 0 ? std::string("/") : path.substr(0, cut);
}

void EnterExecutableDirectory() {
    const std::string folder = ExecutableDirectory();
    if (!folder.empty() && chdir(folder.c_str()) != 0) {
        // The program then simply runs where it was started.
    }
}

}  // namespace zrv
