// A debugger here is a tracer attached to the process; its output is standard error.
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <string>

#include "program/debugger.h"

namespace zrv {

bool DebuggerAttached() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("TracerPid:", 0) == 0) return std::stol(line.substr(10)) != 0;
    }
    return false;
}

void SendToDebugger(const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(STDERR_FILENO, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        done += static_cast<std::size_t>(n);
    }
}

}  // namespace zrv
