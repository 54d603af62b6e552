// The standard streams. OpenConsole differs by system: console_posix.cpp, console_win32.cpp.
#include <cstdio>

#include "zorvane/platform.h"

namespace zrv {

namespace {

constexpr int kLineBuffer = 4096;

}  // namespace

}  // namespace zrv

void PrintToStdout(const RtString& text) { std::fputs(text.c_str(), stdout); }

void PrintToStderr(const RtString& text) { std::fputs(text.c_str(), stderr); }

RtString ReadStdinLine() {
    char buffer[zrv::kLineBuffer] = {};
    if (std::fgets(buffer, sizeof buffer, stdin) == nullptr) {
        // The end of a terminal's input (Ctrl+D) is not final: the next call reads again.
        std::clearerr(stdin);
        return RtString();
    }
    RtString line(buffer);
    if (line.Length() > 0 && buffer[line.Length() - 1] == '\n') line.TruncateText(static_cast<std::int32_t>(line.Length()) - 1);
    return line;
}
