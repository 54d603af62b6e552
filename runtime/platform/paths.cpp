#include "platform/paths.h"

#include <unistd.h>

namespace zrv {

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
