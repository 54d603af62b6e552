#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/paths.h"

namespace zrv {

std::string ExecutablePath() {
    // Long paths do not fit MAX_PATH; the buffer grows until the name is not cut.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return std::string();
        if (n < buffer.size()) {
            std::string path(buffer.data(), n);
            std::replace(path.begin(), path.end(), '\\', '/');
            return path;
        }
        if (buffer.size() >= 32768) return std::string();
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace zrv
